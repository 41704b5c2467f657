#pragma once

#include "CalendarFonts.h"

#include <QDate>
#include <QImage>
#include <QSize>

namespace orvandel::inline logic {

// The picture the calendar is drawn on: `preview` stretched to the screen's size without keeping
// its proportions, or a blank picture of that size when the preview holds none.
QImage calendarBase(const QImage& preview, QSize screen);

// Where a month's title starts from its frame's left edge, for a name `LargeurTexte` pixels wide.
constexpr int MargeMois(int LargeurTexte) {
    return (180 - LargeurTexte) / 2 - 30;
}

// Draws the twelve months of `today`'s year into the top-right area of `picture`, today's number
// picked out in red on a white box. Drawing twice draws over the earlier calendar.
void drawCalendar(QImage& picture, QDate today, int dotsPerInch = DefaultDotsPerInch);

} // namespace orvandel::inline logic
