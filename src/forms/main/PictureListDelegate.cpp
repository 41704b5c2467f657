#include "PictureListDelegate.h"

#include <QAbstractItemView>
#include <QPainter>

namespace orvandel::inline forms {

namespace {

const QColor OddRow(238, 243, 244);
const QColor EvenRow(Qt::white);
const QColor SelectedRow(197, 209, 248);
const QColor SelectedText(0, 0, 255);
constexpr int TextLeft = 30;
constexpr int TextTop = 2;
constexpr int IconLeft = 4;

// A row spans the whole width of the list, whatever the length of its name.
QRect fullRow(const QStyleOptionViewItem& option) {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const int width = view ? view->viewport()->width() : option.rect.width();
    return {0, option.rect.top(), width, option.rect.height()};
}

void drawName(QPainter& painter, const QRect& row, const QString& name) {
    const QRect textBox(row.left() + TextLeft, row.top() + TextTop, row.width(), row.height());
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
}

} // namespace

PictureListDelegate::PictureListDelegate(QPixmap rowIcon, QObject* parent)
    : QStyledItemDelegate(parent)
    , icon(std::move(rowIcon)) {}

void PictureListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    // Each row starts from the list's own font and colours; nothing carries over.
    painter->save();
    const QRect row = fullRow(option);
    const QString name = index.data(Qt::DisplayRole).toString();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->fillRect(row, index.row() % 2 == 1 ? OddRow : EvenRow);
    drawName(*painter, row, name);
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(row, SelectedRow);
        QFont emphasised = option.font;
        emphasised.setBold(true);
        emphasised.setItalic(true);
        painter->setFont(emphasised);
        painter->setPen(SelectedText);
        drawName(*painter, row, name);
    }
    const int iconTop = row.top() + (row.height() - icon.height()) / 2;
    painter->drawPixmap(row.left() + IconLeft, iconTop, icon);
    painter->restore();
}

QSize PictureListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {fullRow(option).width(), RowHeight};
}

} // namespace orvandel::inline forms
