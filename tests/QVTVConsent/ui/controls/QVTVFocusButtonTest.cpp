// Buttons built from template buttons: how fill and corner styles look at rest and with focus,
// and how focus moving from one button to the next animates both.

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/TestScreen.h"
#include "QVTVConsent/ui/controls/UIViewUtils.h"

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"

namespace qvtv {
namespace {

QVButtonData button(std::string label, QVFillType fill, QVCornerType corners) {
    QVButtonData data;
    data.label = std::move(label);
    data.backgroundColor = "#008471";
    data.textColor = "FFFFFF";
    data.fillType = fill;
    data.corners = corners;
    return data;
}

class QVTVFocusButtonTest : public testsupport::ScreenTestFixture {
protected:
    // Shows the buttons in a row in the middle of a screen; focus starts on the first.
    void showRow(const std::vector<std::shared_ptr<QVTVFocusButton>>& buttons) {
        auto screen = std::make_shared<testsupport::TestScreen>([&](tvkit::View& root) {
            auto row = tvkit::View::make<tvkit::StackView>();
            row->setSpacing(48);
            row->setTranslatesAutoresizingMaskIntoConstraints(false);
            for (const auto& b : buttons) {
                row->addArrangedSubview(b);
                tvkit::LayoutConstraint::activate(
                    {b->widthAnchor().equalToConstant(220), b->heightAnchor().equalToConstant(60)});
            }
            root.addSubview(row);
            tvkit::LayoutConstraint::activate({row->centerXAnchor().equalTo(root.centerXAnchor()),
                                               row->centerYAnchor().equalTo(root.centerYAnchor())});
        });
        screen->preferredFocus = buttons.front();
        present(screen);
    }
};

void expectResting(const QVTVFocusButton& b) {
    EXPECT_DOUBLE_EQ(b.transform().a, 1.0);
    EXPECT_DOUBLE_EQ(b.transform().d, 1.0);
    EXPECT_DOUBLE_EQ(b.layer().shadowOpacity(), 0.15);
    EXPECT_DOUBLE_EQ(b.layer().shadowRadius(), 6);
    EXPECT_EQ(b.layer().shadowOffset(), (tvkit::Size{0, 4}));
    EXPECT_EQ(b.layer().shadowColor(), tvkit::Color::black());
}

void expectRaised(const QVTVFocusButton& b) {
    EXPECT_DOUBLE_EQ(b.transform().a, 1.12);
    EXPECT_DOUBLE_EQ(b.transform().d, 1.12);
    EXPECT_DOUBLE_EQ(b.layer().shadowOpacity(), 0.45);
    EXPECT_DOUBLE_EQ(b.layer().shadowRadius(), 22);
    EXPECT_EQ(b.layer().shadowOffset(), (tvkit::Size{0, 12}));
}

// A stroked sharp button is an outline that thickens with focus; a filled smooth one is rounded
// and never bordered.
TEST_F(QVTVFocusButtonTest, FillAndCornerStylesAndTheBorderThroughFocus) {
    auto fill = UIViewUtils::makeButton(button("Accept", QVFillType::fill, QVCornerType::smooth));
    auto stroke = UIViewUtils::makeButton(button("Decline", QVFillType::stroke, QVCornerType::sharp));
    EXPECT_EQ(fill->backgroundColor(), tvkit::Color::fromRGBA8(0x00, 0x84, 0x71));
    EXPECT_DOUBLE_EQ(fill->layer().cornerRadius(), 8);
    EXPECT_DOUBLE_EQ(fill->layer().borderWidth(), 0);
    EXPECT_EQ(stroke->title(), "Decline");
    EXPECT_EQ(stroke->backgroundColor(), tvkit::Color::clear());
    EXPECT_EQ(stroke->layer().borderColor(), tvkit::Color::fromRGBA8(0x00, 0x84, 0x71));
    EXPECT_DOUBLE_EQ(stroke->layer().cornerRadius(), 0);
    EXPECT_DOUBLE_EQ(stroke->layer().borderWidth(), 0.8);
    expectResting(*stroke);

    showRow({fill, stroke});
    advance(1);
    EXPECT_DOUBLE_EQ(fill->layer().borderWidth(), 0);
    press(tvkit::PressType::rightArrow);
    ASSERT_EQ(focusedView(), stroke.get());
    advance(1);
    EXPECT_DOUBLE_EQ(stroke->layer().borderWidth(), 1.1);
    EXPECT_DOUBLE_EQ(fill->layer().borderWidth(), 0);
    press(tvkit::PressType::leftArrow);
    advance(1);
    EXPECT_DOUBLE_EQ(stroke->layer().borderWidth(), 0.8);
}

TEST_F(QVTVFocusButtonTest, FocusMoveAnimatesTheOldButtonDownAndTheNewOneUp) {
    auto first = UIViewUtils::makeButton(button("First", QVFillType::fill, QVCornerType::smooth));
    auto second = UIViewUtils::makeButton(button("Second", QVFillType::stroke, QVCornerType::smooth));
    showRow({first, second});
    advance(1);
    expectRaised(*first);
    expectResting(*second);

    press(tvkit::PressType::rightArrow);
    // The move animates: on screen the new button starts from its resting size.
    EXPECT_LT(second->presentationProperties().transform.a, 1.12);
    EXPECT_GT(first->presentationProperties().transform.a, 1.0);
    advance(1);
    expectResting(*first);
    expectRaised(*second);
    EXPECT_DOUBLE_EQ(second->presentationProperties().transform.a, 1.12);
}

TEST_F(QVTVFocusButtonTest, FocusedRowLooksRight) {
    auto accept = UIViewUtils::makeButton(button("Accept", QVFillType::fill, QVCornerType::smooth));
    auto decline = UIViewUtils::makeButton(button("Decline", QVFillType::stroke, QVCornerType::sharp));
    showRow({accept, decline});
    advance(1);
    EXPECT_TRUE(matchesGolden("focus_button_row"));
}

} // namespace
} // namespace qvtv
