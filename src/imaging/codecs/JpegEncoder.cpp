#include "JpegEncoder.h"

#include "JpegErrorManager.h"
#include "common/Error.h"
#include "system/AtomicFileWriter.h"

#include <QtEndian>

#include <jerror.h>

#include <exception>
#include <memory>
#include <span>
#include <vector>

namespace orvandel::imaging {

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

// The fourth byte of a QImage::Format_RGB32 pixel is ignored.
constexpr J_COLOR_SPACE Rgb32ColourSpace =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// Lives across the setjmp of every step. The encoded bytes pass through a fixed buffer to the
// sink; a sink that throws has its exception kept here while the library unwinds by its own means.
struct JpegCompression {
    jpeg_compress_struct info;
    JpegErrorManager errors;
    jpeg_destination_mgr destination;
    unsigned char buffer[BufferSize];
    const JpegSink* sink;
    std::exception_ptr sinkFailure;
};

JpegCompression& compressionOf(j_compress_ptr info) {
    return *static_cast<JpegCompression*>(info->client_data);
}

void startBuffer(j_compress_ptr info) {
    JpegCompression& state = compressionOf(info);
    state.destination.next_output_byte = state.buffer;
    state.destination.free_in_buffer = BufferSize;
}

void pass(j_compress_ptr info, std::size_t size) {
    JpegCompression& state = compressionOf(info);
    try {
        (*state.sink)(std::as_bytes(std::span(state.buffer, size)));
    } catch (...) {
        state.sinkFailure = std::current_exception();
    }
    if (state.sinkFailure) {
        info->err->msg_code = JERR_FILE_WRITE;
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
    }
    startBuffer(info);
}

// Called when the buffer is full.
boolean passBuffer(j_compress_ptr info) {
    pass(info, BufferSize);
    return TRUE;
}

void passRest(j_compress_ptr info) {
    pass(info, BufferSize - compressionOf(info).destination.free_in_buffer);
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

// Owns the compression object.
class JpegWriter {
public:
    explicit JpegWriter(const JpegSink& sink)
        : state(std::make_unique<JpegCompression>()) {
        state->info.err = prepareJpegErrorManager(state->errors);
        state->info.client_data = state.get();
        state->sink = &sink;
        state->destination.init_destination = startBuffer;
        state->destination.empty_output_buffer = passBuffer;
        state->destination.term_destination = passRest;
        if (!createCompression(*state))
            throwJpegError(state->errors);
    }
    ~JpegWriter() { jpeg_destroy_compress(&state->info); }

    JpegWriter(const JpegWriter&) = delete;
    JpegWriter& operator=(const JpegWriter&) = delete;

    void compress(const QImage& picture, int quality) {
        // libjpeg only reads the rows, though its row type is not const.
        std::vector<JSAMPROW> rows(static_cast<std::size_t>(picture.height()));
        for (int y = 0; y < picture.height(); ++y)
            rows[static_cast<std::size_t>(y)] = const_cast<uchar*>(picture.constScanLine(y));
        if (compressRows(*state, rows.data(), static_cast<JDIMENSION>(picture.width()),
                         static_cast<JDIMENSION>(picture.height()), quality))
            return;
        if (state->sinkFailure)
            std::rethrow_exception(state->sinkFailure);
        throwJpegError(state->errors);
    }

private:
    std::unique_ptr<JpegCompression> state;
};

} // namespace

void encodeJpeg(const QImage& picture, const JpegSink& sink, int quality) {
    if (picture.isNull())
        throw Error(QStringLiteral("Impossible d'enregistrer une image vide en JPEG."));
    // libjpeg only reads the rows; a picture with transparency loses it here.
    const QImage rgb = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        throw Error(QStringLiteral("Mémoire insuffisante pour enregistrer l'image en JPEG."));
    JpegWriter writer(sink);
    writer.compress(rgb, quality);
}

QByteArray encodeJpeg(const QImage& picture, int quality) {
    QByteArray bytes;
    encodeJpeg(
        picture,
        [&](std::span<const std::byte> piece) {
            bytes.append(reinterpret_cast<const char*>(piece.data()),
                         static_cast<qsizetype>(piece.size()));
        },
        quality);
    return bytes;
}

void writeJpeg(const QImage& picture, const QString& path, int quality) {
    system::AtomicFileWriter file(path);
    encodeJpeg(
        picture, [&](std::span<const std::byte> piece) { file.write(piece); }, quality);
    file.commit();
}

} // namespace orvandel::imaging
