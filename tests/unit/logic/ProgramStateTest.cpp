#include "logic/settings/ProgramState.h"

#include "FileSizeLimit.h"
#include "TestFolder.h"
#include "common/Error.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace orvandel;

namespace {

SettingsValues readFrom(const TestFolder& folder, SettingsReader reader) {
    return readSettings(system::ProfileFile(folder.filePath("Options.ini")), reader);
}

const QByteArray userChoices = "[Options]\n"
                               "Images=/old/\n"
                               "Nom Album=Espace\n"
                               "Compteur Album=7\n"
                               "Position=1\n"
                               "Timer=15\n"
                               "Demarrage avec windows=0\n"
                               "Demarrage reduit=1\n"
                               "Changer au demarrage=0\n";

} // namespace

TEST(Settings, EachReaderHasItsOwnDefaults) {
    TestFolder folder;
    const SettingsValues main = readFrom(folder, SettingsReader::MainWindow);
    EXPECT_EQ(main.nomAlbum, "");
    EXPECT_EQ(main.compteurAlbum, "");
    EXPECT_EQ(main.position, 0);
    EXPECT_EQ(main.timer, 60);
    EXPECT_FALSE(main.demarrageAvecWindows || main.demarrageReduit || main.changerAuDemarrage);
    const SettingsValues dialog = readFrom(folder, SettingsReader::OptionsDialog);
    EXPECT_EQ(dialog.position, 0);
    EXPECT_EQ(dialog.timer, 60);
    EXPECT_TRUE(dialog.demarrageAvecWindows && dialog.demarrageReduit && dialog.changerAuDemarrage);
}

TEST(Settings, DecodesIntegersAndBooleans) {
    TestFolder folder;
    folder.write("Options.ini", "[Options]\n"
                                "Timer=0x1E\n"
                                "Position=abc\n"
                                "Demarrage avec windows=2\n"
                                "Demarrage reduit=oui\n"
                                "Changer au demarrage=0\n"
                                "Compteur Album= 12 \n");
    for (const SettingsReader reader :
         {SettingsReader::MainWindow, SettingsReader::OptionsDialog}) {
        const SettingsValues stored = readFrom(folder, reader);
        EXPECT_EQ(stored.timer, 30);
        EXPECT_EQ(stored.position, 0);
        EXPECT_TRUE(stored.demarrageAvecWindows);
        EXPECT_EQ(stored.demarrageReduit, reader == SettingsReader::OptionsDialog)
            << "a word reads as the reader's default";
        EXPECT_FALSE(stored.changerAuDemarrage);
        EXPECT_EQ(stored.compteurAlbum, " 12 ") << "the counter is kept as text";
    }
    folder.write("Options.ini", "[Options]\nTimer=abc\n");
    EXPECT_EQ(readFrom(folder, SettingsReader::MainWindow).timer, 60);
}

TEST(ProgramState, AnEmptyAlbumNameMeansNatureAndTheFolderIsDerived) {
    ProgramState state;
    SettingsValues stored;
    stored.compteurAlbum = "4";
    stored.timer = 15;
    applyStoredSettings(state, stored, "/opt/orvandel/");
    EXPECT_EQ(state.NomAlbum, "Nature");
    EXPECT_EQ(state.DossierImages, "/opt/orvandel/Images/Nature/");
    EXPECT_EQ(state.eCptImagesAlbum, "4");
    EXPECT_EQ(state.Tempo, 15);
    stored.nomAlbum = QStringLiteral("Santé");
    applyStoredSettings(state, stored, "/opt/orvandel/");
    EXPECT_EQ(state.DossierImages, QStringLiteral("/opt/orvandel/Images/Santé/"));
    EXPECT_EQ(settingsFilePath("/opt/orvandel/"), "/opt/orvandel/Options.ini");
}

TEST(ProgramState, AnAlbumChangeWritesItsThreeKeysOnly) {
    TestFolder folder;
    folder.write("Options.ini", userChoices);
    ProgramState state;
    state.NomAlbum = "Nature";
    state.DossierImages = "/opt/Images/Nature/";
    saveAlbumChange(system::ProfileFile(folder.filePath("Options.ini")), state, "0");
    QByteArray expected = userChoices;
    expected.replace("Images=/old/", "Images=/opt/Images/Nature/")
        .replace("Nom Album=Espace", "Nom Album=Nature")
        .replace("Compteur Album=7", "Compteur Album=0");
    EXPECT_EQ(folder.read("Options.ini"), expected);
}

TEST(ProgramState, ACloseRequestSavesTheUsersOwnChoicesInOrder) {
    TestFolder folder;
    ProgramState state;
    state.NomAlbum = QStringLiteral("Santé");
    state.DossierImages = QStringLiteral("/opt/Images/Santé/");
    state.eCptImagesAlbum = "8";
    state.PositionImage = 1;
    state.Tempo = 15;
    state.DemarrageAvecWindows = false;
    state.DemarrageReduit = true;
    state.ChangerAuDemarrage = false;
    saveOnCloseRequest(system::ProfileFile(folder.filePath("Options.ini")), state);
    EXPECT_EQ(QString::fromUtf8(folder.read("Options.ini")),
              QStringLiteral("[Options]\n"
                             "Images=/opt/Images/Santé/\n"
                             "Nom Album=Santé\n"
                             "Compteur Album=8\n"
                             "Position=1\n"
                             "Timer=15\n"
                             "Demarrage avec windows=0\n"
                             "Demarrage reduit=1\n"
                             "Changer au demarrage=0\n"));
    const SettingsValues back = readFrom(folder, SettingsReader::MainWindow);
    EXPECT_EQ(back.nomAlbum, QStringLiteral("Santé"));
    EXPECT_EQ(back.position, 1);
    EXPECT_EQ(back.timer, 15);
    EXPECT_TRUE(back.demarrageReduit);
}

TEST(ProgramState, ARefusedWriteStopsTheRemainingKeys) {
    TestFolder folder;
    const QString path = folder.filePath("Options.ini");
    const SettingsValues fields{.images = "/new/",
                                .nomAlbum = "Sports",
                                .compteurAlbum = "3",
                                .position = 2,
                                .timer = 5,
                                .demarrageAvecWindows = true,
                                .demarrageReduit = true,
                                .changerAuDemarrage = true};
    // The disk fills up once the first two keys are in the file.
    const qint64 roomForTwoKeys = QByteArray("[Options]\nImages=/new/\nNom Album=Sports\n").size();
    try {
        FileSizeLimit fullDisk(static_cast<rlim_t>(roomForTwoKeys));
        saveOptionsConfirmation(system::ProfileFile(path), fields);
        FAIL() << "the third write should have been refused";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Impossible d'écrire dans %1").arg(path));
    }
    EXPECT_EQ(folder.read("Options.ini"),
              QByteArray("[Options]\nImages=/new/\nNom Album=Sports\n"));
    EXPECT_EQ(QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden).size(), 1);
}
