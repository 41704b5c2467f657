#include "WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace orvandel::inline forms {

namespace {

constexpr int Margin = 6;

} // namespace

WrappingButton::WrappingButton(QWidget* parent)
    : QPushButton(parent) {}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton bevel;
    initStyleOption(&bevel);
    bevel.text.clear();
    bevel.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, bevel);

    const QRect inside = rect().adjusted(Margin, Margin, -Margin, -Margin);
    const QSize picture = icon().isNull() ? QSize() : iconSize();
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap | Qt::TextShowMnemonic |
                      (picture.isEmpty() ? Qt::AlignVCenter : Qt::AlignTop);
    const QRect caption = painter.boundingRect(inside, flags, text());
    painter.drawItemText(picture.isEmpty() ? inside : caption, flags, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
    if (picture.isEmpty())
        return;
    const QRect below(inside.left(), caption.bottom() + Margin, inside.width(),
                      inside.bottom() - caption.bottom() - Margin);
    const QPixmap pixmap = icon().pixmap(picture, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    painter.drawItemPixmap(below, Qt::AlignCenter, pixmap);
}

} // namespace orvandel::inline forms
