#pragma once

#include <QObject>

class QListWidget;

namespace orvandel::inline forms {

// Tells of a mouse press on a list's current row. Pressing that row again changes nothing the
// list reports, yet a click on any row must preview its picture, also after the preview has
// moved on to another picture.
class CurrentRowPresses final : public QObject {
    Q_OBJECT

public:
    explicit CurrentRowPresses(QListWidget& list);

signals:
    void pressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget& list;
};

} // namespace orvandel::inline forms
