#include "CodecFixtures.h"
#include "PictureFixtures.h"
#include "RecordingDialogs.h"
#include "ScriptedPictureOpenDialog.h"
#include "TestFolder.h"
#include "forms/import/TFormImages.h"
#include "imaging/PictureLoader.h"
#include "ui_TFormImages.h"

#include <QDir>

#include <gtest/gtest.h>

using orvandel::TFormImages;

namespace {

const QString NoPictureChosen = QStringLiteral("Aucune image choisie ...!");
const QString AddSucceeded = QStringLiteral("L'opération d'ajout est réussie...");
const QString AddFailed = QStringLiteral("Echec de l'opération d'ajout...");

// The dialog in a portable folder of its own, with the albums Nature and Espace.
struct ImportDialog {
    ImportDialog() {
        folder.makeFolder(QStringLiteral("Images/Nature"));
        folder.makeFolder(QStringLiteral("Images/Espace"));
        state.setECptImagesAlbum(QStringLiteral("57"));
    }
    QString source(const QString& name, const QByteArray& bytes) {
        return folder.write(QStringLiteral("Sources/") + name, bytes);
    }
    void choose(const std::optional<QString>& answer) {
        chooser.answers.push_back(answer);
        dialog.btnChoisirImageClick();
    }
    void selectAlbum(const QString& text) { dialog.controls().ComboBoxAlbum->setCurrentText(text); }
    QStringList albumFiles(const QString& album) const {
        return QDir(folder.filePath(QStringLiteral("Images/") + album)).entryList(QDir::Files);
    }

    TestFolder folder;
    orvandel::ProgramState state;
    ScriptedPictureOpenDialog chooser;
    RecordingDialogs dialogs;
    orvandel::ErrorReport report{dialogs};
    TFormImages dialog{folder.path(), state, chooser, dialogs, report};
};

// A smooth picture, which a JPEG of quality 90 keeps close to the original.
QString pngBytes47x33(ImportDialog& import, const QString& name) {
    return import.source(name, fixtures::pngFile(fixtures::smoothPicture(47, 33)));
}

} // namespace

TEST(ImportDialog, StartsWithTheDocumentedTextsAndNature) {
    ImportDialog import;
    const auto& ui = import.dialog.controls();
    EXPECT_EQ(import.dialog.windowTitle(), QStringLiteral("Choisir une image") +
                                               QString(171, u' ') +
                                               QStringLiteral("Orvandel    Version 2.11"));
    EXPECT_EQ(import.dialog.size(), QSize(987, 781));
    EXPECT_EQ(ui.lblImageFileName->text(), QString(127, u'.'));
    EXPECT_EQ(ui.LabelW->text(), QStringLiteral("W"));
    EXPECT_EQ(ui.LabelH->text(), QStringLiteral("H"));
    EXPECT_EQ(ui.ComboBoxAlbum->count(), 12);
    EXPECT_EQ(ui.ComboBoxAlbum->currentText(), QStringLiteral("Nature"));
    EXPECT_EQ(import.dialog.targetFolder(), QStringLiteral("Images/Nature/"));
    EXPECT_FALSE(ui.BtnRenommer->isEnabled());
    EXPECT_EQ(import.dialog.pictureChosenFlag(), 0);
}

TEST(ImportDialog, AddingAtOnceSaysNoPictureIsChosen) {
    ImportDialog import;
    import.dialog.BtnAjoutImageClick();
    EXPECT_EQ(import.dialogs.messages, QStringList{NoPictureChosen});
    EXPECT_TRUE(import.albumFiles(QStringLiteral("Nature")).isEmpty());
}

TEST(ImportDialog, ACapitalPngIsDecodedAndItsPathAndSizeShown) {
    ImportDialog import;
    const QString path = pngBytes47x33(import, QStringLiteral("Plage.PNG"));
    import.choose(path);
    const auto& ui = import.dialog.controls();
    EXPECT_EQ(ui.lblImageFileName->text(), path);
    EXPECT_EQ(ui.LabelW->text(), QStringLiteral("47"));
    EXPECT_EQ(ui.LabelH->text(), QStringLiteral("33"));
    EXPECT_EQ(import.dialog.picture().size(), QSize(47, 33));
    EXPECT_EQ(import.dialog.pictureChosenFlag(), 1);
}

TEST(ImportDialog, AnAddWritesTheJpegRaisesTheCounterAndNeedsANewChoice) {
    ImportDialog import;
    import.selectAlbum(QStringLiteral("Espace"));
    import.choose(pngBytes47x33(import, QStringLiteral("Plage.PNG")));
    import.dialog.BtnAjoutImageClick();
    const QString written = import.folder.filePath(QStringLiteral("Images/Espace/57.jpg"));
    EXPECT_EQ(import.dialog.lastTarget(), written);
    EXPECT_EQ(import.dialogs.messages, QStringList{AddSucceeded});
    EXPECT_EQ(import.state.eCptImagesAlbum(), QStringLiteral("58"));
    EXPECT_EQ(import.dialog.pictureChosenFlag(), 0);
    const QImage stored = orvandel::imaging::loadPicture(written);
    EXPECT_EQ(stored.size(), QSize(47, 33));
    EXPECT_LT(fixtures::meanChannelDifference(
                  stored.convertToFormat(QImage::Format_RGB32),
                  import.dialog.picture().convertToFormat(QImage::Format_RGB32)),
              3.0);

    import.dialog.BtnAjoutImageClick();
    EXPECT_EQ(import.dialogs.messages.last(), NoPictureChosen);
    EXPECT_EQ(import.albumFiles(QStringLiteral("Espace")), QStringList{QStringLiteral("57.jpg")});
}

TEST(ImportDialog, ATakenNameMovesTheNewPictureToTheNextFreeNumber) {
    ImportDialog import;
    const QString old = import.folder.write(QStringLiteral("Images/Nature/57.jpg"), "old");
    import.choose(pngBytes47x33(import, QStringLiteral("a.png")));
    import.dialog.BtnAjoutImageClick();
    EXPECT_EQ(import.folder.read(QStringLiteral("Images/Nature/57.jpg")), QByteArray("old"));
    EXPECT_TRUE(QFile::exists(import.folder.filePath(QStringLiteral("Images/Nature/58.jpg"))));
    EXPECT_EQ(import.state.eCptImagesAlbum(), QStringLiteral("59"));
}

TEST(ImportDialog, AMissingAlbumFolderFailsAndKeepsCounterAndFlag) {
    ImportDialog import;
    import.selectAlbum(QStringLiteral("Sports"));
    import.choose(pngBytes47x33(import, QStringLiteral("a.png")));
    import.dialog.BtnAjoutImageClick();
    EXPECT_EQ(import.dialogs.errorDialogs, QStringList{AddFailed});
    EXPECT_TRUE(import.dialogs.messages.isEmpty());
    EXPECT_EQ(import.state.eCptImagesAlbum(), QStringLiteral("57"));
    EXPECT_EQ(import.dialog.pictureChosenFlag(), 1);
    EXPECT_FALSE(QDir(import.folder.filePath(QStringLiteral("Images/Sports"))).exists());
}

TEST(ImportDialog, AClearedPictureIsNeverAddedAsASuccess) {
    ImportDialog import;
    import.choose(pngBytes47x33(import, QStringLiteral("a.png")));
    import.dialog.btnClearImageClick();
    EXPECT_EQ(import.dialog.controls().LabelW->text(), QStringLiteral("47"));
    import.dialog.BtnAjoutImageClick();
    EXPECT_EQ(import.dialogs.messages, QStringList{NoPictureChosen});
    EXPECT_TRUE(import.albumFiles(QStringLiteral("Nature")).isEmpty());
    EXPECT_EQ(import.state.eCptImagesAlbum(), QStringLiteral("57"));
}

TEST(ImportDialog, ACancelRefreshesTheSizeAndSetsTheFlagWithoutAPicture) {
    ImportDialog import;
    import.choose(std::nullopt);
    EXPECT_EQ(import.dialog.controls().LabelW->text(), QStringLiteral("0"));
    EXPECT_EQ(import.dialog.controls().LabelH->text(), QStringLiteral("0"));
    EXPECT_EQ(import.dialog.pictureChosenFlag(), 1);
    import.dialog.BtnAjoutImageClick();
    EXPECT_EQ(import.dialogs.messages, QStringList{NoPictureChosen});
}

TEST(ImportDialog, ATiffIsLoadedAndOtherFilesAreRefusedWithLabelsKept) {
    ImportDialog import;
    const QString tiff = import.source(QStringLiteral("scan.tif"),
                                       fixtures::encodeTiff(fixtures::patternPicture(20, 10)));
    import.choose(tiff);
    EXPECT_EQ(import.dialog.picture().size(), QSize(20, 10));
    EXPECT_EQ(import.dialog.controls().lblImageFileName->text(), tiff);

    const QString gif = import.source(QStringLiteral("anim.gif"), "GIF89a");
    const QString damaged =
        import.source(QStringLiteral("bad.jpg"),
                      fixtures::truncated(fixtures::encodeJpegAs(fixtures::smoothPicture(),
                                                                 fixtures::JpegColourModel::Colour),
                                          40));
    for (const QString& refused : {gif, damaged}) {
        import.chooser.answers.push_back(refused);
        import.report.run([&] { import.dialog.btnChoisirImageClick();
    });
    EXPECT_EQ(import.dialog.controls().lblImageFileName->text(), tiff);
    EXPECT_EQ(import.dialog.controls().LabelW->text(), QStringLiteral("20"));
}
ASSERT_EQ(import.dialogs.errors.size(), 2);
EXPECT_TRUE(import.dialogs.errors[0].startsWith(QStringLiteral("Extension de fichier image")));
EXPECT_EQ(import.dialog.picture().size(), QSize(20, 10));
}

TEST(ImportDialog, TypedTextThatNamesNoAlbumWritesIntoTheAlbumRoot) {
    ImportDialog import;
    import.selectAlbum(QStringLiteral("Vacances"));
    EXPECT_EQ(import.dialog.targetFolder(), QStringLiteral("Images//"));
    import.choose(pngBytes47x33(import, QStringLiteral("a.png")));
    import.dialog.BtnAjoutImageClick();
    EXPECT_TRUE(QFile::exists(import.folder.filePath(QStringLiteral("Images/57.jpg"))));
}

TEST(ImportDialog, ACounterThatIsNoNumberStillWritesThenReportsTheCounter) {
    ImportDialog import;
    import.state.setECptImagesAlbum(QStringLiteral("abc"));
    import.choose(pngBytes47x33(import, QStringLiteral("a.png")));
    import.report.run([&] { import.dialog.BtnAjoutImageClick();
});
EXPECT_TRUE(QFile::exists(import.folder.filePath(QStringLiteral("Images/Nature/abc.jpg"))));
EXPECT_EQ(import.dialogs.messages, QStringList{AddSucceeded});
EXPECT_EQ(import.dialogs.errors,
          QStringList{QStringLiteral("'abc' n'est pas une valeur entière correcte")});
EXPECT_EQ(import.dialog.pictureChosenFlag(), 1);
}

TEST(ImportDialog, FermerEmptiesThePictureAndKeepsTheLabels) {
    ImportDialog import;
    import.choose(pngBytes47x33(import, QStringLiteral("a.png")));
    import.dialog.BtnQuitterClick();
    EXPECT_TRUE(import.dialog.picture().isNull());
    EXPECT_EQ(import.dialog.controls().LabelW->text(), QStringLiteral("47"));
    EXPECT_EQ(import.dialog.pictureChosenFlag(), 1);
}

// A picture from an old archive, named in Windows-1252, imported into a portable folder whose own
// name is not UTF-8 either: the picture is read, its name shown as people read it, the JPEG
// written.
TEST(ImportDialog, NamesThatAreNotUtf8AreReadShownAndWritten) {
    TestFolder folder;
    const QString program = folder.writeNative("Orvandel\xe9/Images/Nature/.keep", {});
    const QString executableFolder = program.left(program.indexOf(QStringLiteral("Images/")));
    const QString source = folder.writeNative("Sources/caf\xe9.png",
                                              fixtures::pngFile(fixtures::smoothPicture(47, 33)));
    orvandel::ProgramState state;
    state.setECptImagesAlbum(QStringLiteral("57"));
    ScriptedPictureOpenDialog chooser;
    RecordingDialogs dialogs;
    orvandel::ErrorReport report{dialogs};
    TFormImages dialog{executableFolder, state, chooser, dialogs, report};

    chooser.answers.push_back(source);
    report.run([&] { dialog.btnChoisirImageClick(); });
    EXPECT_EQ(dialog.picture().size(), QSize(47, 33));
    EXPECT_EQ(dialog.controls().lblImageFileName->text(), folder.path() + "Sources/café.png");
    dialog.BtnAjoutImageClick();
    EXPECT_EQ(dialogs.messages, QStringList{AddSucceeded});
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(dialog.lastTarget(), executableFolder + "Images/Nature/57.jpg");
    EXPECT_EQ(orvandel::imaging::loadPicture(dialog.lastTarget()).size(), QSize(47, 33));

    // A file it cannot read is reported by its name as people read it.
    chooser.answers.push_back(folder.writeNative("Sources/ab\xeeme.gif", "GIF89a"));
    report.run([&] { dialog.btnChoisirImageClick(); });
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.first().contains(folder.path() + "Sources/abîme.gif"))
        << dialogs.errors.first().toStdString();
}
