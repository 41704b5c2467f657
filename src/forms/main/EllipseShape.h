#pragma once

#include <QColor>
#include <QWidget>

namespace orvandel::inline forms {

// A small filled ellipse with a white outline that reacts to a press of any mouse button.
class EllipseShape final : public QWidget {
    Q_OBJECT

public:
    explicit EllipseShape(QWidget* parent = nullptr);

    void setBrushColor(const QColor& color);

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor brushColor = Qt::white;
};

} // namespace orvandel::inline forms
