#pragma once

#include "desktop/WallpaperSetter.h"

#include <memory>

namespace orvandel::desktop {

// The setter of the running desktop, or nullptr when no back-end fits this session.
std::unique_ptr<WallpaperSetter> createWallpaperSetter();

} // namespace orvandel::desktop
