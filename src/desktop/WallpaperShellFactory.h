#pragma once

#include "desktop/WallpaperShell.h"

#include <memory>

namespace orvandel::desktop {

// The shell of the running desktop, or nullptr when no back-end fits this session.
std::unique_ptr<WallpaperShell> createWallpaperShell();

} // namespace orvandel::desktop
