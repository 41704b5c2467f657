#include "CalendarFonts.h"

namespace orvandel::calendar {

QFont calendarFont(int points, int dotsPerInch) {
    // DejaVu Sans stands in for the desktop's default face, which Linux does not ship.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize((points * dotsPerInch + 36) / 72);
    return font;
}

} // namespace orvandel::calendar
