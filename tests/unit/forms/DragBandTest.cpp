#include "forms/common/DragBand.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A borderless window with a button that reaches into the band, as the main window's pictures do.
struct BandWindow {
    BandWindow()
        : band(window, 20) {
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 300, 200);
        button.setGeometry(8, 6, 48, 48);
        closePicture.setGeometry(270, 2, 16, 16);
        band.exclude(closePicture);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    }
    QWidget window;
    QPushButton button{&window};
    QPushButton closePicture{&window};
    orvandel::DragBand band;
};

} // namespace

TEST(DragBand, TheTopTwentyRowsDragAndTheRowBelowDoesNot) {
    BandWindow bandWindow;
    EXPECT_TRUE(bandWindow.band.dragsAt(QPoint(0, 0)));
    EXPECT_TRUE(bandWindow.band.dragsAt(QPoint(299, 19)));
    EXPECT_FALSE(bandWindow.band.dragsAt(QPoint(10, 20)));
    EXPECT_FALSE(bandWindow.band.dragsAt(QPoint(300, 5)));
}

TEST(DragBand, APressOverAChildInsideTheBandDragsInsteadOfClicking) {
    BandWindow bandWindow;
    QSignalSpy clicks(&bandWindow.button, &QPushButton::clicked);
    QTest::mouseClick(&bandWindow.button, Qt::LeftButton, {}, QPoint(10, 13)); // window y = 19
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(&bandWindow.button, Qt::LeftButton, {}, QPoint(10, 14)); // window y = 20
    EXPECT_EQ(clicks.count(), 1);
}

TEST(DragBand, TheWindowFollowsThePointerWhileDragged) {
    BandWindow bandWindow;
    const QPoint start = bandWindow.window.pos();
    QTest::mousePress(&bandWindow.window, Qt::LeftButton, {}, QPoint(150, 10));
    QTest::mouseMove(&bandWindow.window, QPoint(180, 50));
    QTest::mouseRelease(&bandWindow.window, Qt::LeftButton, {}, QPoint(180, 50));
    EXPECT_EQ(bandWindow.window.pos(), start + QPoint(30, 40));
}

TEST(DragBand, AnExcludedWidgetKeepsItsClicksInsideTheBand) {
    BandWindow bandWindow;
    QSignalSpy clicks(&bandWindow.closePicture, &QPushButton::clicked);
    QTest::mouseClick(&bandWindow.closePicture, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(clicks.count(), 1);
}
