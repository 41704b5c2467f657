#pragma once

class QMenu;
class QWidget;

namespace orvandel::inline components {
class TImageList;
}

namespace Ui {
class TFOrvandel;
}

namespace orvandel::inline forms {

// The main window's pictures, colours and fonts, which the stored layout cannot hold.
void dressMainWindow(Ui::TFOrvandel& ui);

// The popup menu `PopupMenu` over the layout's actions, with its icons, the first item default.
// Its shortcuts act while the focus is inside the main panel.
QMenu* makePopupMenu(Ui::TFOrvandel& ui, QWidget& owner);

// `ImageList1`: the tray icon's picture first, then the menu's icons.
TImageList* makeImageList1(Ui::TFOrvandel& ui, QWidget& owner);

} // namespace orvandel::inline forms
