#include "JpegDecoder.h"

#include "JpegErrorManager.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "imaging/PictureBuffer.h"
#include "imaging/PictureLimits.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <vector>

namespace orvandel::imaging {

namespace {

const QString FormatName = QStringLiteral("JPEG");

// libjpeg scales by n/8, n in 1..8.
constexpr int ScaleDenominator = 8;
constexpr JDIMENSION RowsPerRead = 16;
// Encoders write about ten scans; thousands of tiny scans would each walk the whole picture.
constexpr int MaxScanCount = 1000;
// Each scan walks the blocks of its components. A real progressive file walks each block about
// five to ten times in all; past this many times, or this many blocks for a small picture, the
// scans are filler.
constexpr std::uint64_t MaxWalksPerBlock = 16;
constexpr std::uint64_t MinBlockWalks = std::uint64_t{1} << 20;

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
    int chargedScan;
    std::uint64_t blockWalks;
    std::uint64_t blockWalkBudget;
};

std::uint64_t blocksOf(const jpeg_component_info& component) {
    return std::uint64_t{component.width_in_blocks} * component.height_in_blocks;
}

void limitScans(j_common_ptr codec) {
    auto* state = static_cast<JpegDecompression*>(codec->client_data);
    const jpeg_decompress_struct& info = state->info;
    if (info.input_scan_number != state->chargedScan) {
        state->chargedScan = info.input_scan_number;
        for (int index = 0; index < info.comps_in_scan; ++index)
            state->blockWalks += blocksOf(*info.cur_comp_info[index]);
    }
    if (info.input_scan_number > MaxScanCount || state->blockWalks > state->blockWalkBudget) {
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

    void readHeader(ByteView file) {
        check(readJpegHeader(state, file.data(), file.size()));
        std::uint64_t blocks = 0;
        for (int index = 0; index < state.info.num_components; ++index)
            blocks += blocksOf(state.info.comp_info[index]);
        state.blockWalkBudget = std::max(MinBlockWalks, MaxWalksPerBlock * blocks);
    }
    void computeOutputSize() { check(calculateOutputSize(state)); }
    void decompress(std::vector<JSAMPROW>& rows) {
        check(decompressRows(state, rows.data(), static_cast<JDIMENSION>(rows.size())));
    }

private:
    void check(bool succeeded) const {
        if (succeeded)
            return;
        if (state.tooManyScans && state.info.input_scan_number > MaxScanCount)
            throw Error(formatMessage(QStringLiteral("Image JPEG invalide : plus de %d passes."),
                                      {MaxScanCount}));
        if (state.tooManyScans)
            throw Error(QStringLiteral("Image JPEG invalide : trop de passes pour sa taille."));
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

// The bytes of entropy-coded data in the file's scans: what is left once markers, tables,
// comments and other side segments are taken out.
std::uint64_t entropyCodedBytes(ByteView file) {
    constexpr std::uint8_t StartOfScan = 0xDA;
    constexpr std::uint8_t EndOfImage = 0xD9;
    const auto isStandalone = [](std::uint8_t marker) {
        return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
    };
    std::uint64_t coded = 0;
    std::size_t at = 2; // after the start of image
    while (at + 1 < file.size()) {
        if (file[at] != 0xFF) { // damaged: the library decides
            ++at;
            continue;
        }
        const std::uint8_t marker = file[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == EndOfImage)
            break;
        if (isStandalone(marker) || at + 3 >= file.size()) {
            at += 2;
            continue;
        }
        at += 2 + ((std::size_t{file[at + 2]} << 8) | file[at + 3]);
        if (marker != StartOfScan)
            continue;
        // The scan's data runs to the next marker other than a stuffed zero or a restart.
        while (at < file.size()) {
            const auto* found = static_cast<const std::uint8_t*>(
                std::memchr(file.data() + at, 0xFF, file.size() - at));
            const std::size_t next =
                found != nullptr ? std::size_t(found - file.data()) : file.size();
            coded += next - at;
            at = next;
            if (at + 1 >= file.size())
                break;
            const std::uint8_t following = file[at + 1];
            if (following != 0 && !(following >= 0xD0 && following <= 0xD7))
                break;
            coded += 2;
            at += 2;
        }
    }
    return coded;
}

// Every 8×8 block costs the coded data at least one bit (Huffman) or about that much (arithmetic
// coding of real pictures), so a file with less is mostly missing: decoding it would spend the
// time and memory of the size it claims on filler.
void checkDataCoversPicture(const jpeg_decompress_struct& info, ByteView file) {
    const auto blocks = [](JDIMENSION dimension) { return (std::uint64_t{dimension} + 7) / 8; };
    if (entropyCodedBytes(file) * 8 >= blocks(info.image_width) * blocks(info.image_height))
        return;
    throw Error(formatMessage(
        QStringLiteral("Image JPEG invalide : le fichier est trop court pour %d × %d pixels."),
        {info.image_width, info.image_height}));
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
    checkDataCoversPicture(info, file);

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
