#include "BmpRle.h"

#include "BmpPixels.h"
#include "imaging/PictureBuffer.h"

#include <algorithm>
#include <vector>

namespace orvandel::imaging::bmp {

namespace {

// Receives the decoded rows in stored order, bottom row first.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void row(const QRgb* pixels) = 0;
    // `count` rows of nothing but the fill colour.
    virtual void blankRows(std::int64_t count) = 0;
};

// Rows copied into a full-size picture filled beforehand.
class FullSizeRows final : public RowSink {
public:
    FullSizeRows(QImage& target, std::int64_t height)
        : picture(target)
        , nextRow(height - 1) {}

    void row(const QRgb* pixels) override {
        std::copy_n(pixels, picture.width(),
                    reinterpret_cast<QRgb*>(picture.scanLine(static_cast<int>(nextRow--))));
    }
    void blankRows(std::int64_t count) override { nextRow -= count; }

private:
    QImage& picture;
    std::int64_t nextRow;
};

// Rows averaged, `factor` × `factor` pixels into one, as they arrive.
class ReducedRows final : public RowSink {
public:
    ReducedRows(QImage& target, std::int64_t width, std::int64_t height, int factor, QRgb fill)
        : picture(target)
        , sourceWidth(width)
        , sourceRow(height - 1)
        , reduction(factor)
        , fillColour(fill)
        , sums(static_cast<std::size_t>(target.width()) * 3, 0)
        , columnsPerPixel(static_cast<std::size_t>(target.width()), factor) {
        columnsPerPixel.back() =
            static_cast<int>(width - std::int64_t{factor} * (target.width() - 1));
    }

    void row(const QRgb* pixels) override {
        startRow();
        for (std::int64_t x = 0; x < sourceWidth; ++x) {
            std::uint64_t* sum = &sums[static_cast<std::size_t>(x / reduction) * 3];
            sum[0] += qRed(pixels[x]);
            sum[1] += qGreen(pixels[x]);
            sum[2] += qBlue(pixels[x]);
        }
        endRow();
    }

    void blankRows(std::int64_t count) override {
        for (; count > 0; --count) {
            startRow();
            for (std::size_t column = 0; column < columnsPerPixel.size(); ++column) {
                const int columns = columnsPerPixel[column];
                sums[column * 3] += std::uint64_t(qRed(fillColour)) * columns;
                sums[column * 3 + 1] += std::uint64_t(qGreen(fillColour)) * columns;
                sums[column * 3 + 2] += std::uint64_t(qBlue(fillColour)) * columns;
            }
            endRow();
        }
    }

private:
    void startRow() { ++rowsSummed; }

    // Writes the output row once every source row it stands for has been added.
    void endRow() {
        const std::int64_t target = sourceRow / reduction;
        --sourceRow;
        if (sourceRow >= 0 && sourceRow / reduction == target)
            return;
        auto* pixels = reinterpret_cast<QRgb*>(picture.scanLine(static_cast<int>(target)));
        for (std::size_t column = 0; column < columnsPerPixel.size(); ++column) {
            const std::uint64_t count = std::uint64_t(columnsPerPixel[column]) * rowsSummed;
            const auto average = [&](std::size_t channel) {
                return static_cast<int>((sums[column * 3 + channel] + count / 2) / count);
            };
            pixels[column] = qRgb(average(0), average(1), average(2));
        }
        std::fill(sums.begin(), sums.end(), 0);
        rowsSummed = 0;
    }

    QImage& picture;
    std::int64_t sourceWidth;
    // The picture row, counted from the top, that the next source row is.
    std::int64_t sourceRow;
    int reduction;
    QRgb fillColour;
    std::vector<std::uint64_t> sums;
    std::vector<int> columnsPerPixel;
    std::uint64_t rowsSummed = 0;
};

void decodeIndexed4(const std::uint8_t* source, QRgb* target, int width, const Palette& palette) {
    for (int x = 0; x < width; ++x) {
        const std::uint8_t pair = source[x >> 1];
        target[x] = palette[(x & 1) != 0 ? pair & 0x0F : pair >> 4];
    }
}

// Walks an RLE stream into one row at a time; every write is checked against the row first.
class RleDecoder {
public:
    RleDecoder(ByteView data, const DibHeader& header, const Palette& palette, RowSink& rows,
               Container container)
        : stream(data)
        , layout(header)
        , colours(palette)
        , sink(rows)
        , origin(container)
        , line(static_cast<std::size_t>(header.width), palette[0]) {}

    void run() {
        // A stream may stop after its last row without the end-of-bitmap marker.
        while (y < layout.height) {
            const std::uint8_t count = next();
            const std::uint8_t value = next();
            if (count > 0)
                writeRun(count, value);
            else if (!escape(value))
                break;
        }
        if (y < layout.height) {
            sink.row(line.data());
            sink.blankRows(layout.height - y - 1);
        }
    }

private:
    std::uint8_t next() {
        if (position >= stream.size())
            fail(origin, QStringLiteral("données RLE tronquées."));
        return stream[position++];
    }

    void checkRoom(std::int64_t pixels) const {
        if (x + pixels > layout.width)
            fail(origin, QStringLiteral("données RLE hors de l'image."));
    }

    // Hands over the current row and the `down - 1` rows skipped after it.
    void moveDown(std::int64_t down) {
        if (down == 0)
            return;
        sink.row(line.data());
        std::fill(line.begin(), line.end(), colours[0]);
        sink.blankRows(std::min(down, layout.height - y) - 1);
        y += down;
    }

    // Returns false at the end-of-bitmap marker.
    bool escape(std::uint8_t code) {
        switch (code) {
        case 0:
            x = 0;
            moveDown(1);
            return true;
        case 1:
            return false;
        case 2: {
            const std::uint8_t right = next();
            const std::uint8_t down = next();
            if (x + right > layout.width || y + down > layout.height)
                fail(origin, QStringLiteral("données RLE hors de l'image."));
            x += right;
            moveDown(down);
            return true;
        }
        default:
            writeAbsolute(code);
            return true;
        }
    }

    void writeRun(int count, std::uint8_t value) {
        checkRoom(count);
        QRgb* target = line.data() + x;
        const bool fourBits = layout.compression == Compression::Rle4;
        // RLE4 runs alternate the two colours of their byte.
        const QRgb pair[2] = {colours[fourBits ? value >> 4 : value],
                              colours[fourBits ? value & 0x0F : value]};
        for (int index = 0; index < count; ++index)
            target[index] = pair[index & 1];
        x += count;
    }

    void writeAbsolute(int count) {
        checkRoom(count);
        const bool fourBits = layout.compression == Compression::Rle4;
        const std::size_t length = fourBits ? (count + 1) / 2 : count;
        if (stream.size() - position < length)
            fail(origin, QStringLiteral("données RLE tronquées."));
        const std::uint8_t* source = stream.data() + position;
        QRgb* target = line.data() + x;
        if (fourBits)
            decodeIndexed4(source, target, count, colours);
        else
            for (int index = 0; index < count; ++index)
                target[index] = colours[source[index]];
        // Absolute runs are padded to a 16-bit boundary.
        position = std::min(position + length + (length & 1), stream.size());
        x += count;
    }

    ByteView stream;
    const DibHeader& layout;
    const Palette& colours;
    RowSink& sink;
    Container origin;
    std::vector<QRgb> line;
    std::size_t position = 0;
    std::int64_t x = 0;
    // Counted from the first stored row, the bottom one.
    std::int64_t y = 0;
};

std::int64_t reducedLength(std::int64_t length, int factor) {
    return (length + factor - 1) / factor;
}

} // namespace

int rleReduction(std::int64_t width, std::int64_t height, QSize bound) {
    if (bound.isEmpty())
        return 1;
    const std::int64_t byWidth = width / bound.width();
    const std::int64_t byHeight = height / bound.height();
    auto factor =
        static_cast<int>(std::clamp<std::int64_t>(std::min(byWidth, byHeight), 1, 1 << 16));
    // Rounding up may still cover the bound with one more.
    while (reducedLength(width, factor + 1) >= bound.width() &&
           reducedLength(height, factor + 1) >= bound.height())
        ++factor;
    return factor;
}

QImage decodeRle(ByteView data, const DibHeader& header, const Palette& palette, int reduction,
                 Container container) {
    QImage picture =
        newPicture(reducedLength(header.width, reduction), reducedLength(header.height, reduction),
                   QImage::Format_RGB32, formatName(container));
    if (reduction == 1) {
        picture.fill(palette[0]);
        FullSizeRows rows(picture, header.height);
        RleDecoder(data, header, palette, rows, container).run();
    } else {
        ReducedRows rows(picture, header.width, header.height, reduction, palette[0]);
        RleDecoder(data, header, palette, rows, container).run();
    }
    return picture;
}

} // namespace orvandel::imaging::bmp
