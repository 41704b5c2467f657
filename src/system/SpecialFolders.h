#pragma once

#include <QString>

#include <optional>

namespace orvandel::system {

// The folder the system keeps for a purpose named by its Windows CSIDL value (39 the user's
// pictures, 0 the desktop, 5 the documents...), without a trailing separator; nothing for a value
// this system has no folder for.
std::optional<QString> specialFolder(int csidl);

} // namespace orvandel::system
