#include "PictureLoader.h"

#include "codecs/BmpDecoder.h"
#include "codecs/IcoDecoder.h"
#include "codecs/JpegDecoder.h"
#include "codecs/MetafileDecoder.h"
#include "codecs/PngDecoder.h"
#include "codecs/TiffDecoder.h"
#include "common/Error.h"

#include <QFile>

#include <array>

namespace orvandel::imaging {

namespace {

// Larger files are no pictures we could show; refusing them keeps a stray file from filling memory.
constexpr qint64 MaxPictureFileSize = qint64{1} << 30;

enum class PictureFormat { Bmp, Ico, Emf, Wmf, Tiff, Jpeg, Png };

struct ExtensionFormat {
    QStringView extension;
    PictureFormat format;
};

constexpr std::array<ExtensionFormat, 9> formats = {{
    {u"bmp", PictureFormat::Bmp},
    {u"ico", PictureFormat::Ico},
    {u"emf", PictureFormat::Emf},
    {u"wmf", PictureFormat::Wmf},
    {u"tif", PictureFormat::Tiff},
    {u"tiff", PictureFormat::Tiff},
    {u"jpg", PictureFormat::Jpeg},
    {u"jpeg", PictureFormat::Jpeg},
    {u"png", PictureFormat::Png},
}};

PictureFormat formatOf(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'/');
    const QStringView extension = dot > slash ? QStringView(path).sliced(dot + 1) : QStringView();
    for (const ExtensionFormat& known : formats) {
        if (extension.compare(known.extension, Qt::CaseInsensitive) == 0)
            return known.format;
    }
    throw Error(QStringLiteral("Extension de fichier image inconnue (.%1) : %2")
                    .arg(extension.toString(), path));
}

QByteArray readPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Impossible d'ouvrir le fichier \"%1\".").arg(path));
    if (file.size() > MaxPictureFileSize)
        throw Error(
            QStringLiteral("Le fichier \"%1\" est trop volumineux pour une image.").arg(path));
    QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        throw Error(QStringLiteral("Impossible de lire le fichier \"%1\".").arg(path));
    return bytes;
}

QImage decode(PictureFormat format, ByteView bytes, QSize bound) {
    switch (format) {
    case PictureFormat::Bmp:
        return decodeBmp(bytes, bound);
    case PictureFormat::Ico:
        return decodeIco(bytes);
    case PictureFormat::Emf:
        return decodeEmf(bytes, bound);
    case PictureFormat::Wmf:
        return decodeWmf(bytes, bound);
    case PictureFormat::Tiff:
        return decodeTiff(bytes);
    case PictureFormat::Jpeg:
        return decodeJpeg(bytes, bound);
    case PictureFormat::Png:
        return decodePng(bytes);
    }
    return {};
}

QImage load(const QString& path, QSize bound) {
    const PictureFormat format = formatOf(path);
    const QByteArray bytes = readPictureFile(path);
    return decode(format,
                  ByteView(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           static_cast<std::size_t>(bytes.size())),
                  bound);
}

} // namespace

QImage loadPicture(const QString& path) {
    return load(path, {});
}

QImage loadPictureBounded(const QString& path, QSize bound) {
    return load(path, bound);
}

} // namespace orvandel::imaging
