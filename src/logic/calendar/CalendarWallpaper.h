#pragma once

#include <QImage>
#include <QString>

namespace orvandel::inline logic {

// The calendar wallpaper's file: "MonPapierPeint.bmp" in the album root beside the program.
QString calendarWallpaperPath(const QString& executableFolder);

// Saves the composed calendar as a BMP file in one step, so that a failed save leaves the earlier
// file whole, and returns its path.
QString saveCalendarWallpaper(const QImage& composed, const QString& executableFolder);

} // namespace orvandel::inline logic
