#pragma once

#include <QFont>

namespace orvandel::inline logic {

// The dots per inch that point sizes are converted with, as on the usual desktop setting.
inline constexpr int DefaultDotsPerInch = 96;

// The default drawing face at `points`, converted to pixels the way the desktop converts font
// sizes (rounded points × dots per inch / 72), so that positions measured in pixels hold.
QFont calendarFont(int points, int dotsPerInch = DefaultDotsPerInch);

} // namespace orvandel::inline logic
