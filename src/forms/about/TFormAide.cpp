#include "forms/about/TFormAide.h"

#include "forms/common/RoundedShape.h"
#include "forms/common/WindowPlacement.h"
#include "ui_TFormAide.h"

namespace orvandel::inline forms {
namespace {

constexpr int CornerEllipse = 30;

} // namespace

TFormAide::TFormAide(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::TFormAide>()) {
    ui->setupUi(this);
    connect(ui->Image1, &ClosePicture::clicked, this, &TFormAide::Image1Click);
    opensCentred(*this);
}

TFormAide::~TFormAide() = default;

void TFormAide::Show() {
    show();
    raise();
    activateWindow();
}

void TFormAide::FormActivate() {
    applyRoundedShape(*this, CornerEllipse, CornerEllipse);
}

void TFormAide::Image1Click() {
    hide();
}

bool TFormAide::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

} // namespace orvandel::inline forms
