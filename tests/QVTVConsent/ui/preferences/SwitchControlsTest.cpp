#include <gtest/gtest.h>

#include "QVTVConsent/ui/preferences/ExpandCollapseImageView.h"
#include "QVTVConsent/ui/preferences/QVSwitchButton.h"
#include "QVTVConsent/ui/preferences/QVToggleButton.h"
#include "tvkit/render/SymbolImage.h"

using namespace qvtv;

TEST(QVSwitchButton, TheThumbSitsAtTheEndOfItsStateAndTheSwitchFlipsOnlyWhileEnabled) {
    auto toggle = std::make_shared<QVSwitchButton>(tvkit::Rect{0, 0, 42, 24});
    toggle->setOnTintColor(tvkit::Color::fromRGBA8(0, 0x84, 0x71));
    toggle->layoutIfNeeded();
    EXPECT_EQ(toggle->thumbView()->frame(), (tvkit::Rect{3, 3, 18, 18}));
    EXPECT_EQ(toggle->trackView()->frame(), (tvkit::Rect{0, 0, 42, 24}));
    EXPECT_DOUBLE_EQ(toggle->trackView()->layer().cornerRadius(), 12);
    EXPECT_DOUBLE_EQ(toggle->thumbView()->layer().cornerRadius(), 9);
    EXPECT_EQ(toggle->trackView()->backgroundColor(), toggle->offTintColor());

    toggle->setChecked(true, false);
    EXPECT_EQ(toggle->thumbView()->frame(), (tvkit::Rect{21, 3, 18, 18}));
    EXPECT_EQ(toggle->trackView()->backgroundColor(), tvkit::Color::fromRGBA8(0, 0x84, 0x71));
    toggle->setOffTintColor(tvkit::Color::white());
    toggle->setChecked(false, true);
    EXPECT_EQ(toggle->trackView()->backgroundColor(), tvkit::Color::white()) << "a new off colour is used at once";

    std::vector<bool> heard;
    toggle->checkedChangeListener = [&](bool on) { heard.push_back(on); };
    toggle->sendActions(tvkit::ControlEvent::primaryActionTriggered);
    EXPECT_TRUE(toggle->isChecked());
    toggle->setEnabled(false);
    toggle->sendActions(tvkit::ControlEvent::primaryActionTriggered);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(heard, std::vector<bool>{true});

    EXPECT_TRUE(toggle->canBecomeFocused()) << "focusable unless told otherwise, even while disabled";
    EXPECT_FALSE(QVSwitchButton(false, nullptr).canBecomeFocused());
}

TEST(QVToggleButton, RenderRebuildsTheShownViewForTheCurrentState) {
    int built = 0;
    auto indicator = std::make_shared<QVToggleButton>(
        [&](bool on) {
            ++built;
            return tvkit::View::make<ExpandCollapseImageView>(tvkit::Color::black(), on);
        },
        12.0, false);
    auto* first = dynamic_cast<ExpandCollapseImageView*>(indicator->oldView());
    ASSERT_TRUE(first);
    EXPECT_EQ(built, 1);
    EXPECT_EQ(first->imageView()->image(), tvkit::SymbolImage::named("arrowtriangle.down.fill"));
    EXPECT_FALSE(indicator->canBecomeFocused());

    indicator->isOn = true;
    indicator->render();
    auto* second = dynamic_cast<ExpandCollapseImageView*>(indicator->oldView());
    ASSERT_TRUE(second);
    EXPECT_EQ(built, 2);
    EXPECT_EQ(second->imageView()->image(), tvkit::SymbolImage::named("arrowtriangle.up.fill"));
    EXPECT_EQ(indicator->subviews().size(), 1u) << "the old view is gone";
}
