#pragma once

#include <QPushButton>

namespace orvandel::inline forms {

// A push button whose caption wraps onto several lines, with its picture under the caption; the
// toolkit's own button keeps a caption on one line and its picture beside it.
class WrappingButton : public QPushButton {
public:
    explicit WrappingButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace orvandel::inline forms
