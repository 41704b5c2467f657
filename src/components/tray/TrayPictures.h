#pragma once

#include "components/tray/TImageList.h"

namespace orvandel::inline components {

// The program's tray pictures, drawn here: a framed landscape whose sun crosses the sky, one
// picture per step, so that the list also serves as an animation. Size in pixels, square.
void addTrayPictures(TImageList& list, int size = 32);

} // namespace orvandel::inline components
