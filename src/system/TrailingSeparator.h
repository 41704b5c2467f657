#pragma once

#include <QString>

namespace orvandel::system {

// Folders written as this platform writes them: ending with its separator ("/", "\" on Windows),
// a root keeping its own ("/", "C:\").

// `path` ending with the separator: one is added unless it is there already or `path` is empty.
QString withTrailingSeparator(const QString& path);

// `path` without one trailing separator, unless it is a root.
QString withoutTrailingSeparator(const QString& path);

} // namespace orvandel::system
