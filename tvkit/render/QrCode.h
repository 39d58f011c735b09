#pragma once
// A QR code as a template image: dark modules are painted in the tint colour, light ones stay
// transparent. Module edges snap to device pixels, so the code scans cleanly at any scale.
//
//   auto code = QrCode::make("https://example.com/privacy");   // nullptr if it cannot be encoded
//   code->moduleCount();                                        // e.g. 29

#include "tvkit/graphics/Image.h"

#include <memory>
#include <string_view>
#include <vector>

namespace tvkit {

class QrCode : public Image {
public:
    static std::shared_ptr<const QrCode> make(std::string_view text);

    QrCode(int moduleCount, std::vector<bool> modules) : count_(moduleCount), modules_(std::move(modules)) {}
    int moduleCount() const { return count_; }
    bool isDark(int x, int y) const { return modules_[static_cast<std::size_t>(y) * count_ + x]; }

    Size size() const override { return {count_ * 4.0, count_ * 4.0}; }  // 4 points per module
    bool isTemplate() const override { return true; }
    void draw(cairo_t* cr, const Rect& rect) const override;

private:
    int count_;
    std::vector<bool> modules_;
};

} // namespace tvkit
