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
    EXPECT_EQ(main.NomAlbum, "");
    EXPECT_EQ(main.eCptImagesAlbum, "");
    EXPECT_EQ(main.PositionImage, 0);
    EXPECT_EQ(main.Tempo, 60);
    EXPECT_FALSE(main.DemarrageAvecWindows || main.DemarrageReduit || main.ChangerAuDemarrage);
    const SettingsValues dialog = readFrom(folder, SettingsReader::OptionsDialog);
    EXPECT_EQ(dialog.PositionImage, 0);
    EXPECT_EQ(dialog.Tempo, 60);
    EXPECT_TRUE(dialog.DemarrageAvecWindows && dialog.DemarrageReduit && dialog.ChangerAuDemarrage);
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
        EXPECT_EQ(stored.Tempo, 30);
        EXPECT_EQ(stored.PositionImage, 0);
        EXPECT_TRUE(stored.DemarrageAvecWindows);
        EXPECT_EQ(stored.DemarrageReduit, reader == SettingsReader::OptionsDialog)
            << "a word reads as the reader's default";
        EXPECT_FALSE(stored.ChangerAuDemarrage);
        EXPECT_EQ(stored.eCptImagesAlbum, " 12 ") << "the counter is kept as text";
    }
    folder.write("Options.ini", "[Options]\nTimer=abc\n");
    EXPECT_EQ(readFrom(folder, SettingsReader::MainWindow).Tempo, 60);
    folder.write("Options.ini", "[Options]\nImages=/elsewhere/\n");
    EXPECT_EQ(readFrom(folder, SettingsReader::MainWindow).DossierImages, "")
        << "the folder is never read back";
}

TEST(ProgramState, AnEmptyAlbumNameMeansNatureAndTheFolderIsDerived) {
    ProgramState state;
    SettingsValues stored;
    stored.eCptImagesAlbum = "4";
    stored.Tempo = 15;
    state.takeStoredSettings(stored, "/opt/orvandel/");
    EXPECT_EQ(state.NomAlbum(), "Nature");
    EXPECT_EQ(state.DossierImages(), "/opt/orvandel/Images/Nature/");
    EXPECT_EQ(state.eCptImagesAlbum(), "4");
    EXPECT_EQ(state.Tempo(), 15);
    stored.NomAlbum = QStringLiteral("Santé");
    state.takeStoredSettings(stored, "/opt/orvandel/");
    EXPECT_EQ(state.DossierImages(), QStringLiteral("/opt/orvandel/Images/Santé/"));
    EXPECT_EQ(settingsFilePath("/opt/orvandel/"), "/opt/orvandel/Options.ini");
}

TEST(ProgramState, AnAlbumChangeWritesItsThreeKeysOnly) {
    TestFolder folder;
    folder.write("Options.ini", userChoices);
    ProgramState state;
    state.setNomAlbum("Nature");
    state.setDossierImages("/opt/Images/Nature/");
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
    state.setNomAlbum(QStringLiteral("Santé"));
    state.setDossierImages(QStringLiteral("/opt/Images/Santé/"));
    state.setECptImagesAlbum("8");
    state.setPositionImage(1);
    state.setTempo(15);
    state.setDemarrageAvecWindows(false);
    state.setDemarrageReduit(true);
    state.setChangerAuDemarrage(false);
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
    EXPECT_EQ(back.NomAlbum, QStringLiteral("Santé"));
    EXPECT_EQ(back.PositionImage, 1);
    EXPECT_EQ(back.Tempo, 15);
    EXPECT_TRUE(back.DemarrageReduit);
}

TEST(ProgramState, ARefusedWriteStopsTheRemainingKeys) {
    TestFolder folder;
    const QString path = folder.filePath("Options.ini");
    const SettingsValues fields{.DossierImages = "/new/",
                                .NomAlbum = "Sports",
                                .eCptImagesAlbum = "3",
                                .PositionImage = 2,
                                .Tempo = 5,
                                .DemarrageAvecWindows = true,
                                .DemarrageReduit = true,
                                .ChangerAuDemarrage = true};
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

TEST(ProgramState, EveryAssignmentSignalsItsFieldAlsoWhenTheValueIsTheSame) {
    ProgramState state;
    QList<ProgramState::Field> fields;
    QObject::connect(&state, &ProgramState::changed,
                     [&](ProgramState::Field field) { fields.append(field); });
    state.setNomAlbum("Nature");
    state.setNomAlbum("Nature");
    state.setDossierImages("/opt/Images/Nature/");
    state.setListeDesImages({"a.jpg"});
    EXPECT_EQ(fields, (QList<ProgramState::Field>{ProgramState::Field::NomAlbum,
                                                  ProgramState::Field::NomAlbum,
                                                  ProgramState::Field::DossierImages,
                                                  ProgramState::Field::ListeDesImages}));
    EXPECT_EQ(state.ListeDesImages(), QStringList{"a.jpg"});
}
