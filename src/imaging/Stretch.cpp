#include "Stretch.h"

#include "PictureBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace orvandel::imaging {

namespace {

constexpr int WeightBits = 14;
constexpr std::int32_t WeightOne = 1 << WeightBits;

// For every target index along one axis: the first source index it reads, how many, and their
// weights, which add up to exactly WeightOne.
struct AxisTaps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> offset;
    std::vector<std::int32_t> weights;

    void add(int start, const std::vector<double>& fractions) {
        first.push_back(start);
        count.push_back(static_cast<int>(fractions.size()));
        offset.push_back(static_cast<int>(weights.size()));
        std::int32_t total = 0;
        std::size_t largest = weights.size();
        for (const double fraction : fractions) {
            const auto weight = static_cast<std::int32_t>(std::lround(fraction * WeightOne));
            if (weights.size() == largest || weight > weights[largest])
                largest = weights.size();
            weights.push_back(weight);
            total += weight;
        }
        // Rounding must not brighten or darken a flat area.
        weights[largest] += WeightOne - total;
    }
};

AxisTaps areaTaps(int source, int target) {
    AxisTaps taps;
    const double scale = static_cast<double>(source) / target;
    std::vector<double> fractions;
    for (int i = 0; i < target; ++i) {
        const double start = i * scale;
        const double end = std::min<double>(source, (i + 1) * scale);
        const int firstIndex = static_cast<int>(std::floor(start));
        const int lastIndex = std::min(source - 1, static_cast<int>(std::ceil(end)) - 1);
        fractions.clear();
        for (int j = firstIndex; j <= lastIndex; ++j)
            fractions.push_back((std::min<double>(end, j + 1) - std::max<double>(start, j)) /
                                (end - start));
        taps.add(firstIndex, fractions);
    }
    return taps;
}

AxisTaps bilinearTaps(int source, int target) {
    AxisTaps taps;
    const double scale = static_cast<double>(source) / target;
    for (int i = 0; i < target; ++i) {
        const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, source - 1.0);
        const int left = static_cast<int>(std::floor(centre));
        const double fraction = centre - left;
        if (left + 1 < source)
            taps.add(left, {1.0 - fraction, fraction});
        else
            taps.add(left, {1.0});
    }
    return taps;
}

AxisTaps tapsFor(int source, int target) {
    return target < source ? areaTaps(source, target) : bilinearTaps(source, target);
}

QImage resizeRows(const QImage& source, int width) {
    if (width == source.width())
        return source;
    const AxisTaps taps = tapsFor(source.width(), width);
    QImage target = newPicture(width, source.height(), source.format(), QStringLiteral("étirée"));
    for (int y = 0; y < source.height(); ++y) {
        const uchar* in = source.constScanLine(y);
        uchar* out = target.scanLine(y);
        for (int x = 0; x < width; ++x) {
            std::int32_t sums[4] = {0, 0, 0, 0};
            const uchar* pixel = in + 4 * taps.first[x];
            const std::int32_t* weight = &taps.weights[taps.offset[x]];
            for (int k = 0; k < taps.count[x]; ++k, pixel += 4)
                for (int channel = 0; channel < 4; ++channel)
                    sums[channel] += weight[k] * pixel[channel];
            for (int channel = 0; channel < 4; ++channel)
                out[4 * x + channel] =
                    static_cast<uchar>((sums[channel] + WeightOne / 2) >> WeightBits);
        }
    }
    return target;
}

QImage resizeColumns(const QImage& source, int height) {
    if (height == source.height())
        return source;
    const AxisTaps taps = tapsFor(source.height(), height);
    QImage target = newPicture(source.width(), height, source.format(), QStringLiteral("étirée"));
    const int rowBytes = 4 * source.width();
    std::vector<std::int32_t> sums(static_cast<std::size_t>(rowBytes));
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), WeightOne / 2);
        const std::int32_t* weight = &taps.weights[taps.offset[y]];
        for (int k = 0; k < taps.count[y]; ++k) {
            const uchar* in = source.constScanLine(taps.first[y] + k);
            const std::int32_t w = weight[k];
            for (int i = 0; i < rowBytes; ++i)
                sums[static_cast<std::size_t>(i)] += w * in[i];
        }
        uchar* out = target.scanLine(y);
        for (int i = 0; i < rowBytes; ++i)
            out[i] = static_cast<uchar>(sums[static_cast<std::size_t>(i)] >> WeightBits);
    }
    return target;
}

} // namespace

QImage stretchPicture(const QImage& source, QSize size) {
    if (source.isNull() || size.isEmpty())
        return {};
    const QImage::Format format =
        source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const QImage input = source.convertToFormat(format);
    // Shrinking rows first leaves less for the column pass; growing them last does the same.
    if (size.width() <= input.width())
        return resizeColumns(resizeRows(input, size.width()), size.height());
    return resizeRows(resizeColumns(input, size.height()), size.width());
}

} // namespace orvandel::imaging
