#include "tvkit/layout/LayoutConstraint.h"

#include "support/LogCapture.h"
#include "tvkit/layout/LayoutEngine.h"
#include "tvkit/layout/LayoutGuide.h"
#include "tvkit/text/TextMeasurer.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/ScrollView.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

std::shared_ptr<View> constrained(View& parent) {
    auto v = View::make();
    v->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent.addSubview(v);
    return v;
}

void expectFrame(const View& v, Rect r) {
    EXPECT_NEAR(v.frame().minX(), r.minX(), 1e-6) << v.debugName();
    EXPECT_NEAR(v.frame().minY(), r.minY(), 1e-6) << v.debugName();
    EXPECT_NEAR(v.frame().width(), r.width(), 1e-6) << v.debugName();
    EXPECT_NEAR(v.frame().height(), r.height(), 1e-6) << v.debugName();
}

TEST(LayoutConstraintTest, AnchorsPlaceNestedViewsInTheirSuperviewsCoordinates) {
    auto root = View::make(Rect{0, 0, 1920, 1080});
    auto card = constrained(*root);
    auto inner = constrained(*card);
    auto height = card->heightAnchor().equalToConstant(400);
    LayoutConstraint::activate({
        card->widthAnchor().equalToMultiple(root->widthAnchor(), 0.55),
        card->centerXAnchor().equalTo(root->centerXAnchor()),
        card->centerYAnchor().equalTo(root->centerYAnchor()),
        height,
        inner->leadingAnchor().equalTo(card->leadingAnchor(), 24),
        inner->trailingAnchor().equalTo(card->trailingAnchor(), -24),
        inner->topAnchor().equalTo(card->topAnchor(), 16),
        inner->bottomAnchor().equalTo(card->bottomAnchor(), -24),
    });
    root->layoutIfNeeded();
    expectFrame(*card, {432, 340, 1056, 400});
    expectFrame(*inner, {24, 16, 1008, 360});

    // A constant change re-solves; the root's frame change moves everything.
    // Constraints are held by the nearest common ancestor of their items.
    EXPECT_EQ(root->constraints().size(), 3u);
    EXPECT_EQ(card->constraints().size(), 5u);
    EXPECT_EQ(height->holder(), card.get());
    height->setConstant(500);
    root->setFrame({0, 0, 1280, 720});
    root->layoutIfNeeded();
    expectFrame(*card, {288, 110, 704, 500});
    expectFrame(*inner, {24, 16, 656, 460});
}

TEST(LayoutConstraintTest, ConflictingRequiredConstraintIsBrokenAndNamed) {
    testsupport::LogCapture log;
    auto root = View::make(Rect{0, 0, 800, 600});
    auto box = constrained(*root);
    auto width = box->widthAnchor().equalToConstant(100);
    auto conflict = box->widthAnchor().equalToConstant(300);
    conflict->setIdentifier("too-wide");
    LayoutConstraint::activate({box->leadingAnchor().equalTo(root->leadingAnchor()),
                                box->topAnchor().equalTo(root->topAnchor()), box->heightAnchor().equalToConstant(10),
                                width, conflict});
    root->layoutIfNeeded();
    EXPECT_NEAR(box->frame().width(), 100, 1e-6);
    std::string expected = "[WARN] LayoutSolver: Unable to satisfy all required constraints; breaking too-wide: " +
                           box->debugName() + ".width == 300 @1000";
    EXPECT_TRUE(log.contains(expected)) << (log.lines().empty() ? "" : log.lines().back());

    // Items in different trees cannot be related: a warning, and the constraint stays inactive.
    auto stranger = View::make();
    auto orphan = box->widthAnchor().equalTo(stranger->widthAnchor());
    orphan->setActive(true);
    EXPECT_FALSE(orphan->isActive());
    EXPECT_TRUE(log.containsSubstring("cannot activate"));
}

TEST(LayoutConstraintTest, IntrinsicSizesHugAndResist) {
    auto root = View::make(Rect{0, 0, 1000, 200});
    auto title = View::make<Label>("Privacy settings");
    auto value = View::make<Label>("On");
    for (auto& l : {title, value}) {
        l->setTranslatesAutoresizingMaskIntoConstraints(false);
        root->addSubview(l);
    }
    // Both stretch between the edges: the one that hugs less gives way.
    value->setContentHuggingPriority(251, LayoutAxis::horizontal);
    LayoutConstraint::activate({
        title->leadingAnchor().equalTo(root->leadingAnchor()),
        value->leadingAnchor().equalTo(title->trailingAnchor(), 10),
        value->trailingAnchor().equalTo(root->trailingAnchor()),
        title->topAnchor().equalTo(root->topAnchor()),
        value->topAnchor().equalTo(root->topAnchor()),
    });
    root->layoutIfNeeded();
    Size valueSize = TextMeasurer::measure("On", 17, Font::regular, 0, 1);
    EXPECT_NEAR(value->frame().width(), valueSize.width, 1e-6);
    EXPECT_NEAR(title->frame().width(), 1000 - 10 - valueSize.width, 1e-6);
    EXPECT_NEAR(title->frame().height(), valueSize.height, 1e-6);

    // Changing the text changes the intrinsic size at the next pass.
    value->setText("Always on");
    root->layoutIfNeeded();
    EXPECT_NEAR(value->frame().width(), TextMeasurer::measure("Always on", 17, Font::regular, 0, 1).width, 1e-6);

    // A multi-line label capped in width wraps onto more lines.
    auto toast = View::make<Label>(std::string(300, 'w'));
    toast->setNumberOfLines(0);
    toast->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->addSubview(toast);
    LayoutConstraint::activate({toast->leadingAnchor().equalTo(root->leadingAnchor()),
                                toast->widthAnchor().lessOrEqualToMultiple(root->widthAnchor(), 0.8),
                                toast->topAnchor().equalTo(root->topAnchor())});
    root->layoutIfNeeded();
    // It wraps at 800 and then hugs its widest line.
    EXPECT_LE(toast->frame().width(), 800);
    EXPECT_GT(toast->frame().width(), 700);
    EXPECT_NEAR(toast->frame().height(), TextMeasurer::measure(toast->text(), 17, Font::regular, 800, 0).height, 1e-6);
    EXPECT_GT(toast->frame().height(), 2 * valueSize.height);
}

TEST(LayoutConstraintTest, GuidesMarginsAndRemoval) {
    auto root = View::make(Rect{0, 0, 400, 300});
    auto panel = constrained(*root);
    panel->setLayoutMargins({10, 20, 30, 40});
    auto content = constrained(*panel);
    LayoutConstraint::activate({
        panel->leadingAnchor().equalTo(root->leadingAnchor()), panel->trailingAnchor().equalTo(root->trailingAnchor()),
        panel->topAnchor().equalTo(root->topAnchor()), panel->bottomAnchor().equalTo(root->bottomAnchor()),
        content->leadingAnchor().equalTo(panel->layoutMarginsGuide().leadingAnchor()),
        content->trailingAnchor().equalTo(panel->layoutMarginsGuide().trailingAnchor()),
        content->topAnchor().equalTo(panel->layoutMarginsGuide().topAnchor()),
        content->bottomAnchor().equalTo(panel->layoutMarginsGuide().bottomAnchor()),
    });
    root->layoutIfNeeded();
    expectFrame(*content, {20, 10, 340, 260});
    panel->setLayoutMargins(EdgeInsets::all(0));
    root->layoutIfNeeded();
    expectFrame(*content, {0, 0, 400, 300});

    // Leaving the tree takes the constraints that mention the view with it.
    std::size_t before = root->layoutEngine().solver().constraintCount();
    content->removeFromSuperview();
    EXPECT_TRUE(panel->constraints().empty());
    root->layoutIfNeeded();
    EXPECT_LT(root->layoutEngine().solver().constraintCount(), before);
}

TEST(LayoutConstraintTest, ScrollContentSizeComesFromTheContentGuide) {
    auto root = View::make(Rect{0, 0, 500, 400});
    auto scroll = View::make<ScrollView>();
    scroll->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->addSubview(scroll);
    auto tall = constrained(*scroll);
    LayoutConstraint::activate({
        scroll->leadingAnchor().equalTo(root->leadingAnchor()), scroll->trailingAnchor().equalTo(root->trailingAnchor()),
        scroll->topAnchor().equalTo(root->topAnchor(), 50), scroll->bottomAnchor().equalTo(root->bottomAnchor()),
        tall->topAnchor().equalTo(scroll->contentLayoutGuide().topAnchor()),
        tall->bottomAnchor().equalTo(scroll->contentLayoutGuide().bottomAnchor()),
        tall->leadingAnchor().equalTo(scroll->contentLayoutGuide().leadingAnchor()),
        tall->trailingAnchor().equalTo(scroll->contentLayoutGuide().trailingAnchor()),
        tall->widthAnchor().equalTo(scroll->frameLayoutGuide().widthAnchor()),
        tall->heightAnchor().equalToConstant(1000),
    });
    root->layoutIfNeeded();
    expectFrame(*tall, {0, 0, 500, 1000});
    EXPECT_EQ(scroll->contentSize(), (Size{500, 1000}));
    scroll->scrollRectToVisible({0, 900, 10, 50}, false);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 600}));
    scroll->setContentOffset({0, 5000});
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 650}));
    // Conversion accounts for the offset.
    EXPECT_EQ(tall->convertPoint({0, 700}, root.get()), (Point{0, 100}));
}

} // namespace
} // namespace tvkit
