#include "TFormOptions.h"

#include "forms/common/RoundedShape.h"
#include "forms/common/WindowPlacement.h"
#include "logic/settings/IntegerText.h"
#include "logic/startup/StartupEntry.h"
#include "system/FileNames.h"
#include "ui_TFormOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QStyle>

namespace orvandel::inline forms {

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
    connectFields();
    report.run([this] { FormCreate(); });
    connect(&services.state, &ProgramState::changed, this, &TFormOptions::followAlbum);
}

TFormOptions::~TFormOptions() = default;

// Every change of a control, typed or set, reaches its pending field.
void TFormOptions::connectFields() {
    connect(ui->Edt_Dossier, &QLineEdit::textChanged, this,
            [this](const QString& text) { pending.Edt_Dossier = text; });
    connect(ui->eNomAlbum, &QLineEdit::textChanged, this,
            [this](const QString& text) { pending.eNomAlbum = text; });
    connect(ui->eCompteurImages, &QLineEdit::textChanged, this,
            [this](const QString& text) { pending.eCompteurImages = text; });
    // Typed text that names none of the entries selects none.
    connect(ui->CmbBx_Position, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        pending.CmbBx_Position = ui->CmbBx_Position->findText(text, Qt::MatchFixedString);
    });
    connect(ui->Edt_Timer, &QLineEdit::textChanged, this,
            [this](const QString& text) { pending.Edt_Timer = text; });
    connect(ui->ChkBx_DemarrerAvecWindows, &QCheckBox::toggled, this,
            [this](bool checked) { pending.ChkBx_DemarrerAvecWindows = checked; });
    connect(ui->ChkBx_DemarrerReduit, &QCheckBox::toggled, this,
            [this](bool checked) { pending.ChkBx_DemarrerReduit = checked; });
    connect(ui->ChkBx_ChangerAuDemarrage, &QCheckBox::toggled, this,
            [this](bool checked) { pending.ChkBx_ChangerAuDemarrage = checked; });
}

void TFormOptions::FormCreate() {
    const SettingsValues stored =
        readSettings(system::ProfileFile(settingsPath()), SettingsReader::OptionsDialog);
    pending.eNomAlbum = stored.NomAlbum.isEmpty() ? DefaultAlbumName : stored.NomAlbum;
    pending.Edt_Dossier =
        system::readableText(albumFolder(services.executableFolder, pending.eNomAlbum));
    pending.eCompteurImages = stored.eCptImagesAlbum;
    const bool isEntry =
        stored.PositionImage >= 0 && stored.PositionImage < ui->CmbBx_Position->count();
    pending.CmbBx_Position = isEntry ? stored.PositionImage : -1;
    pending.Edt_Timer = QString::number(stored.Tempo);
    pending.ChkBx_DemarrerAvecWindows = stored.DemarrageAvecWindows;
    pending.ChkBx_DemarrerReduit = stored.DemarrageReduit;
    pending.ChkBx_ChangerAuDemarrage = stored.ChangerAuDemarrage;
    showFields();
}

// The controls' signals then leave the pending fields as they are.
void TFormOptions::showFields() {
    ui->Edt_Dossier->setText(pending.Edt_Dossier);
    ui->eNomAlbum->setText(pending.eNomAlbum);
    ui->eCompteurImages->setText(pending.eCompteurImages);
    ui->CmbBx_Position->setCurrentIndex(pending.CmbBx_Position);
    ui->Edt_Timer->setText(pending.Edt_Timer);
    ui->ChkBx_DemarrerAvecWindows->setChecked(pending.ChkBx_DemarrerAvecWindows);
    ui->ChkBx_DemarrerReduit->setChecked(pending.ChkBx_DemarrerReduit);
    ui->ChkBx_ChangerAuDemarrage->setChecked(pending.ChkBx_ChangerAuDemarrage);
}

// The album chosen in the main window, and the folder chosen here, show in the two fields.
void TFormOptions::followAlbum(ProgramState::Field field) {
    if (field == ProgramState::Field::DossierImages)
        ui->Edt_Dossier->setText(system::readableText(services.state.DossierImages()));
    else if (field == ProgramState::Field::NomAlbum)
        ui->eNomAlbum->setText(services.state.NomAlbum());
}

void TFormOptions::setCounter(const QString& eCompteurImages) {
    ui->eCompteurImages->setText(eCompteurImages);
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
    state.setPositionImage(pending.CmbBx_Position);
    state.setTempo(strictInteger(pending.Edt_Timer));
    state.setDemarrageAvecWindows(pending.ChkBx_DemarrerAvecWindows);
    state.setDemarrageReduit(pending.ChkBx_DemarrerReduit);
    state.setChangerAuDemarrage(pending.ChkBx_ChangerAuDemarrage);
    emit albumListingRequested();
    if (state.DemarrageAvecWindows())
        Utils::AjouterDemarrageWindows(services.startupRegistration, StartupValueName,
                                       services.executablePath);
    else
        Utils::SupprimerDemarrageWindows(services.startupRegistration, StartupValueName);
    saveOptionsConfirmation(system::ProfileFile(settingsPath()), confirmedValues());
    closeDialog();
}

void TFormOptions::confirmAndEnd() {
    services.report.run([this] {
        BitBtnSaveOKClick();
        emit endRequested();
    });
}

void TFormOptions::Button1Click() {
    const std::optional<QString> chosen =
        services.folderDialog.chooseFolder(FolderChoiceTitle, services.state.DossierImages());
    if (!chosen)
        return;
    // A root folder already ends with a separator and so gets a second one; paths read the same.
    // The field follows the state's folder.
    services.state.setDossierImages(*chosen + u'/');
    ui->Edt_Dossier->setToolTip(system::readableText(services.state.DossierImages()));
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
    emit closed();
}

SettingsValues TFormOptions::confirmedValues() const {
    return {.DossierImages = pending.Edt_Dossier,
            .NomAlbum = pending.eNomAlbum,
            .eCptImagesAlbum = pending.eCompteurImages,
            .PositionImage = pending.CmbBx_Position,
            .Tempo = strictInteger(pending.Edt_Timer),
            .DemarrageAvecWindows = pending.ChkBx_DemarrerAvecWindows,
            .DemarrageReduit = pending.ChkBx_DemarrerReduit,
            .ChangerAuDemarrage = pending.ChkBx_ChangerAuDemarrage};
}

QString TFormOptions::settingsPath() const {
    return settingsFilePath(services.executableFolder);
}

} // namespace orvandel::inline forms
