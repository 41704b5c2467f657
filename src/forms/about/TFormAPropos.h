#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TFormAPropos;
}

namespace orvandel::inline forms {

// The about window: the program's name and version on a gradient, borderless with rounded
// corners, dragged by its top band and hidden by its close picture.
class TFormAPropos final : public QWidget {
    Q_OBJECT

public:
    explicit TFormAPropos(QWidget* parent = nullptr);
    ~TFormAPropos() override;

    // Shows the window beside the mouse cursor, in front of the others and active.
    void Show();

    void FormActivate();
    void FormPosition();
    void Image2Click();

protected:
    bool event(QEvent* event) override;

private:
    std::unique_ptr<Ui::TFormAPropos> ui;
};

} // namespace orvandel::inline forms
