#include "QVTVConsent/ui/datarequest/QVChoiceGroupView.h"

#include "QVTVConsent/ui/datarequest/QVChoiceInputView.h"
#include "QVTVConsent/ui/controls/QVPaddedLabel.h"
#include "QVTVConsent/ui/datarequest/QVDPOView.h"
#include "support/RecordingURLOpener.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/render/SymbolImage.h"
#include "tvkit/view/ImageView.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/TextView.h"

#include <gtest/gtest.h>

namespace qvtv {
namespace {

using tvkit::PressType;
using tvkit::View;

std::shared_ptr<QVChoiceInputFieldData> option(std::string label, bool value = false) {
    auto data = std::make_shared<QVChoiceInputFieldData>();
    data->label = std::move(label);
    data->textColor = "#FFFFFF";
    data->value = value;
    return data;
}

std::shared_ptr<QVChoiceInputGroupData> requestTypes() {
    auto group = std::make_shared<QVChoiceInputGroupData>();
    group->label = "Request type";
    group->textColor = "#FFFFFF";
    group->errorColor = "#FF0000";
    group->required = true;
    // Two options alike in everything but their place: choosing one must not choose both.
    group->value = {option("Export", true), option("Deletion"), option("Other"), option("Other")};
    return group;
}

// Shows `content` 1000 wide at (100, 100) on a headless screen.
struct Screen {
    tvkit::HeadlessHost host;
    std::shared_ptr<tvkit::ViewController> controller = std::make_shared<tvkit::ViewController>();

    explicit Screen(const std::shared_ptr<View>& content) {
        View& root = *controller->view();
        content->setTranslatesAutoresizingMaskIntoConstraints(false);
        root.addSubview(content);
        tvkit::LayoutConstraint::activate({content->leadingAnchor().equalTo(root.leadingAnchor(), 100),
                                           content->topAnchor().equalTo(root.topAnchor(), 100),
                                           content->widthAnchor().equalToConstant(1000)});
        host.setRootViewController(controller);
        host.advance(0.5);
    }
};

std::vector<bool> chosen(const QVChoiceInputGroupData& group) {
    std::vector<bool> out;
    for (const auto& o : group.value) out.push_back(o->value);
    return out;
}

bool showsChosen(const QVChoiceInputView& view) {
    return view.imageView().image() == tvkit::SymbolImage::named("largecircle.fill.circle");
}

TEST(QVChoiceGroupView, SelectChoosesOneOptionAtATime) {
    auto group = requestTypes();
    auto view = View::make<QVChoiceGroupView>(group);
    Screen screen(view);
    const auto& options = view->optionViews();
    ASSERT_EQ(options.size(), 4u);
    EXPECT_TRUE(showsChosen(*options[0]));
    EXPECT_FALSE(showsChosen(*options[1]));
    // A row of options 48 high, each a circle and its label.
    EXPECT_EQ(options[0]->frame().height(), 48);
    EXPECT_LT(options[0]->frame().maxX(), options[1]->frame().minX());
    EXPECT_EQ(options[1]->label().text(), "Deletion");

    ASSERT_EQ(screen.host.focusedView(), options[0]);
    screen.host.press(PressType::rightArrow);
    screen.host.press(PressType::select);
    EXPECT_EQ(chosen(*group), (std::vector<bool>{false, true, false, false}));
    screen.host.press(PressType::rightArrow);
    screen.host.press(PressType::rightArrow);
    screen.host.press(PressType::select);
    EXPECT_EQ(chosen(*group), (std::vector<bool>{false, false, false, true}));
    EXPECT_TRUE(showsChosen(*options[3]));
    EXPECT_FALSE(showsChosen(*options[1]));
    screen.host.press(PressType::select);  // again: stays chosen
    EXPECT_EQ(chosen(*group), (std::vector<bool>{false, false, false, true}));

    auto noOptions = requestTypes();
    noOptions->value.clear();
    auto none = View::make<QVChoiceGroupView>(noOptions);
    EXPECT_TRUE(none->subviews().empty()) << "a group without options is empty";
    EXPECT_TRUE(none->optionViews().empty());
}

TEST(QVChoiceGroupView, TheFocusedOptionShiftsAndShowsItsBackground) {
    auto group = requestTypes();
    auto view = View::make<QVChoiceGroupView>(group);
    Screen screen(view);
    QVChoiceInputView& first = *view->optionViews()[0];
    QVChoiceInputView& second = *view->optionViews()[1];
    screen.host.advance(0.5);
    EXPECT_EQ(first.transform(), tvkit::AffineTransform::translation(2, 0));
    EXPECT_EQ(first.leadingConstraint()->constant(), 12);
    EXPECT_EQ(first.trailingConstraint()->constant(), -8);
    EXPECT_EQ(first.layer().cornerRadius(), 16);
    EXPECT_EQ(first.backgroundColor(), tvkit::Color::white().withAlpha(0.1));
    screen.host.press(PressType::rightArrow);
    screen.host.advance(0.5);
    EXPECT_EQ(first.transform(), tvkit::AffineTransform());
    EXPECT_EQ(first.leadingConstraint()->constant(), 0);
    EXPECT_EQ(first.backgroundColor(), tvkit::Color::clear());
    EXPECT_EQ(second.layer().cornerRadius(), 16);
}

TEST(QVDPOView, TheAddressOpensAsAMailLinkOnlyWhenItFormsOne) {
    testsupport::RecordingURLOpener opener;
    auto form = std::make_shared<QVDataRequestFormData>();
    form->textColor = "#333333";
    form->contactOurOfficerTitle = "Contact our officer";
    form->dpoNameLabel = "Name";
    form->dpoName = "Jane Roe";
    form->dpoEmailLabel = "E-mail";
    form->dpoEmail = "dpo@example.com";
    auto view = View::make<QVDPOView>(form);
    Screen screen(view);
    EXPECT_FALSE(view->canBecomeFocused());
    EXPECT_EQ(view->nameLabel().text(), "Name: Jane Roe");
    EXPECT_TRUE(view->emailLabel().attributedText().runs()[0].attributes.underline);
    EXPECT_EQ(view->layer().cornerRadius(), 8);
    EXPECT_EQ(view->backgroundColor(), tvkit::Color::white());
    EXPECT_EQ(view->titleLabel().textColor(), tvkit::Color::fromRGBA8(0x33, 0x33, 0x33));
    view->handleDPOEmailTap();
    EXPECT_EQ(opener.opened, std::vector<std::string>{"mailto:dpo@example.com"});

    for (const char* bad : {"", "not an address", "dpo@", "@example.com", "a@b@c", "dpo@exa mple.com"}) {
        form->dpoEmail = bad;
        View::make<QVDPOView>(form)->handleDPOEmailTap();
    }
    EXPECT_EQ(opener.opened.size(), 1u);

    // A light text colour meant for a dark card would vanish on the white box: black there.
    form->textColor = "#F2F4F7";
    auto light = View::make<QVDPOView>(form);
    EXPECT_EQ(light->titleLabel().textColor(), tvkit::Color::black());
    EXPECT_EQ(light->nameLabel().textColor(), tvkit::Color::black());
}

} // namespace
} // namespace qvtv
