#pragma once

#include <QPixmap>

namespace orvandel::inline forms {

// The import dialog's own pictures, painted here rather than shipped as files.
QPixmap importBandPicture();        // 48 × 48: a framed photograph
QPixmap importChooserPicture();     // 64 × 64: an open folder holding a photograph
QPixmap importAddPicture();         // 130 × 130: a photograph with a green plus
QPixmap importPlaceholderPicture(); // 325 × 280: an empty frame waiting for a picture

} // namespace orvandel::inline forms
