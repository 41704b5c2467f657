#include "desktop/qt/QtFolderDialog.h"

#include "ScopedEnvironmentVariable.h"
#include "TestFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct SeenDialog {
    QString title;
    QString directory;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QFileDialog::Options options;
    bool newFolderButtonShown = true;
};

// Runs `answer` on the folder dialog once it is open, after noting how it was opened.
std::optional<QString> chooseWith(const QString& startFolder,
                                  const std::function<void(QFileDialog&)>& answer,
                                  SeenDialog& seen) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        seen.title = dialog->windowTitle();
        seen.directory = dialog->directory().absolutePath();
        seen.mode = dialog->fileMode();
        seen.options = dialog->options();
        const auto* button = dialog->findChild<QToolButton*>("newFolderButton");
        seen.newFolderButtonShown = button != nullptr && button->isVisibleTo(dialog);
        answer(*dialog);
    });
    return orvandel::desktop::QtFolderDialog().chooseFolder("Choisissez", startFolder);
}

} // namespace

TEST(QtFolderDialog, OffersFoldersOnlyFromTheStartFolderAndCancelGivesNothing) {
    const TestFolder albums;
    SeenDialog seen;
    const auto chosen = chooseWith(
        albums.path(), [](QFileDialog& dialog) { dialog.reject(); }, seen);
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(seen.title, "Choisissez");
    EXPECT_EQ(seen.directory, QDir::cleanPath(albums.path()));
    EXPECT_EQ(seen.mode, QFileDialog::Directory);
    EXPECT_TRUE(seen.options.testFlag(QFileDialog::ShowDirsOnly));
    EXPECT_TRUE(seen.options.testFlag(QFileDialog::ReadOnly));
    EXPECT_FALSE(seen.newFolderButtonShown);
}

TEST(QtFolderDialog, GivesTheConfirmedFolderWithoutATrailingSeparator) {
    const TestFolder albums;
    const QString chosenFolder = albums.makeFolder("Espace");
    SeenDialog seen;
    const auto chosen = chooseWith(
        albums.path(),
        [&](QFileDialog& dialog) {
            dialog.setDirectory(chosenFolder);
            static_cast<QDialog&>(dialog).accept();
        },
        seen);
    EXPECT_EQ(chosen, albums.path() + "Espace");
}

TEST(QtFolderDialog, AMissingStartFolderOpensOnTheDesktopOrElseTheHomeFolder) {
    const TestFolder home;
    const ScopedEnvironmentVariable homeVariable("HOME", home.path());
    const ScopedEnvironmentVariable configuration("XDG_CONFIG_HOME", home.filePath(".config"));
    SeenDialog seen;
    const auto cancel = [](QFileDialog& dialog) { dialog.reject(); };
    chooseWith(home.filePath("gone/"), cancel, seen);
    EXPECT_EQ(seen.directory, QDir::cleanPath(home.path()));
    home.makeFolder("Desktop");
    chooseWith(home.filePath("gone/"), cancel, seen);
    EXPECT_EQ(seen.directory, home.filePath("Desktop"));
}
