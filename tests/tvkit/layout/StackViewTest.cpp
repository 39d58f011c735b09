#include "tvkit/layout/StackView.h"

#include "tvkit/layout/LayoutConstraint.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

using D = StackView::Distribution;
using A = StackView::Alignment;

// A view with a fixed intrinsic size, like a button or an icon.
class Box : public View {
public:
    explicit Box(Size s) : size_(s) {}
    Size intrinsicContentSize() const override { return size_; }
    void setSize(Size s) {
        size_ = s;
        invalidateIntrinsicContentSize();
    }

private:
    Size size_;
};

struct Fixture {
    std::shared_ptr<View> root = View::make(Rect{0, 0, 1000, 500});
    std::shared_ptr<StackView> stack = View::make<StackView>();
    std::vector<std::shared_ptr<Box>> boxes;

    explicit Fixture(std::vector<Size> sizes, LayoutAxis axis = LayoutAxis::horizontal) {
        stack->setAxis(axis);
        stack->setTranslatesAutoresizingMaskIntoConstraints(false);
        root->addSubview(stack);
        for (Size s : sizes) {
            boxes.push_back(View::make<Box>(s));
            stack->addArrangedSubview(boxes.back());
        }
    }
    // Pins the stack to a 600 x 200 area at (100, 50).
    void pin() {
        LayoutConstraint::activate({stack->leadingAnchor().equalTo(root->leadingAnchor(), 100),
                                    stack->topAnchor().equalTo(root->topAnchor(), 50),
                                    stack->widthAnchor().equalToConstant(600), stack->heightAnchor().equalToConstant(200)});
    }
    Rect frame(std::size_t i) {
        root->layoutIfNeeded();
        return boxes[i]->frame();
    }
};

void expectRect(Rect actual, Rect expected) {
    EXPECT_NEAR(actual.minX(), expected.minX(), 1e-6);
    EXPECT_NEAR(actual.minY(), expected.minY(), 1e-6);
    EXPECT_NEAR(actual.width(), expected.width(), 1e-6);
    EXPECT_NEAR(actual.height(), expected.height(), 1e-6);
}

TEST(StackViewTest, FillStretchesTheLeastHuggingMember) {
    Fixture f({{100, 40}, {150, 60}, {50, 20}});
    f.pin();
    f.stack->setSpacing(10);
    f.boxes[0]->setContentHuggingPriority(251, LayoutAxis::horizontal);
    f.boxes[2]->setContentHuggingPriority(251, LayoutAxis::horizontal);
    expectRect(f.frame(0), {0, 0, 100, 200});
    expectRect(f.frame(1), {110, 0, 430, 200});  // 600 - 100 - 50 - 2 * 10
    expectRect(f.frame(2), {550, 0, 50, 200});

    // Unpinned, the stack wraps its content.
    Fixture free({{100, 40}, {150, 60}});
    free.stack->setSpacing(8);
    LayoutConstraint::activate({free.stack->leadingAnchor().equalTo(free.root->leadingAnchor()),
                                free.stack->topAnchor().equalTo(free.root->topAnchor())});
    free.root->layoutIfNeeded();
    expectRect(free.stack->frame(), {0, 0, 258, 60});
}

TEST(StackViewTest, FillEquallyEqualSpacingAndEqualCentering) {
    auto distributed = [](D distribution, double spacing = 0) {
        Fixture f({{100, 40}, {150, 60}, {50, 20}});
        f.pin();
        f.stack->setDistribution(distribution);
        f.stack->setSpacing(spacing);
        return f;
    };
    auto eq = distributed(D::fillEqually, 15);
    expectRect(eq.frame(0), {0, 0, 190, 200});
    expectRect(eq.frame(1), {205, 0, 190, 200});
    expectRect(eq.frame(2), {410, 0, 190, 200});

    auto spacing = distributed(D::equalSpacing);
    expectRect(spacing.frame(0), {0, 0, 100, 200});
    expectRect(spacing.frame(1), {250, 0, 150, 200});  // two gaps of 150
    expectRect(spacing.frame(2), {550, 0, 50, 200});

    auto centering = distributed(D::equalCentering);
    double c0 = centering.frame(0).midX(), c1 = centering.frame(1).midX(), c2 = centering.frame(2).midX();
    EXPECT_NEAR(c1 - c0, c2 - c1, 1e-6);
    EXPECT_NEAR(centering.frame(0).minX(), 0, 1e-6);
    EXPECT_NEAR(centering.frame(2).maxX(), 600, 1e-6);
}

TEST(StackViewTest, AlignmentsAcrossTheAxis) {
    struct Case {
        A alignment;
        double y0, h0, y1, h1;
    };
    for (Case c : {Case{A::fill, 0, 200, 0, 200}, Case{A::top, 0, 40, 0, 60}, Case{A::center, 80, 40, 70, 60},
                   Case{A::bottom, 160, 40, 140, 60}}) {
        Fixture f({{100, 40}, {150, 60}});
        f.pin();
        f.boxes[0]->setContentHuggingPriority(251, LayoutAxis::horizontal);
        f.stack->setAlignment(c.alignment);
        expectRect(f.frame(0), {0, c.y0, 100, c.h0});
        expectRect(f.frame(1), {100, c.y1, 450 + 50, c.h1});
    }
    // The vertical axis uses leading / trailing across it.
    Fixture column({{100, 40}, {150, 60}}, LayoutAxis::vertical);
    column.pin();
    column.stack->setAlignment(A::trailing);
    column.stack->setSpacing(5);
    column.boxes[0]->setContentHuggingPriority(251, LayoutAxis::vertical);
    expectRect(column.frame(0), {500, 0, 100, 40});
    expectRect(column.frame(1), {450, 45, 150, 155});
}

TEST(StackViewTest, TooNarrowCompressesTheLeastResistantMember) {
    Fixture f({{100, 40}, {150, 60}, {50, 20}});
    f.stack->setSpacing(10);
    auto width = f.stack->widthAnchor().equalToConstant(200);
    LayoutConstraint::activate({f.stack->leadingAnchor().equalTo(f.root->leadingAnchor()),
                                f.stack->topAnchor().equalTo(f.root->topAnchor()), width});
    // Hugging above resistance, the reverse of the defaults.
    f.boxes[1]->setContentCompressionResistancePriority(200, LayoutAxis::horizontal);
    f.boxes[1]->setContentHuggingPriority(700, LayoutAxis::horizontal);
    expectRect(f.frame(0), {0, 0, 100, 60});
    expectRect(f.frame(1), {110, 0, 30, 60});  // 150 - (320 - 200)
    expectRect(f.frame(2), {150, 0, 50, 60});

    width->setConstant(320);
    expectRect(f.frame(1), {110, 0, 150, 60});
    width->setConstant(400);  // the stronger hugging leaves the stretching to the others
    EXPECT_NEAR(f.frame(1).width(), 150, 1e-6);
    EXPECT_NEAR(f.frame(0).width() + f.frame(2).width(), 230, 1e-6);
}

TEST(StackViewTest, HiddenMembersCollapseAndComeBack) {
    Fixture f({{100, 40}, {150, 60}, {50, 20}});
    f.stack->setSpacing(10);
    f.root->layoutIfNeeded();
    EXPECT_NEAR(f.stack->frame().width(), 320, 1e-6);
    f.boxes[1]->setHidden(true);
    expectRect(f.frame(2), {110, 0, 50, 40});  // filled to the tallest visible member
    EXPECT_NEAR(f.stack->frame().width(), 160, 1e-6);
    EXPECT_NEAR(f.stack->frame().height(), 40, 1e-6);
    f.boxes[1]->setHidden(false);
    expectRect(f.frame(2), {270, 0, 50, 60});

    // Removing from the superview also stops arranging.
    f.boxes[0]->removeFromSuperview();
    EXPECT_EQ(f.stack->arrangedSubviews().size(), 2u);
    expectRect(f.frame(1), {0, 0, 150, 60});
}

TEST(StackViewTest, NestedStacksWithMarginsRelativeArrangement) {
    // A card: a column holding a row of tabs and a body, inside margins of 24.
    auto root = View::make(Rect{0, 0, 1920, 1080});
    auto column = View::make<StackView>();
    column->setAxis(LayoutAxis::vertical);
    column->setSpacing(16);
    column->setLayoutMargins(EdgeInsets::all(24));
    column->setLayoutMarginsRelativeArrangement(true);
    column->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->addSubview(column);
    auto tabs = View::make<StackView>();
    tabs->setSpacing(16);
    tabs->setAlignment(A::top);
    std::vector<std::shared_ptr<Box>> tabViews;
    for (double w : {120.0, 90.0, 140.0}) {
        tabViews.push_back(View::make<Box>(Size{w, 40}));
        tabs->addArrangedSubview(tabViews.back());
    }
    tabs->addArrangedSubview(View::make());  // a flexible spacer takes the rest
    auto body = View::make<Box>(Size{600, 300});
    column->addArrangedSubview(tabs);
    column->addArrangedSubview(body);
    LayoutConstraint::activate({column->widthAnchor().equalToConstant(1056),
                                column->centerXAnchor().equalTo(root->centerXAnchor()),
                                column->centerYAnchor().equalTo(root->centerYAnchor())});
    root->layoutIfNeeded();
    expectRect(column->frame(), {432, 338, 1056, 24 + 40 + 16 + 300 + 24});
    expectRect(tabs->frame(), {24, 24, 1008, 40});
    expectRect(tabViews[1]->frame(), {136, 0, 90, 40});
    expectRect(tabViews[2]->frame(), {242, 0, 140, 40});
    expectRect(body->frame(), {24, 80, 1008, 300});

    // Growing one member re-lays the whole card out.
    body->setSize({600, 500});
    root->layoutIfNeeded();
    EXPECT_NEAR(column->frame().height(), 604, 1e-6);
    EXPECT_NEAR(column->frame().minY(), 238, 1e-6);
}

} // namespace
} // namespace tvkit
