#pragma once

#include <QPixmap>

namespace orvandel::inline forms {

// The close button of the small windows: a red round button with a white cross, 48 x 48, shown
// stretched smaller. Painted here rather than shipped as a picture file.
QPixmap closeButtonPicture();

// The about window's 32 x 32 computer monitor.
QPixmap monitorPicture();

} // namespace orvandel::inline forms
