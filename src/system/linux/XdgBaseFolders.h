#pragma once

#include <QString>

namespace orvandel::system {

// The user's XDG base folders: the variable's value when it is an absolute path, the usual folder
// below the home folder otherwise, each read by its bytes.
QString xdgConfigHome();
QString xdgCacheHome();

} // namespace orvandel::system
