#pragma once
// Shows a link as a QR code, so a viewer can open on a phone what a TV cannot: black modules on
// the view's background (white unless changed), inside a quiet zone of two modules. The code
// keeps square and centred whatever the view's shape.
//
//   auto code = View::make<QrCodeView>("https://example.com/privacy");
//   code->widthAnchor().equalToConstant(200);

#include "tvkit/render/QrCode.h"
#include "tvkit/view/View.h"

#include <memory>
#include <string>

namespace tvkit {

class QrCodeView : public View {
public:
    explicit QrCodeView(std::string text = {});
    std::string_view className() const override { return "QrCodeView"; }

    const std::string& text() const { return text_; }
    // An empty or unencodable text shows just the background.
    void setText(std::string text);
    const std::shared_ptr<const QrCode>& code() const { return code_; }

    // Where the modules land inside the bounds.
    Rect codeRect() const;
    Size intrinsicContentSize() const override;
    void draw(Painter& painter) const override;

private:
    std::string text_;
    std::shared_ptr<const QrCode> code_;
};

} // namespace tvkit
