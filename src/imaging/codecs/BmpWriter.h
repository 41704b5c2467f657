#pragma once

#include <QImage>
#include <QString>

namespace orvandel::imaging {

// Writes a 24-bit bottom-up BMP through a temporary file and a rename.
void writeBmp24(const QImage& picture, const QString& path);

} // namespace orvandel::imaging
