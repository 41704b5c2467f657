#include "CodecFixtures.h"
#include "PictureFixtures.h"
#include "Seeds.h"
#include "imaging/codecs/JpegEncoder.h"

namespace seeds {

namespace {

using fixtures::JpegColourModel;
using fixtures::JpegScans;
using fixtures::PngFormat;
using fixtures::PngInterlace;
using fixtures::TiffAlpha;
using fixtures::TiffCompression;
using fixtures::TiffFormat;
using fixtures::TiffPhotometric;

// Small pictures keep every seed far below the fuzzers' input sizes.
QImage smallPicture() {
    return fixtures::patternPicture(13, 9);
}

QImage withAlpha(QImage picture) {
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            pixels[x] =
                (pixels[x] & 0x00FFFFFF) | (static_cast<QRgb>((x * 40 + y * 13) & 0xFF) << 24);
    }
    return picture;
}

// A picture of 16 colours, for palettes.
QImage fewColours() {
    QImage picture(13, 9, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int index = (x + 3 * y) % 16;
            picture.setPixel(x, y, qRgb(index * 16, 255 - index * 9, index * 41 % 256));
        }
    }
    return picture;
}

} // namespace

QList<QByteArray> jpeg() {
    const QImage picture = fixtures::smoothPicture(24, 17);
    return {
        orvandel::imaging::encodeJpeg(picture),
        fixtures::encodeJpegAs(picture, JpegColourModel::Colour, JpegScans::Progressive),
        fixtures::encodeJpegAs(picture, JpegColourModel::Grey),
        fixtures::encodeJpegAs(picture, JpegColourModel::AdobeCmyk),
        fixtures::encodeJpegAs(picture, JpegColourModel::AdobeYcck, JpegScans::Progressive),
        fixtures::encodeJpegAs(picture, JpegColourModel::PlainCmyk),
    };
}

QList<QByteArray> png() {
    const QImage picture = smallPicture();
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    return {
        fixtures::encodePng(picture, PngFormat{2, 8}),
        fixtures::encodePng(withAlpha(picture), PngFormat{6, 16, PngInterlace::Adam7}),
        fixtures::encodePng(grey, PngFormat{0, 4}),
        fixtures::encodePng(withAlpha(grey), PngFormat{4, 8}),
        fixtures::encodePng(fewColours(), PngFormat{3, 4, PngInterlace::Adam7}),
        fixtures::encodePng(picture, PngFormat{2, 16, PngInterlace::None, picture.pixel(2, 2)}),
    };
}

QList<QByteArray> tiff() {
    const QImage picture = smallPicture();
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    return {
        fixtures::encodeTiff(picture),
        fixtures::encodeTiff(picture,
                             {TiffPhotometric::Rgb, 8, TiffAlpha::None, TiffCompression::Lzw}),
        fixtures::encodeTiff(withAlpha(picture), {TiffPhotometric::Rgb, 16, TiffAlpha::Unassociated,
                                                  TiffCompression::Deflate}),
        fixtures::encodeTiff(
            grey, {TiffPhotometric::Grey, 16, TiffAlpha::None, TiffCompression::PackBits}),
        fixtures::encodeTiff(withAlpha(grey), {TiffPhotometric::Grey, 8, TiffAlpha::Associated}),
        fixtures::encodeTiff(fewColours(), {TiffPhotometric::Palette, 8}),
    };
}

} // namespace seeds
