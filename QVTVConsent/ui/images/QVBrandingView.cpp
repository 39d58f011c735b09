#include "QVTVConsent/ui/images/QVBrandingView.h"

#include "QVTVConsent/ui/controls/QVLinkOpener.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/images/BrandingSettings.h"
#include "QVTVConsent/ui/images/QVRemoteImageLoader.h"
#include "platform/HttpSession.h"
#include "platform/Url.h"
#include "tvkit/focus/FocusLook.h"
#include "tvkit/graphics/AffineTransform.h"
#include "tvkit/input/TapGestureRecognizer.h"
#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {
namespace {

constexpr double logoSide = 16;

// A logo has to be fetched over HTTP; the web site may be any address the host can open.
bool isDownloadable(const std::string& url) {
    return platform::HttpSession::buildUrl(platform::HttpRequest::get(url)).has_value();
}

std::shared_ptr<tvkit::Label> makeLabel(std::string text, tvkit::Color color) {
    auto label = tvkit::View::make<tvkit::Label>(std::move(text));
    label->setFont(tvkit::Font::system(16, tvkit::Font::medium));
    label->setTextColor(color);
    return label;
}

} // namespace

QVBrandingView::QVBrandingView(std::shared_ptr<QVRemoteImageView> image, std::optional<tvkit::EdgeInsets> margins)
    : label(makeLabel("Crafted By", tvkit::Color::white())),
      brand(makeLabel("Veradyn", tvkit::Color::white())),
      image(std::move(image)) {
    setAxis(tvkit::LayoutAxis::horizontal);
    setAlignment(Alignment::center);
    setDistribution(Distribution::fill);
    setTranslatesAutoresizingMaskIntoConstraints(false);

    if (this->image) prepareImage();

    addArrangedSubview(Spacer::make(16, 40));
    addArrangedSubview(label);
    addArrangedSubview(Spacer::make(8, 40));
    if (this->image) addArrangedSubview(this->image);
    addArrangedSubview(Spacer::make(8, 40));
    addArrangedSubview(brand);
    addArrangedSubview(Spacer::make(16, 40));

    if (margins) {
        setLayoutMargins(*margins);
        setLayoutMarginsRelativeArrangement(true);
    }
    setUserInteractionEnabled(false);
}

void QVBrandingView::prepareImage() {
    image->setContentMode(tvkit::ImageView::ContentMode::scaleAspectFit);
    image->setUserInteractionEnabled(true);
    std::weak_ptr<QVRemoteImageView> weak = image;
    image->addGestureRecognizer(std::make_shared<tvkit::TapGestureRecognizer>([weak](tvkit::GestureRecognizer&) {
        if (auto shown = weak.lock()) shown->handleTap();
    }));
    image->tapAction = [] {
        const std::string site = BrandingSettings::makerWebsiteUrl();
        if (platform::Url::parse(site)) QVLinkOpener::open(site);
    };

    const std::string logo = BrandingSettings::makerLogoUrl();
    if (isDownloadable(logo)) {
        QVRemoteImageLoader::load(logo, {logoSide, logoSide}, [weak](std::shared_ptr<const tvkit::Image> loaded) {
            QVRemoteImageView::setImage(weak, std::move(loaded), "branding");
        });
    } else {
        image->loadFallback("branding");
    }
    image->setTranslatesAutoresizingMaskIntoConstraints(false);
    tvkit::LayoutConstraint::activate({
        image->widthAnchor().equalToConstant(logoSide),
        image->heightAnchor().equalTo(image->widthAnchor()),
    });
}

std::string QVBrandingView::accessibilityLabel() const { return label->text() + " " + brand->text(); }

void QVBrandingView::setTextColor(tvkit::Color color) {
    textColor_ = color;
    label->setTextColor(color);
    brand->setTextColor(color);
}

void QVBrandingView::didUpdateFocus(const tvkit::FocusUpdateContext& context,
                                    tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::StackView::didUpdateFocus(context, coordinator);
    tvkit::addFocusLook(
        *this, context, coordinator,
        [this] {
            setTransform(tvkit::AffineTransform::scale(focusedScale, focusedScale));
            setBackgroundColor(tvkit::Color::white().withAlpha(0.1));
            layer().setCornerRadius(8);
        },
        [this] {
            setTransform(tvkit::AffineTransform::scale(unfocusedScale, unfocusedScale));
            setBackgroundColor(tvkit::Color::clear());
            layer().setCornerRadius(0);
        });
}

} // namespace qvtv
