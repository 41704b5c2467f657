#include "PictureLoader.h"

#include "codecs/BmpDecoder.h"
#include "codecs/IcoDecoder.h"
#include "codecs/JpegDecoder.h"
#include "codecs/MetafileDecoder.h"
#include "codecs/PngDecoder.h"
#include "codecs/TiffDecoder.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "common/PictureError.h"
#include "system/RegularFile.h"

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
    throw Error(formatMessage(QStringLiteral("Extension de fichier image inconnue (.%s) : %s"),
                              {extension.toString(), path}));
}

// The file is opened by the platform layer, which alone turns the path into the system's name;
// the messages name it by the path.
void openPictureFile(QFile& file, const QString& path) {
    if (!system::openRegularFile(file, path))
        throw Error(formatMessage(ProgramMessages::CannotOpenFile, {path}));
    if (file.size() > MaxPictureFileSize)
        throw Error(formatMessage(
            QStringLiteral("Le fichier \"%s\" est trop volumineux pour une image."), {path}));
}

// The whole file. Passed straight to a decoder, the bytes live until the decoder returns.
QByteArray readWhole(QFile& file, const QString& path) {
    QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        throw Error(formatMessage(ProgramMessages::CannotReadFile, {path}));
    return bytes;
}

ByteView viewOf(const QByteArray& bytes) {
    return ByteView(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                    static_cast<std::size_t>(bytes.size()));
}

QImage decode(PictureFormat format, QFile& file, const QString& path, QSize bound) {
    switch (format) {
    case PictureFormat::Bmp:
        return decodeBmp(viewOf(readWhole(file, path)), bound);
    case PictureFormat::Ico:
        return decodeIco(viewOf(readWhole(file, path)));
    case PictureFormat::Emf: // metafiles are read as they are drawn
        return decodeEmf(file, bound);
    case PictureFormat::Wmf:
        return decodeWmf(file, bound);
    case PictureFormat::Tiff:
        return decodeTiff(viewOf(readWhole(file, path)));
    case PictureFormat::Jpeg:
        return decodeJpeg(viewOf(readWhole(file, path)), bound);
    case PictureFormat::Png:
        return decodePng(viewOf(readWhole(file, path)));
    }
    return {};
}

QImage load(const QString& path, QSize bound) {
    const PictureFormat format = formatOf(path);
    QFile file;
    openPictureFile(file, path);
    return decode(format, file, path, bound);
}

// Whatever stops the loading, from the extension to the last decoded row, is the picture's fault.
template <typename Load> QImage asPicture(Load load) {
    try {
        return load();
    } catch (const Error& error) {
        throw PictureError(error.message());
    }
}

} // namespace

QImage loadPicture(const QString& path) {
    return asPicture([&] { return load(path, {}); });
}

QImage loadPictureBounded(const QString& path, QSize bound) {
    return asPicture([&] { return load(path, bound); });
}

} // namespace orvandel::imaging
