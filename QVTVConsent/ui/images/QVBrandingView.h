#pragma once
// The "Crafted By" line under the buttons of the banner and the preference center: the words,
// the maker's small logo (downloaded, with the built-in "branding" image as fallback) and the
// maker's name. It is shown but cannot be selected; an owner that enables interaction gets a
// focus look and a logo that opens the maker's web site.
//
//   auto branding = std::make_shared<qvtv::QVBrandingView>(tvkit::View::make<qvtv::QVRemoteImageView>());
//   branding->setTextColor(textColor);
//   buttonRow->addArrangedSubview(branding);

#include "QVTVConsent/ui/images/QVRemoteImageView.h"

#include "tvkit/layout/StackView.h"
#include "tvkit/view/Label.h"

#include <memory>
#include <optional>

namespace qvtv {

class QVBrandingView : public tvkit::StackView {
public:
    const double focusedScale = 1.1;
    const double unfocusedScale = 1.0;
    const std::shared_ptr<tvkit::Label> label;
    const std::shared_ptr<tvkit::Label> brand;
    const std::shared_ptr<QVRemoteImageView> image;

    explicit QVBrandingView(std::shared_ptr<QVRemoteImageView> image,
                            std::optional<tvkit::EdgeInsets> margins = std::nullopt);
    std::string_view className() const override { return "QVBrandingView"; }

    tvkit::Color textColor() const { return textColor_; }
    // The colour of both labels.
    void setTextColor(tvkit::Color color);

    bool canBecomeFocused() const override { return true; }
    // The line as it reads: "Crafted By" and the maker's name.
    std::string accessibilityLabel() const override;
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

private:
    void prepareImage();

    tvkit::Color textColor_ = tvkit::Color::white();
};

} // namespace qvtv
