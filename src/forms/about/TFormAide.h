#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TFormAide;
}

namespace orvandel::inline forms {

// The help window: four hints on using the main window, on a gradient, borderless with rounded
// corners, hidden by its close picture.
class TFormAide final : public QWidget {
    Q_OBJECT

public:
    explicit TFormAide(QWidget* parent = nullptr);
    ~TFormAide() override;

    // Shows the window, centred on the screen the first time, in front of the others and active.
    void Show();

    void FormActivate();
    void Image1Click();

protected:
    bool event(QEvent* event) override;

private:
    std::unique_ptr<Ui::TFormAide> ui;
};

} // namespace orvandel::inline forms
