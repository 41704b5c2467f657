#pragma once

#include <QString>

namespace orvandel::inline common {

// The face every window and drawing uses where the desktop's default face (Tahoma, "MS Sans
// Serif") is meant: Linux ships neither, and Liberation Sans keeps their widths closely enough
// that texts fit the places they were laid out for.
inline const QString DefaultFaceName = QStringLiteral("Liberation Sans");

} // namespace orvandel::inline common
