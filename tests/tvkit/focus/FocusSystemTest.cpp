#include "tvkit/focus/FocusSystem.h"

#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/Animator.h"
#include "tvkit/view/ScrollView.h"

#include <gtest/gtest.h>

#include <optional>

namespace tvkit {
namespace {

// A focusable tile of a fixed size that records what the focus engine told it.
class Tile : public View {
public:
    explicit Tile(std::string name, Size size = {200, 100}) : name_(std::move(name)), size_(size) {}
    bool canBecomeFocused() const override { return true; }
    Size intrinsicContentSize() const override { return size_; }
    void didUpdateFocus(const FocusUpdateContext& c, FocusAnimationCoordinator& coordinator) override {
        if (c.nextFocusedView() == this) {
            events.push_back("gained " + name_);
            coordinator.addCoordinatedAnimations([this] { setTransform(AffineTransform::scale(1.12, 1.12)); });
        } else if (c.previouslyFocusedView() == this) {
            events.push_back("lost " + name_);
            coordinator.addCoordinatedAnimations([this] { setTransform(AffineTransform::identity()); });
        }
        if (auto callback = onFocus) callback();
    }
    std::string name_;
    Size size_;
    std::vector<std::string> events;
    std::function<void()> onFocus;
};

// A container that can veto moves in one heading.
class Fence : public StackView {
public:
    bool shouldUpdateFocus(const FocusUpdateContext& c) override { return c.heading() != blocked; }
    std::optional<FocusHeading> blocked;
};

class GridScreen : public ViewController {
public:
    void viewDidLoad() override {
        column = View::make<Fence>();
        column->setAxis(LayoutAxis::vertical);
        column->setSpacing(20);
        column->setTranslatesAutoresizingMaskIntoConstraints(false);
        view()->addSubview(column);
        for (int r = 0; r < 3; ++r) {
            auto row = View::make<StackView>();
            row->setSpacing(20);
            for (int c = 0; c < 3; ++c) {
                tiles.push_back(View::make<Tile>(std::to_string(r) + std::to_string(c)));
                row->addArrangedSubview(tiles.back());
            }
            column->addArrangedSubview(row);
        }
        LayoutConstraint::activate({column->centerXAnchor().equalTo(view()->centerXAnchor()),
                                    column->centerYAnchor().equalTo(view()->centerYAnchor())});
    }
    std::vector<FocusEnvironment*> preferredFocusEnvironments() const override { return {tiles[4].get()}; }
    std::shared_ptr<Fence> column;
    std::vector<std::shared_ptr<Tile>> tiles;
};

std::string focusedName(HeadlessHost& host) {
    auto* tile = dynamic_cast<Tile*>(host.focusedView());
    return tile ? tile->name_ : "none";
}

TEST(FocusSystemTest, PreferredFocusThenDirectionalMovesThroughAGridOfNestedStacks) {
    HeadlessHost host;
    auto screen = std::make_shared<GridScreen>();
    host.setRootViewController(screen);
    EXPECT_EQ(focusedName(host), "11");
    EXPECT_TRUE(screen->tiles[4]->isFocused());

    std::vector<std::pair<PressType, std::string>> path = {
        {PressType::rightArrow, "12"}, {PressType::rightArrow, "12"}, {PressType::downArrow, "22"},
        {PressType::leftArrow, "21"},  {PressType::leftArrow, "20"},  {PressType::upArrow, "10"},
        {PressType::upArrow, "00"},    {PressType::upArrow, "00"},    {PressType::rightArrow, "01"}};
    for (auto& [press, expected] : path) {
        host.press(press);
        EXPECT_EQ(focusedName(host), expected);
    }
    // Swipes on the touch surface move focus the same way.
    host.swipe(SwipeDirection::down);
    EXPECT_EQ(focusedName(host), "11");
    EXPECT_EQ(screen->tiles[1]->events, (std::vector<std::string>{"gained 01", "lost 01"}));
}

TEST(FocusSystemTest, EnvironmentsCanRefuseAMoveAndCallbacksNeverReenter) {
    HeadlessHost host;
    auto screen = std::make_shared<GridScreen>();
    host.setRootViewController(screen);
    screen->column->blocked = FocusHeading::up;
    host.press(PressType::upArrow);
    EXPECT_EQ(focusedName(host), "11");
    host.press(PressType::downArrow);
    EXPECT_EQ(focusedName(host), "21");

    // A focus callback asking for another update does not change focus under the caller's
    // feet; the request is served once the move has finished.
    std::vector<std::string> seenInCallback;
    screen->tiles[8]->onFocus = [&] {
        seenInCallback.push_back(focusedName(host));
        screen->tiles[8]->onFocus = nullptr;
        screen->setNeedsFocusUpdate();
        screen->updateFocusIfNeeded();
        seenInCallback.push_back(focusedName(host));
    };
    host.press(PressType::rightArrow);
    EXPECT_EQ(seenInCallback, (std::vector<std::string>{"22", "22"}));
    EXPECT_EQ(focusedName(host), "11");  // the screen's preference, afterwards
}

TEST(FocusSystemTest, CoordinatedAnimationsRunWithTheMove) {
    HeadlessHost host;
    auto screen = std::make_shared<GridScreen>();
    host.setRootViewController(screen);
    host.advance(1);
    Tile& from = *screen->tiles[4];
    Tile& to = *screen->tiles[5];
    EXPECT_EQ(from.transform(), AffineTransform::scale(1.12, 1.12));
    host.press(PressType::rightArrow);
    // The model is final at once; what is shown gets there over the focus animation.
    EXPECT_EQ(to.transform(), AffineTransform::scale(1.12, 1.12));
    EXPECT_EQ(from.transform(), AffineTransform::identity());
    host.advance(FocusSystem::animationDuration / 2);
    EXPECT_NEAR(to.presentationProperties().transform.a, 1.06, 1e-9);
    EXPECT_NEAR(from.presentationProperties().transform.a, 1.06, 1e-9);
    host.advance(FocusSystem::animationDuration);
    EXPECT_DOUBLE_EQ(to.presentationProperties().transform.a, 1.12);
}

class ListScreen : public ViewController {
public:
    void viewDidLoad() override {
        scroll = View::make<ScrollView>();
        scroll->setTranslatesAutoresizingMaskIntoConstraints(false);
        view()->addSubview(scroll);
        auto list = View::make<StackView>();
        list->setAxis(LayoutAxis::vertical);
        list->setSpacing(10);
        list->setTranslatesAutoresizingMaskIntoConstraints(false);
        scroll->addSubview(list);
        for (int i = 0; i < 10; ++i) {
            cards.push_back(View::make<Tile>("card" + std::to_string(i), Size{600, 100}));
            list->addArrangedSubview(cards.back());
        }
        auto& content = scroll->contentLayoutGuide();
        LayoutConstraint::activate({
            scroll->topAnchor().equalTo(view()->topAnchor(), 100), scroll->heightAnchor().equalToConstant(400),
            scroll->leadingAnchor().equalTo(view()->leadingAnchor(), 100), scroll->widthAnchor().equalToConstant(600),
            list->topAnchor().equalTo(content.topAnchor()), list->bottomAnchor().equalTo(content.bottomAnchor()),
            list->leadingAnchor().equalTo(content.leadingAnchor()), list->trailingAnchor().equalTo(content.trailingAnchor()),
            list->widthAnchor().equalTo(scroll->frameLayoutGuide().widthAnchor()),
        });
    }
    std::shared_ptr<ScrollView> scroll;
    std::vector<std::shared_ptr<Tile>> cards;
};

TEST(FocusSystemTest, FocusInsideAScrollViewScrollsItIntoSight) {
    HeadlessHost host;
    auto screen = std::make_shared<ListScreen>();
    host.setRootViewController(screen);
    EXPECT_EQ(focusedName(host), "card0");
    EXPECT_EQ(screen->scroll->contentSize(), (Size{600, 1090}));
    for (int i = 0; i < 4; ++i) host.press(PressType::downArrow);
    EXPECT_EQ(focusedName(host), "card4");
    // Card 4 spans 440..540 in the content; the 400-high view shows 140..540.
    EXPECT_EQ(screen->scroll->contentOffset(), (Point{0, 140}));
    for (int i = 0; i < 10; ++i) host.press(PressType::downArrow);
    EXPECT_EQ(focusedName(host), "card9");
    EXPECT_EQ(screen->scroll->contentOffset(), (Point{0, 690}));
    host.press(PressType::upArrow);
    host.press(PressType::upArrow);
    host.press(PressType::upArrow);
    host.press(PressType::upArrow);
    EXPECT_EQ(focusedName(host), "card5");
    EXPECT_EQ(screen->scroll->contentOffset(), (Point{0, 550}));

    // Hiding the focused card sends focus back to the screen's preference.
    screen->cards[5]->setHidden(true);
    host.runPending();
    EXPECT_EQ(focusedName(host), "card0");
}

// A card whose lower part holds a focusable row: the card stands for its header in moves.
class CardWithRow : public Tile {
public:
    CardWithRow() : Tile("card", Size{600, 200}) {
        row = View::make<Tile>("row", Size{600, 50});
        row->setFrame({0, 150, 600, 50});
        addSubview(row);
    }
    Rect focusFrame() const override { return {0, 0, 600, 50}; }
    std::shared_ptr<Tile> row;
};

class CardScreen : public ViewController {
public:
    void viewDidLoad() override {
        auto column = View::make<StackView>();
        column->setAxis(LayoutAxis::vertical);
        column->setSpacing(20);
        column->setTranslatesAutoresizingMaskIntoConstraints(false);
        view()->addSubview(column);
        card = View::make<CardWithRow>();
        column->addArrangedSubview(card);
        column->addArrangedSubview(View::make<Tile>("next", Size{600, 100}));
        LayoutConstraint::activate({column->topAnchor().equalTo(view()->topAnchor(), 100),
                                    column->leadingAnchor().equalTo(view()->leadingAnchor(), 100)});
    }
    std::shared_ptr<CardWithRow> card;
};

TEST(FocusSystemTest, AFocusFrameLetsMovesReachARowInsideAFocusableCardAndComeBack) {
    HeadlessHost host;
    host.setRootViewController(std::make_shared<CardScreen>());
    EXPECT_EQ(focusedName(host), "card");
    std::vector<std::pair<PressType, std::string>> path = {{PressType::downArrow, "row"},
                                                           {PressType::downArrow, "next"},
                                                           {PressType::upArrow, "row"},
                                                           {PressType::upArrow, "card"},
                                                           {PressType::upArrow, "card"}};
    for (auto& [press, expected] : path) {
        host.press(press);
        EXPECT_EQ(focusedName(host), expected);
    }
}

} // namespace
} // namespace tvkit
