// The small layout pieces: padded labels size and draw their text inside the padding and take
// focus only when told to; spacers fill or hold space in stacks; padding views inset content.

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/TestScreen.h"
#include "QVTVConsent/ui/controls/QVPaddedLabel.h"
#include "QVTVConsent/ui/controls/QVPaddingView.h"
#include "QVTVConsent/ui/controls/Spacer.h"

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"

namespace qvtv {
namespace {

class LayoutHelpersTest : public testsupport::ScreenTestFixture {};

TEST_F(LayoutHelpersTest, PaddedLabelMeasuresItsTextPlusPadding) {
    auto plain = tvkit::View::make<tvkit::Label>("Your choices");
    auto padded = tvkit::View::make<QVPaddedLabel>(tvkit::EdgeInsets{8, 16, 4, 12});
    padded->setText("Your choices");
    const tvkit::Size text = plain->intrinsicContentSize();
    EXPECT_EQ(padded->intrinsicContentSize(), (tvkit::Size{text.width + 28, text.height + 12}));

    // Wrapped text is measured at the width left inside the padding.
    const std::string paragraph = "We and our partners use the data you allow for analytics and for advertising.";
    auto wrapped = tvkit::View::make<QVPaddedLabel>(tvkit::EdgeInsets{0, 100, 0, 100});
    wrapped->setText(paragraph);
    wrapped->setNumberOfLines(0);
    wrapped->setFrame({0, 0, 400, 10});
    EXPECT_EQ(wrapped->intrinsicContentSize().height, wrapped->textSize(200).height);
    EXPECT_GT(wrapped->textSize(200).height, wrapped->textSize(400).height);
}

TEST_F(LayoutHelpersTest, PaddedLabelTakesFocusOnlyWhenTold) {
    auto told = tvkit::View::make<QVPaddedLabel>(tvkit::EdgeInsets::all(4));
    told->setText("Name");
    told->canBecomeFocusedOverrideValue = true;
    auto plain = tvkit::View::make<QVPaddedLabel>(tvkit::EdgeInsets::all(4));
    plain->setText("E-mail");
    EXPECT_FALSE(plain->canBecomeFocused());
    auto refused = tvkit::View::make<QVPaddedLabel>();
    refused->canBecomeFocusedOverrideValue = false;
    EXPECT_FALSE(refused->canBecomeFocused());

    auto screen = std::make_shared<testsupport::TestScreen>([&](tvkit::View& root) {
        told->setFrame({200, 200, 300, 40});
        plain->setFrame({200, 300, 300, 40});
        root.addSubview(told);
        root.addSubview(plain);
    });
    present(screen);
    ASSERT_EQ(focusedView(), told.get());
    advance(1);
    EXPECT_DOUBLE_EQ(told->transform().a, 1.025);
    press(tvkit::PressType::downArrow);
    EXPECT_EQ(focusedView(), told.get()) << "a plain padded label is not a focus target";
}

TEST_F(LayoutHelpersTest, SpacersHoldOrFillSpaceInAStack) {
    auto row = tvkit::View::make<tvkit::StackView>();
    auto fixed = Spacer::make(24, 40);
    auto flexible = tvkit::View::make<Spacer>();
    auto label = tvkit::View::make<tvkit::Label>("Crafted By");
    row->addArrangedSubview(fixed);
    row->addArrangedSubview(label);
    row->addArrangedSubview(flexible);
    row->setFrame({0, 0, 800, 40});
    hostScreen().view()->addSubview(row);
    row->layoutIfNeeded();
    EXPECT_EQ(fixed->frame().size, (tvkit::Size{24, 40}));
    EXPECT_DOUBLE_EQ(label->frame().width(), label->intrinsicContentSize().width);
    EXPECT_DOUBLE_EQ(flexible->frame().maxX(), 800);
    EXPECT_EQ(flexible->intrinsicContentSize(), (tvkit::Size{tvkit::View::noIntrinsicMetric, tvkit::View::noIntrinsicMetric}));
    EXPECT_EQ(flexible->backgroundColor(), tvkit::Color::clear());
}

TEST_F(LayoutHelpersTest, PaddingViewInsetsItsContent) {
    auto content = tvkit::View::make<tvkit::Label>("Logo");
    auto padding = std::make_shared<QVPaddingView<tvkit::Label>>(content, tvkit::EdgeInsets{10, 20, 30, 40});
    EXPECT_EQ(padding->contentView, content);
    EXPECT_FALSE(content->translatesAutoresizingMaskIntoConstraints());
    padding->setFrame({100, 100, 300, 200});
    hostScreen().view()->addSubview(padding);
    padding->layoutIfNeeded();
    EXPECT_EQ(content->frame(), (tvkit::Rect{20, 10, 240, 160}));
}

} // namespace
} // namespace qvtv
