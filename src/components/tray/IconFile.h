#pragma once

#include <QIcon>
#include <QString>

namespace orvandel::inline components {

// Reads a .ico file whatever its name; a missing, unreadable or damaged file throws
// orvandel::Error with a text for the user.
QIcon loadIconFile(const QString& path);

} // namespace orvandel::inline components
