#include "CodecFixtures.h"

#include <QList>

#include <spng.h>
#include <tiffio.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>
// jpeglib.h uses FILE and size_t without declaring them.
#include <jpeglib.h>

namespace fixtures {

namespace {

void require(bool condition, const char* what) {
    if (!condition)
        throw std::runtime_error(what);
}

// ---- JPEG

int componentsOf(JpegColourModel model) {
    switch (model) {
    case JpegColourModel::Colour:
        return 3;
    case JpegColourModel::Grey:
        return 1;
    default:
        return 4;
    }
}

J_COLOR_SPACE inputSpaceOf(JpegColourModel model) {
    switch (model) {
    case JpegColourModel::Colour:
        return JCS_RGB;
    case JpegColourModel::Grey:
        return JCS_GRAYSCALE;
    default:
        return JCS_CMYK;
    }
}

// The inks printing `pixel`, as the fractions of paper left uncovered (255: no ink).
void uncoveredOf(QRgb pixel, unsigned char* cmyk) {
    const int brightest = qMax(qRed(pixel), qMax(qGreen(pixel), qBlue(pixel)));
    const auto uncovered = [brightest](int channel) {
        return brightest == 0 ? 255 : (channel * 255 + brightest / 2) / brightest;
    };
    cmyk[0] = static_cast<unsigned char>(uncovered(qRed(pixel)));
    cmyk[1] = static_cast<unsigned char>(uncovered(qGreen(pixel)));
    cmyk[2] = static_cast<unsigned char>(uncovered(qBlue(pixel)));
    cmyk[3] = static_cast<unsigned char>(brightest);
}

void fillJpegRow(const QRgb* pixels, int width, JpegColourModel model, unsigned char* row) {
    for (int x = 0; x < width; ++x) {
        const QRgb pixel = pixels[x];
        switch (model) {
        case JpegColourModel::Colour:
            row[3 * x] = static_cast<unsigned char>(qRed(pixel));
            row[3 * x + 1] = static_cast<unsigned char>(qGreen(pixel));
            row[3 * x + 2] = static_cast<unsigned char>(qBlue(pixel));
            break;
        case JpegColourModel::Grey:
            row[x] = static_cast<unsigned char>(qGray(pixel));
            break;
        case JpegColourModel::AdobeCmyk:
        case JpegColourModel::AdobeYcck:
            uncoveredOf(pixel, row + 4 * x);
            break;
        case JpegColourModel::PlainCmyk:
            uncoveredOf(pixel, row + 4 * x);
            for (int i = 0; i < 4; ++i)
                row[4 * x + i] = static_cast<unsigned char>(255 - row[4 * x + i]);
            break;
        }
    }
}

// ---- PNG

// An 8-bit channel value at `depth` bits.
unsigned sampleOf(int value, int depth) {
    return depth == 16 ? static_cast<unsigned>(value) * 257
                       : static_cast<unsigned>(value) >> (8 - depth);
}

// Packs samples most significant bit first, 16-bit ones big-endian, each row on whole bytes.
class SampleWriter {
public:
    explicit SampleWriter(int depth)
        : bitDepth(depth) {}

    void add(unsigned sample) {
        if (bitDepth == 16) {
            bytes.push_back(static_cast<std::uint8_t>(sample >> 8));
            bytes.push_back(static_cast<std::uint8_t>(sample));
            return;
        }
        pending = (pending << bitDepth) | sample;
        pendingBits += bitDepth;
        if (pendingBits == 8)
            flush();
    }
    void endRow() {
        if (pendingBits > 0) {
            pending <<= 8 - pendingBits;
            flush();
        }
    }
    const std::vector<std::uint8_t>& data() const { return bytes; }

private:
    void flush() {
        bytes.push_back(static_cast<std::uint8_t>(pending));
        pending = 0;
        pendingBits = 0;
    }

    int bitDepth;
    unsigned pending = 0;
    int pendingBits = 0;
    std::vector<std::uint8_t> bytes;
};

QList<QRgb> paletteOf(const QImage& picture) {
    QList<QRgb> palette;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (!palette.contains(pixels[x]))
                palette.append(pixels[x]);
        }
    }
    require(palette.size() <= 256, "too many colours for a palette");
    return palette;
}

void addPngSamples(SampleWriter& writer, QRgb pixel, const PngFormat& format,
                   const QList<QRgb>& palette) {
    const int depth = format.bitDepth;
    switch (format.colourType) {
    case 0:
        writer.add(sampleOf(qRed(pixel), depth));
        break;
    case 2:
        writer.add(sampleOf(qRed(pixel), depth));
        writer.add(sampleOf(qGreen(pixel), depth));
        writer.add(sampleOf(qBlue(pixel), depth));
        break;
    case 3:
        writer.add(static_cast<unsigned>(palette.indexOf(pixel)));
        break;
    case 4:
        writer.add(sampleOf(qRed(pixel), depth));
        writer.add(sampleOf(qAlpha(pixel), depth));
        break;
    default:
        writer.add(sampleOf(qRed(pixel), depth));
        writer.add(sampleOf(qGreen(pixel), depth));
        writer.add(sampleOf(qBlue(pixel), depth));
        writer.add(sampleOf(qAlpha(pixel), depth));
        break;
    }
}

void setPngPalette(spng_ctx* context, const QList<QRgb>& palette) {
    spng_plte colours{};
    spng_trns transparency{};
    bool transparent = false;
    colours.n_entries = static_cast<std::uint32_t>(palette.size());
    transparency.n_type3_entries = colours.n_entries;
    for (qsizetype i = 0; i < palette.size(); ++i) {
        colours.entries[i] = {static_cast<std::uint8_t>(qRed(palette[i])),
                              static_cast<std::uint8_t>(qGreen(palette[i])),
                              static_cast<std::uint8_t>(qBlue(palette[i])), 255};
        transparency.type3_alpha[i] = static_cast<std::uint8_t>(qAlpha(palette[i]));
        transparent = transparent || qAlpha(palette[i]) != 255;
    }
    require(spng_set_plte(context, &colours) == 0, "spng_set_plte");
    if (transparent)
        require(spng_set_trns(context, &transparency) == 0, "spng_set_trns");
}

void setPngColourKey(spng_ctx* context, QRgb key, int depth) {
    spng_trns transparency{};
    transparency.gray = static_cast<std::uint16_t>(sampleOf(qRed(key), depth));
    transparency.red = transparency.gray;
    transparency.green = static_cast<std::uint16_t>(sampleOf(qGreen(key), depth));
    transparency.blue = static_cast<std::uint16_t>(sampleOf(qBlue(key), depth));
    require(spng_set_trns(context, &transparency) == 0, "spng_set_trns");
}

// ---- TIFF

// A growing file in memory for libtiff's writer.
struct TiffOutput {
    QByteArray bytes;
    qint64 position = 0;
};

tmsize_t readOutput(thandle_t handle, void* buffer, tmsize_t length) {
    auto* output = static_cast<TiffOutput*>(handle);
    const qint64 count =
        qBound(qint64{0}, qint64{output->bytes.size()} - output->position, qint64{length});
    std::memcpy(buffer, output->bytes.constData() + output->position, static_cast<size_t>(count));
    output->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t writeOutput(thandle_t handle, void* buffer, tmsize_t length) {
    auto* output = static_cast<TiffOutput*>(handle);
    if (output->bytes.size() < output->position + length)
        output->bytes.resize(output->position + length, '\0');
    std::memcpy(output->bytes.data() + output->position, buffer, static_cast<size_t>(length));
    output->position += length;
    return length;
}

toff_t seekOutput(thandle_t handle, toff_t offset, int origin) {
    auto* output = static_cast<TiffOutput*>(handle);
    const qint64 base = origin == SEEK_SET   ? 0
                        : origin == SEEK_CUR ? output->position
                                             : output->bytes.size();
    output->position = base + static_cast<qint64>(offset);
    return static_cast<toff_t>(output->position);
}

int closeOutput(thandle_t) {
    return 0;
}
toff_t sizeOfOutput(thandle_t handle) {
    return static_cast<toff_t>(static_cast<TiffOutput*>(handle)->bytes.size());
}
int mapNothing(thandle_t, void**, toff_t*) {
    return 0;
}
void unmapNothing(thandle_t, void*, toff_t) {}

std::uint16_t tiffCompressionOf(TiffCompression compression) {
    switch (compression) {
    case TiffCompression::None:
        return COMPRESSION_NONE;
    case TiffCompression::Lzw:
        return COMPRESSION_LZW;
    case TiffCompression::Deflate:
        return COMPRESSION_ADOBE_DEFLATE;
    case TiffCompression::PackBits:
        return COMPRESSION_PACKBITS;
    }
    return COMPRESSION_NONE;
}

void setTiffPalette(TIFF* tiff, const QList<QRgb>& palette, int bitsPerSample) {
    const std::size_t size = std::size_t{1} << bitsPerSample;
    std::vector<std::uint16_t> red(size), green(size), blue(size);
    for (qsizetype i = 0; i < palette.size(); ++i) {
        red[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(qRed(palette[i]) * 257);
        green[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(qGreen(palette[i]) * 257);
        blue[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(qBlue(palette[i]) * 257);
    }
    TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
}

void setTiffLayout(TIFF* tiff, const QImage& picture, const TiffFormat& format, int channels) {
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(picture.width()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(picture.height()));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(format.bitsPerSample));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(channels));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, std::uint32_t{8});
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, tiffCompressionOf(format.compression));
    switch (format.photometric) {
    case TiffPhotometric::Rgb:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        break;
    case TiffPhotometric::Grey:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        break;
    case TiffPhotometric::Palette:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        setTiffPalette(tiff, paletteOf(picture), format.bitsPerSample);
        break;
    }
    if (format.alpha != TiffAlpha::None) {
        const std::uint16_t kind =
            format.alpha == TiffAlpha::Associated ? EXTRASAMPLE_ASSOCALPHA : EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, std::uint16_t{1}, &kind);
    }
}

// The samples of one pixel, as 8-bit values.
int tiffSamplesOf(QRgb pixel, const TiffFormat& format, const QList<QRgb>& palette, int* samples) {
    const QRgb stored = format.alpha == TiffAlpha::Associated ? qPremultiply(pixel) : pixel;
    int count = 0;
    switch (format.photometric) {
    case TiffPhotometric::Rgb:
        samples[count++] = qRed(stored);
        samples[count++] = qGreen(stored);
        samples[count++] = qBlue(stored);
        break;
    case TiffPhotometric::Grey:
        samples[count++] = qRed(stored);
        break;
    case TiffPhotometric::Palette:
        samples[count++] = static_cast<int>(palette.indexOf(pixel));
        break;
    }
    if (format.alpha != TiffAlpha::None)
        samples[count++] = qAlpha(pixel);
    return count;
}

} // namespace

QImage smoothPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb(40 + (x * 160) / qMax(1, width - 1), 30 + (y * 180) / qMax(1, height - 1),
                          200 - ((x + y) * 120) / qMax(1, width + height - 2));
    }
    return picture;
}

double meanChannelDifference(const QImage& first, const QImage& second) {
    require(first.size() == second.size(), "pictures of different sizes");
    const QImage a = first.convertToFormat(QImage::Format_RGB32);
    const QImage b = second.convertToFormat(QImage::Format_RGB32);
    qint64 total = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            total += qAbs(qRed(rowA[x]) - qRed(rowB[x])) + qAbs(qGreen(rowA[x]) - qGreen(rowB[x])) +
                     qAbs(qBlue(rowA[x]) - qBlue(rowB[x]));
    }
    return static_cast<double>(total) / (3.0 * a.width() * a.height());
}

QByteArray encodeJpegAs(const QImage& picture, JpegColourModel model, JpegScans scans,
                        JpegCoding coding) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    jpeg_error_mgr errors{};
    jpeg_compress_struct info{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = componentsOf(model);
    info.in_color_space = inputSpaceOf(model);
    jpeg_set_defaults(&info);
    if (model == JpegColourModel::AdobeYcck)
        jpeg_set_colorspace(&info, JCS_YCCK);
    if (model == JpegColourModel::PlainCmyk)
        info.write_Adobe_marker = FALSE;
    jpeg_set_quality(&info, 95, TRUE);
    if (scans == JpegScans::Progressive)
        jpeg_simple_progression(&info);
    info.arith_code = coding == JpegCoding::Arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(rgb.width() * info.input_components));
    for (int y = 0; y < rgb.height(); ++y) {
        fillJpegRow(reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), rgb.width(), model,
                    row.data());
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    jpeg_destroy_compress(&info);
    return bytes;
}

qsizetype jpegScanOffset(const QByteArray& jpeg) {
    return jpeg.indexOf("\xFF\xDA");
}

QByteArray encodePng(const QImage& picture, const PngFormat& format) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const QList<QRgb> palette = format.colourType == 3 ? paletteOf(argb) : QList<QRgb>();
    SampleWriter writer(format.bitDepth);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            addPngSamples(writer, pixels[x], format, palette);
        writer.endRow();
    }

    spng_ctx* context = spng_ctx_new(SPNG_CTX_ENCODER);
    require(context != nullptr, "spng_ctx_new");
    spng_set_option(context, SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header{static_cast<std::uint32_t>(argb.width()),
                     static_cast<std::uint32_t>(argb.height()),
                     format.bitDepth,
                     format.colourType,
                     0,
                     0,
                     static_cast<std::uint8_t>(format.interlace == PngInterlace::Adam7 ? 1 : 0)};
    require(spng_set_ihdr(context, &header) == 0, "spng_set_ihdr");
    if (format.colourType == 3)
        setPngPalette(context, palette);
    if (format.transparentColour)
        setPngColourKey(context, *format.transparentColour, format.bitDepth);
    const std::vector<std::uint8_t>& samples = writer.data();
    const int encoded = spng_encode_image(context, samples.data(), samples.size(), SPNG_FMT_RAW,
                                          SPNG_ENCODE_FINALIZE);
    std::size_t length = 0;
    int error = 0;
    void* png = encoded == 0 ? spng_get_png_buffer(context, &length, &error) : nullptr;
    spng_ctx_free(context);
    require(png != nullptr, "spng_encode_image");
    QByteArray bytes(static_cast<const char*>(png), static_cast<qsizetype>(length));
    std::free(png);
    return bytes;
}

QByteArray encodeTiff(const QImage& picture, const TiffFormat& format) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const QList<QRgb> palette =
        format.photometric == TiffPhotometric::Palette ? paletteOf(argb) : QList<QRgb>();
    TiffOutput output;
    TIFF* tiff = TIFFClientOpen("fixture", "w", &output, readOutput, writeOutput, seekOutput,
                                closeOutput, sizeOfOutput, mapNothing, unmapNothing);
    require(tiff != nullptr, "TIFFClientOpen");
    int samples[4] = {};
    const int channels = tiffSamplesOf(qRgb(0, 0, 0), format, palette, samples);
    setTiffLayout(tiff, argb, format, channels);

    const std::size_t rowSize =
        static_cast<std::size_t>(argb.width() * channels * format.bitsPerSample / 8);
    std::vector<std::uint8_t> row(rowSize);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            tiffSamplesOf(pixels[x], format, palette, samples);
            for (int i = 0; i < channels; ++i) {
                const std::size_t index = static_cast<std::size_t>(x * channels + i);
                if (format.bitsPerSample == 16)
                    reinterpret_cast<std::uint16_t*>(row.data())[index] =
                        static_cast<std::uint16_t>(samples[i] * 257);
                else
                    row[index] = static_cast<std::uint8_t>(samples[i]);
            }
        }
        require(TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) == 1,
                "TIFFWriteScanline");
    }
    TIFFClose(tiff);
    return output.bytes;
}

} // namespace fixtures
