// Loads each kind of hostile picture, and three real ones, the way the program shows them
// (bounded to a 1920 × 1080 screen), each in a child process of its own so that its peak memory is
// its own. Prints the time, the peak memory added by the load and the outcome, against the
// targets: at most 1 s, and at most 64 MB above the resulting picture's own size. The targets are
// held against the processor time the load used, which a machine busy with other work inflates
// far less than the wall-clock time printed beside it.

#include "BmpFixtures.h"
#include "HostileFixtures.h"
#include "MetafileFixtures.h"
#include "PictureFixtures.h"
#include "common/Error.h"
#include "imaging/PictureLoader.h"
#include "imaging/codecs/JpegEncoder.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

namespace hostile = fixtures::hostile;

const QSize Screen(1920, 1080);
constexpr double TimeTargetMilliseconds = 1000;
constexpr double MemoryMarginMegabytes = 64;

struct BenchCase {
    const char* name;
    const char* fileName;
    std::function<QByteArray()> make;
    bool real;
};

// What the child process reports through its pipe.
struct Outcome {
    double milliseconds;
    double processorMilliseconds;
    double peakGrowthMegabytes;
    double pictureMegabytes;
    int width;
    int height;
    char error[160];
};

double processorMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto milliseconds = [](const timeval& time) {
        return double(time.tv_sec) * 1000 + double(time.tv_usec) / 1000;
    };
    return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QImage photo(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = static_cast<int>(random.bounded(24));
            row[x] = qRgb((x / 24 + grain) & 0xFF, (y / 16 + grain) & 0xFF, ((x + y) / 40) & 0xFF);
        }
    }
    return picture;
}

QByteArray photoJpeg() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("photo.jpg"));
    orvandel::imaging::writeJpeg(photo(6000, 4000), path);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// An icon of seven sizes up to 256 pixels: 32-bit DIBs, and a PNG for the largest.
QByteArray iconOfManySizes() {
    QList<fixtures::IcoEntry> entries;
    for (const int side : {16, 24, 32, 48, 64, 128}) {
        fixtures::BmpDescription description;
        description.width = side;
        description.height = side;
        description.bitCount = 32;
        const QByteArray colours = fixtures::packedRows(
            fixtures::storedRows(side, side,
                                 [side](int x, int y) {
                                     return 0xFF000000U | std::uint32_t(x * 255 / side) << 16 |
                                            std::uint32_t(y * 255 / side) << 8;
                                 }),
            32);
        const QByteArray mask(((side + 31) / 32) * 4 * side, '\0');
        entries.append({side, side, 32, fixtures::iconDib(description, colours, mask)});
    }
    entries.append({256, 256, 32, fixtures::pngFile(fixtures::withVaryingAlpha(photo(256, 256)))});
    return fixtures::icoFile(entries);
}

// A drawing of twenty thousand records: shapes, lines, curves and text over a 1920 × 1080 frame.
QByteArray largeRealMetafile() {
    namespace emf = fixtures::emf;
    QList<QByteArray> records;
    for (int index = 0; index < 16; ++index) {
        records.append(emf::createBrush(10 + index, 0, qRgb(index * 15, 200 - index * 10, 90)));
        records.append(emf::createPen(40 + index, 0, 1 + index % 4, qRgb(20, index * 12, 60)));
    }
    records.append(emf::createFont(80, 14));
    records.append(emf::selectObject(80));
    for (int index = 0; index < 20'000; ++index) {
        const int x = (index * 97) % 1880;
        const int y = (index * 61) % 1040;
        records.append(emf::selectObject(10 + index % 16));
        records.append(emf::selectObject(40 + (index / 3) % 16));
        switch (index % 5) {
        case 0:
            records.append(emf::rectangle(x, y, x + 60, y + 30));
            break;
        case 1:
            records.append(emf::ellipse(x, y, x + 40, y + 40));
            break;
        case 2: {
            QList<QPoint> line;
            for (int point = 0; point < 40; ++point)
                line.append(QPoint(x + point * 3, y + point / 2 + (point % 3) * 2));
            records.append(emf::polyline16(line));
            break;
        }
        case 3:
            records.append(
                emf::polyBezier16({{x, y}, {x + 30, y - 40}, {x + 60, y + 40}, {x + 90, y}}));
            break;
        default:
            records.append(emf::extTextOut(x, y, QStringLiteral("Orvandel %1").arg(index)));
            break;
        }
    }
    return emf::file(emf::headerForPixels(QSize(1920, 1080)), records);
}

const QList<BenchCase>& cases() {
    static const QList<BenchCase> all{
        {"WMF wide-pen zigzag, 2.4 KB", "zigzag.wmf",
         [] { return hostile::wideZigzagWmf(16000, 580, 30000); }, false},
        {"WMF wide-pen zigzag on 1000x1000", "zigzag1000.wmf",
         [] { return hostile::wideZigzagWmf(1000, 32000, 2000); }, false},
        {"EMF PolyPolygon16, 65,536 full figures", "figures.emf",
         [] { return hostile::manyFiguresEmf(4096, 65536); }, false},
        {"EMF PolyPolygon16, 16 M empty figures", "empty.emf",
         [] { return hostile::emptyFiguresEmf(4096, 16'000'000); }, false},
        {"EMF ExtTextOutW of 8 M characters", "text.emf",
         [] { return hostile::longTextEmf(4096, 8'000'000); }, false},
        {"EMF 16384x16384 frame, 1000 fills", "frame.emf",
         [] { return hostile::largeFrameEmf(16384, 1000); }, false},
        {"EMF Polygon16 of 1 M points", "polygon.emf",
         [] { return hostile::zigzagPolygonEmf(4096, 1'000'000); }, false},
        {"EMF PolyBezier16, 333,000 curves", "curves.emf",
         [] { return hostile::manyCurvesEmf(4096, 333'000); }, false},
        {"ICO 65,535 entries on one late failure", "repeated.ico",
         [] { return hostile::repeatedEntryIco(65535); }, false},
        {"ICO 65,535 entries on a cut 16384 PNG", "truncated.ico",
         [] { return hostile::truncatedPngIco(65535, 16384); }, false},
        {"JPEG arithmetic claiming 16384x16384", "arithmetic.jpg",
         [] { return hostile::arithmeticJpegClaiming(16384); }, false},
        {"JPEG arithmetic, 1000 empty scans 8192", "scans.jpg",
         [] { return hostile::emptyScansJpeg(8192, 1000, 0, fixtures::JpegCoding::Arithmetic); },
         false},
        {"JPEG 16384, comment and 998 empty scans", "comment.jpg",
         [] { return hostile::emptyScansJpeg(16384, 998, 660'000, fixtures::JpegCoding::Huffman); },
         false},
        {"JPEG 1024 real, then 1000 empty scans", "padded.jpg",
         [] { return hostile::pictureWithEmptyScans(1024, 1000); }, false},
        {"BMP RLE8 claiming 16384x16384", "short.bmp", [] { return hostile::shortRleBmp(16384); },
         false},
        {"TIFF 1x1 in a 16384x16384 tile", "tile.tif",
         [] { return hostile::oversizedTileTiff(16384); }, false},
        {"real: 24 MP photo (JPEG)", "photo.jpg", photoJpeg, true},
        {"real: icon of 7 sizes up to 256", "icon.ico", iconOfManySizes, true},
        {"real: metafile of 20,000 records", "drawing.emf", largeRealMetafile, true},
    };
    return all;
}

Outcome loadOnce(const QString& path) {
    Outcome outcome{};
    const long before = peakKilobytes();
    const double processorStart = processorMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    try {
        const QImage picture = orvandel::imaging::loadPictureBounded(path, Screen);
        outcome.width = picture.width();
        outcome.height = picture.height();
        outcome.pictureMegabytes = double(picture.sizeInBytes()) / (1 << 20);
    } catch (const orvandel::Error& error) {
        std::snprintf(outcome.error, sizeof outcome.error, "%s", error.what());
    }
    outcome.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    outcome.processorMilliseconds = processorMilliseconds() - processorStart;
    outcome.peakGrowthMegabytes = double(peakKilobytes() - before) / 1024;
    return outcome;
}

// Forks before any thread exists; the child loads the file `runs` times and reports the median
// time and the largest peak.
bool measure(const QString& path, int runs, int argc, char** argv, Outcome& result) {
    int channel[2];
    if (pipe(channel) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        QGuiApplication application(argc, argv);
        // Fonts are loaded once for the whole program: not part of any one picture's cost.
        QFontMetrics(QFont()).horizontalAdvance(QStringLiteral("W"));
        std::vector<Outcome> outcomes;
        for (int run = 0; run < runs; ++run)
            outcomes.push_back(loadOnce(path));
        std::sort(outcomes.begin(), outcomes.end(), [](const Outcome& a, const Outcome& b) {
            return a.milliseconds < b.milliseconds;
        });
        Outcome reported = outcomes[outcomes.size() / 2];
        for (const Outcome& each : outcomes)
            reported.peakGrowthMegabytes =
                std::max(reported.peakGrowthMegabytes, each.peakGrowthMegabytes);
        const bool written = write(channel[1], &reported, sizeof reported) == sizeof reported;
        _exit(written ? 0 : 1);
    }
    close(channel[1]);
    const bool read = ::read(channel[0], &result, sizeof result) == sizeof result;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir work;
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    std::printf("Bounded to %dx%d; target: at most %.0f ms and %.0f MB above the picture.\n",
                Screen.width(), Screen.height(), TimeTargetMilliseconds, MemoryMarginMegabytes);
    std::printf("%-42s %9s %9s %9s %9s %9s  %s\n", "case", "file KB", "wall ms", "cpu ms",
                "peak MB", "cpu/tgt", "outcome");
    bool allWithinTargets = true;
    for (const BenchCase& benchCase : cases()) {
        if (!only.isEmpty() && !QString::fromUtf8(benchCase.name).contains(only))
            continue;
        const QString path = work.filePath(QString::fromUtf8(benchCase.fileName));
        qint64 fileSize = 0;
        {
            // Made in a child too, so that the parent stays small for the next fork.
            const pid_t maker = fork();
            if (maker == 0) {
                QFile file(path);
                const QByteArray bytes = benchCase.make();
                const bool written = file.open(QIODevice::WriteOnly) &&
                                     file.write(bytes) == bytes.size() && file.flush();
                _exit(written ? 0 : 1);
            }
            int status = 0;
            waitpid(maker, &status, 0);
            fileSize = QFile(path).size();
        }
        Outcome outcome{};
        if (!measure(path, benchCase.real ? 5 : 1, argc, argv, outcome)) {
            std::printf("%-42s  (the measuring process failed)\n", benchCase.name);
            allWithinTargets = false;
            continue;
        }
        const bool withinTime = outcome.processorMilliseconds <= TimeTargetMilliseconds;
        const bool withinMemory =
            outcome.peakGrowthMegabytes <= outcome.pictureMegabytes + MemoryMarginMegabytes;
        if (!benchCase.real)
            allWithinTargets = allWithinTargets && withinTime && withinMemory;
        const QString result = outcome.error[0] != '\0'
                                   ? QString::fromUtf8(outcome.error)
                                   : QStringLiteral("%1x%2 (%3 MB)")
                                         .arg(outcome.width)
                                         .arg(outcome.height)
                                         .arg(outcome.pictureMegabytes, 0, 'f', 1);
        std::printf("%-42s %9.1f %9.1f %9.1f %9.1f %9.2f  %s%s\n", benchCase.name,
                    double(fileSize) / 1024, outcome.milliseconds, outcome.processorMilliseconds,
                    outcome.peakGrowthMegabytes,
                    outcome.processorMilliseconds / TimeTargetMilliseconds, qPrintable(result),
                    withinTime && withinMemory ? "" : "  <- beyond the target");
        QFile::remove(path);
    }
    std::printf(allWithinTargets ? "Every hostile case within its targets.\n"
                                 : "Some hostile case beyond its targets.\n");
    return 0;
}
