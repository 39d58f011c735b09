#pragma once
// Lays out its arranged subviews in a row or a column by building its own constraints:
// spacing between neighbours, a distribution along the axis (fill, fillEqually,
// equalSpacing, equalCentering) and an alignment across it. Hidden members take no room.
//
//   auto row = View::make<StackView>();
//   row->setAxis(LayoutAxis::horizontal);
//   row->setSpacing(16);
//   row->setAlignment(StackView::Alignment::center);
//   row->addArrangedSubview(accept);
//   row->addArrangedSubview(decline);

#include "tvkit/view/View.h"

#include <vector>

namespace tvkit {

class StackView : public View {
public:
    enum class Distribution { fill, fillEqually, equalSpacing, equalCentering };
    // leading/top and trailing/bottom are the same edge for the two axes.
    enum class Alignment { fill, leading, top = leading, center, trailing, bottom = trailing };

    StackView() = default;
    explicit StackView(std::vector<std::shared_ptr<View>> arranged);
    std::string_view className() const override { return "StackView"; }

    LayoutAxis axis() const { return axis_; }
    void setAxis(LayoutAxis axis);
    double spacing() const { return spacing_; }
    void setSpacing(double spacing);
    Distribution distribution() const { return distribution_; }
    void setDistribution(Distribution d);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a);
    bool isLayoutMarginsRelativeArrangement() const { return marginsRelative_; }
    void setLayoutMarginsRelativeArrangement(bool relative);

    std::vector<View*> arrangedSubviews() const { return arranged_; }
    void addArrangedSubview(std::shared_ptr<View> view);
    void insertArrangedSubview(std::shared_ptr<View> view, std::size_t index);
    // Stops arranging `view`; it stays a subview (remove it from the superview to drop it).
    void removeArrangedSubview(View* view);

    void updateConstraints() override;

protected:
    void willRemoveSubview(View& view) override;
    void subviewVisibilityDidChange(View& view) override;

private:
    std::vector<View*> arranged_;
    std::vector<ConstraintRef> built_;
    std::vector<std::shared_ptr<LayoutGuide>> gaps_;
    LayoutAxis axis_ = LayoutAxis::horizontal;
    double spacing_ = 0;
    Distribution distribution_ = Distribution::fill;
    Alignment alignment_ = Alignment::fill;
    bool marginsRelative_ = false;
};

} // namespace tvkit
