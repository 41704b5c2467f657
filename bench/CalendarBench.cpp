// The calendar command on a 24 MP photograph: decode bounded to the screen, stretch, draw the
// year, write the BMP; beside ImageMagick doing the same stretch, drawing and BMP write from one
// command line.
#include "BenchPictures.h"
#include "Measure.h"
#include "imaging/PictureLoader.h"
#include "imaging/codecs/JpegEncoder.h"
#include "logic/calendar/CalendarDrawing.h"
#include "logic/calendar/CalendarTables.h"
#include "logic/calendar/CalendarWallpaper.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace orvandel;

// One ImageMagick drawing primitive per frame, title line, title, header and day number.
QStringList convertArguments(const QString& photo, QSize screen, const QString& output) {
    QString draw = QStringLiteral("fill none stroke rgb(128,0,0) ");
    for (int month = 1; month <= 12; ++month) {
        const QPoint corner = PosMois(month, screen.width());
        draw += QStringLiteral("roundrectangle %1,%2 %3,%4 10,10 line %1,%5 %3,%5 ")
                    .arg(corner.x())
                    .arg(corner.y())
                    .arg(corner.x() + 179)
                    .arg(corner.y() + 164)
                    .arg(corner.y() + 20);
    }
    draw += QStringLiteral("stroke none fill white ");
    for (int month = 1; month <= 12; ++month) {
        const QPoint corner = PosMois(month, screen.width());
        draw += QStringLiteral("text %1,%2 '%3' ")
                    .arg(corner.x() + 30)
                    .arg(corner.y() + 16)
                    .arg(Mois[month - 1]);
        for (int day = 0; day < 7; ++day)
            draw += QStringLiteral("text %1,%2 '%3' ")
                        .arg(corner.x() + 5 + 25 * day)
                        .arg(corner.y() + 36)
                        .arg(Jour[day]);
        for (int day = 1; day <= 31; ++day)
            draw += QStringLiteral("text %1,%2 '%3' ")
                        .arg(corner.x() + 5 + 25 * ((day - 1) % 7))
                        .arg(corner.y() + 56 + 20 * ((day - 1) / 7))
                        .arg(day, 2, 10, QLatin1Char('0'));
    }
    return {photo,
            QStringLiteral("-resize"),
            QStringLiteral("%1x%2!").arg(screen.width()).arg(screen.height()),
            QStringLiteral("-font"),
            QStringLiteral("DejaVu-Sans"),
            QStringLiteral("-pointsize"),
            QStringLiteral("12"),
            QStringLiteral("-draw"),
            draw,
            QStringLiteral("BMP3:") + output};
}

void benchScreen(const QString& photo, const QString& folder, QSize screen) {
    const double ours = bench::medianMilliseconds(5, [&] {
        QImage picture = calendarBase(imaging::loadPictureBounded(photo, screen), screen);
        drawCalendar(picture, QDate(2026, 12, 10));
        saveCalendarWallpaper(picture, folder);
    });
    const double convert = bench::medianProcessMilliseconds(
        3, QStringLiteral("convert"),
        convertArguments(photo, screen, folder + QStringLiteral("convert.bmp")));
    const double streamingBudget = screen.width() > 1920 ? 360.0 : 150.0;
    bench::printComparison(QStringLiteral("calendar of a 24 MP JPEG at %1x%2")
                               .arg(screen.width())
                               .arg(screen.height()),
                           ours, QStringLiteral("convert (stretch, draw, BMP)"), convert, 1.0);
    std::printf("%-46s %9.1f ms   against %.0f ms of a streaming pass: ratio %5.2f (target <= "
                "1.50) %s\n",
                "", ours, streamingBudget, ours / streamingBudget,
                ours / streamingBudget <= 1.5 ? "ok" : "OVER");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    QTemporaryDir work;
    const QString folder = work.path() + QLatin1Char('/');
    QDir(folder).mkpath(QStringLiteral("Images"));
    const QString photo = folder + QStringLiteral("photo.jpg");
    imaging::writeJpeg(bench::makePhoto(QSize(6000, 4000)), photo);
    std::printf("Median wall-clock times; ours in process, ImageMagick as a whole process.\n");
    try {
        benchScreen(photo, folder, QSize(1920, 1080));
        benchScreen(photo, folder, QSize(3840, 2160));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
