#include "QVTVConsent/ui/datarequest/QVDPOView.h"

#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/ui/controls/QVLinkOpener.h"
#include "QVTVConsent/ui/controls/QVPaddedLabel.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "platform/Url.h"
#include "tvkit/focus/FocusLook.h"
#include "tvkit/input/TapGestureRecognizer.h"
#include "tvkit/view/TextView.h"

#include <algorithm>

namespace qvtv {

namespace {

// The blue the platform uses for links.
const tvkit::Color systemBlue = tvkit::Color::fromRGBA8(0x0A, 0x84, 0xFF);

std::shared_ptr<QVPaddedLabel> paddedLabel(std::string text, tvkit::EdgeInsets padding, tvkit::Font font,
                                           tvkit::Color color) {
    auto label = tvkit::View::make<QVPaddedLabel>(padding);
    label->setText(std::move(text));
    label->setFont(std::move(font));
    label->setTextColor(color);
    return label;
}

// Something before and after one '@', and nothing a mail address cannot carry unencoded.
bool formsMailAddress(std::string_view address) {
    const std::size_t at = address.find('@');
    if (at == 0 || at == std::string_view::npos || at + 1 == address.size()) return false;
    if (address.find('@', at + 1) != std::string_view::npos) return false;
    return platform::Url::parse("mailto:" + std::string(address)).has_value();
}

} // namespace

QVDPOView::QVDPOView(std::shared_ptr<const QVDataRequestFormData> data) : data_(std::move(data)) {
    setAxis(tvkit::LayoutAxis::vertical);
    setDistribution(Distribution::fill);
    const QVContainer& box = data_->dpoContainer;
    const tvkit::Color boxColor = ColorUtils::fromHex(box.backgroundColor);
    if (box.fillType == QVFillType::stroke) {
        setBackgroundColor(tvkit::Color::clear());
        layer().setBorderWidth(1);
        layer().setBorderColor(boxColor);
    } else {
        setBackgroundColor(boxColor);
        layer().setBorderWidth(0);
    }
    if (box.cornerType == QVCornerType::smooth) layer().setCornerRadius(8);

    // The form's text colour is chosen for the card; on a filled box (white in the templates)
    // a light one would vanish, so there the texts take black or white instead.
    const tvkit::Color formText = ColorUtils::fromHex(data_->textColor);
    const tvkit::Color text = box.fillType == QVFillType::fill ? formText.readableOn(boxColor) : formText;
    auto title = paddedLabel(data_->contactOurOfficerTitle, {0, 12, 0, 12}, tvkit::Font::system(16, tvkit::Font::semibold), text);
    title_ = title.get();
    auto name = paddedLabel(data_->dpoNameLabel + ": " + data_->dpoName, {0, 12, 0, 12}, tvkit::Font::system(14), text);
    name_ = name.get();

    auto key = paddedLabel(data_->dpoEmailLabel + ": ", {0, 12, 0, 0}, tvkit::Font::system(14), text);
    key->setContentHuggingPriority(750, tvkit::LayoutAxis::horizontal);
    tvkit::TextAttributes link;
    link.font = tvkit::Font::system(14);
    link.color = systemBlue;
    link.underline = true;
    auto email = tvkit::View::make<tvkit::TextView>(tvkit::AttributedString(data_->dpoEmail, link));
    email_ = email.get();
    email->setSelectable(false);
    email->setTextContainerInset({0, 0, 0, 12});
    email->setUserInteractionEnabled(true);
    // The remote reaches the address only by focus, and Select on it is the tap; an empty
    // one shows nothing to focus.
    email->setFocusable(!data_->dpoEmail.empty());
    email->setAccessibilityTraits(tvkit::AccessibilityTraits::link);
    email->layer().setCornerRadius(4);
    email->addGestureRecognizer(
        std::make_shared<tvkit::TapGestureRecognizer>([this](tvkit::GestureRecognizer&) { handleDPOEmailTap(); }));
    auto row = tvkit::View::make<tvkit::StackView>(std::vector<std::shared_ptr<tvkit::View>>{key, email});
    row->setAxis(tvkit::LayoutAxis::horizontal);
    row->setDistribution(Distribution::fill);

    addArrangedSubview(Spacer::make(std::nullopt, 12));
    addArrangedSubview(std::move(title));
    addArrangedSubview(Spacer::make(std::nullopt, 4));
    addArrangedSubview(std::move(name));
    addArrangedSubview(Spacer::make(std::nullopt, 2));
    addArrangedSubview(std::move(row));
    addArrangedSubview(Spacer::make(std::nullopt, 12));
}

void QVDPOView::didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) {
    tvkit::StackView::didUpdateFocus(context, coordinator);
    tvkit::addFocusLook(
        *email_, context, coordinator,
        [email = email_] {
            email->setTransform(tvkit::AffineTransform::scale(focusedScale, focusedScale));
            email->setBackgroundColor(systemBlue.withAlpha(0.15));
        },
        [email = email_] {
            email->setTransform(tvkit::AffineTransform());
            email->setBackgroundColor(tvkit::Color::clear());
        });
}

void QVDPOView::handleDPOEmailTap() {
    if (!formsMailAddress(data_->dpoEmail)) return;
    QVLinkOpener::open("mailto:" + data_->dpoEmail);
}

} // namespace qvtv
