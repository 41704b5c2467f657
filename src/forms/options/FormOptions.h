#pragma once

#include "OptionsDialogHost.h"
#include "desktop/FolderDialog.h"
#include "logic/ErrorReport.h"
#include "logic/settings/ProgramState.h"
#include "system/StartupRegistration.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class QLineEdit;

namespace Ui {
class TFormOptions;
} // namespace Ui

namespace orvandel {

// What the options dialog works with; the application owns all of it.
struct OptionsDialogServices {
    ProgramState& state;
    OptionsDialogHost& mainWindow;
    system::StartupRegistration& startupRegistration;
    desktop::FolderDialog& folderDialog;
    ErrorReport& report;
    // Ends with a separator; the settings file and the albums live there.
    QString executableFolder;
    // What starts at login.
    QString executablePath;
};

// The options dialog: album folder, name and counter, wallpaper position, minutes between
// changes and the three start-up options. It is created once, after the main window's start-up,
// and then only shown and hidden, so its fields keep what they hold between showings.
class TFormOptions final : public QDialog {
    Q_OBJECT

public:
    explicit TFormOptions(OptionsDialogServices services, QWidget* parent = nullptr);
    ~TFormOptions() override;

    // The confirmation, which the main window's quit command also runs. A failing step throws
    // and the steps after it do not run, so the dialog stays as it is.
    void BitBtnSaveOKClick();

    // The fields the main window fills.
    QLineEdit& Edt_Dossier() const;
    QLineEdit& eNomAlbum() const;
    QLineEdit& eCompteurImages() const;

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

    void closeDialog();
    std::int32_t selectedPosition() const;
    SettingsValues fieldValues() const;
    QString settingsPath() const;

    std::unique_ptr<Ui::TFormOptions> ui;
    OptionsDialogServices services;
};

} // namespace orvandel
