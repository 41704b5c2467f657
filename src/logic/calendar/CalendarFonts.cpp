#include "CalendarFonts.h"

#include "common/DefaultFace.h"

namespace orvandel::inline logic {

QFont calendarFont(int points, int dotsPerInch) {
    QFont font(DefaultFaceName);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize((points * dotsPerInch + 36) / 72);
    return font;
}

} // namespace orvandel::inline logic
