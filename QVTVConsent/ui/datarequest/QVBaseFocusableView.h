#pragma once
// What the form's two editors share: a callback told when the editor gains (true) or loses
// (false) focus, with the focus animation coordinator, so the field around it can restyle it.
//
//   editor->onFocusUpdate = [](bool focused, tvkit::FocusAnimationCoordinator&) { restyle(); };

#include "tvkit/focus/FocusAnimationCoordinator.h"

#include <functional>

namespace tvkit {
class FocusUpdateContext;
class View;
}

namespace qvtv {

class QVBaseFocusableView {
public:
    using OnFocusUpdate = std::function<void(bool focused, tvkit::FocusAnimationCoordinator&)>;

    OnFocusUpdate onFocusUpdate;

protected:
    ~QVBaseFocusableView() = default;
    // Called by the editors after the toolkit's own focus handling.
    void notifyFocusUpdate(const tvkit::View& self, const tvkit::FocusUpdateContext& context,
                           tvkit::FocusAnimationCoordinator& coordinator) const;
};

} // namespace qvtv
