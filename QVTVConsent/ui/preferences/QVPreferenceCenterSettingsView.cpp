#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsView.h"

#include <cmath>

#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/ui/controls/QVPaddingView.h"
#include "QVTVConsent/ui/preferences/CategoryView.h"
#include "QVTVConsent/ui/preferences/SettingsCardStyle.h"
#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"
#include "QVTVConsent/ui/text/QVScrollView.h"
#include "tvkit/input/SwipeGestureRecognizer.h"

namespace qvtv {

namespace {
// The title and the introduction sit 4 points inside the tab's edges; the cards use the full width.
const tvkit::EdgeInsets textInsets{0, 4, 0, 4};
} // namespace

QVPreferenceCenterSettingsView::QVPreferenceCenterSettingsView(QVPreferenceCenterTab tab,
                                                               std::shared_ptr<QVSettingsData> data,
                                                               QVPreferenceCenterTabType tabType,
                                                               QVPreferenceCenterSettingsActionDelegate* delegate)
    : QVPreferenceCenterContentView(std::move(data), tabType, delegate), tab_(std::move(tab)) {}

std::shared_ptr<tvkit::View> QVPreferenceCenterSettingsView::makeContentView() {
    const QVSettingsData& settings = *data();
    const SettingsCardStyle style = SettingsCardStyle::from(tab_, settings);

    auto scroll = tvkit::View::make<QVScrollView>(false);
    scrollView_ = scroll.get();
    auto stack = tvkit::View::make<tvkit::StackView>();
    stack->setAxis(tvkit::LayoutAxis::vertical);
    stack->setAlignment(tvkit::StackView::Alignment::fill);

    auto title = tvkit::View::make<tvkit::Label>(tab_.subHeading);
    title->setNumberOfLines(1);
    title->setTextColor(style.textColor);
    title->setFont(tvkit::Font::system(20, tvkit::Font::medium));
    title_ = title.get();
    stack->addArrangedSubview(std::make_shared<QVPaddingView<tvkit::Label>>(title, textInsets));

    auto introduction = tvkit::View::make<QVAttributedScrollableTextView>(settings.introduction);
    attributedTextView_ = introduction.get();
    stack->addArrangedSubview(std::make_shared<QVPaddingView<QVAttributedScrollableTextView>>(introduction, textInsets));
    stack->addArrangedSubview(Spacer::make(std::nullopt, 8));

    std::weak_ptr<tvkit::ScrollView> parent = std::static_pointer_cast<tvkit::ScrollView>(scroll);
    for (const auto& category : settings.categories) {
        auto card = std::make_shared<CategoryView>(category, style, parent);
        card->layer().setShadow(tvkit::Color::black(), 0.1, 1, {1, 1});
        for (auto direction : {tvkit::SwipeDirection::left, tvkit::SwipeDirection::right}) {
            CategoryView* target = card.get();
            auto swipe = std::make_shared<tvkit::SwipeGestureRecognizer>(
                [target, direction](tvkit::GestureRecognizer&) { target->handleSwipe(direction); });
            swipe->setDirection(direction);
            card->addGestureRecognizer(swipe);
        }
        categoryViews_.push_back(card.get());
        stack->addArrangedSubview(card);
        stack->addArrangedSubview(Spacer::make(std::nullopt, 16));
    }
    scroll->setContent(stack, {});
    return scroll;
}

std::vector<QVPreferenceCenterSettingsView::ButtonAction> QVPreferenceCenterSettingsView::makeButtons() {
    auto* target = delegate();
    std::vector<ButtonAction> buttons;
    buttons.emplace_back(data()->saveButton, [target] { target->onSaveConsentTap(); });
    if (data()->declineButton) buttons.emplace_back(*data()->declineButton, [target] { target->onDeclineTap(); });
    buttons.emplace_back(data()->cancelButton, [target] { target->onCancelTap(); });
    return buttons;
}

void QVPreferenceCenterSettingsView::onViewReady() {
    layoutIfNeeded();
    std::weak_ptr<tvkit::View> self = weak_from_this();
    platform::DispatchQueue::main().async([self] {
        auto view = std::static_pointer_cast<QVPreferenceCenterSettingsView>(self.lock());
        if (!view || !view->attributedTextView_) return;
        QVAttributedScrollableTextView& introduction = *view->attributedTextView_;
        const double width = introduction.bounds().width();
        const double height = std::ceil(introduction.textView().sizeThatFits(width).height);
        introduction.heightAnchor().equalToConstant(height)->setActive(true);
        view->layoutIfNeeded();
    });
}

} // namespace qvtv
