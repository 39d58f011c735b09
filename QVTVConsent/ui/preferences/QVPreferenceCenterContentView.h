#pragma once
// The body of one preference-center tab: a column of the tab's own content (0.44 of the screen
// height) above a row of buttons that sit at the trailing end, after the optional branding. Each
// tab body derives from it, says what fills the content area (makeContentView) and which buttons
// it has (makeButtons), and is assembled once by the screen controller.
//
//   class PolicyPage : public qvtv::QVPreferenceCenterContentView<qvtv::QVHTMLPageData, PolicyDelegate> {
//       std::shared_ptr<tvkit::View> makeContentView() override { return text_; }
//       std::vector<ButtonAction> makeButtons() override { return {{data->cancelButton, [this] { ... }}}; }
//   };
//   page->assemble(true, "#101820", [](tvkit::View&) {});

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "QVTVConsent/model/QVButtonData.h"
#include "QVTVConsent/model/QVPreferenceCenterTabType.h"
#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/controls/UIViewUtils.h"
#include "QVTVConsent/ui/images/QVBrandingView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterActionDelegate.h"
#include "platform/DispatchQueue.h"
#include "tvkit/app/Application.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/ScrollView.h"

namespace qvtv {

template <class T, class Delegate = QVPreferenceCenterActionDelegate>
class QVPreferenceCenterContentView : public tvkit::StackView {
public:
    // A button of the row and what it does on its primary action.
    using ButtonAction = std::pair<QVButtonData, std::function<void()>>;
    using ReadyCallback = std::function<void(tvkit::View&)>;

    static constexpr double buttonSpacing = 24;
    static constexpr double buttonPadding = 20;
    static constexpr double buttonMinimumWidth = 160;
    static constexpr double buttonHeight = 60;
    static constexpr double contentHeightShare = 0.44;

    // `delegate` is the screen controller, which owns this view's tree and so outlives it.
    QVPreferenceCenterContentView(std::shared_ptr<T> data, QVPreferenceCenterTabType tabType, Delegate* delegate)
        : data_(std::move(data)), tabType_(tabType), delegate_(delegate) {}

    const std::shared_ptr<T>& data() const { return data_; }
    QVPreferenceCenterTabType tabType() const { return tabType_; }
    Delegate* delegate() const { return delegate_; }
    tvkit::StackView* buttonRow() const { return buttonRow_; }

    // Called by the screen once the body is on screen; the base does nothing.
    virtual void onViewReady() {}

    // A scrolled text keeps focus until it is scrolled to the end it is left by: up only from its
    // top, down only from its bottom, never sideways. Moves the system makes itself (no heading)
    // are let through, so focus can always be placed.
    bool shouldUpdateFocus(const tvkit::FocusUpdateContext& context) override {
        tvkit::View* previous = context.previouslyFocusedView();
        if (!previous) return true;
        auto* scroll = dynamic_cast<tvkit::ScrollView*>(previous);
        if (!scroll) return tvkit::StackView::shouldUpdateFocus(context);
        const double y = scroll->contentOffset().y;
        const double maxY = scroll->contentSize().height - scroll->bounds().height();
        switch (context.heading()) {
        case tvkit::FocusHeading::up: return y <= 1;
        case tvkit::FocusHeading::down: return y >= maxY - 1;
        case tvkit::FocusHeading::none: return true;
        default: return false;
        }
    }

    // Builds the column: spacer, content, spacer, button row. `ready` runs once, at a later turn
    // of the main queue, when the body is in place.
    void assemble(bool showBranding, const std::string& textColor, ReadyCallback ready) {
        setAxis(tvkit::LayoutAxis::vertical);
        setDistribution(Distribution::fill);
        setAlignment(Alignment::fill);
        setSpacing(8);

        auto content = makeContentView();
        addArrangedSubview(Spacer::make(std::nullopt, 8));
        addArrangedSubview(content);
        addArrangedSubview(Spacer::make(std::nullopt, 8));
        addArrangedSubview(makeButtonRow(showBranding, textColor));
        const double height = tvkit::Application::shared().screenBounds().height() * contentHeightShare;
        content->heightAnchor().equalToConstant(height)->setActive(true);

        std::weak_ptr<tvkit::View> self = weak_from_this();
        platform::DispatchQueue::main().async([self, ready = std::move(ready)] {
            auto view = self.lock();
            if (view && ready) ready(*view);
        });
    }

protected:
    // What fills the content area; the base shows nothing there.
    virtual std::shared_ptr<tvkit::View> makeContentView() { return tvkit::View::make(); }
    // The row's buttons in order; the base has none.
    virtual std::vector<ButtonAction> makeButtons() { return {}; }

private:
    std::shared_ptr<tvkit::View> makeButtonRow(bool showBranding, const std::string& textColor) {
        auto row = tvkit::View::make<tvkit::StackView>();
        row->setAxis(tvkit::LayoutAxis::horizontal);
        row->setDistribution(Distribution::fill);
        row->setAlignment(Alignment::fill);
        row->setSpacing(buttonSpacing);
        if (showBranding) {
            auto branding = std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>());
            branding->setTextColor(ColorUtils::fromHex(textColor));
            row->addArrangedSubview(branding);
        }
        row->addArrangedSubview(tvkit::View::make<Spacer>());
        for (auto& [buttonData, action] : makeButtons()) {
            if (buttonData.buttonType == QVButtonType::none) continue;
            auto button = UIViewUtils::makeButton(buttonData);
            button->addAction([action = std::move(action)](tvkit::Control&) { if (action) action(); },
                              tvkit::ControlEvent::primaryActionTriggered);
            const double titleWidth = button->titleLabel()->textSize(0).width;
            const double width = std::max(buttonMinimumWidth, titleWidth + 2 * buttonPadding);
            row->addArrangedSubview(button);
            tvkit::LayoutConstraint::activate(
                {button->heightAnchor().equalToConstant(buttonHeight), button->widthAnchor().equalToConstant(width)});
        }
        buttonRow_ = row.get();
        return row;
    }

    std::shared_ptr<T> data_;
    QVPreferenceCenterTabType tabType_;
    Delegate* delegate_;
    tvkit::StackView* buttonRow_ = nullptr;
};

} // namespace qvtv
