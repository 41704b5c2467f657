#include "components/slideshow/TkvSlideShow.h"

#include "PictureFixtures.h"
#include "RecordingDialogs.h"
#include "RecordingWindowAnimator.h"
#include "ScopedEnvironmentVariable.h"
#include "TestFolder.h"
#include "components/slideshow/Fade.h"
#include "components/slideshow/TransitionAnimator.h"
#include "logic/ErrorReport.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace orvandel;

namespace {

const QColor PictureColours[] = {Qt::red, Qt::green, Qt::blue};

// A show in a visible host, its pictures folder an empty temporary home, with three small
// pictures of distinct colours at hand.
template <typename Animator> class SlideShowWith : public ::testing::Test {
protected:
    SlideShowWith() {
        host.resize(64, 48);
        host.show();
        for (int index = 0; index < 3; ++index) {
            QImage picture(32, 24, QImage::Format_RGB32);
            picture.fill(PictureColours[index]);
            const QString path = folder.filePath(QStringLiteral("p%1.png").arg(index));
            picture.save(path);
            pictures.append(path);
        }
        show.SetRandomAnimate(false);
        show.SetAnimateStyle(asLeft);
    }

    void play(const QStringList& paths) {
        for (const QString& path : paths)
            show.IMGList().Add(path);
    }

    // The colour of the picture each showing brought in.
    std::vector<QColor> shownColours() const {
        std::vector<QColor> colours;
        for (const auto& call : animator.shown())
            colours.push_back(call.picture.pixelColor(0, 0));
        return colours;
    }

    TestFolder folder;
    ScopedEnvironmentVariable home{"HOME", folder.filePath(QStringLiteral("home"))};
    ScopedEnvironmentVariable config{"XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config"))};
    QStringList pictures;
    QWidget host;
    RecordingDialogs dialogs;
    ErrorReport report{dialogs};
    Animator animator;
    TkvSlideShow show{host, report, animator};
};

// Hidden and shown at once, each call recorded.
using SlideShowTest = SlideShowWith<RecordingWindowAnimator>;
// Animated on the host as the program does.
using SlideShowAnimated = SlideShowWith<TransitionAnimator>;

} // namespace

TEST_F(SlideShowTest, StartsStoppedOnTheUsersPicturesWithTheDocumentedSettings) {
    EXPECT_EQ(show.Directory(), folder.filePath(QStringLiteral("home/Pictures/")));
    EXPECT_EQ(show.IMGList().Count(), 0);
    EXPECT_FALSE(show.Running());
    EXPECT_EQ(show.Speed(), 800);
    EXPECT_EQ(show.Interval(), 5000);
    EXPECT_EQ(show.PaintStyle(), psProportional);
    EXPECT_EQ(show.Color(), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(show.ImageName(), QString());
    // The fade divides by the speed.
    show.SetSpeed(0);
    EXPECT_EQ(show.Speed(), 1);
}

TEST_F(SlideShowTest, PlaysThePicturesInOrderAndWrapsToTheFirst) {
    QStringList names;
    QObject::connect(&show, &TkvSlideShow::OnImageChange,
                     [&names](TkvSlideShow& sender) { names.append(sender.ImageName()); });
    play(pictures);
    show.Start();
    EXPECT_TRUE(show.Running());
    for (int tick = 0; tick < 3; ++tick)
        show.DoAnimate();

    EXPECT_EQ(shownColours(), std::vector<QColor>({Qt::red, Qt::green, Qt::blue, Qt::red}));
    EXPECT_EQ(names, QStringList({pictures[0], pictures[1], pictures[2], pictures[0]}));
    ASSERT_EQ(animator.calls.size(), 8u);
    // Each tick hides the incoming panel at once, then brings it in; the panels alternate.
    for (size_t call = 0; call < 8; call += 2) {
        EXPECT_EQ(animator.calls[call].flags, 0x10008u);
        EXPECT_EQ(animator.calls[call].milliseconds, 0);
        EXPECT_EQ(animator.calls[call + 1].window, animator.calls[call].window);
        EXPECT_EQ(animator.calls[call + 1].flags, 0x20001u);
        EXPECT_EQ(animator.calls[call + 1].milliseconds, 800);
    }
    EXPECT_NE(animator.calls[1].window, animator.calls[3].window);
    EXPECT_EQ(animator.calls[1].window, animator.calls[5].window);
}

// Pictures from an old archive, their names and folder in Windows-1252, are found and shown.
TEST_F(SlideShowTest, PicturesWhoseNamesAreNotUtf8AreFoundAndShown) {
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage green = red;
    green.fill(Qt::green);
    const QString first = folder.writeNative("archive\xe9/caf\xe9.png", fixtures::pngFile(red));
    const QString second =
        folder.writeNative("archive\xe9/vacances\xe0/plage\xe8.png", fixtures::pngFile(green));
    QStringList names;
    QObject::connect(&show, &TkvSlideShow::OnImageChange,
                     [&names](TkvSlideShow& sender) { names.append(sender.ImageName()); });
    show.SetDirectory(folder.path() + heldName("archive\xe9/"));
    ASSERT_EQ(show.IMGList().Count(), 2);
    show.Start();
    show.DoAnimate();

    std::vector<QColor> colours = shownColours();
    std::sort(colours.begin(), colours.end(),
              [](const QColor& a, const QColor& b) { return a.rgb() < b.rgb(); });
    EXPECT_EQ(colours, std::vector<QColor>({Qt::green, Qt::red}));
    names.sort();
    EXPECT_EQ(names, QStringList({first, second}));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(SlideShowTest, StopThenStartGoesOnWithTheNextPicture) {
    play(pictures);
    show.Start();
    show.DoAnimate();
    show.Stop();
    EXPECT_FALSE(show.Running());
    show.Start();
    EXPECT_EQ(shownColours(), std::vector<QColor>({Qt::red, Qt::green, Qt::blue}));
    EXPECT_TRUE(show.Running());
}

TEST_F(SlideShowTest, AChangeOfTheListRewindsWithoutStartingOrStopping) {
    play(pictures);
    show.Start();
    show.DoAnimate();
    show.IMGList().Add(pictures[1]);
    EXPECT_TRUE(show.Running());
    EXPECT_EQ(show.ImageIndex(), 0);
    show.DoAnimate();
    EXPECT_EQ(shownColours().back(), QColor(Qt::red));

    show.Stop();
    show.IMGList().Clear();
    EXPECT_FALSE(show.Running());
    EXPECT_EQ(show.ImageIndex(), 0);
}

TEST_F(SlideShowTest, FewerThanTwoPicturesShowNothingAndStop) {
    show.Start();
    play({pictures[0]});
    show.Start();
    EXPECT_FALSE(show.Running());
    EXPECT_TRUE(animator.calls.empty());
}

TEST_F(SlideShowTest, APictureThatFailsToLoadStopsTheShowOnIt) {
    const QString missing = folder.filePath(QStringLiteral("absente.jpg"));
    play({pictures[0], missing, pictures[2]});
    QObject::connect(&show, &TkvSlideShow::OnImageChange, [](TkvSlideShow&) {});
    show.Start();
    show.DoAnimate();

    EXPECT_FALSE(show.Running());
    EXPECT_EQ(show.ImageIndex(), 1);
    EXPECT_EQ(show.ImageName(), missing);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_FALSE(dialogs.errors[0].isEmpty());
    EXPECT_FALSE(animator.calls.back().window->isVisible());

    show.Start();
    EXPECT_EQ(dialogs.errors.size(), 2);
    EXPECT_EQ(show.ImageIndex(), 1);
    EXPECT_EQ(shownColours(), std::vector<QColor>({Qt::red}));
}

TEST_F(SlideShowTest, AFixedTransitionIsUsedAtEveryTick) {
    show.SetAnimateStyle(asSTop);
    play(pictures);
    show.Start();
    for (int tick = 0; tick < 3; ++tick)
        show.DoAnimate();
    for (const auto& call : animator.shown())
        EXPECT_EQ(call.flags, 0x40004u | AW_ACTIVATE);
}

TEST_F(SlideShowTest, RandomTransitionsDrawEachOfTheEighteen) {
    show.SetRandomAnimate(true);
    show.SetSpeed(2400);
    play(pictures);
    show.Start();
    for (int tick = 0; tick < 900; ++tick)
        show.DoAnimate();
    std::map<quint32, int> drawn;
    for (const auto& call : animator.shown())
        ++drawn[call.flags & ~quint32(AW_ACTIVATE)];
    ASSERT_EQ(drawn.size(), 18u);
    // 50 expected of each; fewer than 20 would happen by chance far less than once in a million.
    for (const quint32 effect : Effects)
        EXPECT_GE(drawn[effect], 20) << std::hex << effect;
}

TEST_F(SlideShowTest, TheFadeBlendsIntoThePanelOnDisplayThenShowsTheIncomingOne) {
    show.SetAnimateStyle(asBlend);
    show.SetPaintStyle(psStretch);
    play(pictures);
    show.Start();
    show.DoAnimate();
    const auto shown = animator.shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].flags, 0xA0000u);
    EXPECT_EQ(shown[1].milliseconds, 800);
    EXPECT_EQ(shown[1].picture.pixelColor(0, 0), QColor(Qt::green));
}

// The final showing of the incoming panel renders what lies under it, the panel on display
// included, which still shows the fade's last frame.
TEST_F(SlideShowAnimated, TheFadeHandsOverToTheIncomingPanelWhileItsLastFrameIsShown) {
    show.SetAnimateStyle(asBlend);
    show.SetPaintStyle(psStretch);
    play(pictures);
    show.Start();
    show.DoAnimate();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    // The fade ended on the incoming picture, so its showing had nothing left to animate.
    EXPECT_EQ(animator.lastFrameCount(), 0);
    EXPECT_EQ(host.grab().toImage().pixelColor(32, 24), QColor(Qt::green));
}

TEST(Fade, StepsAndFramesFollowTheSpeed) {
    struct Case {
        int speed;
        int step;
        size_t frames;
    };
    for (const Case& test :
         {Case{200, 12, 22}, Case{400, 6, 43}, Case{600, 4, 64}, Case{800, 3, 85},
          Case{1200, 2, 127}, Case{1400, 1, 254}, Case{2400, 1, 254}}) {
        EXPECT_EQ(fadeStep(test.speed), test.step) << test.speed;
        EXPECT_EQ(fadeAlphas(test.speed).size(), test.frames) << test.speed;
        EXPECT_EQ(fadeAlphas(test.speed).back(), 255) << test.speed;
    }
    const std::vector<int> alphas = fadeAlphas(800);
    EXPECT_EQ(std::vector<int>(alphas.begin(), alphas.begin() + 3), std::vector<int>({4, 7, 10}));
    EXPECT_EQ(alphas[83], 253);
}

TEST(Fade, AFrameBlendsTheNewPictureOverTheOldWithConstantAlpha) {
    QImage old(47, 33, QImage::Format_RGB32);
    old.fill(QColor(200, 0, 40));
    QImage incoming(47, 33, QImage::Format_RGB32);
    incoming.fill(QColor(0, 100, 255));
    QImage frame(47, 33, QImage::Format_RGB32);

    // The middle frame of an 800 ms fade, alpha 130.
    drawFadeFrame(old, incoming, fadeAlphas(800)[42], frame);
    EXPECT_EQ(frame.pixel(46, 32), qRgb(98, 51, 150));
    drawFadeFrame(old, incoming, 255, frame);
    EXPECT_EQ(frame, incoming);
}
