#include "tvkit/layout/LayoutAnchor.h"

#include "tvkit/layout/LayoutConstraint.h"

namespace tvkit {

layout::Expression LayoutAnchor::expression() const {
    const LayoutItem& i = *item_;
    switch (attribute_) {
    case LayoutAttribute::leading: return layout::Expression(i.left);
    case LayoutAttribute::trailing: return i.left + i.width;
    case LayoutAttribute::top: return layout::Expression(i.top);
    case LayoutAttribute::bottom: return i.top + i.height;
    case LayoutAttribute::width: return layout::Expression(i.width);
    case LayoutAttribute::height: return layout::Expression(i.height);
    case LayoutAttribute::centerX: return i.left + i.width * 0.5;
    case LayoutAttribute::centerY: return i.top + i.height * 0.5;
    }
    return {};
}

std::string LayoutAnchor::description() const {
    static constexpr const char* kNames[] = {"leading", "trailing", "top", "bottom", "width", "height", "centerX", "centerY"};
    return item_->name + "." + kNames[static_cast<int>(attribute_)];
}

ConstraintRef LayoutAnchor::relate(layout::Relation relation, const LayoutAnchor* other, double multiplier,
                                   double constant) const {
    std::optional<LayoutAnchor> second;
    if (other) second = *other;
    return std::make_shared<LayoutConstraint>(*this, relation, second, multiplier, constant);
}

} // namespace tvkit
