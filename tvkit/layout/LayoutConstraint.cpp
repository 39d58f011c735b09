#include "tvkit/layout/LayoutConstraint.h"

#include "platform/LogSink.h"
#include "tvkit/layout/LayoutEngine.h"
#include "tvkit/view/View.h"

#include <cmath>
#include <sstream>

namespace tvkit {
namespace {

layout::Expression expressionOf(const LayoutAnchor& first, const std::optional<LayoutAnchor>& second,
                                double multiplier, double constant) {
    layout::Expression e = first.expression();
    if (second) e -= second->expression() * multiplier;
    e -= constant;
    return e;
}

} // namespace

LayoutConstraint::LayoutConstraint(LayoutAnchor first, layout::Relation relation, std::optional<LayoutAnchor> second,
                                   double multiplier, double constant)
    : first_(std::move(first)), second_(std::move(second)), relation_(relation), multiplier_(multiplier),
      constant_(constant), linear_(expressionOf(first_, second_, multiplier_, constant_), relation_) {
    linear_.setDescriber([this] { return description(); });
}

LayoutConstraint::~LayoutConstraint() = default;

void LayoutConstraint::activate(const std::vector<ConstraintRef>& constraints) {
    for (const auto& c : constraints) c->setActive(true);
}

void LayoutConstraint::deactivate(const std::vector<ConstraintRef>& constraints) {
    for (const auto& c : constraints) c->setActive(false);
}

void LayoutConstraint::setActive(bool active) {
    if (active == isActive()) return;
    if (!active) {
        View* holder = holder_;
        holder_ = nullptr;
        if (engine_) engine_->remove(*this);
        holder->dropConstraint(this);
        return;
    }
    View* a = first_.item()->view;
    View* b = second_ ? second_->item()->view : a;
    View* ancestor = a && b ? View::commonAncestor(a, b) : nullptr;
    if (!ancestor) {
        platform::LogSink::write("[WARN] Layout: cannot activate " + description() +
                                 ": its items have no common ancestor");
        return;
    }
    holder_ = ancestor;
    ancestor->holdConstraint(shared_from_this());
}

void LayoutConstraint::setConstant(double constant) {
    if (constant == constant_) return;
    constant_ = constant;
    if (engine_) {
        engine_->setConstant(*this, -constant);
        return;
    }
    rebuild();
}

void LayoutConstraint::setPriority(double priority) {
    priority = layout::Priority::clip(priority);
    if (priority == priority_) return;
    priority_ = priority;
    LayoutEngine* engine = engine_;
    if (engine) engine->remove(*this);
    rebuild();
    if (engine) engine->add(shared_from_this());
}

void LayoutConstraint::setIdentifier(std::string identifier) {
    identifier_ = std::move(identifier);
}

void LayoutConstraint::rebuild() {
    linear_ = layout::LinearConstraint(expressionOf(first_, second_, multiplier_, constant_), relation_, priority_);
    linear_.setDescriber([this] { return description(); });
}

std::string LayoutConstraint::description() const {
    static constexpr const char* kOps[] = {" <= ", " == ", " >= "};
    std::ostringstream out;
    if (!identifier_.empty()) out << identifier_ << ": ";
    out << first_.description() << kOps[static_cast<int>(relation_)];
    bool hasSecond = second_ && multiplier_ != 0;
    if (hasSecond) {
        if (multiplier_ != 1) out << multiplier_ << " * ";
        out << second_->description();
    }
    if (!hasSecond) {
        out << constant_;
    } else if (constant_ != 0) {
        out << (constant_ < 0 ? " - " : " + ") << std::abs(constant_);
    }
    out << " @" << priority_;
    return out.str();
}

bool LayoutConstraint::references(const View* view) const {
    return first_.item()->view == view || (second_ && second_->item()->view == view);
}

} // namespace tvkit
