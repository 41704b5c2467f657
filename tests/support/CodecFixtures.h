#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>

#include <cstdint>
#include <optional>

// JPEG, PNG and TIFF files made in code with the libraries' own encoders, for the decoders'
// tests and the fuzzers' seeds.
namespace fixtures {

// A picture with gentle gradients only, which a lossy encoder keeps close to the original.
QImage smoothPicture(int width = 64, int height = 48);

// The mean absolute difference of the R, G and B channels of two pictures of the same size.
double meanChannelDifference(const QImage& first, const QImage& second);

enum class JpegColourModel { Colour, Grey, AdobeCmyk, AdobeYcck, PlainCmyk };
enum class JpegScans { Sequential, Progressive };
enum class JpegCoding { Huffman, Arithmetic };

// `picture` (RGB32) at quality 95. Grey keeps the luminance; the CMYK models print every colour
// with the inks it needs plus black; Adobe files store the inks inverted, as Adobe's tools do.
QByteArray encodeJpegAs(const QImage& picture, JpegColourModel model,
                        JpegScans scans = JpegScans::Sequential,
                        JpegCoding coding = JpegCoding::Huffman);

// The offset of the first scan's marker (FF DA), or -1.
qsizetype jpegScanOffset(const QByteArray& jpeg);

enum class PngInterlace { None, Adam7 };

struct PngFormat {
    std::uint8_t colourType; // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
    std::uint8_t bitDepth;
    PngInterlace interlace = PngInterlace::None;
    // Written as the tRNS colour key of a grey or RGB picture.
    std::optional<QRgb> transparentColour = std::nullopt;
};

// `picture` (ARGB32) in `format`. Samples are the colour's top bits (grey pictures: the red
// channel), so a picture whose values the depth can hold round-trips exactly. A palette is
// built from the picture's colours, with a tRNS chunk when some are not opaque.
QByteArray encodePng(const QImage& picture, const PngFormat& format);

enum class TiffPhotometric { Rgb, Grey, Palette };
enum class TiffAlpha { None, Associated, Unassociated };
enum class TiffCompression { None, Lzw, Deflate, PackBits };

struct TiffFormat {
    TiffPhotometric photometric = TiffPhotometric::Rgb;
    int bitsPerSample = 8;
    TiffAlpha alpha = TiffAlpha::None;
    TiffCompression compression = TiffCompression::None;
};

// `picture` (ARGB32) in `format`, written in strips of 8 rows. 16-bit samples repeat the byte;
// associated alpha stores premultiplied colours; a palette is built from the picture's colours.
QByteArray encodeTiff(const QImage& picture, const TiffFormat& format = {});

} // namespace fixtures
