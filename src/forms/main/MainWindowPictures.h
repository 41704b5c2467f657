#pragma once

#include <QIcon>
#include <QPixmap>

namespace orvandel::inline forms {

// The main window's pictures, painted for this program.
QPixmap slideShowButtonPicture();
QPixmap addPictureButtonPicture();
QPixmap helpButtonPicture();
QPixmap reduceButtonPicture();
QPixmap mainWindowBanner();
// The frame around the preview: a border, transparent inside.
QPixmap previewFramePicture(QSize size);
// The icon at the start of each row of the picture list.
QPixmap pictureRowIcon();
// The program's icon: the tray icon and the window's.
QIcon programIcon();

// Menu and button icons: the desktop theme's when it has one, else a painted letter.
QIcon menuIcon(const QString& themeName, QChar letter, const QColor& color);

} // namespace orvandel::inline forms
