#pragma once

#include "desktop/FolderDialog.h"
#include "logic/ErrorReport.h"
#include "logic/settings/ProgramState.h"
#include "system/StartupRegistration.h"

#include <QDialog>

#include <cstdint>
#include <memory>

namespace Ui {
class TFormOptions;
} // namespace Ui

namespace orvandel::inline forms {

// What the options dialog works with; the application owns all of it.
struct OptionsDialogServices {
    ProgramState& state;
    system::StartupRegistration& startupRegistration;
    desktop::FolderDialog& folderDialog;
    ErrorReport& report;
    // Ends with a separator; the settings file and the albums live there.
    QString executableFolder;
    // What starts at login.
    QString executablePath;
};

// What the dialog's fields hold until a confirmation takes them: the texts as typed, the
// position entry the typed text names (−1 for none) and the three boxes.
struct OptionsFields {
    QString Edt_Dossier;
    QString eNomAlbum;
    QString eCompteurImages;
    std::int32_t CmbBx_Position = -1;
    QString Edt_Timer;
    bool ChkBx_DemarrerAvecWindows = false;
    bool ChkBx_DemarrerReduit = false;
    bool ChkBx_ChangerAuDemarrage = false;
};

// The options dialog: album folder, name and counter, wallpaper position, minutes between
// changes and the three start-up options. It is created once, after the main window's start-up,
// and then only shown and hidden, so its fields keep what they hold between showings. The folder
// and album-name fields follow the program state's album.
class TFormOptions final : public QDialog {
    Q_OBJECT

public:
    explicit TFormOptions(OptionsDialogServices services, QWidget* parent = nullptr);
    ~TFormOptions() override;

    // The confirmation. A failing step throws and the steps after it do not run, so the dialog
    // stays as it is.
    void BitBtnSaveOKClick();
    // The main window's quit command: the confirmation as the OK button runs it, also while the
    // dialog is hidden, then the end of the program, which a failed confirmation prevents.
    void confirmAndEnd();
    // The counter the main window copies into the field `eCompteurImages`.
    void setCounter(const QString& eCompteurImages);

signals:
    // The confirmation's listing of the current album folder, TFOrvandel.ChargerOptions.
    void albumListingRequested();
    // The dialog has closed: the main window's rotation timer runs again.
    void closed();
    // The quit command's confirmation has succeeded: the message loop ends.
    void endRequested();

protected:
    void changeEvent(QEvent* event) override;
    // Escape, and a close request from the window manager, close without saving.
    void reject() override;

private:
    void FormCreate();
    void FormActivate();
    void FormClose();
    void Button1Click();
    void BitBtn2Click();

    void connectFields();
    void showFields();
    void followAlbum(ProgramState::Field field);
    void closeDialog();
    SettingsValues confirmedValues() const;
    QString settingsPath() const;

    std::unique_ptr<Ui::TFormOptions> ui;
    OptionsDialogServices services;
    OptionsFields pending;
};

} // namespace orvandel::inline forms
