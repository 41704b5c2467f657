#include "PictureFixtures.h"
#include "TestFolder.h"
#include "common/Error.h"
#include "imaging/PictureLoader.h"
#include "logic/calendar/CalendarDrawing.h"
#include "logic/calendar/CalendarTables.h"
#include "logic/calendar/CalendarWallpaper.h"
#include "logic/calendar/TextSize.h"

#include <QFile>
#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace orvandel;

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Maroon = qRgb(128, 0, 0);

QImage composed(QDate today, QSize screen = QSize(1920, 1080)) {
    QImage black(screen, QImage::Format_RGB32);
    black.fill(Black);
    QImage picture = calendarBase(black, screen);
    drawCalendar(picture, today);
    return picture;
}

// What a day number's cell holds: how many pixels of the number's colour, and of white.
struct Cell {
    int red = 0;
    int white = 0;
    int total = 0;
};

Cell cellAt(const QImage& picture, int month, int offsetX, int offsetY) {
    const QPoint corner = PosMois(month, picture.width());
    const QFontMetrics metrics(calendarFont(12));
    Cell cell;
    for (int y = 0; y < metrics.height(); ++y)
        for (int x = 0; x < metrics.horizontalAdvance(QStringLiteral("00")); ++x) {
            const QPoint point = corner + QPoint(offsetX + x, offsetY + y);
            if (!picture.rect().contains(point))
                continue;
            const QRgb pixel = picture.pixel(point) & 0xFFFFFF;
            cell.red += qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
            cell.white += (pixel & 0xFFFFFF) == (White & 0xFFFFFF);
            ++cell.total;
        }
    return cell;
}

enum class Look { WhiteNumber, RedNumber, TodaysBox, Empty };

Look lookOf(const Cell& cell) {
    if (cell.white > cell.total / 2)
        return Look::TodaysBox;
    if (cell.red > 0 && cell.white == 0)
        return Look::RedNumber;
    if (cell.white > 0 && cell.red == 0)
        return Look::WhiteNumber;
    return Look::Empty;
}

struct DayCase {
    const char* what;
    QDate today;
    int month;
    int column;
    int row;
    Look look;
};

} // namespace

TEST(Calendar, FramesStandInFourRowsOfThreeAgainstTheRightEdge) {
    EXPECT_EQ(PosMois(1, 1920), QPoint(1200, 20));
    EXPECT_EQ(PosMois(5, 1920), QPoint(1385, 190));
    EXPECT_EQ(PosMois(9, 1920), QPoint(1570, 360));
    EXPECT_EQ(PosMois(10, 700), QPoint(-20, 530));
}

TEST(Calendar, DrawsTheFrameOutlineAndTheLineUnderTheTitleInMaroon) {
    const QImage picture = composed(QDate(2026, 3, 10));
    const QPoint january = PosMois(1, 1920);
    EXPECT_EQ(picture.pixel(january + QPoint(90, 0)) & 0xFFFFFF, Maroon & 0xFFFFFF);
    EXPECT_EQ(picture.pixel(january + QPoint(90, 164)) & 0xFFFFFF, Maroon & 0xFFFFFF);
    EXPECT_EQ(picture.pixel(january + QPoint(0, 80)) & 0xFFFFFF, Maroon & 0xFFFFFF);
    EXPECT_EQ(picture.pixel(january + QPoint(179, 80)) & 0xFFFFFF, Maroon & 0xFFFFFF);
    // The line's end point and the rounded corner are left out.
    EXPECT_EQ(picture.pixel(january + QPoint(178, 20)) & 0xFFFFFF, Maroon & 0xFFFFFF);
    EXPECT_EQ(picture.pixel(january + QPoint(180, 20)) & 0xFFFFFF, Black & 0xFFFFFF);
    EXPECT_EQ(picture.pixel(january) & 0xFFFFFF, Black & 0xFFFFFF);
    // Nothing is drawn left of the first column.
    EXPECT_EQ(picture.pixel(1199, 100) & 0xFFFFFF, Black & 0xFFFFFF);
}

TEST(Calendar, PlacesAndColoursEachDayByItsWeekday) {
    const DayCase cases[] = {
        {"2023: January 1 a Sunday", QDate(2023, 6, 1), 1, 5, 40, Look::WhiteNumber},
        {"2023: January 8 a row lower", QDate(2023, 6, 1), 1, 5, 60, Look::WhiteNumber},
        {"2026: January 1 a Thursday", QDate(2026, 6, 1), 1, 105, 40, Look::WhiteNumber},
        {"2026: January 2, a Friday, red", QDate(2026, 6, 1), 1, 130, 40, Look::RedNumber},
        {"2026: January 3, a Saturday, red", QDate(2026, 6, 1), 1, 155, 40, Look::RedNumber},
        {"2026: nothing before January 1", QDate(2026, 6, 1), 1, 80, 40, Look::Empty},
        {"2026: January 4 a Sunday, white", QDate(2026, 6, 1), 1, 5, 60, Look::WhiteNumber},
        {"2026: February 1 a Sunday in row 0", QDate(2026, 6, 1), 2, 5, 40, Look::WhiteNumber},
        {"2026: October 2, a Friday, red", QDate(2026, 6, 1), 10, 130, 40, Look::RedNumber},
        {"2026: October 4, a Sunday, white", QDate(2026, 6, 1), 10, 5, 60, Look::WhiteNumber},
        {"2026: August 31 in the sixth row", QDate(2026, 6, 1), 8, 30, 140, Look::WhiteNumber},
        {"2024: February 29 drawn", QDate(2024, 6, 1), 2, 105, 120, Look::WhiteNumber},
        {"2023: no February 29", QDate(2023, 6, 1), 2, 105, 120, Look::Empty},
        {"today on a white box", QDate(2026, 3, 10), 3, 55, 60, Look::TodaysBox},
        {"the day after without a box", QDate(2026, 3, 10), 3, 80, 60, Look::WhiteNumber},
        {"a Friday after today without a box", QDate(2026, 3, 12), 3, 130, 60, Look::RedNumber},
    };
    for (const DayCase& day : cases) {
        const QImage picture = composed(day.today);
        EXPECT_EQ(lookOf(cellAt(picture, day.month, day.column, day.row)), day.look) << day.what;
    }
}

TEST(Calendar, TodaysBoxHoldsARedNumber) {
    const Cell today = cellAt(composed(QDate(2026, 3, 10)), 3, 55, 60);
    EXPECT_GT(today.red, 0);
}

TEST(Calendar, ANarrowScreenCutsTheFirstColumnWithoutFailing) {
    const QImage picture = composed(QDate(2026, 6, 1), QSize(700, 600));
    EXPECT_EQ(picture.size(), QSize(700, 600));
    EXPECT_EQ(lookOf(cellAt(picture, 2, 5, 40)), Look::WhiteNumber);
    EXPECT_EQ(picture.pixel(PosMois(2, 700) + QPoint(90, 0)) & 0xFFFFFF, Maroon & 0xFFFFFF);
}

TEST(Calendar, DrawingTwiceKeepsTheEarlierDaysBox) {
    QImage picture = composed(QDate(2026, 3, 10));
    drawCalendar(picture, QDate(2026, 3, 11));
    EXPECT_EQ(lookOf(cellAt(picture, 3, 55, 60)), Look::TodaysBox);
    EXPECT_EQ(lookOf(cellAt(picture, 3, 80, 60)), Look::TodaysBox);
}

TEST(Calendar, TheBaseIsThePreviewStretchedOrABlankOfTheScreensSize) {
    const QImage stretched = calendarBase(fixtures::patternPicture(47, 33), QSize(640, 200));
    EXPECT_EQ(stretched.size(), QSize(640, 200));
    const QImage blank = calendarBase(QImage(), QSize(640, 200));
    EXPECT_EQ(blank.size(), QSize(640, 200));
    EXPECT_EQ(blank.pixel(0, 0), blank.pixel(639, 199));
}

TEST(Calendar, TitleOffsetsFollowTheMeasuredWidth) {
    EXPECT_EQ(MargeMois(50), 35);
    EXPECT_EQ(MargeMois(25), 47);
    EXPECT_LT(MargeMois(130), 0);
}

TEST(TextSize, MeasuresEveryLineAndExpandsTabs) {
    using orvandel::MyFuncUtils::TextSize;
    const QSize one = TextSize(QStringLiteral("Septembre"));
    EXPECT_GT(one.width(), 0);
    EXPECT_EQ(TextSize(QStringLiteral("Mai\nSeptembre")), QSize(one.width(), 2 * one.height()));
    EXPECT_EQ(TextSize(QStringLiteral("Mai\r\nSeptembre")).height(), 2 * one.height());
    const QFontMetrics metrics(calendarFont(8));
    EXPECT_EQ(TextSize(QStringLiteral("a\tb")).width(),
              8 * metrics.averageCharWidth() + metrics.horizontalAdvance(QStringLiteral("b")));
    const QFont large = calendarFont(14);
    EXPECT_GT(TextSize(QStringLiteral("Septembre"), &large).width(), one.width());
}

TEST(CalendarWallpaper, SavesTheComposedPictureAsABmpInTheAlbumRoot) {
    TestFolder folder;
    folder.makeFolder(QStringLiteral("Images"));
    const QImage picture = composed(QDate(2026, 3, 10), QSize(800, 700));
    const QString path = saveCalendarWallpaper(picture, folder.path());
    EXPECT_EQ(path, folder.filePath(QStringLiteral("Images/MonPapierPeint.bmp")));
    const QImage readBack = orvandel::imaging::loadPicture(path);
    ASSERT_EQ(readBack.size(), picture.size());
    EXPECT_EQ(readBack.convertToFormat(QImage::Format_RGB32), picture);
}

TEST(CalendarWallpaper, AFailedSaveSaysWhyAndLeavesTheEarlierFileWhole) {
    TestFolder folder;
    const QImage picture = composed(QDate(2026, 3, 10), QSize(800, 700));
    try {
        saveCalendarWallpaper(picture, folder.path()); // no Images folder
        FAIL() << "saved into a missing folder";
    } catch (const orvandel::Error& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Impossible de créer le fichier \"") +
                                               folder.filePath(QStringLiteral("Images/"))))
            << error.message().toStdString();
    }
    const QString earlier = folder.write(QStringLiteral("Images/MonPapierPeint.bmp"), "earlier");
    QFile::setPermissions(earlier, QFile::ReadOwner);
    EXPECT_THROW(saveCalendarWallpaper(picture, folder.path()), orvandel::Error);
    EXPECT_EQ(folder.read(QStringLiteral("Images/MonPapierPeint.bmp")), QByteArray("earlier"));
}
