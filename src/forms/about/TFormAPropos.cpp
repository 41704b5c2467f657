#include "forms/about/TFormAPropos.h"

#include "forms/about/AboutPictures.h"
#include "forms/common/DragBand.h"
#include "forms/common/RoundedShape.h"
#include "forms/common/WindowPlacement.h"
#include "ui_TFormAPropos.h"

namespace orvandel::inline forms {
namespace {

constexpr int CornerEllipse = 20;
constexpr int DragBandHeight = 20;

} // namespace

TFormAPropos::TFormAPropos(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::TFormAPropos>()) {
    ui->setupUi(this);
    ui->Image1->setPixmap(monitorPicture());
    connect(ui->Image2, &ClosePicture::clicked, this, &TFormAPropos::Image2Click);
    // The band lies over the gradient panel and the icon; the close picture keeps its clicks.
    auto* dragBand = new DragBand(*this, DragBandHeight);
    dragBand->exclude(*ui->Image2);
}

TFormAPropos::~TFormAPropos() = default;

void TFormAPropos::Show() {
    FormPosition();
    show();
    raise();
    activateWindow();
}

void TFormAPropos::FormActivate() {
    applyRoundedShape(*this, CornerEllipse, CornerEllipse);
}

void TFormAPropos::FormPosition() {
    placeBesideCursor(*this);
}

void TFormAPropos::Image2Click() {
    hide();
}

bool TFormAPropos::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

} // namespace orvandel::inline forms
