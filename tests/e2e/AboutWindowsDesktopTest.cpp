#include "components/gradient/GradientFill.h"
#include "forms/about/TFormAPropos.h"
#include "forms/about/TFormAide.h"

#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace orvandel {
namespace {

QImage screenPixels() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// A real pointer on the X server, as a person's would be.
void pointer(const QStringList& arguments) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
}

QStringList at(QPoint point) {
    return {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())};
}

template <typename Window> void showAndSettle(Window& window) {
    window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::qWait(200);
}

TEST(AboutWindowsDesktop, AboutWindowOpensBesideTheCursorRoundedOverItsGradient) {
    QCursor::setPos(700, 500);
    TFormAPropos about;
    showAndSettle(about);
    const QRect frame = about.geometry();
    EXPECT_EQ(frame, QRect(451, 379, 249, 121));
    const QImage screen = screenPixels();
    const auto gradient = gradientLineColors(0xFFFFFF, 0xA4E1FF, 121);
    EXPECT_EQ(screen.pixel(frame.left() + 120, frame.top()), gradient[0]);
    EXPECT_EQ(screen.pixel(frame.left() + 120, frame.bottom()), gradient[120]);
    // The cut corners show what lies beneath, not the panel.
    EXPECT_NE(screen.pixel(frame.topLeft()), gradient[0]);
    EXPECT_NE(screen.pixel(frame.bottomRight()), gradient[120]);
}

TEST(AboutWindowsDesktop, AboutWindowIsDraggedByItsBandAndHiddenByItsClosePicture) {
    QCursor::setPos(700, 500);
    TFormAPropos about;
    showAndSettle(about);
    const QPoint start = about.pos();
    pointer(at(start + QPoint(120, 10)) << QStringLiteral("mousedown") << QStringLiteral("1"));
    pointer(at(start + QPoint(160, 40)) << QStringLiteral("mouseup") << QStringLiteral("1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return about.pos() == start + QPoint(40, 30); }, 5000))
        << about.pos().x() << "," << about.pos().y();
    pointer(at(about.pos() + QPoint(231, 17)) << QStringLiteral("click") << QStringLiteral("1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !about.isVisible(); }, 5000));
}

TEST(AboutWindowsDesktop, HelpWindowOpensCentredAndIsHiddenByItsClosePicture) {
    TFormAide help;
    showAndSettle(help);
    EXPECT_EQ(help.geometry(), QRect(803, 443, 313, 194));
    pointer(at(help.pos() + QPoint(296, 15)) << QStringLiteral("click") << QStringLiteral("1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !help.isVisible(); }, 5000));
}

} // namespace
} // namespace orvandel
