#include "QVTVConsent/ui/datarequest/QVChoiceGroupView.h"

#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/datarequest/FieldCaption.h"
#include "QVTVConsent/ui/datarequest/QVChoiceInputView.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/view/ScrollView.h"
#include "tvkit/view/TextView.h"

namespace qvtv {

QVChoiceGroupView::QVChoiceGroupView(std::shared_ptr<QVChoiceInputGroupData> data) : data_(std::move(data)) {
    if (data_->value.empty()) return;
    setAxis(tvkit::LayoutAxis::vertical);
    setSpacing(8);

    auto scroll = tvkit::View::make<tvkit::ScrollView>();
    scroll->setShowsVerticalScrollIndicator(false);
    scroll->setShowsHorizontalScrollIndicator(false);
    scroll->setTranslatesAutoresizingMaskIntoConstraints(false);
    auto options = tvkit::View::make<tvkit::StackView>();
    options->setAxis(data_->axis);
    options->setAlignment(tvkit::StackView::Alignment::fill);
    options->setDistribution(tvkit::StackView::Distribution::fill);
    options->setSpacing(6);
    options->setTranslatesAutoresizingMaskIntoConstraints(false);
    scroll->addSubview(options);
    tvkit::LayoutGuide& content = scroll->contentLayoutGuide();
    tvkit::LayoutConstraint::activate({
        options->leadingAnchor().equalTo(content.leadingAnchor()),
        options->trailingAnchor().equalTo(content.trailingAnchor()),
        options->topAnchor().equalTo(content.topAnchor()),
        options->bottomAnchor().equalTo(content.bottomAnchor()),
        options->heightAnchor().equalTo(scroll->frameLayoutGuide().heightAnchor()),
    });
    for (const auto& option : data_->value) {
        auto view = tvkit::View::make<QVChoiceInputView>(option, [this](const auto& picked) { select(*picked); });
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        optionViews_.push_back(view.get());
        options->addArrangedSubview(std::move(view));
    }

    addArrangedSubview(Spacer::make(std::nullopt, 4));
    addArrangedSubview(FieldCaption::makeView(data_->label, data_->textColor, data_->required, data_->errorColor));
    addArrangedSubview(std::move(scroll));
    addArrangedSubview(Spacer::make(std::nullopt, 4));
}

void QVChoiceGroupView::select(const QVChoiceInputFieldData& chosen) {
    // The very option picked, not one that merely looks like it: two options with the same
    // label and colours must not both end up chosen.
    for (QVChoiceInputView* view : optionViews_) {
        view->data()->value = view->data().get() == &chosen;
        view->updateImage();
    }
}

} // namespace qvtv
