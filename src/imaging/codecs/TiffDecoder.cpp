#include "TiffDecoder.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "imaging/PictureBuffer.h"
#include "imaging/PictureLimits.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

namespace orvandel::imaging {

namespace {

const QString FormatName = QStringLiteral("TIFF");

// Enough for one strip of the largest picture we accept at 8 bits per RGBA sample; a lying
// header cannot make libtiff reserve more in one go.
constexpr tmsize_t MaxSingleAllocation = MaxPixelCount * 4;

// The file as libtiff reads it, through the procedures below.
struct MemoryFile {
    const std::uint8_t* data;
    std::uint64_t size;
    std::uint64_t position;
};

MemoryFile& fileOf(thandle_t handle) {
    return *static_cast<MemoryFile*>(handle);
}

tmsize_t readMemory(thandle_t handle, void* buffer, tmsize_t length) {
    MemoryFile& file = fileOf(handle);
    if (length <= 0 || file.position >= file.size)
        return 0;
    const std::uint64_t count =
        std::min(static_cast<std::uint64_t>(length), file.size - file.position);
    std::memcpy(buffer, file.data + file.position, count);
    file.position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t refuseWrite(thandle_t, void*, tmsize_t) {
    return -1;
}

toff_t seekMemory(thandle_t handle, toff_t offset, int origin) {
    MemoryFile& file = fileOf(handle);
    switch (origin) {
    case SEEK_SET:
        file.position = offset;
        break;
    case SEEK_CUR:
        file.position += offset;
        break;
    case SEEK_END:
        file.position = file.size + offset;
        break;
    default:
        return static_cast<toff_t>(-1);
    }
    // Past the end is allowed: reads there return nothing.
    return file.position;
}

int closeMemory(thandle_t) {
    return 0;
}

toff_t sizeOfMemory(thandle_t handle) {
    return fileOf(handle).size;
}

// libtiff reads a mapped file in place; it does not write to it when opened for reading.
int mapMemory(thandle_t handle, void** base, toff_t* size) {
    const MemoryFile& file = fileOf(handle);
    if (file.size == 0)
        return 0;
    *base = const_cast<std::uint8_t*>(file.data);
    *size = file.size;
    return 1;
}

void unmapMemory(thandle_t, void*, toff_t) {}

// The text of the last error libtiff reported, for the exception.
struct ErrorText {
    char text[512];
};

int keepError(TIFF*, void* userData, const char*, const char* format, va_list arguments) {
    auto* error = static_cast<ErrorText*>(userData);
    std::vsnprintf(error->text, sizeof error->text, format, arguments);
    return 1; // handled: nothing reaches stderr
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

[[noreturn]] void throwTiffError(const char* text) {
    const QString reason =
        text[0] != '\0' ? QString::fromUtf8(text).trimmed() : QStringLiteral("fichier illisible");
    throw Error(formatMessage(QStringLiteral("Image TIFF invalide : %s"), {reason}));
}

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct TiffDeleter {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffPointer = std::unique_ptr<TIFF, TiffDeleter>;

TiffPointer openTiff(MemoryFile& file, ErrorText& error) {
    const std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options)
        throw Error(QStringLiteral("Mémoire insuffisante pour lire une image TIFF."));
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), MaxSingleAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), keepError, &error);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreWarning, nullptr);
    TiffPointer tiff(TIFFClientOpenExt("TIFF", "r", &file, readMemory, refuseWrite, seekMemory,
                                       closeMemory, sizeOfMemory, mapMemory, unmapMemory,
                                       options.get()));
    if (!tiff)
        throwTiffError(error.text);
    return tiff;
}

// A tile may be larger than a small picture, but one far larger only makes the reader decompress
// and hold pixels that are never shown.
constexpr std::uint64_t MinTileLimit = std::uint64_t{1} << 22;
constexpr std::uint64_t TileToPictureRatio = 4;

void checkTileSize(TIFF* tiff, std::uint32_t width, std::uint32_t height) {
    if (!TIFFIsTiled(tiff))
        return;
    std::uint32_t tileWidth = 0;
    std::uint32_t tileHeight = 0;
    TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
    TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileHeight);
    const std::uint64_t tilePixels = std::uint64_t{tileWidth} * tileHeight;
    const std::uint64_t picturePixels = std::uint64_t{width} * height;
    if (tilePixels <= std::max(MinTileLimit, TileToPictureRatio * picturePixels))
        return;
    throw Error(formatMessage(
        QStringLiteral("Image TIFF invalide : tuile de %d × %d pixels pour une image de %d × %d."),
        {tileWidth, tileHeight, width, height}));
}

class RgbaReader {
public:
    explicit RgbaReader(TIFF* tiff) {
        char message[1024] = {};
        // Stop on the first unreadable strip rather than show whatever the buffer held.
        if (!TIFFRGBAImageOK(tiff, message) || !TIFFRGBAImageBegin(&image, tiff, 1, message))
            throwTiffError(message);
        image.req_orientation = ORIENTATION_TOPLEFT;
    }
    ~RgbaReader() { TIFFRGBAImageEnd(&image); }

    RgbaReader(const RgbaReader&) = delete;
    RgbaReader& operator=(const RgbaReader&) = delete;

    bool hasAlpha() const {
        return image.alpha == EXTRASAMPLE_ASSOCALPHA || image.alpha == EXTRASAMPLE_UNASSALPHA;
    }

    // libtiff premultiplies the colours of a colour picture with straight alpha, but hands a grey
    // picture's samples back as stored.
    bool givesPremultipliedColours() const {
        const bool grey = image.photometric == PHOTOMETRIC_MINISBLACK ||
                          image.photometric == PHOTOMETRIC_MINISWHITE;
        return image.alpha == EXTRASAMPLE_ASSOCALPHA || !grey;
    }

    bool read(QImage& picture) {
        return TIFFRGBAImageGet(&image, reinterpret_cast<std::uint32_t*>(picture.bits()),
                                image.width, image.height) != 0;
    }

private:
    TIFFRGBAImage image{};
};

QImage::Format rasterFormat(const RgbaReader& reader) {
    if (!reader.hasAlpha())
        return QImage::Format_RGB32;
    return reader.givesPremultipliedColours() ? QImage::Format_ARGB32_Premultiplied
                                              : QImage::Format_ARGB32;
}

// libtiff packs A, B, G, R from the high byte down; QImage wants A, R, G, B.
void swapRedAndBlue(QImage& picture) {
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture.bits());
    const qsizetype count = qsizetype{picture.width()} * picture.height();
    for (qsizetype i = 0; i < count; ++i) {
        const std::uint32_t pixel = pixels[i];
        pixels[i] = (pixel & 0xFF00FF00U) | ((pixel & 0xFFU) << 16) | ((pixel >> 16) & 0xFFU);
    }
}

} // namespace

QImage decodeTiff(ByteView file) {
    MemoryFile memory{file.data(), file.size(), 0};
    ErrorText error{};
    const TiffPointer tiff = openTiff(memory, error);
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    checkPictureSize(width, height, FormatName);
    checkTileSize(tiff.get(), width, height);

    RgbaReader reader(tiff.get());
    // The raster is read whole into the picture, whose rows are exactly 4 × width bytes.
    QImage picture = newPicture(width, height, rasterFormat(reader), FormatName);
    if (!reader.read(picture))
        throwTiffError(error.text);
    swapRedAndBlue(picture);
    if (picture.format() == QImage::Format_ARGB32_Premultiplied)
        picture.convertTo(QImage::Format_ARGB32);
    return picture;
}

} // namespace orvandel::imaging
