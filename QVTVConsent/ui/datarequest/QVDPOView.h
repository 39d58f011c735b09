#pragma once
// The data protection officer's contact block under the data-request form: a title, the
// officer's name and an underlined e-mail address, in a box filled or outlined as the
// template says. The address takes focus (it grows a little and is highlighted) and Select on
// it opens a "mailto:" link through the application when it forms an address; otherwise
// Select does nothing.
//
//   form->addArrangedSubview(tvkit::View::make<qvtv::QVDPOView>(formData));

#include "QVTVConsent/model/QVDataRequestFormData.h"
#include "tvkit/layout/StackView.h"

#include <memory>

namespace tvkit {
class TextView;
}

namespace qvtv {

class QVPaddedLabel;

class QVDPOView : public tvkit::StackView {
public:
    explicit QVDPOView(std::shared_ptr<const QVDataRequestFormData> data);
    std::string_view className() const override { return "QVDPOView"; }

    // The address grows to this while it has focus.
    static constexpr double focusedScale = 1.025;

    bool canBecomeFocused() const override { return false; }
    void didUpdateFocus(const tvkit::FocusUpdateContext& context, tvkit::FocusAnimationCoordinator& coordinator) override;

    const QVPaddedLabel& titleLabel() const { return *title_; }
    const QVPaddedLabel& nameLabel() const { return *name_; }
    const tvkit::TextView& emailLabel() const { return *email_; }

    // Opens "mailto:" + the officer's address; nothing when that forms no address.
    void handleDPOEmailTap();

private:
    std::shared_ptr<const QVDataRequestFormData> data_;
    QVPaddedLabel* title_ = nullptr;
    QVPaddedLabel* name_ = nullptr;
    tvkit::TextView* email_ = nullptr;
};

} // namespace qvtv
