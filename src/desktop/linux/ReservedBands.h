#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <span>
#include <vector>

namespace orvandel::desktop {

// A band along an edge of the whole X11 screen that a panel or dock keeps for itself
// (_NET_WM_STRUT_PARTIAL): its depth from that edge, and the rows or columns it spans.
struct ReservedBand {
    enum class Edge { Left, Right, Top, Bottom };
    Edge edge;
    int depth;
    int first;
    int last;
};

// The part of `screen` (in the coordinates of the whole X11 screen of `rootSize`) that the bands
// leave to windows; a band that does not reach the screen leaves it whole.
QRect areaLeftByBands(QRect screen, QSize rootSize, std::span<const ReservedBand> bands);

// The bands of one window's _NET_WM_STRUT_PARTIAL (12 values) or _NET_WM_STRUT (4 values, each
// band spanning the whole edge).
void appendReservedBands(std::span<const std::uint32_t> strut, QSize rootSize,
                         std::vector<ReservedBand>& bands);

} // namespace orvandel::desktop
