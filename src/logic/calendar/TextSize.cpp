#include "TextSize.h"

#include "CalendarFonts.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace orvandel::inline logic::MyFuncUtils {

namespace {

int lineWidth(const QString& line, const QFontMetrics& metrics) {
    const int tabStop = 8 * metrics.averageCharWidth();
    int width = 0;
    const QStringList pieces = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        width += metrics.horizontalAdvance(pieces[i]);
        if (i + 1 < pieces.size() && tabStop > 0)
            width = (width / tabStop + 1) * tabStop;
    }
    return width;
}

} // namespace

QSize TextSize(const QString& Phrase, const QFont* Police) {
    const QFontMetrics metrics(Police ? *Police : calendarFont(8));
    QString text = Phrase;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), '\n');
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, lineWidth(line, metrics));
    return {width, static_cast<int>(lines.size()) * metrics.height()};
}

} // namespace orvandel::inline logic::MyFuncUtils
