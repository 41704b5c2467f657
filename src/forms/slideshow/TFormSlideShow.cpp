#include "TFormSlideShow.h"

#include "SlideShowPictures.h"
#include "forms/common/WindowPlacement.h"
#include "logic/slideshow/UPath.h"
#include "system/FileNames.h"
#include "ui_TFormSlideShow.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>

namespace orvandel::inline forms {

namespace {

const QString SelectionDone = QStringLiteral("Sélection des images terminée ...");
const QString PictureLocation = QStringLiteral("Emplacement de l'image :");
// The delay field's minimum, taken when its text is not a number.
constexpr int DelayWhenNotANumber = 1000;
// The path index of a folder the user chooses.
constexpr int ChosenFolder = 103;
// Where the window first opens on the screen.
constexpr QPoint FirstPlace(232, 208);

} // namespace

TFormSlideShow::TFormSlideShow(const SlideShowServices& slideShowServices, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::TFormSlideShow>())
    , services(slideShowServices) {
    ui->setupUi(this);
    opensAt(*this, FirstPlace);
    setPictures();
    watchKeysOf(*this);
}

TFormSlideShow::~TFormSlideShow() = default;

void TFormSlideShow::setPictures() {
    setWindowIcon(QApplication::windowIcon());
    ui->btn_SelectImages->setIcon(slideShowSelectImagesIcon());
    ui->btn_Start->setIcon(slideShowStartIcon());
    ui->btn_Stop->setIcon(slideShowStopIcon());
    ui->btn_Reset->setIcon(slideShowCloseIcon());
    ui->Image1->setPixmap(slideShowDecoration(ui->Image1->size()));
}

void TFormSlideShow::FormCreate() {
    SlideShow = std::make_unique<TkvSlideShow>(*ui->pnl_OutPut, services.report, animator);
    connect(SlideShow.get(), &TkvSlideShow::OnImageChange, this, [this] { ImageChanged(); });
    ui->lb_AnimType->setCurrentRow(ui->lb_AnimType->count() - 1);
    connectHandlers();
}

void TFormSlideShow::connectHandlers() {
    const auto click = [this](QPushButton* button, void (TFormSlideShow::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                services.report.guarded([this, handler](bool) { (this->*handler)(); }));
    };
    click(ui->btn_SelectImages, &TFormSlideShow::btn_SelectImagesClick);
    click(ui->btn_Start, &TFormSlideShow::btn_StartClick);
    click(ui->btn_Stop, &TFormSlideShow::btn_StopClick);
    click(ui->btn_Reset, &TFormSlideShow::btn_ResetClick);
    for (QRadioButton* button : {ui->rb_Stretch, ui->rb_Mosaic, ui->rb_Proportional, ui->rb_Center})
        connect(button, &QRadioButton::clicked, this,
                services.report.guarded([this, button](bool) { rb_StretchClick(*button); }));
    connect(ui->tbar_Speed, &QSlider::valueChanged, this,
            services.report.guarded([this](int) { tbar_SpeedChange(); }));
    // The field tells of its arrows and of typed values in its range; its edit line tells of every
    // typed character, also while the text is still below the field's minimum.
    const auto delayChange =
        services.report.guarded([this](const QString& text) { sped_DelayChange(text); });
    connect(ui->sped_Delay, &QSpinBox::textChanged, this, delayChange);
    connect(ui->sped_Delay->findChild<QLineEdit*>(), &QLineEdit::textEdited, this, delayChange);
    connect(ui->lb_AnimType, &QListWidget::currentRowChanged, this,
            services.report.guarded([this](int) { lb_AnimTypeClick(); }));
    // The output area offers the choice of another folder of pictures.
    auto* chooseFolder = new QAction(QStringLiteral("Choisir un dossier d'images ..."), this);
    connect(chooseFolder, &QAction::triggered, this,
            services.report.guarded([this](bool) { btn_ChangeDirClick(); }));
    ui->pnl_OutPut->addAction(chooseFolder);
    ui->pnl_OutPut->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TFormSlideShow::watchKeysOf(QWidget& widget) {
    widget.installEventFilter(this);
    for (QWidget* child : widget.findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TFormSlideShow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.isAutoRepeat())
        return false;
    const bool released = event->type() == QEvent::KeyRelease;
    switch (key.key()) {
    case Qt::Key_F6:
        if (released)
            services.report.run([this] { FullScreen(); });
        return true;
    case Qt::Key_Escape:
        if (released)
            close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!released)
            ui->btn_SelectImages->click();
        return true;
    default:
        return false;
    }
}

void TFormSlideShow::btn_StartClick() {
    SlideShow->Start();
}

void TFormSlideShow::btn_StopClick() {
    SlideShow->Stop();
}

void TFormSlideShow::btn_ResetClick() {
    SlideShow->Reset();
    close();
}

void TFormSlideShow::rb_StretchClick(const QRadioButton& sender) {
    SlideShow->SetPaintStyle(static_cast<TPaintStyle>(sender.property("Tag").toInt()));
}

void TFormSlideShow::tbar_SpeedChange() {
    SlideShow->SetSpeed(ui->tbar_Speed->value());
}

void TFormSlideShow::sped_DelayChange(const QString& text) {
    bool isNumber = false;
    const int delay = text.toInt(&isNumber);
    SlideShow->SetInterval(isNumber ? delay : DelayWhenNotANumber);
}

void TFormSlideShow::lb_AnimTypeClick() {
    const int row = ui->lb_AnimType->currentRow();
    SlideShow->SetRandomAnimate(row == ui->lb_AnimType->count() - 1);
    if (!SlideShow->RandomAnimate())
        SlideShow->SetAnimateStyle(static_cast<TAnimateStyle>(row));
}

void TFormSlideShow::btn_SelectImagesClick() {
    PictureList& pictures = SlideShow->IMGList();
    pictures.Clear();
    for (const QString& name : services.state.ListeDesImages())
        pictures.Add(services.state.DossierImages() + name);
    services.dialogs.showMessage(SelectionDone);
}

void TFormSlideShow::btn_ChangeDirClick() {
    if (const auto folder = UPath::GetPath(ChosenFolder, services.folderDialog))
        SlideShow->SetDirectory(*folder);
}

void TFormSlideShow::FullScreen() {
    if (!fullScreenMode) {
        setCursor(Qt::BlankCursor);
        WinPlacement = saveGeometry();
        fullScreenMode = true;
        setWindowFlag(Qt::FramelessWindowHint, true);
        // Without a window manager nothing maximises the window: it is given the screen itself.
        if (const QScreen* place = screen())
            setGeometry(place->availableGeometry());
        showMaximized();
    } else {
        showNormal();
        setWindowFlag(Qt::FramelessWindowHint, false);
        restoreGeometry(WinPlacement);
        show();
        fullScreenMode = false;
        unsetCursor();
    }
}

void TFormSlideShow::ImageChanged() {
    ui->StatusBar1->showMessage(PictureLocation + system::readableText(SlideShow->ImageName()));
}

} // namespace orvandel::inline forms
