// Adding a 24 MP JPEG to an album (decode, encode at quality 90, write) against djpeg piped into
// cjpeg on the same file, and the add's peak memory as a process of its own.
#include "BenchPictures.h"
#include "Measure.h"
#include "imaging/PictureLoader.h"
#include "imaging/codecs/JpegEncoder.h"
#include "logic/import/AlbumImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

using namespace orvandel;

const QSize PhotoSize(6000, 4000);

// One choice and one add, as the dialog makes them; the counter counts up past earlier runs.
void chooseAndAdd(const QString& photo, const QString& album) {
    addPictureToAlbum(imaging::loadPicture(photo), album, QStringLiteral("1"));
}

// One add in a process of its own, which reports its peak memory.
double addPeakMegabytes(const QString& photo, const QString& album) {
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--add"), photo, album});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        throw std::runtime_error("the measured add failed");
    return process.readAllStandardOutput().trimmed().toDouble();
}

void clearAlbum(const QString& album) {
    QDir folder(album);
    for (const QString& name : folder.entryList(QDir::Files))
        folder.remove(name);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--add") == 0) {
        chooseAndAdd(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        std::printf("%.1f\n", bench::ownPeakResidentMegabytes());
        return 0;
    }
    QCoreApplication application(argc, argv);
    QTemporaryDir work;
    const QString album = work.filePath(QStringLiteral("Images/Nature/"));
    QDir().mkpath(album);
    const QString photo = work.filePath(QStringLiteral("photo.jpg"));
    imaging::writeJpeg(bench::makePhoto(PhotoSize), photo);
    std::printf("Median wall-clock times; ours in process, the references as whole processes.\n");
    try {
        const double ours = bench::medianMilliseconds(5, [&] {
            clearAlbum(album);
            chooseAndAdd(photo, album);
        });
        const double pipeline = bench::medianProcessMilliseconds(
            5, QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("djpeg \"$0\" | cjpeg -quality 90 > \"$1\""),
             photo, work.filePath(QStringLiteral("reference.jpg"))});
        bench::printComparison(QStringLiteral("add a 24 MP JPEG to an album"), ours,
                               QStringLiteral("djpeg | cjpeg -quality 90"), pipeline, 1.2);

        clearAlbum(album);
        const double peak = addPeakMegabytes(photo, album);
        // The same process adding a tiny picture: what the program and its libraries take alone.
        const QString tiny = work.filePath(QStringLiteral("tiny.jpg"));
        imaging::writeJpeg(bench::makePhoto(QSize(16, 16)), tiny);
        const double alone = addPeakMegabytes(tiny, album);
        const double fullPicture = PhotoSize.width() * PhotoSize.height() * 4 / 1048576.0;
        const double add = peak - alone;
        std::printf("peak memory of one add: %.1f MB, of which the process alone %.1f MB; the add "
                    "%.1f MB, one full-size picture is %.1f MB: %+.1f MB (target <= +20) %s\n",
                    peak, alone, add, fullPicture, add - fullPicture,
                    add - fullPicture <= 20.0 ? "ok" : "OVER");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
