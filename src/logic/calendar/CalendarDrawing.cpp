#include "CalendarDrawing.h"

#include "CalendarTables.h"
#include "TextSize.h"
#include "imaging/Stretch.h"

#include <QFontMetrics>
#include <QPainter>

namespace orvandel::inline logic {

namespace {

const QColor Maroon(128, 0, 0);
const QColor Purple(128, 0, 128);
const QColor Navy(0, 0, 128);
const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
// The preview may hold nothing; the calendar then stands on a quiet dark blue.
const QColor BlankBackground(24, 32, 48);

constexpr int FrameWidth = 180;
constexpr int FrameHeight = 165;
constexpr int TitleLineY = 20;
constexpr int FirstDayRowY = 40;
constexpr int WeekRowHeight = 20;

// Text is placed by the top-left corner of its cell, as the desktop draws it.
void drawTextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void drawMonthFrame(QPainter& painter, int month, int screenWidth, int dotsPerInch) {
    const QPoint corner = PosMois(month, screenWidth);
    painter.setPen(QPen(Maroon, 1));
    painter.setBrush(Qt::NoBrush);
    // Outline from (X, Y) to (X + 180, Y + 165), the right and bottom ends excluded.
    painter.drawRoundedRect(QRect(corner.x(), corner.y(), FrameWidth - 1, FrameHeight - 1), 10, 10);
    painter.drawLine(corner.x(), corner.y() + TitleLineY, corner.x() + FrameWidth - 1,
                     corner.y() + TitleLineY);

    // The title's offset is measured in the default 8-point font, not the 14-point one it is
    // drawn in, which puts it left of the frame's centre.
    const int LargeurTexte = MyFuncUtils::TextSize(Mois[month - 1]).width();
    painter.setFont(calendarFont(14, dotsPerInch));
    painter.setPen(Purple);
    drawTextAt(painter, corner.x() + MargeMois(LargeurTexte), corner.y(), Mois[month - 1]);

    painter.setFont(calendarFont(12, dotsPerInch));
    painter.setPen(Navy);
    for (int i = 0; i < 7; ++i)
        drawTextAt(painter, corner.x() + 5 + 25 * i, corner.y() + TitleLineY, Jour[i]);
}

// The column of a weekday, Sunday first.
int dayColumn(int isoWeekday) {
    return isoWeekday == 7 ? 5 : 5 + 25 * isoWeekday;
}

void drawDayNumbers(QPainter& painter, QDate today, int screenWidth, int dotsPerInch) {
    painter.setFont(calendarFont(12, dotsPerInch));
    const QFontMetrics metrics = painter.fontMetrics();
    int cJourY = FirstDayRowY;
    for (QDate date(today.year(), 1, 1); date.year() == today.year(); date = date.addDays(1)) {
        if (date.day() == 1)
            cJourY = FirstDayRowY;
        else if (date.dayOfWeek() == 7)
            cJourY += WeekRowHeight;
        const QString text = QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
        const QPoint corner = PosMois(date.month(), screenWidth);
        const int x = corner.x() + dayColumn(date.dayOfWeek());
        const int y = corner.y() + cJourY;
        if (date == today) {
            painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), White);
            painter.setPen(Red);
        } else {
            const bool fridayOrSaturday = date.dayOfWeek() == 5 || date.dayOfWeek() == 6;
            painter.setPen(fridayOrSaturday ? Red : White);
        }
        drawTextAt(painter, x, y, text);
    }
}

} // namespace

QImage calendarBase(const QImage& preview, QSize screen) {
    if (preview.isNull()) {
        QImage blank(screen, QImage::Format_RGB32);
        blank.fill(BlankBackground);
        return blank;
    }
    return imaging::stretchPicture(preview, screen).convertToFormat(QImage::Format_RGB32);
}

void drawCalendar(QImage& picture, QDate today, int dotsPerInch) {
    QPainter painter(&picture);
    // Frames and lines are placed pixel for pixel; only the text is smoothed.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (int month = 1; month <= 12; ++month)
        drawMonthFrame(painter, month, picture.width(), dotsPerInch);
    drawDayNumbers(painter, today, picture.width(), dotsPerInch);
}

} // namespace orvandel::inline logic
