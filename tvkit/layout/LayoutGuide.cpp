#include "tvkit/layout/LayoutGuide.h"

#include "tvkit/view/View.h"

namespace tvkit {

LayoutGuide::~LayoutGuide() {
    if (item_) item_->view = nullptr;
}

const std::shared_ptr<LayoutItem>& LayoutGuide::item() {
    if (!item_) {
        static constexpr const char* kNames[] = {"guide", "layoutMarginsGuide", "safeAreaLayoutGuide",
                                                 "contentLayoutGuide", "frameLayoutGuide"};
        std::string name = (owner_ ? owner_->debugName() : std::string("?")) + "." +
                           (identifier_.empty() ? kNames[static_cast<int>(kind_)] : identifier_);
        item_ = std::make_shared<LayoutItem>(owner_, this, name);
    }
    return item_;
}

Rect LayoutGuide::layoutFrame() const {
    if (!item_ || !owner_) return {};
    Rect r = item_->solvedRect();
    Point origin = owner_->layoutOrigin();
    return r.offsetBy(-origin.x, -origin.y);
}

} // namespace tvkit
