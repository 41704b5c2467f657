#include "FormOptions.h"

#include "forms/common/RoundedShape.h"
#include "forms/common/WindowPlacement.h"
#include "logic/settings/IntegerText.h"
#include "logic/startup/StartupEntry.h"
#include "system/FileNames.h"
#include "ui_FormOptions.h"

#include <QEvent>
#include <QStyle>

namespace orvandel {

namespace {

const QString FolderChoiceTitle = QStringLiteral("Choisissez le dossier contenant les images ...");

} // namespace

TFormOptions::TFormOptions(OptionsDialogServices dialogServices, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::TFormOptions>())
    , services(std::move(dialogServices)) {
    ui->setupUi(this);
    setFixedSize(size());
    opensCentred(*this);
    ui->BitBtnSaveOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    ErrorReport& report = services.report;
    connect(ui->BitBtnSaveOK, &QPushButton::clicked, this,
            report.guarded([this](bool) { BitBtnSaveOKClick(); }));
    connect(ui->BitBtn2, &QPushButton::clicked, this,
            report.guarded([this](bool) { BitBtn2Click(); }));
    connect(ui->Button1, &QPushButton::clicked, this,
            report.guarded([this](bool) { Button1Click(); }));
    report.run([this] { FormCreate(); });
}

TFormOptions::~TFormOptions() = default;

QLineEdit& TFormOptions::Edt_Dossier() const {
    return *ui->Edt_Dossier;
}

QLineEdit& TFormOptions::eNomAlbum() const {
    return *ui->eNomAlbum;
}

QLineEdit& TFormOptions::eCompteurImages() const {
    return *ui->eCompteurImages;
}

void TFormOptions::FormCreate() {
    const SettingsValues stored =
        readSettings(system::ProfileFile(settingsPath()), SettingsReader::OptionsDialog);
    ui->eNomAlbum->setText(stored.nomAlbum.isEmpty() ? DefaultAlbumName : stored.nomAlbum);
    ui->Edt_Dossier->setText(
        system::readableText(albumFolder(services.executableFolder, ui->eNomAlbum->text())));
    ui->eCompteurImages->setText(stored.compteurAlbum);
    const bool isEntry = stored.position >= 0 && stored.position < ui->CmbBx_Position->count();
    ui->CmbBx_Position->setCurrentIndex(isEntry ? stored.position : -1);
    ui->Edt_Timer->setText(QString::number(stored.timer));
    ui->ChkBx_DemarrerAvecWindows->setChecked(stored.demarrageAvecWindows);
    ui->ChkBx_DemarrerReduit->setChecked(stored.demarrageReduit);
    ui->ChkBx_ChangerAuDemarrage->setChecked(stored.changerAuDemarrage);
}

void TFormOptions::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QDialog::changeEvent(event);
}

void TFormOptions::FormActivate() {
    applyRoundedShape(*this, 30, 30);
}

// The running timer interval, the album name and the watched folder stay as they are: an album
// typed here takes effect at the next start, through the settings file.
void TFormOptions::BitBtnSaveOKClick() {
    ProgramState& state = services.state;
    state.PositionImage = selectedPosition();
    state.Tempo = strictInteger(ui->Edt_Timer->text());
    state.DemarrageAvecWindows = ui->ChkBx_DemarrerAvecWindows->isChecked();
    state.DemarrageReduit = ui->ChkBx_DemarrerReduit->isChecked();
    state.ChangerAuDemarrage = ui->ChkBx_ChangerAuDemarrage->isChecked();
    services.mainWindow.ChargerOptions();
    if (state.DemarrageAvecWindows)
        Utils::AjouterDemarrageWindows(services.startupRegistration, StartupValueName,
                                       services.executablePath);
    else
        Utils::SupprimerDemarrageWindows(services.startupRegistration, StartupValueName);
    saveOptionsConfirmation(system::ProfileFile(settingsPath()), fieldValues());
    closeDialog();
}

void TFormOptions::Button1Click() {
    const std::optional<QString> chosen =
        services.folderDialog.chooseFolder(FolderChoiceTitle, services.state.DossierImages);
    if (!chosen)
        return;
    // A root folder already ends with a separator and so gets a second one; paths read the same.
    services.state.DossierImages = *chosen + u'/';
    ui->Edt_Dossier->setText(system::readableText(services.state.DossierImages));
    ui->Edt_Dossier->setToolTip(system::readableText(services.state.DossierImages));
}

void TFormOptions::BitBtn2Click() {
    closeDialog();
}

void TFormOptions::reject() {
    services.report.run([this] { closeDialog(); });
}

void TFormOptions::closeDialog() {
    FormClose();
    hide();
}

void TFormOptions::FormClose() {
    services.mainWindow.enableRotationTimer();
}

// Typed text that names none of the entries selects none.
std::int32_t TFormOptions::selectedPosition() const {
    return ui->CmbBx_Position->findText(ui->CmbBx_Position->currentText(), Qt::MatchFixedString);
}

SettingsValues TFormOptions::fieldValues() const {
    return {.images = ui->Edt_Dossier->text(),
            .nomAlbum = ui->eNomAlbum->text(),
            .compteurAlbum = ui->eCompteurImages->text(),
            .position = selectedPosition(),
            .timer = strictInteger(ui->Edt_Timer->text()),
            .demarrageAvecWindows = ui->ChkBx_DemarrerAvecWindows->isChecked(),
            .demarrageReduit = ui->ChkBx_DemarrerReduit->isChecked(),
            .changerAuDemarrage = ui->ChkBx_ChangerAuDemarrage->isChecked()};
}

QString TFormOptions::settingsPath() const {
    return settingsFilePath(services.executableFolder);
}

} // namespace orvandel
