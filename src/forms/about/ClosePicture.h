#pragma once

#include <QLabel>

namespace orvandel::inline forms {

// The close picture of the small windows: clicking it (press and release over it) raises clicked.
// It takes the press, so a drag band under it does not start a move.
class ClosePicture final : public QLabel {
    Q_OBJECT

public:
    explicit ClosePicture(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace orvandel::inline forms
