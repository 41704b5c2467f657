#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

namespace orvandel::inline forms {

// Draws the rows of the picture list `Lst_Images` (its `Lst_ImagesDrawItem`): alternate white and
// pale blue-grey rows, the selected row lavender with its name in blue bold italic, and the row
// icon at the start of every row.
class PictureListDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int RowHeight = 16;

    PictureListDelegate(QPixmap rowIcon, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QPixmap icon;
};

} // namespace orvandel::inline forms
