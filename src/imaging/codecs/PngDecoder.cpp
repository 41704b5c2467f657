#include "PngDecoder.h"

#include "PngChunks.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "imaging/PictureBuffer.h"
#include "imaging/PictureLimits.h"

#include <spng.h>

#include <memory>
#include <optional>

namespace orvandel::imaging {

namespace {

const QString FormatName = QStringLiteral("PNG");

// Text, profiles and other side chunks are kept in memory while decoding: cap what a file may
// make us hold. Larger ones are dropped before decoding. The pixels themselves stream through and
// are bounded by the picture size.
constexpr std::size_t MaxChunkSize = std::size_t{16} << 20;
constexpr std::size_t MaxChunkCache = std::size_t{64} << 20;

struct ContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

[[noreturn]] void throwPngError(int code) {
    throw Error(formatMessage(QStringLiteral("Image PNG invalide : %s"),
                              {QString::fromUtf8(spng_strerror(code))}));
}

void check(int code) {
    if (code != 0)
        throwPngError(code);
}

Context openPng(ByteView file) {
    Context context(spng_ctx_new(0));
    if (!context)
        throw Error(QStringLiteral("Mémoire insuffisante pour lire une image PNG."));
    // libspng only reads the buffer, despite its prototype.
    check(spng_set_png_buffer(context.get(), const_cast<std::uint8_t*>(file.data()), file.size()));
    const auto maxDimension = static_cast<std::uint32_t>(MaxPixelCount);
    check(spng_set_image_limits(context.get(), maxDimension, maxDimension));
    check(spng_set_chunk_limits(context.get(), MaxChunkSize, MaxChunkCache));
    return context;
}

bool hasTransparency(spng_ctx* context, const spng_ihdr& header) {
    if (header.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
        header.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA)
        return true;
    spng_trns transparency{};
    const int result = spng_get_trns(context, &transparency);
    if (result == SPNG_ECHUNKAVAIL)
        return false;
    check(result);
    return true;
}

// libspng gives the bytes R, G, B, A; QImage wants 0xAARRGGBB.
void reorderChannels(uchar* row, int width) {
    auto* pixels = reinterpret_cast<QRgb*>(row);
    for (int x = 0; x < width; ++x) {
        const uchar* bytes = row + 4 * x;
        pixels[x] = qRgba(bytes[0], bytes[1], bytes[2], bytes[3]);
    }
}

// Decodes straight into the picture's rows. An interlaced picture visits each row several
// times, so its channels are reordered once every pass is done.
void decodeRows(spng_ctx* context, QImage& picture, bool interlaced) {
    check(spng_decode_image(context, nullptr, 0, SPNG_FMT_RGBA8,
                            SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE));
    const int width = picture.width();
    const auto rowLength = static_cast<std::size_t>(width) * 4;
    for (;;) {
        spng_row_info row{};
        const int position = spng_get_row_info(context, &row);
        if (position == SPNG_EOI)
            break;
        check(position);
        if (row.row_num >= static_cast<std::uint32_t>(picture.height()))
            throwPngError(SPNG_EINTERNAL);
        uchar* line = picture.scanLine(static_cast<int>(row.row_num));
        const int status = spng_decode_row(context, line, rowLength);
        if (status != SPNG_EOI)
            check(status);
        if (!interlaced)
            reorderChannels(line, width);
        if (status == SPNG_EOI)
            break;
    }
    if (interlaced) {
        for (int y = 0; y < picture.height(); ++y)
            reorderChannels(picture.scanLine(y), width);
    }
}

} // namespace

QImage decodePng(ByteView file) {
    const std::optional<QByteArray> withoutOversizedChunks = checkPngChunks(file, MaxChunkSize);
    if (withoutOversizedChunks)
        file = ByteView(reinterpret_cast<const std::uint8_t*>(withoutOversizedChunks->constData()),
                        static_cast<std::size_t>(withoutOversizedChunks->size()));
    const Context context = openPng(file);
    spng_ihdr header{};
    check(spng_get_ihdr(context.get(), &header));
    const QImage::Format format =
        hasTransparency(context.get(), header) ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    QImage picture = newPicture(header.width, header.height, format, FormatName);
    decodeRows(context.get(), picture, header.interlace_method != 0);
    return picture;
}

} // namespace orvandel::imaging
