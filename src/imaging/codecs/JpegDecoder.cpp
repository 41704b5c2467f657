#include "JpegDecoder.h"

#include "JpegErrorManager.h"
#include "common/Error.h"
#include "imaging/PictureBuffer.h"
#include "imaging/PictureLimits.h"

#include <QtEndian>

#include <algorithm>
#include <vector>

namespace orvandel::imaging {

namespace {

const QString FormatName = QStringLiteral("JPEG");

// libjpeg scales by n/8, n in 1..8.
constexpr int ScaleDenominator = 8;
constexpr JDIMENSION RowsPerRead = 16;
// Encoders write about ten scans; thousands of tiny scans would each walk the whole picture.
constexpr int MaxScanCount = 1000;

// QImage::Format_RGB32 holds 0xffRRGGBB in native byte order.
constexpr J_COLOR_SPACE Rgb32ColourSpace =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

enum class CmykStorage { Plain, Inverted };

// Plain data only: it lives across the setjmp of every step.
struct JpegDecompression {
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    jpeg_progress_mgr progress;
    bool tooManyScans;
};

void limitScans(j_common_ptr codec) {
    auto* state = static_cast<JpegDecompression*>(codec->client_data);
    if (state->info.input_scan_number > MaxScanCount) {
        state->tooManyScans = true;
        std::longjmp(state->errors.jump, 1);
    }
}

// Each step returns false when the library failed; the error is then in state.errors.

bool createDecompression(JpegDecompression& state) {
    if (setjmp(state.errors.jump) != 0)
        return false;
    jpeg_create_decompress(&state.info);
    state.info.progress = &state.progress;
    return true;
}

bool readJpegHeader(JpegDecompression& state, const unsigned char* data, unsigned long size) {
    if (setjmp(state.errors.jump) != 0)
        return false;
    jpeg_mem_src(&state.info, data, size);
    jpeg_read_header(&state.info, TRUE);
    return true;
}

bool calculateOutputSize(JpegDecompression& state) {
    if (setjmp(state.errors.jump) != 0)
        return false;
    jpeg_calc_output_dimensions(&state.info);
    return true;
}

bool decompressRows(JpegDecompression& state, JSAMPROW* rows, JDIMENSION rowCount) {
    if (setjmp(state.errors.jump) != 0)
        return false;
    jpeg_start_decompress(&state.info);
    while (state.info.output_scanline < rowCount) {
        const JDIMENSION first = state.info.output_scanline;
        // The memory source never suspends, so every call delivers rows.
        if (jpeg_read_scanlines(&state.info, rows + first,
                                std::min(rowCount - first, RowsPerRead)) == 0)
            return false;
    }
    return true;
}

// Owns the decompression object; every library call goes through a step above.
class JpegReader {
public:
    JpegReader() {
        state.info.err = prepareJpegErrorManager(state.errors);
        state.info.client_data = &state;
        state.progress.progress_monitor = limitScans;
        if (!createDecompression(state))
            throwJpegError(state.errors);
    }
    ~JpegReader() { jpeg_destroy_decompress(&state.info); }

    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    jpeg_decompress_struct& info() { return state.info; }

    void readHeader(ByteView file) { check(readJpegHeader(state, file.data(), file.size())); }
    void computeOutputSize() { check(calculateOutputSize(state)); }
    void decompress(std::vector<JSAMPROW>& rows) {
        check(decompressRows(state, rows.data(), static_cast<JDIMENSION>(rows.size())));
    }

private:
    void check(bool succeeded) const {
        if (succeeded)
            return;
        if (state.tooManyScans)
            throw Error(
                QStringLiteral("Image JPEG invalide : plus de %1 passes.").arg(MaxScanCount));
        throwJpegError(state.errors);
    }

    JpegDecompression state{};
};

bool isCmyk(J_COLOR_SPACE space) {
    return space == JCS_CMYK || space == JCS_YCCK;
}

// Adobe applications store the inks inverted: 255 is no ink.
void convertCmykToRgb(QImage& picture, CmykStorage storage) {
    const int toRemaining = storage == CmykStorage::Inverted ? 0 : 0xFF;
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        uchar* bytes = picture.scanLine(y);
        auto* pixels = reinterpret_cast<QRgb*>(bytes);
        for (int x = 0; x < width; ++x) {
            const int cyan = bytes[4 * x] ^ toRemaining;
            const int magenta = bytes[4 * x + 1] ^ toRemaining;
            const int yellow = bytes[4 * x + 2] ^ toRemaining;
            const int black = bytes[4 * x + 3] ^ toRemaining;
            pixels[x] = qRgb((cyan * black + 127) / 255, (magenta * black + 127) / 255,
                             (yellow * black + 127) / 255);
        }
    }
}

// Outside arithmetic coding every 8×8 block costs the file at least one bit, so a shorter file is
// mostly missing: decoding it would spend the time and memory of the size it claims on filler.
void checkDataCoversPicture(const jpeg_decompress_struct& info, std::size_t fileSize) {
    if (info.arith_code)
        return;
    const auto blocks = [](JDIMENSION dimension) { return (std::uint64_t{dimension} + 7) / 8; };
    if (std::uint64_t{fileSize} * 8 >= blocks(info.image_width) * blocks(info.image_height))
        return;
    throw Error(
        QStringLiteral("Image JPEG invalide : le fichier est trop court pour %1 × %2 pixels.")
            .arg(info.image_width)
            .arg(info.image_height));
}

} // namespace

int jpegScaleNumerator(QSize size, QSize bound) {
    if (size.isEmpty() || bound.isEmpty())
        return ScaleDenominator;
    // libjpeg rounds the scaled size up.
    const auto scaled = [](int dimension, int numerator) {
        return (std::int64_t{dimension} * numerator + ScaleDenominator - 1) / ScaleDenominator;
    };
    for (int numerator = 1; numerator < ScaleDenominator; ++numerator) {
        if (scaled(size.width(), numerator) >= bound.width() &&
            scaled(size.height(), numerator) >= bound.height())
            return numerator;
    }
    return ScaleDenominator;
}

QImage decodeJpeg(ByteView file, QSize bound) {
    JpegReader reader;
    reader.readHeader(file);
    jpeg_decompress_struct& info = reader.info();
    checkPictureSize(info.image_width, info.image_height, FormatName);
    checkDataCoversPicture(info, file.size());

    const bool cmyk = isCmyk(info.jpeg_color_space);
    info.out_color_space = cmyk ? JCS_CMYK : Rgb32ColourSpace;
    info.scale_num = static_cast<unsigned int>(jpegScaleNumerator(
        QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height)), bound));
    info.scale_denom = ScaleDenominator;
    reader.computeOutputSize();

    QImage picture =
        newPicture(info.output_width, info.output_height, QImage::Format_RGB32, FormatName);
    std::vector<JSAMPROW> rows(static_cast<std::size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        rows[static_cast<std::size_t>(y)] = picture.scanLine(y);
    reader.decompress(rows);

    if (cmyk)
        convertCmykToRgb(picture,
                         info.saw_Adobe_marker ? CmykStorage::Inverted : CmykStorage::Plain);
    return picture;
}

} // namespace orvandel::imaging
