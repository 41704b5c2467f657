#include "RunningProgram.h"
#include "imaging/PictureLoader.h"
#include "logic/albums/AlbumListing.h"
#include "logic/settings/ProgramState.h"
#include "logic/slideshow/PanelRendering.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

using namespace orvandel;

const QString SlideShowTitle = QStringLiteral("^Diaporama des images sélectionnées +Orvandel");
// The band of controls under the 866 × 585 output area, as the window opens.
constexpr int OutputHeight = 585;
const QPoint SelectImages(88, OutputHeight + 33);
const QPoint Start(47, OutputHeight + 91);

struct Geometry {
    QPoint position;
    QSize size;
};

Geometry geometryOf(unsigned long window) {
    Geometry geometry;
    const QStringList lines =
        run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"),
                                        QStringLiteral("--shell"), QString::number(window)})
            .split(u'\n');
    for (const QString& line : lines) {
        const QString value = line.section(u'=', 1);
        if (line.startsWith(QStringLiteral("X=")))
            geometry.position.setX(value.toInt());
        else if (line.startsWith(QStringLiteral("Y=")))
            geometry.position.setY(value.toInt());
        else if (line.startsWith(QStringLiteral("WIDTH=")))
            geometry.size.setWidth(value.toInt());
        else if (line.startsWith(QStringLiteral("HEIGHT=")))
            geometry.size.setHeight(value.toInt());
    }
    return geometry;
}

QStringList visibleWindows(const QString& title) {
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                title})
        .split(u'\n', Qt::SkipEmptyParts);
}

unsigned long visibleWindow(const QString& title) {
    return visibleWindows(title).value(0).toULong();
}

void xdotool(const QStringList& arguments) {
    run(QStringLiteral("xdotool"), arguments);
}

void clickAt(QPoint point) {
    xdotool({QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
             QStringLiteral("click"), QStringLiteral("1")});
}

QImage screenArea(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Mean distance of the channels of two pictures of the same size, 0 to 255.
double meanDifference(const QImage& first, const QImage& second) {
    double total = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            const QRgb a = first.pixel(x, y);
            const QRgb b = second.pixel(x, y);
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b));
        }
    return total / (3.0 * first.width() * first.height());
}

TEST(SlideShowDesktop, TheMainWindowsButtonOpensItAndTheAlbumPlaysAndF6GoesFullScreen) {
    RunningProgram program;
    program.addPhotographs(QStringLiteral("Nature"), 3);
    program.writeSettings("Nom Album=Nature\nCompteur Album=4\nPosition=1\nTimer=0\n");
    program.start();
    ASSERT_TRUE(waitUntil([&] {
        try {
            program.sendWindowMessage(1025, 515);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }));
    const unsigned long mainWindow = program.waitForMainWindow();
    ASSERT_NE(mainWindow, 0u);

    // The slide-show button at the main window's top left.
    clickAt(program.windowPosition(mainWindow) + QPoint(32, 30));
    unsigned long slideShow = 0;
    ASSERT_TRUE(waitUntil([&] { return (slideShow = visibleWindow(SlideShowTitle)) != 0; }));
    const Geometry windowed = geometryOf(slideShow);
    EXPECT_EQ(windowed.size, QSize(866, 780));
    const QPoint origin = windowed.position;

    // "Selection des  Images" takes the album's pictures and says so in a box of its own.
    // The tray icon's window has the program's name too: the box is the one that comes.
    const QString BoxTitle = QStringLiteral("^Orvandel$");
    const QStringList before = visibleWindows(BoxTitle);
    clickAt(origin + SelectImages);
    QString confirmation;
    ASSERT_TRUE(waitUntil([&] {
        for (const QString& window : visibleWindows(BoxTitle))
            if (!before.contains(window))
                confirmation = window;
        return !confirmation.isEmpty();
    }));
    // Its one button, "OK", sits in its bottom right corner.
    const Geometry box = geometryOf(confirmation.toULong());
    clickAt(box.position + QPoint(box.size.width() - 40, box.size.height() - 20));
    ASSERT_TRUE(waitUntil([&] { return !visibleWindows(BoxTitle).contains(confirmation); }));

    // "Démarrer" brings the album's first picture into the output area at once.
    clickAt(origin + Start);
    QStringList album;
    Utils::ListerDesFichiers(program.albumFolder(QStringLiteral("Nature")), FiltreImage, false,
                             album);
    ASSERT_FALSE(album.isEmpty());
    const QSize output(866, OutputHeight);
    const QImage expected =
        renderBrushBitmap(imaging::loadPicture(program.albumFolder("Nature") + album.first()),
                          psProportional, output, QColor(0x80, 0x80, 0x80))
            .convertToFormat(QImage::Format_RGB32);
    double difference = 255;
    EXPECT_TRUE(waitUntil([&] {
        difference = meanDifference(screenArea(QRect(origin, output)), expected);
        return difference < 8;
    })) << "mean difference "
        << difference;

    // F6 makes the window borderless over the whole screen, the band of controls still at its
    // bottom above the status line; F6 again gives the window back.
    const QSize bandSize(866, 176);
    const int statusHeight = windowed.size.height() - OutputHeight - bandSize.height();
    const QImage band = screenArea(QRect(origin + QPoint(0, OutputHeight), bandSize));
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QPoint fullScreenBand(0, screen.height() - statusHeight - bandSize.height());
    xdotool({QStringLiteral("key"), QStringLiteral("F6")});
    EXPECT_TRUE(waitUntil([&] {
        return visibleWindow(SlideShowTitle) == slideShow && geometryOf(slideShow).size == screen &&
               meanDifference(screenArea(QRect(fullScreenBand, bandSize)), band) < 4;
    }));
    xdotool({QStringLiteral("key"), QStringLiteral("F6")});
    Geometry back;
    EXPECT_TRUE(waitUntil([&] {
        back = geometryOf(slideShow);
        return back.size == windowed.size && back.position == windowed.position;
    })) << back.position.x()
        << "," << back.position.y() << " " << back.size.width() << "x" << back.size.height();
}

} // namespace
