#pragma once

#include <QPoint>
#include <QString>

#include <array>

namespace orvandel::inline logic {

// Weekday abbreviations, Sunday first: the calendar's weeks run from Sunday to Saturday.
inline const std::array<QString, 7> Jour = {
    QStringLiteral("Di"), QStringLiteral("Lu"), QStringLiteral("Ma"), QStringLiteral("Me"),
    QStringLiteral("Je"), QStringLiteral("Ve"), QStringLiteral("Sa")};

inline const std::array<QString, 12> Mois = {
    QStringLiteral("Janvier"), QStringLiteral("Fevrier"),  QStringLiteral("Mars"),
    QStringLiteral("Avril"),   QStringLiteral("Mai"),      QStringLiteral("Juin"),
    QStringLiteral("Juillet"), QStringLiteral("Août"),     QStringLiteral("Septembre"),
    QStringLiteral("Octobre"), QStringLiteral("Novembre"), QStringLiteral("Decembre")};

// The top-left corner of month `month`'s frame (1 to 12) on a picture `screenWidth` wide: four
// rows of three frames against the top-right corner.
constexpr QPoint PosMois(int month, int screenWidth) {
    constexpr int ColumnOffsets[3] = {350, 720, 535}; // month mod 3 = 0, 1, 2
    return {screenWidth - ColumnOffsets[month % 3], 20 + 170 * ((month - 1) / 3)};
}

} // namespace orvandel::inline logic
