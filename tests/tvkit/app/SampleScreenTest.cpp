// A screen built the way consent screens are: a card with a row of tabs, a scrolling list of
// cards each with a switch, and a row of buttons, driven only by remote presses.

#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/ScrollView.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

// A switch shown on a card; the card takes focus and Select flips it.
class Switch : public Control {
public:
    bool on = false;
    Size intrinsicContentSize() const override { return {42, 24}; }
    bool canBecomeFocused() const override { return false; }
    void toggle() {
        on = !on;
        sendActions(ControlEvent::valueChanged);
    }
};

class CategoryCard : public StackView {
public:
    bool canBecomeFocused() const override { return true; }
    void pressesEnded(const PressSet& presses) override {
        if (presses.front().type == PressType::select) {
            toggle->toggle();
            return;
        }
        StackView::pressesEnded(presses);
    }
    std::shared_ptr<Switch> toggle;
};

class SampleScreen : public ViewController {
public:
    void viewDidLoad() override {
        view()->setBackgroundColor(Color::black().withAlpha(0.5));
        auto card = View::make<StackView>();
        card->setAxis(LayoutAxis::vertical);
        card->setSpacing(16);
        card->setLayoutMargins({16, 24, 24, 24});
        card->setLayoutMarginsRelativeArrangement(true);
        card->setBackgroundColor(Color::white());
        card->layer().setCornerRadius(8);
        card->setTranslatesAutoresizingMaskIntoConstraints(false);
        view()->addSubview(card);

        auto tabRow = View::make<StackView>();
        tabRow->setSpacing(16);
        tabRow->setAlignment(StackView::Alignment::top);
        for (const char* title : {"Settings", "Privacy policy", "Cookie policy"}) {
            auto tab = View::make<Button>();
            tab->setTitle(title);
            tab->addAction([this, title](Control&) { selectedTab = title; }, ControlEvent::primaryActionTriggered);
            tabs.push_back(tab);
            tabRow->addArrangedSubview(tab);
        }
        tabRow->addArrangedSubview(View::make());
        card->addArrangedSubview(tabRow);

        scroll = View::make<ScrollView>();
        auto list = View::make<StackView>();
        list->setAxis(LayoutAxis::vertical);
        list->setSpacing(16);
        list->setTranslatesAutoresizingMaskIntoConstraints(false);
        scroll->addSubview(list);
        for (int i = 0; i < 8; ++i) {
            auto row = View::make<CategoryCard>();
            row->setAlignment(StackView::Alignment::center);
            row->setLayoutMargins(EdgeInsets::symmetric(14, 24));
            row->setLayoutMarginsRelativeArrangement(true);
            auto name = View::make<Label>("Category " + std::to_string(i + 1));
            auto toggle = View::make<Switch>();
            toggle->addAction([this, i](Control& c) { changes.push_back(i * 10 + static_cast<Switch&>(c).on); },
                              ControlEvent::valueChanged);
            row->addArrangedSubview(name);
            row->addArrangedSubview(toggle);
            row->toggle = toggle;
            switches.push_back(toggle);
            cards.push_back(row);
            list->addArrangedSubview(row);
        }
        card->addArrangedSubview(scroll);
        auto& content = scroll->contentLayoutGuide();
        LayoutConstraint::activate({
            list->topAnchor().equalTo(content.topAnchor()), list->bottomAnchor().equalTo(content.bottomAnchor()),
            list->leadingAnchor().equalTo(content.leadingAnchor()),
            list->trailingAnchor().equalTo(content.trailingAnchor()),
            list->widthAnchor().equalTo(scroll->frameLayoutGuide().widthAnchor()),
            scroll->heightAnchor().equalToConstant(300),
        });

        auto actions = View::make<StackView>();
        actions->setSpacing(24);
        actions->setDistribution(StackView::Distribution::fillEqually);
        for (const char* title : {"Reject all", "Save", "Accept all"}) {
            auto b = View::make<Button>();
            b->setTitle(title);
            b->addAction([this, title](Control&) { pressed = title; }, ControlEvent::primaryActionTriggered);
            buttons.push_back(b);
            actions->addArrangedSubview(b);
        }
        card->addArrangedSubview(actions);
        LayoutConstraint::activate({card->widthAnchor().equalToMultiple(view()->widthAnchor(), 0.55),
                                    card->centerXAnchor().equalTo(view()->centerXAnchor()),
                                    card->centerYAnchor().equalTo(view()->centerYAnchor())});
    }
    std::vector<FocusEnvironment*> preferredFocusEnvironments() const override { return {buttons[2].get()}; }

    std::vector<std::shared_ptr<Button>> tabs, buttons;
    std::vector<std::shared_ptr<Switch>> switches;
    std::vector<std::shared_ptr<CategoryCard>> cards;
    std::shared_ptr<ScrollView> scroll;
    std::string selectedTab, pressed;
    std::vector<int> changes;
};

TEST(SampleScreenTest, NavigatedEntirelyByPresses) {
    HeadlessHost host;
    auto screen = std::make_shared<SampleScreen>();
    host.setRootViewController(screen);
    ASSERT_EQ(host.focusedView(), screen->buttons[2].get());

    // Every view lies inside its superview's bounds, except the scrolled content.
    std::function<void(View&)> inside = [&](View& v) {
        for (auto& child : v.subviews()) {
            if (!dynamic_cast<ScrollView*>(&v) && !child->isHidden()) {
                Rect f = child->frame();
                EXPECT_GE(f.minX(), -1e-6) << child->debugName();
                EXPECT_LE(f.maxX(), v.bounds().width() + 1e-6) << child->debugName();
                EXPECT_LE(f.maxY(), v.bounds().height() + 1e-6) << child->debugName();
            }
            inside(*child);
        }
    };
    inside(host.window());

    // Up into the list: the last card in sight.
    host.press(PressType::upArrow);
    EXPECT_EQ(host.focusedView(), screen->cards[4].get());
    host.press(PressType::select);
    EXPECT_EQ(screen->changes, std::vector<int>{41});
    // Up through the list (it scrolls back) to the tab row, and down again.
    for (int i = 0; i < 5; ++i) host.press(PressType::upArrow);
    EXPECT_EQ(host.focusedView(), screen->tabs[2].get());
    EXPECT_EQ(screen->scroll->contentOffset().y, 0);
    host.press(PressType::downArrow);
    EXPECT_EQ(host.focusedView(), screen->cards[0].get());
    // Down leaves the list only at its end, scrolling it all the way.
    for (int i = 0; i < 7; ++i) host.press(PressType::downArrow);
    EXPECT_EQ(host.focusedView(), screen->cards[7].get());
    EXPECT_EQ(screen->scroll->contentOffset(), screen->scroll->maxContentOffset());
    EXPECT_GT(screen->scroll->contentOffset().y, 0);
    host.press(PressType::select);
    EXPECT_EQ(screen->changes.back(), 71);
    host.press(PressType::downArrow);
    EXPECT_EQ(host.focusedView(), screen->buttons[1].get());  // the one under the card's middle
    host.press(PressType::select);
    EXPECT_EQ(screen->pressed, "Save");

    // Back up to the tabs and across them.
    for (int i = 0; i < 10; ++i) host.press(PressType::upArrow);
    host.press(PressType::leftArrow);
    host.press(PressType::leftArrow);
    EXPECT_EQ(host.focusedView(), screen->tabs[0].get());
    host.press(PressType::rightArrow);
    host.press(PressType::select);
    EXPECT_EQ(screen->selectedTab, "Privacy policy");
    std::string tree = host.dumpTree();
    EXPECT_NE(tree.find("title=\"Privacy policy\""), std::string::npos);
    EXPECT_NE(tree.find(" focused"), std::string::npos);
}

} // namespace
} // namespace tvkit
