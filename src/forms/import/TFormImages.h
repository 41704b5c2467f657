#pragma once

#include "desktop/Dialogs.h"
#include "desktop/PictureOpenDialog.h"
#include "logic/ErrorReport.h"
#include "logic/settings/ProgramState.h"

#include <QDialog>
#include <QImage>

#include <memory>

namespace Ui {
class TFormImages;
}

namespace orvandel::inline forms {

// The import dialog: a picture from anywhere, re-encoded as JPEG into an album and named by the
// album counter. Created once at start and shown modally again and again, so everything it shows
// stays as the user left it.
class TFormImages : public QDialog {
public:
    // The state's counter `eCptImagesAlbum` names each picture and is increased after each add.
    TFormImages(const QString& executableFolder, ProgramState& state,
                desktop::PictureOpenDialog& pictureOpenDialog, desktop::Dialogs& messageBoxes,
                ErrorReport& errorReport, QWidget* parent = nullptr);
    ~TFormImages() override;

    void btnChoisirImageClick();
    void BtnAjoutImageClick();
    void ComboBoxAlbumChange();
    void btnClearImageClick();
    void BtnQuitterClick();
    void FormActivate();

    // What the window shows and keeps, for the tests and the main window.
    const Ui::TFormImages& controls() const { return *ui; }
    const QImage& picture() const { return Picture; }
    // 1 once the chooser has been used, 0 at creation and after a successful add.
    int pictureChosenFlag() const { return PictureChosen; }
    const QString& targetFolder() const { return DossierImages; }
    const QString& lastTarget() const { return mFileName; }

protected:
    bool event(QEvent* event) override;

private:
    void showPicture();
    void setFonts();
    void connectHandlers();

    std::unique_ptr<Ui::TFormImages> ui;
    // The target path always starts at the program's folder, also before any file was chosen.
    const QString Path;
    QString DossierImages;
    QString mFileName;
    ProgramState& state;
    QImage Picture;
    int PictureChosen = 0;
    desktop::PictureOpenDialog& OpenPicture;
    desktop::Dialogs& dialogs;
    ErrorReport& report;
};

} // namespace orvandel::inline forms
