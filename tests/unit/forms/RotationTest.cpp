#include "MainWindowFixture.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A started window over the album "Nature" with `count` pictures, no change at start.
struct RotationFixture : MainWindowFixture {
    explicit RotationFixture(int count) {
        addPictures("Nature", count);
        start();
    }
    // The path of entry `index` of the listing.
    QString path(int index) const { return albumFolder("Nature") + state.ListeDesImages[index]; }
};

} // namespace

TEST(TimerTimer, AnAlbumOfOnePictureAppliesItEveryTime) {
    RotationFixture fixture(1);
    fixture.window->TimerTimer();
    fixture.window->ChangerFondEcran1Click();
    ASSERT_EQ(fixture.applied.size(), 2);
    EXPECT_EQ(fixture.applied[0].first, fixture.path(0));
    EXPECT_EQ(fixture.applied[1].first, fixture.path(0));
    EXPECT_EQ(fixture.hint(), "Image actuelle : p0.png");
}

TEST(TimerTimer, ADeletedPictureIsSkipped) {
    RotationFixture fixture(3);
    QFile::remove(fixture.path(1));
    fixture.random.queue = {1, 1, 2};
    fixture.window->TimerTimer();
    ASSERT_EQ(fixture.applied.size(), 1);
    EXPECT_EQ(fixture.applied[0].first, fixture.path(2));
    EXPECT_EQ(fixture.state.IndexImage, 2);
}

TEST(TimerTimer, WhenNoListedPictureExistsNothingHappens) {
    RotationFixture fixture(3);
    for (int index = 0; index < 3; ++index)
        QFile::remove(fixture.path(index));
    fixture.random.draws = 0;
    fixture.window->TimerTimer();
    EXPECT_TRUE(fixture.applied.isEmpty());
    EXPECT_TRUE(fixture.dialogs.messages.isEmpty());
    EXPECT_LE(fixture.random.draws, 3);
}

TEST(TimerTimer, AGifIsAppliedThenReportedAndThePreviewAndHintStay) {
    RotationFixture fixture(1);
    fixture.program.write("Images/Nature/anim.gif", "GIF89a");
    fixture.window->ChargerOptions();
    const int gif = static_cast<int>(fixture.state.ListeDesImages.indexOf("anim.gif"));
    fixture.random.queue = {1 - gif};
    fixture.window->TimerTimer();
    const QImage before = fixture.window->preview().picture();
    const QString hintBefore = fixture.hint();
    fixture.random.queue = {gif};
    fixture.window->TimerTimer();
    EXPECT_EQ(fixture.applied.last().first, fixture.albumFolder("Nature") + "anim.gif");
    EXPECT_EQ(fixture.dialogs.messages,
              QStringList{"Le format de l'image  anim.gif  est invalide..."});
    EXPECT_EQ(fixture.window->preview().picture(), before);
    EXPECT_EQ(fixture.hint(), hintBefore);
}

TEST(TimerTimer, AFailingApplyShowsTheSameMessage) {
    RotationFixture fixture(1);
    fixture.window.reset();
    fixture.links.ApplyWallPaper = [](const QString&, std::int32_t) {
        throw std::runtime_error("no desktop");
    };
    fixture.start();
    fixture.window->TimerTimer();
    EXPECT_EQ(fixture.dialogs.messages,
              QStringList{"Le format de l'image  p0.png  est invalide..."});
    EXPECT_EQ(fixture.hint(), "Orvandel    Version 1.75");
}

TEST(RotationTimer, ZeroNegativeAndOversizedMinutesNeverTick) {
    for (const QByteArray minutes : {"0", "-5", "71583"}) {
        MainWindowFixture fixture;
        fixture.writeSettings("Timer=" + minutes + "\n");
        fixture.start();
        EXPECT_FALSE(fixture.window->Timer().isTicking()) << minutes.constData();
        fixture.window->Timer().setEnabled(true);
        EXPECT_FALSE(fixture.window->Timer().isTicking()) << minutes.constData();
    }
}

TEST(RotationTimer, EnablingARunningTimerOrSettingTheSameMinutesKeepsItsCountdown) {
    MainWindowFixture fixture;
    fixture.writeSettings("Timer=1\n");
    fixture.start();
    orvandel::RotationTimer& timer = fixture.window->Timer();
    QTest::qWait(50);
    const int before = timer.remainingMilliseconds();
    ASSERT_GT(before, 0);
    // What closing the options dialog and choosing an album with the same minutes do.
    fixture.window->enableRotationTimer();
    timer.setMinutes(1);
    EXPECT_LE(timer.remainingMilliseconds(), before);
    // Other minutes start a new countdown of their own.
    timer.setMinutes(2);
    EXPECT_GT(timer.remainingMilliseconds(), 60000);
}
