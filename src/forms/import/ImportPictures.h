#pragma once

#include <QPixmap>

namespace orvandel::import_pictures {

// The import dialog's own pictures, painted here rather than shipped as files.
QPixmap bandPicture();        // 48 × 48: a framed photograph
QPixmap chooserPicture();     // 64 × 64: an open folder holding a photograph
QPixmap addPicture();         // 130 × 130: a photograph with a green plus
QPixmap placeholderPicture(); // 325 × 280: an empty frame waiting for a picture

} // namespace orvandel::import_pictures
