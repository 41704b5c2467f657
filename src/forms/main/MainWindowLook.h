#pragma once

class QMenu;
class QWidget;

namespace Ui {
class TFOrvandel;
}

namespace orvandel {

// The main window's pictures, colours and fonts, which the stored layout cannot hold.
void dressMainWindow(Ui::TFOrvandel& ui);

// The popup menu `PopupMenu` over the layout's actions, with its icons, the first item default.
// Its shortcuts act while the focus is inside the main panel.
QMenu* makePopupMenu(Ui::TFOrvandel& ui, QWidget& owner);

} // namespace orvandel
