#include "HostileFixtures.h"
#include "PictureFixtures.h"
#include "Seeds.h"

// Scaled-down hostile pictures, a few kilobytes each: with them in the corpus the fuzzers try
// inputs of that size, where repeated records, entries and scans start to cost.
namespace seeds {

namespace hostile = fixtures::hostile;

QList<QByteArray> hostileWmf() {
    return {hostile::wideZigzagWmf(1000, 600, 2000)};
}

QList<QByteArray> hostileEmf() {
    return {hostile::zigzagPolygonEmf(1024, 1500), hostile::manyCurvesEmf(512, 300),
            hostile::manyFiguresEmf(512, 300),     hostile::emptyFiguresEmf(256, 2000),
            hostile::longTextEmf(256, 2000),       hostile::largeFrameEmf(4096, 100)};
}

QList<QByteArray> hostileIco() {
    return {hostile::repeatedEntryIco(300), hostile::truncatedPngIco(16, 512)};
}

QList<QByteArray> hostileBmp() {
    return {hostile::shortRleBmp(4096)};
}

QList<QByteArray> hostileJpeg() {
    return {hostile::arithmeticJpegClaiming(4096),
            hostile::emptyScansJpeg(1024, 50, 2000, fixtures::JpegCoding::Huffman),
            hostile::emptyScansJpeg(256, 50, 0, fixtures::JpegCoding::Arithmetic),
            hostile::pictureWithEmptyScans(48, 40)};
}

QList<QByteArray> hostilePng() {
    return {hostile::withChunk(fixtures::pngFile(fixtures::patternPicture()), "tEXt", 5000),
            hostile::largeGreyPng(512)};
}

QList<QByteArray> hostileTiff() {
    return {hostile::oversizedTileTiff(2048)};
}

} // namespace seeds
