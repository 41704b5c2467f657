#pragma once

#include <QString>
#include <QStringList>

namespace orvandel::inline logic {

// The albums the album choosers offer, in their order.
inline const QStringList AlbumNames = {
    QStringLiteral("Islamic"),       QStringLiteral("Nature"),    QStringLiteral("Espace"),
    QStringLiteral("Science"),       QStringLiteral("Animaux"),   QStringLiteral("Villes"),
    QStringLiteral("Auto-Moto"),     QStringLiteral("Militaire"), QStringLiteral("Sports"),
    QStringLiteral("Arts-Martiaux"), QStringLiteral("Santé"),     QStringLiteral("sagesse")};

} // namespace orvandel::inline logic
