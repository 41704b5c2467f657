#include "ReservedBands.h"

#include <algorithm>

namespace orvandel::desktop {

namespace {

using Edge = ReservedBand::Edge;

// The band as a rectangle of the whole X11 screen.
QRect bandRectangle(const ReservedBand& band, QSize root) {
    switch (band.edge) {
    case Edge::Left:
        return QRect(QPoint(0, band.first), QPoint(band.depth - 1, band.last));
    case Edge::Right:
        return QRect(QPoint(root.width() - band.depth, band.first),
                     QPoint(root.width() - 1, band.last));
    case Edge::Top:
        return QRect(QPoint(band.first, 0), QPoint(band.last, band.depth - 1));
    case Edge::Bottom:
        return QRect(QPoint(band.first, root.height() - band.depth),
                     QPoint(band.last, root.height() - 1));
    }
    return {};
}

// Takes the band's side off the area.
void cutAway(QRect& area, const ReservedBand& band, QSize root) {
    switch (band.edge) {
    case Edge::Left:
        area.setLeft(std::max(area.left(), band.depth));
        break;
    case Edge::Right:
        area.setRight(std::min(area.right(), root.width() - band.depth - 1));
        break;
    case Edge::Top:
        area.setTop(std::max(area.top(), band.depth));
        break;
    case Edge::Bottom:
        area.setBottom(std::min(area.bottom(), root.height() - band.depth - 1));
        break;
    }
}

} // namespace

QRect areaLeftByBands(QRect screen, QSize rootSize, std::span<const ReservedBand> bands) {
    QRect area = screen;
    for (const ReservedBand& band : bands) {
        if (band.depth > 0 && band.first <= band.last &&
            bandRectangle(band, rootSize).intersects(screen))
            cutAway(area, band, rootSize);
    }
    // Bands that would leave nothing are a panel's mistake: the screen stays usable.
    return area.isValid() ? area : screen;
}

void appendReservedBands(std::span<const std::uint32_t> strut, QSize rootSize,
                         std::vector<ReservedBand>& bands) {
    if (strut.size() != 4 && strut.size() != 12)
        return;
    const bool partial = strut.size() == 12;
    const auto value = [&](std::size_t index, int whole) {
        return partial ? static_cast<int>(std::min<std::uint32_t>(strut[index], 1u << 24)) : whole;
    };
    const int lastRow = rootSize.height() - 1;
    const int lastColumn = rootSize.width() - 1;
    const Edge edges[] = {Edge::Left, Edge::Right, Edge::Top, Edge::Bottom};
    for (std::size_t side = 0; side < 4; ++side) {
        const int depth = static_cast<int>(std::min<std::uint32_t>(strut[side], 1u << 24));
        if (depth <= 0)
            continue;
        const int whole = side < 2 ? lastRow : lastColumn;
        bands.push_back({edges[side], depth, value(4 + 2 * side, 0), value(5 + 2 * side, whole)});
    }
}

} // namespace orvandel::desktop
