#include "TFOrvandel.h"

#include "CurrentRowPresses.h"
#include "MainWindowLook.h"
#include "MainWindowPictures.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "common/PictureError.h"
#include "desktop/WindowMessages.h"
#include "forms/common/DragBand.h"
#include "forms/common/RoundedShape.h"
#include "forms/common/WindowPlacement.h"
#include "logic/albums/AlbumListing.h"
#include "logic/calendar/CalendarDrawing.h"
#include "logic/calendar/CalendarWallpaper.h"
#include "logic/rotation/WallpaperRotation.h"
#include "logic/settings/IntegerText.h"
#include "system/FileNames.h"
#include "ui_TFOrvandel.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QMenu>

namespace orvandel::inline forms {

namespace {

// The top band where a press drags the window instead of clicking the pictures under it.
constexpr int DragBandHeight = 20;
constexpr int CornerEllipse = 30;
// How long a program started before the desktop's panel, as at login, waits for a tray host.
constexpr int TrayHostWaitMilliseconds = 30000;

// The counter read at start-up, increased by one. A first run has none yet and starts from 0.
QString nextCounter(const QString& stored) {
    if (stored.isEmpty())
        return QStringLiteral("1");
    return QString::number(std::int64_t{strictInteger(stored)} + 1);
}

} // namespace

TFOrvandel::TFOrvandel(MainWindowServices windowServices, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TFOrvandel>())
    , services(std::move(windowServices))
    , state(services.state)
    , settingsPath(settingsFilePath(services.executableFolder))
    , Image1((ui->setupUi(this), *ui->Image1), services.screenSize) {
    setWindowFlag(Qt::FramelessWindowHint);
    // A fixed size for the window manager too: tiling ones then float the window at that size.
    setFixedSize(size());
    opensCentred(*this);
    new DragBand(*this, DragBandHeight);
    dressMainWindow(*ui);
    PopupMenu = makePopupMenu(*ui, *this);
    setUpTrayIcon();
    connectHandlers();
    connectMenu();
}

TFOrvandel::~TFOrvandel() = default;

// The tray icon's properties in the order the component takes them, then Loaded. A desktop without
// a notification area keeps the window shown: nothing else could bring it back.
void TFOrvandel::setUpTrayIcon() {
    ImageList1 = makeImageList1(*ui, *this);
    PiconeBarreTache1 = std::make_unique<TPiconeBarreTache>(
        *this, services.mainForm, services.trayIcon, services.taskbarButton);
    TPiconeBarreTache& tray = *PiconeBarreTache1;
    const bool trayHost = hasNotificationArea();
    tray.SetMenuPop(PopupMenu);
    tray.SetReduireSiFin(false);
    tray.SetCacherSiMinimize(true);
    tray.SetPetiteIconeVisible(true);
    tray.SetGrandeIconeVisible(true);
    tray.SetApplicationCachee(trayHost);
    tray.SetIcone(programIcon());
    tray.SetImageList(ImageList1);
    tray.SetIntervalAnimation(1000);
    tray.SetAnimation(false);
    tray.SetNumIconeImageList(0);
    tray.SetHint(QStringLiteral("Orvandel    Version 1.75"));
    tray.SetGrandeIconBlink(false);
    tray.SetIntervalGrandeIconeBlink(1000);
    tray.SetOuvreSiClicGauche(true);
    tray.SetOuvreSiDblClick(false);
    tray.SetMenuSiClicDroit(true);
    tray.SetMenuSiClicGauche(false);
    tray.Loaded();
    if (!trayHost)
        waitForTrayHost();
}

// Shown meanwhile, the window hides behind the icon as at a normal start once a tray host comes;
// after the wait it stays shown, as on a desktop that has no notification area.
void TFOrvandel::waitForTrayHost() {
    trayHostWait.setSingleShot(true);
    trayHostWait.start(TrayHostWaitMilliseconds);
    connect(&services.trayIcon, &desktop::TrayIcon::hostRestarted, this, [this] {
        if (!trayHostWait.isActive())
            return;
        trayHostWait.stop();
        PiconeBarreTache1->SetApplicationCachee(true);
    });
}

void TFOrvandel::connectHandlers() {
    ErrorReport& report = services.report;
    connect(ui->ComboBoxAlbum, &QComboBox::currentTextChanged, this,
            report.guarded([this](const QString&) { ComboBoxAlbumChange(); }));
    connect(ui->Lst_Images, &QListWidget::currentRowChanged, this,
            report.guarded([this](int) { Lst_ImagesClick(); }));
    connect(new CurrentRowPresses(*ui->Lst_Images), &CurrentRowPresses::pressed, this,
            report.guarded([this](auto&&...) { Lst_ImagesClick(); }));
    connect(ui->Lst_Images, &QListWidget::itemDoubleClicked, this,
            report.guarded([this](QListWidgetItem*) { Lst_ImagesDblClick(); }));
    connect(&rotationTimer, &RotationTimer::tick, this,
            report.guarded([this](auto&&...) { TimerTimer(); }));
    connect(ui->BitBtn, &QPushButton::clicked, this,
            report.guarded([this](auto&&...) { TimerTimer(); }));
    connect(ui->Shape1, &EllipseShape::pressed, this,
            report.guarded([this](auto&&...) { TimerTimer(); }));
    connect(ui->Shape2, &EllipseShape::pressed, this, [this] { Panel2Click(); });
    connect(ui->Image3, &QToolButton::clicked, this, [this] { Panel2Click(); });
    connect(ui->BBtnCalendrier, &QPushButton::clicked, this,
            report.guarded([this](auto&&...) { BBtnCalendrierClick(); }));
    connect(ui->Image4, &QToolButton::clicked, this, &TFOrvandel::helpRequested);
    connect(ui->Image5, &QToolButton::clicked, this, &TFOrvandel::slideShowRequested);
    connect(ui->Image6, &QToolButton::clicked, this, &TFOrvandel::importRequested);
    connect(ui->XiPanelMain, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu->popup(ui->XiPanelMain->mapToGlobal(at)); });
}

void TFOrvandel::connectMenu() {
    ErrorReport& report = services.report;
    connect(ui->AfficherLumi, &QAction::triggered, this, [this] { MontrerApplication(); });
    connect(ui->ReduireApplication1, &QAction::triggered, this, [this] { CacherApplication(); });
    connect(ui->ChangerFondEcran1, &QAction::triggered, this,
            report.guarded([this](auto&&...) { ChangerFondEcran1Click(); }));
    connect(ui->AfficherCalendrier1, &QAction::triggered, this,
            report.guarded([this](auto&&...) { BBtnCalendrierClick(); }));
    connect(ui->Aide1, &QAction::triggered, this, &TFOrvandel::helpRequested);
    connect(ui->Options2, &QAction::triggered, this, &TFOrvandel::optionsRequested);
    connect(ui->Apropos2, &QAction::triggered, this, &TFOrvandel::aboutRequested);
    connect(ui->QuitterLumi, &QAction::triggered, this,
            report.guarded([this](auto&&...) { QuitterlApplication1Click(); }));
}

void TFOrvandel::log(const QString& line) {
    ui->MemoLog->appendPlainText(system::readableText(line));
}

void TFOrvandel::FormCreate() {
    const system::ProfileFile settings(settingsPath);
    log(settings.path());
    const SettingsValues stored = readSettings(settings, SettingsReader::MainWindow);
    log(QStringLiteral("NomAlbum = ") + stored.NomAlbum);
    state.takeStoredSettings(stored, services.executableFolder);
    log(QStringLiteral("DossierImages = ") + state.DossierImages());
    log(QStringLiteral("eCptImagesAlbum = ") + state.eCptImagesAlbum());
    {
        const QSignalBlocker quiet(ui->ComboBoxAlbum);
        ui->ComboBoxAlbum->setEditText(state.NomAlbum());
    }
    // A counter that is no number is reported, and the start goes on from 1: the timer, the list
    // and the watcher must exist for every later command.
    const QString storedCounter = state.eCptImagesAlbum();
    state.setECptImagesAlbum(QStringLiteral("1"));
    services.report.run([&] { state.setECptImagesAlbum(nextCounter(storedCounter)); });
    rotationTimer.setMinutes(state.Tempo());
    rotationTimer.setEnabled(true);
    state.setListeDesImages({});
    ChargerOptions();
    emit folderWatchRequested(state.DossierImages());
    drawIndexOrChange();
}

// The last step of the start and of an album change.
void TFOrvandel::drawIndexOrChange() {
    if (state.ChangerAuDemarrage())
        TimerTimer();
    else
        state.setIndexImage(drawAnyIndex(static_cast<std::int32_t>(state.ListeDesImages().size()),
                                         services.random));
}

void TFOrvandel::ChargerOptions() {
    QStringList listed;
    Utils::ListerDesFichiers(state.DossierImages(), FiltreImage, false, listed);
    state.setListeDesImages(listed);
    log(QStringLiteral("------------ ChargerOptions --------------"));
    log(QStringLiteral("ListeDesImages.Count = ") + QString::number(listed.size()));
    if (listed.isEmpty())
        return;
    state.setECptImagesAlbum(QString::number(listed.size()));
    refillRows();
    ui->GroupBox2->setTitle(formatMessage(QStringLiteral(" %d images  "), {listed.size()}));
    // One picture that cannot be decoded is reported, and whoever asked for the listing goes on:
    // the program is never left half switched to another album.
    services.report.run([&] { Image1.load(state.DossierImages() + listed[0]); });
}

void TFOrvandel::refillRows() {
    const QSignalBlocker quiet(ui->Lst_Images);
    ui->Lst_Images->clear();
    // Rows show the names as people read them; the picture of a row is found by its index.
    for (const QString& name : state.ListeDesImages())
        ui->Lst_Images->addItem(system::readableText(name));
    ui->Lst_Images->setCurrentRow(-1);
}

void TFOrvandel::ComboBoxAlbumChange() {
    const int selected = ui->ComboBoxAlbum->findText(ui->ComboBoxAlbum->currentText(),
                                                     Qt::MatchExactly | Qt::MatchCaseSensitive);
    state.setNomAlbum(selected >= 0 ? ui->ComboBoxAlbum->itemText(selected) : QString());
    state.setDossierImages(albumFolder(services.executableFolder, state.NomAlbum()));
    rotationTimer.setMinutes(state.Tempo());
    rotationTimer.setEnabled(true);
    state.setListeDesImages({});
    ChargerOptions();
    const QString CptAlbum = QString::number(state.ListeDesImages().size());
    emit counterCopied(CptAlbum);
    saveAlbumChange(system::ProfileFile(settingsPath), state, CptAlbum);
    emit folderWatchRequested(state.DossierImages());
    drawIndexOrChange();
}

QString TFOrvandel::selectedPicture(int row) const {
    if (row < 0 || row >= state.ListeDesImages().size())
        throw Error(formatMessage(FrameworkMessages::ListIndexOutOfBounds, {QString::number(row)}));
    return state.DossierImages() + state.ListeDesImages()[row];
}

void TFOrvandel::Lst_ImagesClick() {
    Image1.load(selectedPicture(ui->Lst_Images->currentRow()));
}

void TFOrvandel::Lst_ImagesDblClick() {
    applyWallpaper(selectedPicture(ui->Lst_Images->currentRow()));
}

void TFOrvandel::applyWallpaper(const QString& FileName) {
    Utils::ApplyWallPaper(FileName, state.PositionImage(), services.wallpaperSetter);
}

void TFOrvandel::TimerTimer() {
    if (state.ListeDesImages().isEmpty())
        return;
    const std::optional<std::int32_t> drawn =
        drawExistingPicture(state.DossierImages(), state.ListeDesImages(), services.random);
    if (!drawn)
        return;
    state.setIndexImage(*drawn);
    const QString name = state.ListeDesImages()[state.IndexImage()];
    const QString path = state.DossierImages() + name;
    // The change's own message is for a picture that cannot be read. A desktop that refuses the
    // change, a failed command or no back-end at all reach the generic report with their cause.
    try {
        applyWallpaper(path);
        Image1.load(path);
        PiconeBarreTache1->SetHint(QStringLiteral("Image actuelle : ") + name);
    } catch (const PictureError&) {
        services.dialogs.showMessage(invalidPictureMessage(name));
    }
}

void TFOrvandel::ChangerFondEcran1Click() {
    TimerTimer();
}

// The year over the previewed picture stretched to the screen, saved beside the albums and made
// the wallpaper. The preview shows the calendar even when saving or applying it then fails.
void TFOrvandel::BBtnCalendrierClick() {
    QImage BitMapWall = calendarBase(Image1.picture(), services.screenSize);
    drawCalendar(BitMapWall, QDate::currentDate());
    Image1.show(BitMapWall);
    const QString NomFichier = saveCalendarWallpaper(Image1.picture(), services.executableFolder);
    applyWallpaper(NomFichier);
}

void TFOrvandel::QuitterlApplication1Click() {
    emit counterCopied(state.eCptImagesAlbum());
    emit quitRequested();
}

void TFOrvandel::WMAppelMessage(std::int64_t lParam) {
    if (lParam == desktop::WM_RBUTTONDOWN) {
        raise();
        activateWindow();
        PopupMenu->popup(QCursor::pos());
    } else if (lParam == desktop::WM_LBUTTONDBLCLK) {
        showNormal();
        raise();
        activateWindow();
    }
}

bool TFOrvandel::hasNotificationArea() const {
    return services.trayIcon.available();
}

// Without a notification area nothing could bring a hidden window back: it is minimised instead.
void TFOrvandel::CacherApplication() {
    if (hasNotificationArea())
        PiconeBarreTache1->CacherApplication();
    else
        showMinimized();
}

void TFOrvandel::Panel2Click() {
    if (hasNotificationArea())
        PiconeBarreTache1->SetApplicationCachee(true);
    else
        showMinimized();
}

void TFOrvandel::MontrerApplication() {
    PiconeBarreTache1->MontrerApplication();
}

void TFOrvandel::enableRotationTimer() {
    rotationTimer.setEnabled(true);
}

bool TFOrvandel::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        services.report.run([this] { FormActivate(); });
    return QWidget::event(event);
}

void TFOrvandel::FormActivate() {
    applyRoundedShape(*this, CornerEllipse, CornerEllipse);
    emit counterCopied(state.eCptImagesAlbum());
}

void TFOrvandel::showEvent(QShowEvent* event) {
    if (!shownBefore) {
        shownBefore = true;
        // Without a window manager the window is never activated; it is shaped all the same.
        applyRoundedShape(*this, CornerEllipse, CornerEllipse);
    }
    QWidget::showEvent(event);
}

void TFOrvandel::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
    emit endRequested();
}

void TFOrvandel::FormClose() {
    services.report.run([this] { saveOnCloseRequest(system::ProfileFile(settingsPath), state); });
}

} // namespace orvandel::inline forms
