#include "MainWindowFixture.h"
#include "PictureFixtures.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QByteArray userSettings = "Images=/old/\n"
                                "Nom Album=Nature\n"
                                "Compteur Album=4\n"
                                "Position=1\n"
                                "Timer=15\n"
                                "Demarrage avec windows=0\n"
                                "Demarrage reduit=1\n"
                                "Changer au demarrage=0\n";

} // namespace

TEST(ComboBoxAlbumChange, WritesExactlyTheThreeKeysAndWatchesTheNewFolder) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 1);
    fixture.addPictures("Espace", 3);
    fixture.writeSettings(userSettings);
    fixture.start();
    fixture.child<QComboBox>("ComboBoxAlbum")->setCurrentIndex(2);
    const QString folder = fixture.albumFolder("Espace");
    EXPECT_EQ(fixture.settingsText(), "[Options]\n"
                                      "Images=" +
                                          folder +
                                          "\n"
                                          "Nom Album=Espace\n"
                                          "Compteur Album=3\n"
                                          "Position=1\n"
                                          "Timer=15\n"
                                          "Demarrage avec windows=0\n"
                                          "Demarrage reduit=1\n"
                                          "Changer au demarrage=0\n");
    EXPECT_EQ(fixture.watched.last(), folder);
    EXPECT_EQ(fixture.state.NomAlbum(), "Espace");
    EXPECT_EQ(fixture.state.DossierImages(), folder);
    EXPECT_EQ(fixture.optionsCounter.last(), "3");
    EXPECT_EQ(fixture.child<QGroupBox>("GroupBox2")->title(), " 3 images  ");
    EXPECT_EQ(
        fixture.logLines().mid(fixture.logLines().size() - 2),
        (QStringList{"------------ ChargerOptions --------------", "ListeDesImages.Count = 3"}));
    EXPECT_EQ(fixture.window->Timer().interval(), 15u * 60000u);
    EXPECT_TRUE(fixture.applied.isEmpty());
}

TEST(ComboBoxAlbumChange, TypedTextThatNamesNoAlbumListsTheAlbumRoot) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 2);
    fixture.program.write("Images/MonPapierPeint.png",
                          fixture.program.read("Images/Nature/p0.png"));
    fixture.start();
    fixture.child<QComboBox>("ComboBoxAlbum")->setEditText("Nulle part");
    EXPECT_EQ(fixture.state.NomAlbum(), "");
    EXPECT_EQ(fixture.state.ListeDesImages(), QStringList{"MonPapierPeint.png"});
    EXPECT_TRUE(fixture.settingsText().contains("Nom Album=\n"));
    EXPECT_EQ(fixture.watched.last(), fixture.state.DossierImages());
    EXPECT_EQ(QDir(fixture.state.DossierImages()).canonicalPath(),
              QDir(fixture.program.filePath("Images")).canonicalPath());
}

TEST(ComboBoxAlbumChange, AnUndecodablePictureStillCompletesTheChange) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 1);
    fixture.program.write("Images/Espace/broken.jpg", "not a picture");
    fixture.start();
    fixture.child<QComboBox>("ComboBoxAlbum")->setCurrentIndex(2);
    EXPECT_EQ(fixture.dialogs.errors.size(), 1);
    EXPECT_TRUE(fixture.settingsText().contains("Nom Album=Espace\n"));
    EXPECT_EQ(fixture.watched.last(), fixture.albumFolder("Espace"));
}

TEST(ChargerOptions, AnEmptyListingKeepsWhatTheBrowserShowed) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 2);
    fixture.start();
    const QImage previewed = fixture.window->preview().picture();
    QDir(fixture.albumFolder("Nature")).removeRecursively();
    fixture.window->ChargerOptions();
    EXPECT_EQ(fixture.logLines().last(), "ListeDesImages.Count = 0");
    EXPECT_EQ(fixture.child<QListWidget>("Lst_Images")->count(), 2);
    EXPECT_EQ(fixture.child<QGroupBox>("GroupBox2")->title(), " 2 images  ");
    EXPECT_EQ(fixture.state.eCptImagesAlbum(), "2");
    EXPECT_EQ(fixture.window->preview().picture(), previewed);
}

TEST(Lst_Images, AClickPreviewsTheRowAndADoubleClickAppliesIt) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 3);
    fixture.writeSettings("Position=2\n");
    fixture.start();
    auto* list = fixture.child<QListWidget>("Lst_Images");
    list->setCurrentRow(2);
    // The picture pK.png is (20 + K) × (10 + K).
    const QString name = fixture.state.ListeDesImages()[2];
    const int k = name.mid(1, 1).toInt();
    EXPECT_EQ(fixture.window->preview().picture().size(), QSize(20 + k, 10 + k));
    EXPECT_TRUE(fixture.applied.isEmpty());
    fixture.window->Lst_ImagesDblClick();
    ASSERT_EQ(fixture.applied.size(), 1);
    EXPECT_EQ(fixture.applied[0].first, fixture.albumFolder("Nature") + name);
    EXPECT_EQ(fixture.applied[0].second, 2);
    EXPECT_EQ(fixture.hint(), "Orvandel    Version 1.75");
    EXPECT_TRUE(fixture.dialogs.errors.isEmpty());
}

TEST(Lst_Images, ARowBeyondTheListOrNoSelectionIsAnIndexError) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 2);
    fixture.start();
    auto* list = fixture.child<QListWidget>("Lst_Images");
    fixture.report.run([&] { fixture.window->Lst_ImagesDblClick(); });
    QDir(fixture.albumFolder("Nature")).removeRecursively();
    fixture.window->ChargerOptions();
    list->setCurrentRow(1);
    EXPECT_EQ(fixture.dialogs.errors,
              (QStringList{"Index de liste hors limites (-1)", "Index de liste hors limites (1)"}));
    EXPECT_TRUE(fixture.applied.isEmpty());
}

TEST(Lst_Images, AClickOnTheSelectedRowPreviewsItAgainAfterTheTimerChangedThePreview) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 3);
    fixture.start();
    fixture.window->show();
    auto* list = fixture.child<QListWidget>("Lst_Images");
    const QPoint row2 = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2);
    ASSERT_EQ(list->currentRow(), 2);
    const QImage rowPicture = fixture.window->preview().picture();
    fixture.random.queue = {0};
    fixture.window->TimerTimer();
    ASSERT_NE(fixture.window->preview().picture(), rowPicture);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2);
    EXPECT_EQ(fixture.window->preview().picture(), rowPicture);
    EXPECT_TRUE(fixture.dialogs.errors.isEmpty());
}

// A picture from an old archive, "café.png" named in Windows-1252: listed as people read it,
// previewed, applied and drawn by the rotation like any other.
TEST(Lst_Images, APictureWhoseNameIsNotUtf8IsListedPreviewedAndApplied) {
    MainWindowFixture fixture;
    const QString path = fixture.program.writeNative(
        "Images/Nature/caf\xe9.png", fixtures::pngFile(fixtures::patternPicture(31, 17)));
    fixture.start();
    EXPECT_EQ(fixture.state.ListeDesImages(), QStringList{heldName("caf\xe9.png")});
    auto* list = fixture.child<QListWidget>("Lst_Images");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("café.png"));
    EXPECT_EQ(fixture.window->preview().picture().size(), QSize(31, 17));

    list->setCurrentRow(0);
    EXPECT_EQ(fixture.window->preview().picture().size(), QSize(31, 17));
    fixture.window->Lst_ImagesDblClick();
    fixture.window->TimerTimer();
    EXPECT_EQ(fixture.applied, (QList<QPair<QString, std::int32_t>>{{path, 0}, {path, 0}}));
    EXPECT_EQ(fixture.hint(), QStringLiteral("Image actuelle : café.png"));
    EXPECT_TRUE(fixture.dialogs.errors.isEmpty());
    EXPECT_TRUE(fixture.dialogs.messages.isEmpty());
}
