#include "QtFolderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QToolButton>

namespace orvandel::desktop {

namespace {

// A missing start folder opens the dialog on the desktop, where the browse dialog is rooted.
QString initialFolder(const QString& startFolder) {
    if (!startFolder.isEmpty() && QFileInfo(startFolder).isDir())
        return startFolder;
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

// Quirk: the read-only option only disables Qt's new-folder button; hide it as well.
void hideNewFolderButton(QFileDialog& dialog) {
    if (auto* button = dialog.findChild<QToolButton*>(QStringLiteral("newFolderButton")))
        button->hide();
}

} // namespace

std::optional<QString> QtFolderDialog::chooseFolder(const QString& title,
                                                    const QString& startFolder) {
    // Qt's own dialog rather than the desktop's, so that the options above hold everywhere.
    QFileDialog dialog(QApplication::activeWindow(), title, initialFolder(startFolder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly |
                      QFileDialog::DontUseNativeDialog);
    hideNewFolderButton(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::cleanPath(dialog.selectedFiles().constFirst());
}

} // namespace orvandel::desktop
