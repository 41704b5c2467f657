#include "MainWindowFixture.h"
#include "RecordingWallpaperSetter.h"
#include "common/Error.h"
#include "common/PictureError.h"
#include "logic/wallpaper/ApplyWallPaper.h"

#include <QAction>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

using namespace orvandel;

namespace {

// A started window over the album "Nature" with `count` pictures, no change at start.
struct RotationFixture : MainWindowFixture {
    explicit RotationFixture(int count) {
        addPictures("Nature", count);
        start();
    }
    // The path of entry `index` of the listing.
    QString path(int index) const { return albumFolder("Nature") + state.ListeDesImages()[index]; }
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
    EXPECT_EQ(fixture.state.IndexImage(), 2);
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
    const int gif = static_cast<int>(fixture.state.ListeDesImages().indexOf("anim.gif"));
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

namespace {

// How the wallpaper hand-over fails, and what the user reads after the menu's change.
struct ApplyFailure {
    const char* name;
    Utils::WallpaperSetterMaker setter;
    QStringList messages;
    QStringList errors;
};

QStringList setterCalls;

template <typename Failure> Utils::WallpaperSetterMaker setterFailingWith(const Failure& failure) {
    return [failure] {
        return std::make_unique<RecordingWallpaperSetter>(setterCalls,
                                                          std::make_exception_ptr(failure));
    };
}

class TimerTimerFailure : public ::testing::TestWithParam<ApplyFailure> {};

// Only a picture that cannot be read is reported as an invalid format; any other failure keeps
// its own cause. Nothing that failed updates the tool-tip.
TEST_P(TimerTimerFailure, EachFailureIsReportedWithItsOwnCause) {
    RotationFixture fixture(1);
    fixture.window.reset();
    fixture.wallpaperSetter = GetParam().setter;
    fixture.start();
    fixture.child<QAction>("ChangerFondEcran1")->trigger();
    EXPECT_EQ(fixture.dialogs.messages, GetParam().messages);
    EXPECT_EQ(fixture.dialogs.errors, GetParam().errors);
    EXPECT_EQ(fixture.hint(), "Orvandel    Version 1.75");
}

const QString RefusedByDesktop = QStringLiteral(
    "La commande « xfconf-query » a échoué : Property \"/backdrop\" does not exist on channel");
const QString UnreadablePicture = QStringLiteral("Image PNG invalide : fin de fichier inattendue");

INSTANTIATE_TEST_SUITE_P(
    Failures, TimerTimerFailure,
    ::testing::Values(
        ApplyFailure{"PictureTheBackEndCannotRead",
                     setterFailingWith(PictureError(UnreadablePicture)),
                     {QStringLiteral("Le format de l'image  p0.png  est invalide...")},
                     {}},
        ApplyFailure{"DesktopRefusesTheChange",
                     setterFailingWith(Error(RefusedByDesktop)),
                     {},
                     {RefusedByDesktop}},
        ApplyFailure{"NoBackEndFitsTheSession",
                     [] { return std::unique_ptr<desktop::WallpaperSetter>(); },
                     {},
                     {QStringLiteral("Impossible de changer le fond d'écran : aucun bureau pris "
                                     "en charge n'a été trouvé (GNOME, KDE Plasma, XFCE, MATE, "
                                     "Cinnamon, LXDE, LXQt, sway ou X11).")}}),
    [](const auto& failure) { return std::string(failure.param.name); });

} // namespace

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
