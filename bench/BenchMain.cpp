#include "BenchPictures.h"
#include "Measure.h"
#include "imaging/PictureLoader.h"
#include "imaging/codecs/JpegDecoder.h"
#include "imaging/codecs/JpegEncoder.h"
#include "logic/albums/AlbumListing.h"
#include "logic/settings/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

constexpr int ListingEntries = 100'000;
const QSize PhotoSize(6000, 4000);
const QSize ScreenSize(1920, 1080);

void makeFolderOfEntries(const QString& folder) {
    const char* extensions[] = {".jpg", ".png", ".txt", ".JPG", ".bmp", ".gif", ".jpeg", ""};
    for (int i = 0; i < ListingEntries; ++i) {
        const QByteArray name =
            QFile::encodeName(folder) + "/photo-" + QByteArray::number(i) + extensions[i % 8];
        const int descriptor = ::open(name.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (descriptor >= 0)
            ::close(descriptor);
    }
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray portablePixmap(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes = QByteArrayLiteral("P6\n") + QByteArray::number(rgb.width()) + ' ' +
                       QByteArray::number(rgb.height()) + "\n255\n";
    for (int y = 0; y < rgb.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    return bytes;
}

void benchListing(const QTemporaryDir& work) {
    const QString folder = work.filePath(QStringLiteral("album"));
    QDir().mkpath(folder);
    makeFolderOfEntries(folder);
    qsizetype found = 0;
    const double ours = bench::medianMilliseconds(9, [&] {
        QStringList names;
        orvandel::Utils::ListerDesFichiers(folder, orvandel::FiltreImage, false, names);
        found = names.size();
    });
    const double find = bench::medianProcessMilliseconds(
        9, QStringLiteral("find"), {folder, QStringLiteral("-maxdepth"), QStringLiteral("1")});
    bench::printComparison(
        QStringLiteral("(a) list %1 entries (%2 pictures)").arg(ListingEntries).arg(found), ours,
        QStringLiteral("find DIR -maxdepth 1"), find, 1.3);
}

void benchJpeg(const QTemporaryDir& work) {
    const QImage photo = bench::makePhoto(PhotoSize);
    const QString jpegPath = work.filePath(QStringLiteral("photo.jpg"));
    const QString ppmPath = work.filePath(QStringLiteral("photo.ppm"));
    orvandel::imaging::writeJpeg(photo, jpegPath);
    writeFile(ppmPath, portablePixmap(photo));

    const int scale = orvandel::imaging::jpegScaleNumerator(PhotoSize, ScreenSize);
    QSize decodedSize;
    const double oursBounded = bench::medianMilliseconds(5, [&] {
        decodedSize = orvandel::imaging::loadPictureBounded(jpegPath, ScreenSize).size();
    });
    const double djpegBounded = bench::medianProcessMilliseconds(
        5, QStringLiteral("djpeg"),
        {QStringLiteral("-scale"), QStringLiteral("%1/8").arg(scale), jpegPath});
    bench::printComparison(QStringLiteral("(b) 24 MP JPEG bounded to 1920x1080 (%1x%2)")
                               .arg(decodedSize.width())
                               .arg(decodedSize.height()),
                           oursBounded, QStringLiteral("djpeg -scale %1/8").arg(scale),
                           djpegBounded, 1.2);

    const double oursFull = bench::medianMilliseconds(
        5, [&] { decodedSize = orvandel::imaging::loadPicture(jpegPath).size(); });
    const double djpegFull =
        bench::medianProcessMilliseconds(5, QStringLiteral("djpeg"), {jpegPath});
    bench::printComparison(QStringLiteral("(b) 24 MP JPEG at full size"), oursFull,
                           QStringLiteral("djpeg"), djpegFull, 1.2);

    const double oursEncode =
        bench::medianMilliseconds(5, [&] { orvandel::imaging::encodeJpeg(photo); });
    const double cjpeg = bench::medianProcessMilliseconds(
        5, QStringLiteral("cjpeg"), {QStringLiteral("-quality"), QStringLiteral("90"), ppmPath});
    bench::printComparison(QStringLiteral("(c) encode 24 MP at quality 90"), oursEncode,
                           QStringLiteral("cjpeg -quality 90"), cjpeg, 1.15);
}

} // namespace

int main() {
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot create a work folder\n");
        return 1;
    }
    std::printf("Median wall-clock times; ours in process, the references as whole processes.\n");
    try {
        benchListing(work);
        benchJpeg(work);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
