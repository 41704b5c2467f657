#include "MainWindowLook.h"

#include "MainWindowPictures.h"
#include "PictureListDelegate.h"
#include "components/tray/TImageList.h"
#include "ui_TFOrvandel.h"

#include <QAbstractItemView>
#include <QMenu>

namespace orvandel::inline forms {

namespace {

const QColor Desert(255, 225, 164);
const QColor Maroon(128, 0, 0);
const QColor ChangeGreen(0, 160, 0);
const QColor ReduceRed(220, 0, 0);
constexpr int ComboCellHeight = 14;
constexpr int ListCharacterHeight = 13;

QFont browserFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(ListCharacterHeight);
    return font;
}

void paintDesert(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, Desert);
    palette.setColor(QPalette::Window, Desert);
    palette.setColor(QPalette::Text, Maroon);
    palette.setColor(QPalette::WindowText, Maroon);
    palette.setColor(QPalette::ButtonText, Maroon);
    widget.setPalette(palette);
    widget.setFont(browserFont());
}

void dressAlbumBrowser(Ui::TFOrvandel& ui) {
    paintDesert(*ui.ComboBoxAlbum);
    // Typed text stays as typed: no completion may pick an album the user did not write.
    ui.ComboBoxAlbum->setCompleter(nullptr);
    for (int index = 0; index < ui.ComboBoxAlbum->count(); ++index)
        ui.ComboBoxAlbum->setItemData(index, QSize(0, ComboCellHeight), Qt::SizeHintRole);
    paintDesert(*ui.ComboBoxAlbum->view());
    paintDesert(*ui.Lst_Images);
    ui.Lst_Images->setItemDelegate(new PictureListDelegate(pictureRowIcon(), ui.Lst_Images));
}

// The main panel's gradient, its properties in the order the panel takes them: the named scheme
// comes after the colours.
void dressMainPanel(TXiPanel& XiPanelMain) {
    XiPanelMain.SetColorFace(clWhite);
    XiPanelMain.SetColorGrad(0x00A4E1FF);
    XiPanelMain.SetColorLight(0x00008FD5);
    XiPanelMain.SetColorDark(0x0000699B);
    XiPanelMain.SetColorScheme(TColorScheme::csDesert);
    XiPanelMain.SetFillDirection(TFillDirection::fdVertical);
    XiPanelMain.SetBevelOuter(TBevelCut::bvNone);
}

void dressPictures(Ui::TFOrvandel& ui) {
    ui.Image5->setIcon(slideShowButtonPicture());
    ui.Image6->setIcon(addPictureButtonPicture());
    ui.Image4->setIcon(helpButtonPicture());
    ui.Image3->setIcon(reduceButtonPicture());
    ui.Image7->setPixmap(mainWindowBanner());
    ui.Image2->setPixmap(previewFramePicture(ui.Image2->size()));
    ui.Shape1->setBrushColor(ChangeGreen);
    ui.Shape2->setBrushColor(ReduceRed);
    ui.BitBtn->setIcon(ui.ChangerFondEcran1->icon());
    ui.BBtnCalendrier->setIcon(ui.AfficherCalendrier1->icon());
}

void setMenuIcons(Ui::TFOrvandel& ui) {
    ui.AfficherLumi->setIcon(menuIcon(QStringLiteral("window-new"), u'A', QColor(40, 120, 200)));
    ui.ReduireApplication1->setIcon(menuIcon(QStringLiteral("go-down"), u'R', QColor(200, 40, 40)));
    ui.ChangerFondEcran1->setIcon(
        menuIcon(QStringLiteral("preferences-desktop-wallpaper"), u'C', QColor(0, 150, 60)));
    ui.AfficherCalendrier1->setIcon(
        menuIcon(QStringLiteral("x-office-calendar"), u'D', QColor(213, 143, 0)));
    ui.Aide1->setIcon(menuIcon(QStringLiteral("help-contents"), u'?', QColor(40, 80, 190)));
    ui.Options2->setIcon(
        menuIcon(QStringLiteral("preferences-system"), u'O', QColor(110, 110, 110)));
    ui.Apropos2->setIcon(menuIcon(QStringLiteral("help-about"), u'i', QColor(40, 80, 190)));
    ui.QuitterLumi->setIcon(menuIcon(QStringLiteral("application-exit"), u'Q', Maroon));
}

} // namespace

void dressMainWindow(Ui::TFOrvandel& ui) {
    setMenuIcons(ui);
    dressMainPanel(*ui.XiPanelMain);
    dressPictures(ui);
    dressAlbumBrowser(ui);
    ui.Panel1->hide();
}

TImageList* makeImageList1(Ui::TFOrvandel& ui, QWidget& owner) {
    auto* list = new TImageList(&owner);
    list->Add(programIcon().pixmap(32, 32));
    for (const QAction* action :
         {ui.AfficherLumi, ui.ReduireApplication1, ui.ChangerFondEcran1, ui.AfficherCalendrier1,
          ui.Aide1, ui.Options2, ui.Apropos2, ui.QuitterLumi})
        list->Add(action->icon().pixmap(16, 16));
    return list;
}

QMenu* makePopupMenu(Ui::TFOrvandel& ui, QWidget& owner) {
    auto* menu = new QMenu(&owner);
    menu->addActions({ui.AfficherLumi, ui.ReduireApplication1});
    menu->addSeparator();
    menu->addActions({ui.ChangerFondEcran1, ui.AfficherCalendrier1});
    menu->addSeparator();
    menu->addActions({ui.Aide1, ui.Options2, ui.Apropos2});
    menu->addSeparator();
    menu->addAction(ui.QuitterLumi);
    menu->setDefaultAction(ui.AfficherLumi);
    ui.XiPanelMain->addActions(menu->actions());
    return menu;
}

} // namespace orvandel::inline forms
