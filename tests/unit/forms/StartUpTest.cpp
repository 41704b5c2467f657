#include "MainWindowFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>

#include <gtest/gtest.h>

TEST(FormCreate, LogsTheStartInOrderAndCountsTheAlbum) {
    MainWindowFixture fixture;
    fixture.addPictures("Espace", 5);
    fixture.writeSettings("Nom Album=Espace\nCompteur Album=7\n");
    fixture.start();
    const QString folder = fixture.albumFolder("Espace");
    EXPECT_EQ(
        fixture.logLines(),
        (QStringList{fixture.program.filePath("Options.ini"), "NomAlbum = Espace",
                     "DossierImages = " + folder, "eCptImagesAlbum = 7",
                     "------------ ChargerOptions --------------", "ListeDesImages.Count = 5"}));
    EXPECT_EQ(fixture.state.eCptImagesAlbum(), "5");
    EXPECT_EQ(fixture.child<QComboBox>("ComboBoxAlbum")->currentText(), "Espace");
    EXPECT_EQ(fixture.child<QGroupBox>("GroupBox2")->title(), " 5 images  ");
    EXPECT_EQ(fixture.child<QListWidget>("Lst_Images")->count(), 5);
    EXPECT_EQ(fixture.watched, QStringList{folder});
    EXPECT_FALSE(fixture.window->preview().picture().isNull());
    EXPECT_TRUE(fixture.dialogs.errors.isEmpty());
}

TEST(FormCreate, AFirstRunWithoutSettingsShowsNoError) {
    MainWindowFixture fixture;
    fixture.start();
    EXPECT_TRUE(fixture.dialogs.errors.isEmpty());
    EXPECT_EQ(fixture.state.NomAlbum(), "Nature");
    EXPECT_EQ(fixture.state.eCptImagesAlbum(), "1");
    EXPECT_EQ(fixture.logLines().at(1), "NomAlbum = ");
    EXPECT_EQ(fixture.window->Timer().interval(), 60u * 60000u);
    EXPECT_TRUE(fixture.window->Timer().isTicking());
    EXPECT_EQ(fixture.watched, QStringList{fixture.albumFolder("Nature")});
    EXPECT_TRUE(fixture.applied.isEmpty());
}

TEST(FormCreate, ANonNumericCounterIsReportedOnceAndTheStartGoesOn) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 2);
    fixture.writeSettings("Compteur Album=douze\nChanger au demarrage=1\n");
    fixture.start();
    EXPECT_EQ(fixture.dialogs.errors, QStringList{"'douze' n'est pas une valeur entière correcte"});
    EXPECT_EQ(fixture.state.eCptImagesAlbum(), "2");
    EXPECT_TRUE(fixture.window->Timer().isTicking());
    EXPECT_EQ(fixture.watched.size(), 1);
    EXPECT_EQ(fixture.applied.size(), 1);
}

TEST(FormCreate, AnEmptyAlbumKeepsTheIncreasedCounterAndChangesNothing) {
    MainWindowFixture fixture;
    fixture.writeSettings("Compteur Album=7\nChanger au demarrage=1\n");
    fixture.start();
    EXPECT_EQ(fixture.state.eCptImagesAlbum(), "8");
    EXPECT_TRUE(fixture.applied.isEmpty());
    EXPECT_TRUE(fixture.dialogs.messages.isEmpty());
    EXPECT_EQ(fixture.child<QGroupBox>("GroupBox2")->title(), "Choix Album");
}

TEST(FormCreate, ChangesTheWallpaperWhenAskedAndOtherwiseOnlyDrawsTheIndex) {
    for (const bool change : {true, false}) {
        MainWindowFixture fixture;
        fixture.addPictures("Nature", 3);
        fixture.writeSettings(change ? "Changer au demarrage=1\nPosition=1\n" : "Position=1\n");
        fixture.random.queue = {2};
        fixture.start();
        EXPECT_EQ(fixture.state.IndexImage(), 2);
        const QString drawn = fixture.state.ListeDesImages()[2];
        if (change) {
            ASSERT_EQ(fixture.applied.size(), 1);
            EXPECT_EQ(fixture.applied[0].first, fixture.albumFolder("Nature") + drawn);
            EXPECT_EQ(fixture.applied[0].second, 1);
            EXPECT_EQ(fixture.hint(), "Image actuelle : " + drawn);
        } else {
            EXPECT_TRUE(fixture.applied.isEmpty());
        }
    }
}

TEST(FormCreate, AnUndecodableFirstPictureIsReportedAndTheStartGoesOn) {
    MainWindowFixture fixture;
    fixture.program.write("Images/Nature/broken.png", "not a picture");
    fixture.start();
    EXPECT_EQ(fixture.dialogs.errors.size(), 1);
    EXPECT_EQ(fixture.state.ListeDesImages(), QStringList{"broken.png"});
    EXPECT_EQ(fixture.watched.size(), 1);
}
