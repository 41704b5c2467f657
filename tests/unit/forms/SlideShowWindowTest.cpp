#include "PictureFixtures.h"
#include "RecordingDialogs.h"
#include "ScriptedFolderDialog.h"
#include "TestFolder.h"
#include "forms/slideshow/TFormSlideShow.h"
#include "ui_TFormSlideShow.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace orvandel;

namespace {

const QString Selected = QStringLiteral("Sélection des images terminée ...");

class SlideShowWindowTest : public ::testing::Test {
protected:
    SlideShowWindowTest() {
        state.setDossierImages(folder.makeFolder(QStringLiteral("Nature")) + u'/');
        const QStringList names{"p0.png", "p1.png", "p2.png"};
        for (const QString& name : names)
            folder.write(QStringLiteral("Nature/") + name,
                         fixtures::pngFile(fixtures::patternPicture(40, 30)));
        state.setListeDesImages(names);
        window.FormCreate();
    }

    const Ui::TFormSlideShow& ui() const { return window.controls(); }
    TkvSlideShow& engine() { return window.engine(); }

    TestFolder folder;
    ProgramState state;
    RecordingDialogs dialogs;
    ErrorReport report{dialogs};
    ScriptedFolderDialog folderDialog;
    TFormSlideShow window{SlideShowServices{report, dialogs, state, folderDialog}};
};

TEST_F(SlideShowWindowTest, OpensWithItsEngineDefaultsRandomAndProportional) {
    EXPECT_EQ(window.size(), QSize(866, 780));
    EXPECT_EQ(ui().lb_AnimType->count(), 19);
    EXPECT_EQ(ui().lb_AnimType->currentItem()->text(), QStringLiteral("Random"));
    EXPECT_TRUE(ui().rb_Proportional->isChecked());
    EXPECT_TRUE(engine().RandomAnimate());
    EXPECT_EQ(engine().PaintStyle(), psProportional);
    // The field shows 1500 and the bar 800, but the engine keeps its own delay until changed.
    EXPECT_EQ(ui().sped_Delay->value(), 1500);
    EXPECT_EQ(engine().Interval(), 5000);
    EXPECT_EQ(engine().Speed(), 800);
}

TEST_F(SlideShowWindowTest, TheDelayFieldPassesEachTypedValueAndAMinimumForNoNumber) {
    window.show();
    ui().sped_Delay->setFocus();
    ui().sped_Delay->selectAll();
    std::vector<int> passed;
    for (const char digit : {'3', '0', '0', '0'}) {
        QTest::keyClick(ui().sped_Delay, digit);
        passed.push_back(engine().Interval());
    }
    EXPECT_EQ(passed, (std::vector<int>{3, 30, 300, 3000}));
    ui().sped_Delay->selectAll();
    QTest::keyClick(ui().sped_Delay, Qt::Key_Backspace);
    EXPECT_EQ(engine().Interval(), 1000);
    ui().sped_Delay->setValue(1500);
    ui().sped_Delay->stepUp();
    EXPECT_EQ(engine().Interval(), 2000);
}

TEST_F(SlideShowWindowTest, ATransitionChosenInTheListStaysWhenRandomIsChosenAgain) {
    ui().lb_AnimType->setCurrentRow(asSTop);
    EXPECT_FALSE(engine().RandomAnimate());
    EXPECT_EQ(engine().AnimateStyle(), asSTop);
    ui().lb_AnimType->setCurrentRow(18);
    EXPECT_TRUE(engine().RandomAnimate());
    EXPECT_EQ(engine().AnimateStyle(), asSTop);
}

TEST_F(SlideShowWindowTest, SpeedAndPaintStyleGoToTheEngine) {
    ui().tbar_Speed->setValue(1300);
    EXPECT_EQ(engine().Speed(), 1300);
    const std::vector<std::pair<QRadioButton*, TPaintStyle>> buttons{
        {ui().rb_Mosaic, psMosaic},
        {ui().rb_Center, psCenter},
        {ui().rb_Stretch, psStretch},
        {ui().rb_Proportional, psProportional}};
    for (const auto& [button, style] : buttons) {
        button->click();
        EXPECT_EQ(engine().PaintStyle(), style) << button->text().toStdString();
    }
}

TEST_F(SlideShowWindowTest, EnterFromAnyControlTakesTheAlbumsPictures) {
    window.show();
    const QStringList album{state.DossierImages() + "p0.png", state.DossierImages() + "p1.png",
                            state.DossierImages() + "p2.png"};
    int expectedMessages = 0;
    for (QWidget* control : std::vector<QWidget*>{ui().lb_AnimType, ui().tbar_Speed,
                                                  ui().sped_Delay, ui().btn_Start}) {
        engine().IMGList().Clear();
        QTest::keyClick(control, Qt::Key_Return);
        EXPECT_EQ(engine().IMGList().items(), album) << control->objectName().toStdString();
        EXPECT_EQ(dialogs.messages.size(), ++expectedMessages);
    }
    EXPECT_EQ(dialogs.messages.last(), Selected);
    // An empty album leaves an empty list, and the confirmation all the same.
    state.setListeDesImages({});
    ui().btn_SelectImages->click();
    EXPECT_EQ(engine().IMGList().Count(), 0);
    EXPECT_EQ(dialogs.messages.last(), Selected);
}

TEST_F(SlideShowWindowTest, TheStatusLineNamesTheIncomingPictureAndFermerRewindsWithoutStopping) {
    ui().btn_SelectImages->click();
    ui().tbar_Speed->setValue(200);
    ui().btn_Start->click();
    EXPECT_EQ(ui().StatusBar1->currentMessage(),
              QStringLiteral("Emplacement de l'image :") + state.DossierImages() + "p0.png");
    EXPECT_EQ(engine().ImageIndex(), 1);
    ASSERT_TRUE(engine().Running());
    window.show();
    ui().btn_Reset->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(engine().ImageIndex(), 0);
    EXPECT_TRUE(engine().Running());
    ui().btn_Stop->click();
    EXPECT_FALSE(engine().Running());
}

TEST_F(SlideShowWindowTest, F6TogglesFullScreenOnReleaseAndTwiceGivesTheWindowBack) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect before = window.geometry();
    QTest::keyPress(ui().lb_AnimType, Qt::Key_F6);
    EXPECT_FALSE(window.isFullScreenMode());
    QTest::keyRelease(ui().lb_AnimType, Qt::Key_F6);
    EXPECT_TRUE(window.isFullScreenMode());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.cursor().shape(), Qt::BlankCursor);
    EXPECT_TRUE(ui().PanelButtons->isVisible());
    EXPECT_TRUE(ui().StatusBar1->isVisible());
    QTest::keyClick(ui().sped_Delay, Qt::Key_F6);
    EXPECT_FALSE(window.isFullScreenMode());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(window.geometry(), before);
}

TEST_F(SlideShowWindowTest, EscapeHidesTheWindowOnRelease) {
    window.show();
    QTest::keyPress(ui().btn_Stop, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    QTest::keyRelease(ui().btn_Stop, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SlideShowWindowTest, AChosenFolderReplacesThePicturesAndACancelKeepsThem) {
    ui().btn_SelectImages->click();
    folderDialog.answer.reset();
    window.btn_ChangeDirClick();
    EXPECT_EQ(engine().IMGList().Count(), 3);
    folderDialog.answer = folder.makeFolder(QStringLiteral("Other"));
    folder.write(QStringLiteral("Other/x.jpg"), QByteArray("not read yet"));
    window.btn_ChangeDirClick();
    EXPECT_EQ(engine().IMGList().items(), QStringList{folder.filePath("Other/x.jpg")});
}

} // namespace
