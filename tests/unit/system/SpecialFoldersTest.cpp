#include "system/SpecialFolders.h"

#include "TestFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using orvandel::system::specialFolder;

namespace {

// Points the home and configuration folders at a temporary folder for one test.
class TemporaryHome {
public:
    TemporaryHome()
        : oldHome(qgetenv("HOME"))
        , oldConfig(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", QFile::encodeName(folder.filePath(QStringLiteral("home"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("config"))));
    }
    ~TemporaryHome() {
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
    QString home() const { return folder.filePath(QStringLiteral("home")); }
    void userDirs(const QByteArray& content) {
        folder.write(QStringLiteral("config/user-dirs.dirs"), content);
    }

private:
    TestFolder folder;
    QByteArray oldHome;
    QByteArray oldConfig;
};

} // namespace

TEST(SpecialFolders, ThePicturesFolderComesFromTheUserDirectories) {
    TemporaryHome home;
    home.userDirs("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                  "XDG_PICTURES_DIR=\"$HOME/Images\"\n");
    EXPECT_EQ(specialFolder(39), home.home() + QStringLiteral("/Images"));
    EXPECT_EQ(specialFolder(0), home.home() + QStringLiteral("/Bureau"));
    EXPECT_EQ(specialFolder(5), home.home() + QStringLiteral("/Documents"));
}

TEST(SpecialFolders, WithoutUserDirectoriesTheUsualNamesServe) {
    TemporaryHome home;
    EXPECT_EQ(specialFolder(39), home.home() + QStringLiteral("/Pictures"));
    EXPECT_EQ(specialFolder(40), home.home());
}

TEST(SpecialFolders, AValueWithoutAFolderGivesNothing) {
    TemporaryHome home;
    EXPECT_FALSE(specialFolder(3).has_value());
    EXPECT_FALSE(specialFolder(-1).has_value());
    home.userDirs("XDG_PICTURES_DIR=relative/path\n");
    EXPECT_EQ(specialFolder(39), home.home() + QStringLiteral("/Pictures"));
}
