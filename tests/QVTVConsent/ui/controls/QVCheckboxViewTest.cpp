// The titled check box: Select flips it and reports the new state, a disabled box is dimmed
// and out of reach of focus, and focus raises the box the way it raises buttons.

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/TestScreen.h"
#include "QVTVConsent/ui/controls/QVCheckboxView.h"

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/render/SymbolImage.h"

namespace qvtv {
namespace {

const tvkit::Color ink = tvkit::Color::fromRGBA8(0xF4, 0xF4, 0xF4);

class QVCheckboxViewTest : public testsupport::ScreenTestFixture {
protected:
    std::shared_ptr<QVCheckboxView> makeBox(std::string title, bool checked, bool enabled) {
        auto box = std::make_shared<QVCheckboxView>(
            QVCheckboxView::Options{std::move(title), checked, enabled, ink, ink.withAlpha(0.9)},
            [this](QVCheckboxView& b) { reported.push_back(b.isCheckedValue()); });
        box->setTranslatesAutoresizingMaskIntoConstraints(false);
        return box;
    }
    // A column of boxes, 48 apart, left of centre.
    void showColumn(const std::vector<std::shared_ptr<QVCheckboxView>>& boxes) {
        auto screen = std::make_shared<testsupport::TestScreen>([&](tvkit::View& root) {
            double y = 400;
            for (const auto& b : boxes) {
                root.addSubview(b);
                tvkit::LayoutConstraint::activate({b->leadingAnchor().equalTo(root.leadingAnchor(), 800),
                                                   b->topAnchor().equalTo(root.topAnchor(), y)});
                y += 48;
            }
        });
        present(screen);
    }
    std::vector<bool> reported;
};

TEST_F(QVCheckboxViewTest, SelectFlipsTheBoxAndReportsTheNewState) {
    auto box = makeBox("Analytics", false, true);
    showColumn({box});
    ASSERT_EQ(focusedView(), box.get());
    EXPECT_EQ(box->checkbox->image(), tvkit::SymbolImage::named("square"));

    press(tvkit::PressType::select);
    EXPECT_TRUE(box->isCheckedValue());
    EXPECT_EQ(box->checkbox->image(), tvkit::SymbolImage::named("checkmark.square.fill"));
    press(tvkit::PressType::select);
    EXPECT_FALSE(box->isCheckedValue());
    EXPECT_EQ(reported, (std::vector<bool>{true, false}));

    // Layout: a 24-point box, then the one-line title, 16 in from both sides.
    EXPECT_EQ(box->checkbox->frame().size, (tvkit::Size{24, 24}));
    EXPECT_DOUBLE_EQ(windowFrame(*box->checkbox).minX() - windowFrame(*box).minX(), 16);
    EXPECT_DOUBLE_EQ(windowFrame(*box).maxX() - windowFrame(*box->label).maxX(), 16);
    EXPECT_DOUBLE_EQ(windowFrame(*box->label).minX() - windowFrame(*box->checkbox).maxX(), 4);
    EXPECT_EQ(box->label->text(), "Analytics");
    EXPECT_EQ(box->label->numberOfLines(), 1);
}

TEST_F(QVCheckboxViewTest, DisabledBoxIsDimmedAndCannotBeReached) {
    auto open = makeBox("Marketing", false, true);
    auto essential = makeBox("Essential", true, false);
    showColumn({open, essential});
    EXPECT_EQ(essential->label->textColor(), ink.withAlpha(0.9));
    EXPECT_DOUBLE_EQ(essential->label->alpha(), 0.5);
    EXPECT_DOUBLE_EQ(essential->checkbox->alpha(), 0.5);
    EXPECT_EQ(open->label->textColor(), ink);
    EXPECT_DOUBLE_EQ(open->label->alpha(), 1.0);

    press(tvkit::PressType::downArrow);
    EXPECT_EQ(focusedView(), open.get());
    essential->onTap();
    EXPECT_TRUE(essential->isCheckedValue());
    EXPECT_TRUE(reported.empty());
}

TEST_F(QVCheckboxViewTest, FocusRaisesTheBoxAndLeavingLowersIt) {
    auto first = makeBox("Functional", true, true);
    auto second = makeBox("Analytics", false, true);
    showColumn({first, second});
    advance(1);
    EXPECT_DOUBLE_EQ(first->transform().a, 1.12) << "the buttons' lift, checked in their own test";
    EXPECT_EQ(first->backgroundColor(), tvkit::Color::black().withAlpha(0.1));
    EXPECT_EQ(first->label->font(), tvkit::Font::system(20, tvkit::Font::medium));
    EXPECT_EQ(second->backgroundColor(), tvkit::Color::black().withAlpha(0.05));
    EXPECT_DOUBLE_EQ(second->layer().cornerRadius(), 6.4);
    EXPECT_TRUE(matchesGolden("checkbox_column"));

    press(tvkit::PressType::downArrow);
    advance(1);
    EXPECT_DOUBLE_EQ(first->transform().a, 1.0);
    EXPECT_EQ(first->backgroundColor(), tvkit::Color::black().withAlpha(0.05));
    EXPECT_EQ(first->label->font(), tvkit::Font::system(20));
    EXPECT_DOUBLE_EQ(second->transform().a, 1.12);
}

} // namespace
} // namespace qvtv
