#include "QVTVConsent/ui/datarequest/QVDSARContentView.h"

#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/datarequest/QVChoiceGroupView.h"
#include "QVTVConsent/ui/datarequest/QVDPOView.h"
#include "QVTVConsent/ui/datarequest/QVTextInputFieldView.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Label.h"

namespace qvtv {

namespace {

std::shared_ptr<tvkit::View> fieldRow(const std::shared_ptr<QVTextInputFieldData>& first,
                                      const std::shared_ptr<QVTextInputFieldData>& second) {
    auto row = tvkit::View::make<tvkit::StackView>(std::vector<std::shared_ptr<tvkit::View>>{
        tvkit::View::make<QVTextInputFieldView>(first), tvkit::View::make<QVTextInputFieldView>(second)});
    row->setAxis(tvkit::LayoutAxis::horizontal);
    row->setDistribution(tvkit::StackView::Distribution::fillEqually);
    row->setAlignment(tvkit::StackView::Alignment::fill);
    row->setSpacing(20);
    row->setTranslatesAutoresizingMaskIntoConstraints(false);
    return row;
}

std::shared_ptr<tvkit::View> gap(double height) { return Spacer::make(std::nullopt, height); }

} // namespace

QVDSARContentView::QVDSARContentView(std::shared_ptr<QVDataRequestFormData> data) : data_(std::move(data)) {
    auto stack = tvkit::View::make<tvkit::StackView>();
    stack->setAxis(tvkit::LayoutAxis::vertical);
    stack->setDistribution(tvkit::StackView::Distribution::fill);
    stack->setAlignment(tvkit::StackView::Alignment::fill);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    setContent(stack, {});

    auto title = tvkit::View::make<tvkit::Label>(data_->formTitle);
    title->setTextColor(ColorUtils::fromHex(data_->textColor));
    title->setFont(tvkit::Font::system(24, tvkit::Font::medium));
    title->setTranslatesAutoresizingMaskIntoConstraints(false);

    for (std::shared_ptr<tvkit::View> part : std::vector<std::shared_ptr<tvkit::View>>{
             title, gap(16), fieldRow(data_->name, data_->email), gap(16), fieldRow(data_->address, data_->phone),
             gap(12), tvkit::View::make<QVChoiceGroupView>(data_->requestType), gap(12),
             tvkit::View::make<QVTextInputFieldView>(data_->message), gap(16), tvkit::View::make<QVDPOView>(data_),
             gap(8)}) {
        stack->addArrangedSubview(std::move(part));
    }
}

} // namespace qvtv
