#pragma once

#include <QIcon>
#include <QPixmap>

namespace orvandel::MainWindowPictures {

// The main window's pictures, painted for this program.
QPixmap slideShowButton();
QPixmap addPictureButton();
QPixmap helpButton();
QPixmap reduceButton();
QPixmap banner();
// The frame around the preview: a border, transparent inside.
QPixmap previewFrame(QSize size);
// The icon at the start of each row of the picture list.
QPixmap pictureRowIcon();
// The program's icon: the tray icon and the window's.
QIcon programIcon();

// Menu and button icons: the desktop theme's when it has one, else a painted letter.
QIcon menuIcon(const QString& themeName, QChar letter, const QColor& color);

} // namespace orvandel::MainWindowPictures
