#include <gtest/gtest.h>

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/preferences/CategoryView.h"
#include "QVTVConsent/ui/preferences/PackageView.h"
#include "QVTVConsent/ui/preferences/PreferenceCenterBuilders.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"

using namespace qvtv;
using namespace prefcentertest;
using tvkit::PressType;

namespace {

class PreferenceCenterBadInputTest : public testsupport::ScreenTestFixture {
protected:
    // Opens the screen, runs `drive`, then closes it with Menu and checks it is gone.
    void openDriveAndClose(std::shared_ptr<QVPreferenceCenterData> data,
                           const std::function<void(QVPreferenceCenterViewController&)>& drive) {
        auto screen = std::make_shared<QVPreferenceCenterViewController>();
        screen->data = std::move(data);
        screen->applicationId = "demo-tv-app";
        present(screen);
        advance(0.5);
        drive(*screen);
        host().render();
        press(PressType::menu);
        advance(1);
        EXPECT_EQ(hostScreen().presentedViewController(), nullptr);
    }
};

} // namespace

TEST_F(PreferenceCenterBadInputTest, FortyCategoriesOfThirtyPackagesOpenScrollAndClose) {
    std::vector<std::shared_ptr<QVCategory>> categories;
    for (int c = 0; c < 40; ++c) {
        std::vector<std::shared_ptr<QVPackage>> packages;
        for (int p = 0; p < 30; ++p) {
            packages.push_back(makePackage({.name = "Package " + std::to_string(c) + "." + std::to_string(p),
                                            .enabled = p % 2 == 0}));
        }
        categories.push_back(makeCategory(QVCategoryType::analytics, "Category " + std::to_string(c),
                                          std::move(packages), true));
    }
    openDriveAndClose(center({settingsTab(categories)}), [&](QVPreferenceCenterViewController& screen) {
        auto* body = dynamic_cast<QVPreferenceCenterSettingsView*>(screen.body());
        ASSERT_TRUE(body);
        ASSERT_EQ(body->categoryViews().size(), 40u);
        press(PressType::downArrow, 12);
        auto* card = dynamic_cast<CategoryView*>(focusedView());
        ASSERT_TRUE(card);
        EXPECT_GT(body->scrollView()->contentOffset().y, 0) << "the list scrolls to the focused card";
        press(PressType::select);
        press(PressType::downArrow, 20);
        auto* pkg = dynamic_cast<PackageView*>(focusedView());
        ASSERT_TRUE(pkg);
        press(PressType::leftArrow);
        press(PressType::rightArrow);
        EXPECT_TRUE(pkg->pkg()->isEnabled());
        EXPECT_TRUE(card->category()->isEnabled);
    });
}

TEST_F(PreferenceCenterBadInputTest, AHalfMegabytePolicyOpensScrollsAndCloses) {
    openDriveAndClose(center({policyTab(QVPreferenceCenterTabType::pp, "Policy", longPolicy(500'000))}),
                      [&](QVPreferenceCenterViewController&) {
                          auto* text = pressUntil<QVAttributedScrollableTextView>(PressType::downArrow, 20);
                          ASSERT_TRUE(text);
                          press(PressType::downArrow, 10);
                          EXPECT_GT(text->contentOffset().y, 0);
                      });
}

TEST_F(PreferenceCenterBadInputTest, EmptyLabelsAndColoursThatAreNoColoursStillMakeAUsableScreen) {
    auto emptyCategory = makeCategory(QVCategoryType::advertising, "", {makePackage({.name = "", .service = "",
                                                                                    .description = "", .pp = ""})});
    auto tab = settingsTab({emptyCategory});
    tab.heading = "";
    tab.subHeading = "";
    tab.textColor = "not a colour";
    tab.buttonBGColor = "#GGHHII";
    auto settings = std::get<std::shared_ptr<QVSettingsData>>(tab.content);
    settings->pluginsLabel = settings->noOptOutLabel = settings->descriptionLabel = "";
    settings->serviceLabel = settings->policyLinkLabel = settings->enableServicesLabel = "";
    settings->dropDownColor = "rgb(1,2,3)";
    settings->introduction = {"", "", "", "", ""};
    settings->saveButton = button("");
    settings->cancelButton = button("");
    auto page = policyTab(QVPreferenceCenterTabType::cp, "", std::string("<p>unclosed <b>text"));
    std::get<std::shared_ptr<QVHTMLPageData>>(page.content)->html->textColor = "blue";
    auto data = center({tab, page});
    data->backgroundColor = "";
    data->textColor = "#";
    openDriveAndClose(data, [&](QVPreferenceCenterViewController& screen) {
        EXPECT_EQ(screen.tabViews().size(), 2u);
        ASSERT_TRUE(pressUntil<CategoryView>(PressType::downArrow, 10));
        press(PressType::select);
        press(PressType::leftArrow);
        EXPECT_FALSE(emptyCategory->isEnabled);
        screen.tabViews()[1]->sendActions(tvkit::ControlEvent::primaryActionTriggered);
        drainMain();
        auto* text = findFirst<QVAttributedScrollableTextView>(screen.body());
        ASSERT_TRUE(text);
        EXPECT_GT(text->frame().height(), 0) << "a fragment that is not well formed still shows its text";
    });
}
