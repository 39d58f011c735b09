#include "tvkit/view/QrCodeView.h"

#include "tvkit/render/Painter.h"

#include <algorithm>

namespace tvkit {

namespace {
// The blank margin, in modules, that readers need around the code.
constexpr int quietZone = 2;
} // namespace

QrCodeView::QrCodeView(std::string text) {
    setBackgroundColor(Color::white());
    setText(std::move(text));
}

void QrCodeView::setText(std::string text) {
    text_ = std::move(text);
    code_ = text_.empty() ? nullptr : QrCode::make(text_);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

Rect QrCodeView::codeRect() const {
    if (!code_) return {};
    const Rect b = bounds();
    const double side = std::min(b.width(), b.height());
    const int total = code_->moduleCount() + 2 * quietZone;
    const double module = side / total;
    const double codeSide = module * code_->moduleCount();
    return {b.midX() - codeSide / 2, b.midY() - codeSide / 2, codeSide, codeSide};
}

Size QrCodeView::intrinsicContentSize() const {
    if (!code_) return {noIntrinsicMetric, noIntrinsicMetric};
    const double side = (code_->moduleCount() + 2 * quietZone) * 4.0;
    return {side, side};
}

void QrCodeView::draw(Painter& painter) const {
    if (!code_) return;
    painter.drawImage(*code_, codeRect(), Color::black());
}

} // namespace tvkit
