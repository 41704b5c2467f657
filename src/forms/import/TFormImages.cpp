#include "TFormImages.h"

#include "ImportPictures.h"
#include "common/DefaultFace.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "forms/common/RoundedShape.h"
#include "forms/common/WindowPlacement.h"
#include "imaging/PictureLoader.h"
#include "imaging/Stretch.h"
#include "logic/albums/AlbumNames.h"
#include "logic/import/AlbumImport.h"
#include "logic/settings/ProgramState.h"
#include "system/FileNames.h"
#include "ui_TFormImages.h"

#include <QEvent>

namespace orvandel::inline forms {

namespace {

const QString NoPictureChosen = QStringLiteral("Aucune image choisie ...!");
const QString AddSucceeded = QStringLiteral("L'opération d'ajout est réussie...");
const QString AddFailed = QStringLiteral("Echec de l'opération d'ajout...");
// Where the dialog first opens on the screen; a window of its own does not take the form's.
constexpr QPoint FirstPlace(350, 197);

QFont pixelFont(int pixels, QFont::Weight weight = QFont::Normal) {
    QFont font(DefaultFaceName);
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

QString albumTarget(const QString& album) {
    return QStringLiteral("Images/") + album + u'/';
}

} // namespace

TFormImages::TFormImages(const QString& executableFolder, ProgramState& programState,
                         desktop::PictureOpenDialog& pictureOpenDialog,
                         desktop::Dialogs& messageBoxes, ErrorReport& errorReport, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::TFormImages>())
    , Path(executableFolder)
    , DossierImages(albumTarget(DefaultAlbumName))
    , state(programState)
    , OpenPicture(pictureOpenDialog)
    , dialogs(messageBoxes)
    , report(errorReport) {
    ui->setupUi(this);
    opensAt(*this, FirstPlace);
    setFonts();
    ui->Image3->setPixmap(importBandPicture());
    ui->btnChoisirImage->setIcon(importChooserPicture());
    ui->btnChoisirImage->setIconSize(QSize(64, 64));
    ui->AjoutImage->setIcon(importAddPicture());
    ui->ImageNew->setPixmap(importPlaceholderPicture());
    ui->ImageNew->setScaledContents(true);
    ui->ComboBoxAlbum->addItems(AlbumNames);
    ui->ComboBoxAlbum->setCurrentIndex(static_cast<int>(AlbumNames.indexOf(DefaultAlbumName)));
    ui->ComboBoxAlbum->setStyleSheet(
        QStringLiteral("QComboBox, QComboBox QLineEdit { background: #800000; color: #F0F0F0; }"));
    connectHandlers();
}

TFormImages::~TFormImages() = default;

void TFormImages::setFonts() {
    setFont(pixelFont(11));
    ui->btnChoisirImage->setFont(pixelFont(24, QFont::Bold));
    ui->Label4->setFont(pixelFont(13, QFont::Bold));
    ui->ComboBoxAlbum->setFont(pixelFont(11, QFont::Bold));
    for (QWidget* button :
         {static_cast<QWidget*>(ui->BtnRenommer), static_cast<QWidget*>(ui->Button1),
          static_cast<QWidget*>(ui->btnClearImage)})
        button->setFont(pixelFont(21));
    ui->BtnQuitter->setFont(pixelFont(21, QFont::Bold));
}

void TFormImages::connectHandlers() {
    connect(ui->btnChoisirImage, &QPushButton::clicked, this,
            report.guarded([this](auto&&...) { btnChoisirImageClick(); }));
    connect(ui->AjoutImage, &QPushButton::clicked, this,
            report.guarded([this](auto&&...) { BtnAjoutImageClick(); }));
    connect(ui->ComboBoxAlbum, &QComboBox::currentTextChanged, this,
            report.guarded([this](auto&&...) { ComboBoxAlbumChange(); }));
    connect(ui->btnClearImage, &QPushButton::clicked, this,
            report.guarded([this](auto&&...) { btnClearImageClick(); }));
    connect(ui->BtnQuitter, &QPushButton::clicked, this,
            report.guarded([this](auto&&...) { BtnQuitterClick(); }));
}

bool TFormImages::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        report.run([this] { FormActivate(); });
    return QDialog::event(event);
}

void TFormImages::FormActivate() {
    applyRoundedShape(*this, 30, 30);
}

void TFormImages::btnChoisirImageClick() {
    if (const std::optional<QString> chosen = OpenPicture.choosePicture(this)) {
        // Any picture the program reads is accepted; other files are refused with the loader's
        // reason, and then nothing shown changes.
        Picture = imaging::loadPicture(*chosen);
        ui->lblImageFileName->setText(system::readableText(*chosen));
    }
    ui->LabelW->setText(QString::number(Picture.width()));
    ui->LabelH->setText(QString::number(Picture.height()));
    showPicture();
    PictureChosen = 1;
}

void TFormImages::BtnAjoutImageClick() {
    mFileName = Path + DossierImages + state.eCptImagesAlbum() + QStringLiteral(".jpg");
    // A cleared picture is no picture: nothing is written, rather than an empty file reported as
    // a success.
    if (PictureChosen == 0 || Picture.isNull()) {
        dialogs.showMessage(NoPictureChosen);
        return;
    }
    AddedPicture added;
    try {
        added = addPictureToAlbum(Picture, Path + DossierImages, state.eCptImagesAlbum());
    } catch (...) {
        // The add is guarded as a whole: whatever failed, the user sees one plain failure.
        dialogs.showErrorDialog(AddFailed);
        return;
    }
    mFileName = added.path;
    dialogs.showMessage(AddSucceeded);
    // A counter that is no number was still used as the name; reading it now reports it.
    if (!added.nextCounter)
        throw Error(formatMessage(FrameworkMessages::NotAnInteger, {state.eCptImagesAlbum()}));
    state.setECptImagesAlbum(*added.nextCounter);
    PictureChosen = 0;
}

void TFormImages::ComboBoxAlbumChange() {
    // Typed text that names no album leaves the item empty: the album root.
    const int index = ui->ComboBoxAlbum->findText(ui->ComboBoxAlbum->currentText());
    DossierImages = albumTarget(index < 0 ? QString() : ui->ComboBoxAlbum->itemText(index));
}

void TFormImages::btnClearImageClick() {
    Picture = QImage();
    showPicture();
}

void TFormImages::BtnQuitterClick() {
    Picture = QImage();
    showPicture();
    accept();
}

void TFormImages::showPicture() {
    // The box stretches what it shows; a screen-sized copy keeps repaints cheap for a large photo.
    ui->ImageNew->setPixmap(Picture.isNull() ? QPixmap()
                                             : QPixmap::fromImage(imaging::stretchPicture(
                                                   Picture, ui->ImageNew->size())));
}

} // namespace orvandel::inline forms
