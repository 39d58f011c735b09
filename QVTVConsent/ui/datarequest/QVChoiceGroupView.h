#pragma once
// A radio group of the data-request form: its caption (with " *" when a choice is required)
// over its options in a row that scrolls sideways when they do not fit. Choosing an option
// makes it the only chosen one; the choice lives in the options' `value`, read on submission.
//
//   auto type = tvkit::View::make<qvtv::QVChoiceGroupView>(form->requestType);

#include "QVTVConsent/model/QVChoiceInputGroupData.h"
#include "tvkit/layout/StackView.h"

#include <memory>
#include <vector>

namespace qvtv {

class QVChoiceInputView;

class QVChoiceGroupView : public tvkit::StackView {
public:
    explicit QVChoiceGroupView(std::shared_ptr<QVChoiceInputGroupData> data);
    std::string_view className() const override { return "QVChoiceGroupView"; }

    const std::shared_ptr<QVChoiceInputGroupData>& data() const { return data_; }
    const std::vector<QVChoiceInputView*>& optionViews() const { return optionViews_; }

    // Makes `chosen` the group's one chosen option and redraws the circles.
    void select(const QVChoiceInputFieldData& chosen);

private:
    std::shared_ptr<QVChoiceInputGroupData> data_;
    std::vector<QVChoiceInputView*> optionViews_;
};

} // namespace qvtv
