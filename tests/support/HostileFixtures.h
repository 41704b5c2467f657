#pragma once

#include "CodecFixtures.h"

#include <QByteArray>

// Small files that ask a decoder for far more time or memory than their size suggests, for the
// tests, the benchmark and the fuzzers' seeds. Sizes are in pixels of the picture the file claims.
namespace fixtures::hostile {

// WMF: a pen `penWidth` units wide drawing one polyline of `points` points that zigzags from the
// top to the bottom of a `side` × `side` picture.
QByteArray wideZigzagWmf(int side, int points, int penWidth);

// EMF: one Polygon16 of `points` points zigzagging from the top to the bottom of the picture.
QByteArray zigzagPolygonEmf(int side, int points);

// EMF: one PolyBezier16 of `curves` curves, each sweeping across the whole picture.
QByteArray manyCurvesEmf(int side, int curves);

// EMF: one PolyPolygon16 of `figures` rectangles, each covering the whole picture.
QByteArray manyFiguresEmf(int side, int figures);

// EMF: one PolyPolygon16 of `figures` figures without a point.
QByteArray emptyFiguresEmf(int side, int figures);

// EMF: a red fill, then a StretchDIBits record of `bytes` bytes, which is not drawn.
QByteArray largeBitmapRecordEmf(int side, int bytes);

// EMF: one ExtTextOutW of `characters` characters.
QByteArray longTextEmf(int side, int characters);

// EMF: a frame of `side` × `side` pixels, filled `fills` times over.
QByteArray largeFrameEmf(int side, int fills);

// ICO: `entries` directory entries that all name one 256 × 256 24-bit picture without its mask.
QByteArray repeatedEntryIco(int entries);

// ICO: `entries` entries that all name one grey PNG of `side` × `side` whose data stops 1% short.
QByteArray truncatedPngIco(int entries, int side);

// JPEG: a 16 × 16 arithmetic-coded picture whose header claims `side` × `side`.
QByteArray arithmeticJpegClaiming(int side);

// JPEG: a progressive picture whose header claims `side` × `side`, padded with comments of
// `commentBytes` in all, followed by `scans` scans without data.
QByteArray emptyScansJpeg(int side, int scans, int commentBytes, JpegCoding coding);

// JPEG: a real progressive picture of `side` × `side` noise followed by `scans` scans without data.
QByteArray pictureWithEmptyScans(int side, int scans);

// BMP: RLE8 claiming `side` × `side` whose data ends at once.
QByteArray shortRleBmp(int side);

// TIFF: a 1 × 1 grey picture stored in one Deflate tile of `tileSide` × `tileSide`.
QByteArray oversizedTileTiff(int tileSide);

// `png` with an ancillary chunk of `type` and `length` bytes inserted after its header.
QByteArray withChunk(const QByteArray& png, const char* type, qsizetype length);

// A grey PNG of `side` × `side` in a gentle gradient, written row by row.
QByteArray largeGreyPng(int side);

} // namespace fixtures::hostile
