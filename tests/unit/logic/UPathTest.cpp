#include "logic/slideshow/UPath.h"

#include "ScopedEnvironmentVariable.h"
#include "ScriptedFolderDialog.h"
#include "TestFolder.h"
#include "system/ExecutableLocation.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <utility>

using namespace orvandel;

TEST(UPath, AddBackSlashAddsOneSeparatorToANonEmptyPath) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("/home/anne/Photos"), QStringLiteral("/home/anne/Photos/")},
        {QStringLiteral("/home/anne/Photos/"), QStringLiteral("/home/anne/Photos/")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QString(), QString()},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(UPath::AddBackSlash(path), expected) << path.toStdString();
}

TEST(UPath, GetPathFindsTheProgramTheCurrentFolderAndSpecialFolders) {
    TestFolder home;
    ScopedEnvironmentVariable homeVariable("HOME", home.path());
    ScopedEnvironmentVariable config("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")));
    ScriptedFolderDialog dialog;

    EXPECT_EQ(UPath::GetPath(100, dialog), system::executableFolder());
    EXPECT_TRUE(UPath::GetPath(100, dialog)->endsWith(u'/'));
    EXPECT_EQ(UPath::GetPath(101, dialog), QStringLiteral("orvandel_unit_logic"));
    EXPECT_EQ(UPath::GetPath(102, dialog), QDir::currentPath());
    EXPECT_EQ(UPath::GetPath(39, dialog), home.filePath(QStringLiteral("Pictures/")));
    EXPECT_EQ(UPath::GetPath(9999, dialog), std::nullopt);
    EXPECT_TRUE(dialog.titles.isEmpty());
}

TEST(UPath, TheBrowseDialogAddsASeparatorToFoldersOnly) {
    const QString folderPrompt =
        QStringLiteral("Veuillez sélectionner un dossier ci-dessous,\r\n"
                       "vous pouvez également en créer un nouveau.\r\n(Orvandel)");
    const QString folderOrFilePrompt =
        QStringLiteral("Veuillez sélectionner un dossier où fichier ci-dessous,\r\n"
                       "vous pouvez également créer un nouveau dossier.\r\n(Orvandel)");
    ScriptedFolderDialog dialog;

    dialog.answer = QStringLiteral("/home/anne/Photos");
    EXPECT_EQ(UPath::GetPath(103, dialog), QStringLiteral("/home/anne/Photos/"));
    dialog.answer = QStringLiteral("/home/anne/Photos/plage.jpg");
    EXPECT_EQ(UPath::GetPath(104, dialog), QStringLiteral("/home/anne/Photos/plage.jpg"));
    EXPECT_EQ(dialog.titles, QStringList({folderPrompt, folderOrFilePrompt}));

    dialog.answer = std::nullopt;
    EXPECT_EQ(UPath::BrowseDialog(dialog, 0), std::nullopt);
    EXPECT_EQ(UPath::BrowseDialog(dialog, UPath::BIF_BROWSEINCLUDEFILES), std::nullopt);
}
