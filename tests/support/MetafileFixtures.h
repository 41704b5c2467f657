#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRgb>
#include <QSize>
#include <QString>

#include <cstdint>

// WMF and EMF files built from lists of records, for the metafile tests and the fuzzers' seeds.
// Coordinates are logical units; colours become COLORREF values.
namespace fixtures::wmf {

// A record whose size is computed from its 16-bit parameters.
QByteArray record(std::uint16_t function, const QList<int>& words);
// The same with a stated size in words, to make damaged files.
QByteArray recordClaiming(std::uint32_t sizeInWords, std::uint16_t function,
                          const QList<int>& words);

QByteArray setWindowOrigin(int x, int y);
QByteArray setWindowExtent(int width, int height);
QByteArray setBackgroundColor(QRgb color);
QByteArray setBackgroundMode(int mode);
QByteArray setTextColor(QRgb color);
QByteArray setPolyFillMode(int mode);
QByteArray saveDc();
QByteArray restoreDc(int which);
QByteArray createPen(int style, int width, QRgb color);
QByteArray createBrush(int style, QRgb color, int hatch = 0);
QByteArray createFont(int height, int weight = 400);
QByteArray selectObject(int index);
QByteArray deleteObject(int index);
QByteArray moveTo(int x, int y);
QByteArray lineTo(int x, int y);
QByteArray rectangle(int left, int top, int right, int bottom);
QByteArray roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
QByteArray ellipse(int left, int top, int right, int bottom);
QByteArray polygon(const QList<QPoint>& points);
QByteArray polyline(const QList<QPoint>& points);
QByteArray polyPolygon(const QList<QList<QPoint>>& polygons);
QByteArray textOut(int x, int y, const QByteArray& text);
// With ETO_OPAQUE and its rectangle.
QByteArray extTextOutOpaque(int x, int y, const QByteArray& text, int left, int top, int right,
                            int bottom);

struct Box {
    int left;
    int top;
    int right;
    int bottom;
    int unitsPerInch;
};

// Placeable header, standard header, the records, then the end-of-file record.
QByteArray placeableFile(const Box& box, const QList<QByteArray>& records);
// No placeable header: the size comes from the first SetWindowExt record.
QByteArray plainFile(const QList<QByteArray>& records);

} // namespace fixtures::wmf

namespace fixtures::emf {

QByteArray record(std::uint32_t type, const QList<std::int32_t>& values);
// The same with a stated size in bytes, to make damaged files.
QByteArray recordClaiming(std::uint32_t size, std::uint32_t type,
                          const QList<std::int32_t>& values);

inline constexpr std::uint32_t StockObject = 0x80000000;
inline constexpr std::uint32_t WhiteBrush = StockObject + 0;
inline constexpr std::uint32_t BlackBrush = StockObject + 4;
inline constexpr std::uint32_t NullBrush = StockObject + 5;
inline constexpr std::uint32_t BlackPen = StockObject + 7;
inline constexpr std::uint32_t NullPen = StockObject + 8;

QByteArray setMapMode(int mode);
QByteArray setWindowExtent(int width, int height);
QByteArray setWindowOrigin(int x, int y);
QByteArray setViewportExtent(int width, int height);
QByteArray setViewportOrigin(int x, int y);
QByteArray setPolyFillMode(int mode);
QByteArray setBackgroundColor(QRgb color);
QByteArray setTextColor(QRgb color);
QByteArray saveDc();
QByteArray restoreDc(int which);
QByteArray createPen(std::uint32_t index, int style, int width, QRgb color);
QByteArray extCreatePen(std::uint32_t index, int width, QRgb color);
QByteArray createBrush(std::uint32_t index, int style, QRgb color, int hatch = 0);
QByteArray createFont(std::uint32_t index, int height);
QByteArray selectObject(std::uint32_t index);
QByteArray deleteObject(std::uint32_t index);
QByteArray moveTo(int x, int y);
QByteArray lineTo(int x, int y);
QByteArray rectangle(int left, int top, int right, int bottom);
QByteArray roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
QByteArray ellipse(int left, int top, int right, int bottom);
QByteArray polygon(const QList<QPoint>& points);
QByteArray polygon16(const QList<QPoint>& points);
QByteArray polyline16(const QList<QPoint>& points);
QByteArray polyBezier16(const QList<QPoint>& points);
QByteArray polyPolygon16(const QList<QList<QPoint>>& polygons);
QByteArray beginPath();
QByteArray endPath();
QByteArray closeFigure();
QByteArray fillPath();
QByteArray extTextOut(int x, int y, const QString& text);

struct Edges {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct Header {
    Edges bounds; // device pixels, inclusive
    Edges frame;  // 0.01 mm
    QSize devicePixels;
    QSize deviceMillimetres;
};

// A reference device of 4 pixels per millimetre and a frame of `size` of its pixels.
Header headerForPixels(QSize size);

// Header record, the records, then the end-of-file record.
QByteArray file(const Header& header, const QList<QByteArray>& records);

} // namespace fixtures::emf
