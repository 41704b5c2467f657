#include "components/slideshow/TransitionAnimator.h"

#include "components/slideshow/TkvImgPanel.h"
#include "components/slideshow/TkvSlideShow.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

using namespace orvandel;

namespace {

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Yellow = 0xFFFFFF00;
constexpr QRgb Cyan = 0xFF00FFFF;
constexpr QRgb Magenta = 0xFFFF00FF;

// The incoming picture has a colour per quarter, so that a slide (which moves the picture) can
// be told from a roll (which uncovers it in place).
QImage quarters(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    painter.fillRect(0, 0, w, h, QColor(Blue));
    painter.fillRect(w, 0, w, h, QColor(Yellow));
    painter.fillRect(0, h, w, h, QColor(Cyan));
    painter.fillRect(w, h, w, h, QColor(Magenta));
    return picture;
}

// An 80 × 60 host with a red panel on display and the incoming panel hidden over it.
class TransitionTest : public ::testing::Test {
protected:
    TransitionTest() {
        host.resize(80, 60);
        QImage red(80, 60, QImage::Format_RGB32);
        red.fill(QColor(Red));
        onDisplay.SetPaintStyle(psStretch);
        onDisplay.SetPicture(red);
        incoming.SetPaintStyle(psStretch);
        incoming.SetPicture(quarters(QSize(80, 60)));
        host.show();
        incoming.hide();
    }

    QWidget host;
    TkvImgPanel onDisplay{&host};
    TkvImgPanel incoming{&host};
    TransitionAnimator animator;
};

} // namespace

TEST_F(TransitionTest, HalfWayEachTransitionShowsTheDocumentedPartOfTheIncomingPicture) {
    // Samples near the four corners: top-left, top-right, bottom-left, bottom-right.
    const QPoint corners[] = {{10, 8}, {70, 8}, {10, 52}, {70, 52}};
    struct Case {
        TAnimateStyle style;
        QRgb expected[4];
    };
    const Case cases[] = {
        {asLeft, {Blue, Red, Cyan, Red}},         {asRight, {Red, Yellow, Red, Magenta}},
        {asBottom, {Red, Red, Cyan, Magenta}},    {asTop, {Blue, Yellow, Red, Red}},
        {asTopLeft, {Blue, Red, Red, Red}},       {asTopRight, {Red, Yellow, Red, Red}},
        {asBottomLeft, {Red, Red, Cyan, Red}},    {asBottomRight, {Red, Red, Red, Magenta}},
        {asSLeft, {Yellow, Red, Magenta, Red}},   {asSRight, {Red, Blue, Red, Cyan}},
        {asSBottom, {Red, Red, Blue, Yellow}},    {asSTop, {Cyan, Magenta, Red, Red}},
        {asSTopLeft, {Magenta, Red, Red, Red}},   {asSTopRight, {Red, Cyan, Red, Red}},
        {asSBottomLeft, {Red, Red, Yellow, Red}}, {asSBottomRight, {Red, Red, Red, Blue}},
        {asCenter, {Red, Red, Red, Red}},
    };
    for (const Case& test : cases) {
        const QImage frame = animator.renderFrame(incoming, Effects[test.style], 0.5);
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(frame.pixel(corners[corner]), test.expected[corner])
                << "style " << test.style << ", corner " << corner;
    }
    // Growing from the centre: the middle half of each axis is uncovered.
    const QImage centre = animator.renderFrame(incoming, Effects[asCenter], 0.5);
    EXPECT_EQ(centre.pixel(22, 17), Blue);
    EXPECT_EQ(centre.pixel(57, 43), Magenta);
    EXPECT_EQ(centre.pixel(18, 13), Red);
    EXPECT_EQ(centre.pixel(62, 47), Red);
}

TEST_F(TransitionTest, HalfWayAFadeShowsBothPictures) {
    const QImage frame = animator.renderFrame(incoming, AW_BLEND, 0.5);
    const QColor middle = frame.pixelColor(10, 8);
    EXPECT_NEAR(middle.red(), 128, 2);
    EXPECT_EQ(middle.green(), 0);
    EXPECT_NEAR(middle.blue(), 128, 2);
}

TEST_F(TransitionTest, AnAnimationLastsItsTimeAndEndsWithTheWindowShown) {
    QElapsedTimer clock;
    clock.start();
    animator.AnimateWindow(incoming, 60, AW_SLIDE | AW_HOR_POSITIVE | AW_ACTIVATE);
    EXPECT_GE(clock.elapsed(), 60);
    EXPECT_TRUE(incoming.isVisible());
    EXPECT_GE(animator.lastFrameCount(), 1);
    EXPECT_EQ(host.grab().toImage().pixel(70, 52), Magenta);

    animator.AnimateWindow(incoming, 0, AW_HIDE | AW_VER_NEGATIVE);
    EXPECT_FALSE(incoming.isVisible());
    EXPECT_EQ(host.grab().toImage().pixel(70, 52), Red);
}
