#pragma once
// One labelled text input of the data-request form. The caption sits 6 above the editor: a
// single-line field (48 high, or maxLines x 48 + 16 for a taller one) or, for maxLines below 1,
// a wrapping editor that grows with its text. What the viewer types goes straight into the
// field's `value`; the placeholder is only ever drawn, never part of the text or the value.
//
//   auto name = tvkit::View::make<qvtv::QVTextInputFieldView>(form->name);
//   row->addArrangedSubview(name);

#include "QVTVConsent/model/QVTextInputFieldData.h"
#include "tvkit/layout/LayoutAnchor.h"
#include "tvkit/view/View.h"

#include <memory>

namespace tvkit {
class TextField;
class TextView;
}

namespace qvtv {

class QVFocusableTextField;
class QVFocusableTextView;

class QVTextInputFieldView : public tvkit::View {
public:
    static constexpr double fieldHeight = 48;

    explicit QVTextInputFieldView(std::shared_ptr<QVTextInputFieldData> data);
    std::string_view className() const override { return "QVTextInputFieldView"; }

    const std::shared_ptr<QVTextInputFieldData>& data() const { return data_; }
    // Exactly one of the two is set.
    QVFocusableTextField* textField() const { return textField_; }
    QVFocusableTextView* textView() const { return textView_; }
    tvkit::TextField& editor() const;
    tvkit::TextView& caption() const { return *caption_; }
    // The multi-line editor's height, which follows its text.
    const tvkit::ConstraintRef& textViewHeightConstraint() const { return textViewHeight_; }

private:
    std::shared_ptr<tvkit::TextField> makeTextField();
    std::shared_ptr<tvkit::TextField> makeTextView();
    void applyStyle();
    void textViewDidChange();
    void textViewDidEndEditing();

    std::shared_ptr<QVTextInputFieldData> data_;
    tvkit::TextView* caption_ = nullptr;
    QVFocusableTextField* textField_ = nullptr;
    QVFocusableTextView* textView_ = nullptr;
    tvkit::ConstraintRef textViewHeight_;
};

} // namespace qvtv
