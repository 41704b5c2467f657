#include "JpegEncoder.h"

#include "JpegErrorManager.h"
#include "common/Error.h"
#include "platform/AtomicFileWriter.h"

#include <QtEndian>

#include <jerror.h>

#include <cstdlib>
#include <span>
#include <vector>

namespace orvandel::imaging {

namespace {

constexpr std::size_t InitialBufferSize = 64 * 1024;

// The fourth byte of a QImage::Format_RGB32 pixel is ignored.
constexpr J_COLOR_SPACE Rgb32ColourSpace =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// Plain data only: it lives across the setjmp of every step. The output buffer is ours rather
// than jpeg_mem_dest's, whose buffer cannot be freed safely after an error in mid-stream.
struct JpegCompression {
    jpeg_compress_struct info;
    JpegErrorManager errors;
    jpeg_destination_mgr destination;
    unsigned char* buffer;
    std::size_t capacity;
    std::size_t size;
};

JpegCompression& compressionOf(j_compress_ptr info) {
    return *static_cast<JpegCompression*>(info->client_data);
}

[[noreturn]] void failForMemory(j_compress_ptr info) {
    info->err->msg_code = JERR_OUT_OF_MEMORY;
    info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
    std::abort(); // error_exit never returns
}

void startBuffer(j_compress_ptr info) {
    JpegCompression& state = compressionOf(info);
    if (state.buffer == nullptr) {
        state.buffer = static_cast<unsigned char*>(std::malloc(InitialBufferSize));
        if (state.buffer == nullptr)
            failForMemory(info);
        state.capacity = InitialBufferSize;
    }
    state.destination.next_output_byte = state.buffer;
    state.destination.free_in_buffer = state.capacity;
}

// Called when the buffer is full: doubles it.
boolean growBuffer(j_compress_ptr info) {
    JpegCompression& state = compressionOf(info);
    auto* grown = static_cast<unsigned char*>(std::realloc(state.buffer, 2 * state.capacity));
    if (grown == nullptr)
        failForMemory(info);
    state.buffer = grown;
    state.destination.next_output_byte = grown + state.capacity;
    state.destination.free_in_buffer = state.capacity;
    state.capacity *= 2;
    return TRUE;
}

void finishBuffer(j_compress_ptr info) {
    JpegCompression& state = compressionOf(info);
    state.size = state.capacity - state.destination.free_in_buffer;
}

// Each step returns false when the library failed; the error is then in state.errors.

bool createCompression(JpegCompression& state) {
    if (setjmp(state.errors.jump) != 0)
        return false;
    jpeg_create_compress(&state.info);
    state.info.dest = &state.destination;
    return true;
}

bool compressRows(JpegCompression& state, JSAMPROW* rows, JDIMENSION width, JDIMENSION height,
                  int quality) {
    if (setjmp(state.errors.jump) != 0)
        return false;
    state.info.image_width = width;
    state.info.image_height = height;
    state.info.input_components = 4;
    state.info.in_color_space = Rgb32ColourSpace;
    jpeg_set_defaults(&state.info);
    jpeg_set_quality(&state.info, quality, TRUE);
    jpeg_start_compress(&state.info, TRUE);
    while (state.info.next_scanline < height)
        jpeg_write_scanlines(&state.info, rows + state.info.next_scanline,
                             height - state.info.next_scanline);
    jpeg_finish_compress(&state.info);
    return true;
}

// Owns the compression object and its output buffer.
class JpegWriter {
public:
    JpegWriter() {
        state.info.err = prepareJpegErrorManager(state.errors);
        state.info.client_data = &state;
        state.destination.init_destination = startBuffer;
        state.destination.empty_output_buffer = growBuffer;
        state.destination.term_destination = finishBuffer;
        if (!createCompression(state))
            throwJpegError(state.errors);
    }
    ~JpegWriter() {
        jpeg_destroy_compress(&state.info);
        std::free(state.buffer);
    }

    JpegWriter(const JpegWriter&) = delete;
    JpegWriter& operator=(const JpegWriter&) = delete;

    QByteArray compress(const QImage& picture, int quality) {
        // libjpeg only reads the rows, though its row type is not const.
        std::vector<JSAMPROW> rows(static_cast<std::size_t>(picture.height()));
        for (int y = 0; y < picture.height(); ++y)
            rows[static_cast<std::size_t>(y)] = const_cast<uchar*>(picture.constScanLine(y));
        if (!compressRows(state, rows.data(), static_cast<JDIMENSION>(picture.width()),
                          static_cast<JDIMENSION>(picture.height()), quality))
            throwJpegError(state.errors);
        return QByteArray(reinterpret_cast<const char*>(state.buffer),
                          static_cast<qsizetype>(state.size));
    }

private:
    JpegCompression state{};
};

} // namespace

QByteArray encodeJpeg(const QImage& picture, int quality) {
    if (picture.isNull())
        throw Error(QStringLiteral("Impossible d'enregistrer une image vide en JPEG."));
    // libjpeg only reads the rows; a picture with transparency loses it here.
    const QImage rgb = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        throw Error(QStringLiteral("Mémoire insuffisante pour enregistrer l'image en JPEG."));
    JpegWriter writer;
    return writer.compress(rgb, quality);
}

void writeJpeg(const QImage& picture, const QString& path, int quality) {
    const QByteArray bytes = encodeJpeg(picture, quality);
    platform::replaceFileContent(
        path, std::as_bytes(std::span(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

} // namespace orvandel::imaging
