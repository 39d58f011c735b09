// The banner's frames and visibility as they follow from its numbers, built straight from the
// service's fixture templates on a headless 1920 x 1080 screen, and the focus paths that the
// remote's arrows take through it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "QVTVConsent/model/QVConsentBannerData.h"
#include "QVTVConsent/model/TemplateFixtures.h"
#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/banner/QVConsentBannerViewController.h"
#include "QVTVConsent/ui/controls/QVCheckboxView.h"
#include "QVTVConsent/ui/controls/QVTVFocusButton.h"
#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"
#include "support/LogCapture.h"
#include "tvkit/text/TextMeasurer.h"

namespace {

using qvtv::QVConsentBannerData;
using qvtv::QVConsentBannerViewController;
using Edit = std::function<void(nlohmann::json&)>;

double expectedButtonWidth(const std::string& title) {
    return std::max(tvkit::TextMeasurer::measure(title, 20, tvkit::Font::bold, 0, 0).width + 40, 160.0);
}

// A consent message of `lines` short lines in one paragraph.
std::string linesOfText(int lines) {
    std::string html = "<p>";
    for (int i = 0; i < lines; ++i) html += "We and our partners use this line " + std::to_string(i) + ".<br>";
    return html + "</p>";
}

class BannerLayoutTest : public testsupport::ScreenTestFixture {
protected:
    std::shared_ptr<QVConsentBannerData> bannerData(const std::string& applicationId, const Edit& edit = {}) {
        auto json = templatetest::fixture(applicationId + "/banner.json");
        // No download: the logo is the library's own.
        json["template"]["LogoUrl"] = "";
        if (edit) edit(json);
        auto data = QVConsentBannerData::fromJson(json);
        EXPECT_TRUE(data);
        return *data;
    }

    // Replaces whatever banner is up with a new one for `data`.
    QVConsentBannerViewController& show(std::shared_ptr<QVConsentBannerData> data) {
        if (hostScreen().presentedViewController()) {
            hostScreen().dismiss(false);
            advance(0.1);
        }
        banner = std::make_shared<QVConsentBannerViewController>();
        banner->applicationId = "layout-test";
        banner->data = std::move(data);
        present(banner);
        return *banner;
    }

    std::vector<qvtv::QVTVFocusButton*> buttons() { return findAll<qvtv::QVTVFocusButton>(banner->view().get()); }
    std::string focusedTitle() {
        if (auto* box = dynamic_cast<qvtv::QVCheckboxView*>(focusedView())) return "box " + box->title();
        if (auto text = textOf(focusedView()); !text.empty()) return text;
        return focusedView() ? std::string(focusedView()->className()) : "nothing";
    }
    qvtv::QVAttributedScrollableTextView* message() {
        return findFirst<qvtv::QVAttributedScrollableTextView>(banner->view().get());
    }

    std::shared_ptr<QVConsentBannerViewController> banner;
};

TEST_F(BannerLayoutTest, SimpleBannerSitsOnTheBottomWithMeasuredButtonsAndTheRestForTheText) {
    testsupport::LogCapture log;
    auto& screen = show(bannerData("demo-tv-app"));
    // The strip's constraints hold together: the solver has nothing to report.
    EXPECT_FALSE(log.containsSubstring("LayoutSolver")) << log.lines().front();
    const auto strip = windowFrame(*screen.container());
    EXPECT_EQ(strip.minX(), 0);
    EXPECT_EQ(strip.width(), 1920);
    EXPECT_EQ(strip.maxY(), 1080);
    EXPECT_EQ(strip.height(), 172);  // a short text, with branding

    const std::vector<std::string> titles{"Accept all", "Reject all", "Customise"};
    auto shown = buttons();
    ASSERT_EQ(shown.size(), 3u);
    double buttonsAndSpacing = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto frame = windowFrame(*shown[i]);
        EXPECT_EQ(shown[i]->title(), titles[i]);
        EXPECT_DOUBLE_EQ(frame.width(), expectedButtonWidth(titles[i]));
        EXPECT_EQ(frame.height(), 60);
        buttonsAndSpacing += frame.width() + 24;
        if (i > 0) {
            EXPECT_DOUBLE_EQ(frame.minX(), windowFrame(*shown[i - 1]).maxX() + 24);
        }
    }
    EXPECT_DOUBLE_EQ(windowFrame(*shown.back()).maxX(), 1920 - 24);
    ASSERT_EQ(screen.actionViews().size(), 3u);
    EXPECT_EQ(screen.actionViews()[0].value.lock().get(), shown[0]);

    const auto text = windowFrame(*screen.consentTextView());
    EXPECT_EQ(text.minX(), 24 + 100 + 16);
    EXPECT_DOUBLE_EQ(text.width(), 1920 - (buttonsAndSpacing + 156 + 24));
    auto* message = this->message();
    const double textHeight = windowFrame(*message).height();
    EXPECT_EQ(textHeight, std::ceil(message->textView().sizeThatFits(text.width()).height));
    EXPECT_DOUBLE_EQ(windowFrame(*message).minY() - strip.minY(), 10 + (172 - textHeight) / 2);
    EXPECT_EQ(screen.view()->frame(), (tvkit::Rect{0, 0, 1920, 1080}));
}

TEST_F(BannerLayoutTest, RemovedBrandingLowersTheStripTo132AndDropsTheBrandingLine) {
    auto& screen = show(bannerData("demo-tv-app-kids"));
    EXPECT_EQ(windowFrame(*screen.container()).height(), 132);
    EXPECT_EQ(QVConsentBannerViewController::minimumBannerHeight(true), 132);
    EXPECT_EQ(QVConsentBannerViewController::minimumBannerHeight(false), 172);
    // The buttons sit in the middle of the strip with no 12-point rows around them.
    const auto accept = windowFrame(*buttons().at(0));
    EXPECT_DOUBLE_EQ(accept.midY(), windowFrame(*screen.container()).midY());
}

TEST_F(BannerLayoutTest, ButtonsOfTypeNoneAreHiddenAndLeaveTheirWidthToTheText) {
    auto& full = show(bannerData("demo-tv-app"));
    const double fullTextWidth = windowFrame(*full.consentTextView()).width();
    auto& screen = show(bannerData("demo-tv-app", [](nlohmann::json& banner) {
        banner["template"]["Settings"]["DeclineButtonType"] = "None";
    }));
    auto shown = buttons();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(shown[1]->isHidden());
    ASSERT_EQ(screen.actionViews().size(), 2u);
    EXPECT_EQ(screen.actionViews()[1].value.lock().get(), shown[2]);
    EXPECT_DOUBLE_EQ(windowFrame(*screen.consentTextView()).width(), fullTextWidth + expectedButtonWidth("Reject all") + 24);
    // Right from Accept skips the hidden button.
    EXPECT_EQ(focusedTitle(), "Accept all");
    press(tvkit::PressType::rightArrow);
    EXPECT_EQ(focusedTitle(), "Customise");
}

TEST_F(BannerLayoutTest, AdvancedBannerEndsAboveAStripOfCategoryCheckBoxes) {
    auto& screen = show(bannerData("demo-tv-advanced"));
    EXPECT_EQ(windowFrame(*screen.container()).maxY(), 1080 - 72);
    auto boxes = findAll<qvtv::QVCheckboxView>(screen.view().get());
    ASSERT_EQ(boxes.size(), 3u);
    std::vector<std::string> names;
    for (auto* box : boxes) {
        names.push_back(box->title());
        const auto frame = windowFrame(*box);
        EXPECT_GE(frame.minY(), 1080 - 72 + 12 - 0.5) << box->title();
        EXPECT_LE(frame.maxY(), 1080 + 0.5) << box->title();
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Marketing", "Measurement", "Strictly necessary"}));
    EXPECT_FALSE(boxes[2]->isEnabledValue());  // essential
    EXPECT_TRUE(boxes[0]->isEnabledValue());
    EXPECT_DOUBLE_EQ(windowFrame(*boxes[0]).minX(), 24 + 20);

    // Down from the buttons reaches the boxes, never the disabled one, and up comes back.
    EXPECT_EQ(focusedTitle(), "OK");
    press(tvkit::PressType::downArrow);
    EXPECT_EQ(focusedTitle().rfind("box ", 0), 0u);
    for (int i = 0; i < 4; ++i) {
        press(tvkit::PressType::rightArrow);
        EXPECT_NE(focusedTitle(), "box Strictly necessary");
    }
    press(tvkit::PressType::upArrow);
    EXPECT_NE(dynamic_cast<tvkit::Button*>(focusedView()), nullptr);
    (void)screen;

    // The boxes' strip is the banner's colour, darkened a tenth, never the host's screen.
    show(bannerData("demo-tv-advanced", [](nlohmann::json& b) { b["template"]["Settings"]["BackgroundColor"] = "#2060A0"; }));
    const tvkit::Color strip = host().render().pixel(1900, 1070);
    EXPECT_NEAR(strip.red, 0x20 / 255.0 * 0.9, 0.01);
    EXPECT_NEAR(strip.green, 0x60 / 255.0 * 0.9, 0.01);
    EXPECT_NEAR(strip.blue, 0xA0 / 255.0 * 0.9, 0.01);
}

TEST_F(BannerLayoutTest, FocusStartsOnAcceptAndTheArrowsWalkButtonsAndText) {
    show(bannerData("demo-tv-app"));
    EXPECT_EQ(focusedTitle(), "Accept all");
    EXPECT_EQ(focusedView()->transform().a, 1.12);
    press(tvkit::PressType::rightArrow);
    EXPECT_EQ(focusedTitle(), "Reject all");
    press(tvkit::PressType::rightArrow);
    EXPECT_EQ(focusedTitle(), "Customise");
    press(tvkit::PressType::rightArrow);
    EXPECT_EQ(focusedTitle(), "Customise");
    press(tvkit::PressType::leftArrow);
    press(tvkit::PressType::leftArrow);
    EXPECT_EQ(focusedTitle(), "Accept all");
    press(tvkit::PressType::leftArrow);
    EXPECT_EQ(focusedTitle(), "QVAttributedScrollableTextView");
    advance(0.5);
    EXPECT_DOUBLE_EQ(focusedView()->transform().a, 1.01);
    press(tvkit::PressType::upArrow);
    press(tvkit::PressType::downArrow);
    EXPECT_EQ(focusedTitle(), "QVAttributedScrollableTextView");
    press(tvkit::PressType::rightArrow);
    EXPECT_EQ(focusedTitle(), "Accept all");
    advance(0.5);
    EXPECT_DOUBLE_EQ(message()->transform().a, 1.0);
}

// Texts of every height: the strip is never lower than its minimum, the text is never cut, and
// a text too tall for the screen fills the strip up to the top edge and scrolls.
TEST_F(BannerLayoutTest, TheStripGrowsWithItsTextUpToTheWholeScreen) {
    const double minimum = 172;
    bool sawNearMinimum = false;
    for (int lines : {1, 5, 6, 7, 8, 9, 10, 11, 12, 20, 40, 80}) {
        auto& screen = show(bannerData("demo-tv-app", [lines](nlohmann::json& banner) {
            banner["template"]["Translation"]["ConsentMessageText"] = linesOfText(lines);
        }));
        SCOPED_TRACE("lines " + std::to_string(lines));
        const auto strip = windowFrame(*screen.container());
        auto* message = this->message();
        const auto text = windowFrame(*message);
        const double needed = std::ceil(message->textView().sizeThatFits(text.width()).height);
        EXPECT_EQ(strip.maxY(), 1080);
        EXPECT_GE(strip.height(), minimum);
        if (needed >= 1080 - 24) {
            EXPECT_EQ(strip.minY(), 0);
            EXPECT_EQ(screen.consentTextView(), message);
            EXPECT_EQ(text.height(), 1080);
            continue;
        }
        EXPECT_EQ(text.height(), needed);
        EXPECT_GE(text.minY(), strip.minY());
        EXPECT_LE(text.maxY(), strip.maxY());
        if (needed < minimum) {
            const double half = (minimum - needed) / 2;
            EXPECT_DOUBLE_EQ(text.minY() - strip.minY(), 10 + half);
            EXPECT_DOUBLE_EQ(strip.height(), std::max(minimum, 10 + half + needed));
            sawNearMinimum = sawNearMinimum || minimum - needed < 20;
        } else {
            EXPECT_EQ(strip.height(), needed);
        }
    }
    EXPECT_TRUE(sawNearMinimum) << "no text came within 20 points of the minimum";
}

// What the viewer sees, kept as pictures: re-record with QVTV_UPDATE_GOLDENS=1 (see GoldenImage.h).
TEST_F(BannerLayoutTest, PicturesOfTheSimpleAndAdvancedBannersAndAFocusedButton) {
    show(bannerData("demo-tv-app"));
    EXPECT_TRUE(matchesGolden("banner_simple"));
    press(tvkit::PressType::rightArrow);
    advance(0.3);
    EXPECT_TRUE(matchesGolden("banner_focused_decline"));
    show(bannerData("demo-tv-advanced"));
    EXPECT_TRUE(matchesGolden("banner_advanced"));
}

// Templates that are empty, colourless, buttonless or huge still give a banner that shows,
// takes focus somewhere inside and closes with Menu.
TEST_F(BannerLayoutTest, BadTemplatesStillGiveABannerTheRemoteCanWorkAndLeave) {
    const std::pair<const char*, Edit> cases[] = {
        {"empty texts", [](nlohmann::json& b) { b["template"]["Translation"] = nlohmann::json::object(); }},
        {"no colours",
         [](nlohmann::json& b) {
             auto& settings = b["template"]["Settings"];
             for (auto it = settings.begin(); it != settings.end();) {
                 it = it.key().find("Color") != std::string::npos ? settings.erase(it) : std::next(it);
             }
         }},
        {"no buttons",
         [](nlohmann::json& b) {
             for (const char* key : {"AcceptButtonType", "DeclineButtonType", "CustomizeButtonType"}) {
                 b["template"]["Settings"][key] = "None";
             }
         }},
        {"2 MB text",
         [](nlohmann::json& b) {
             std::string html;
             while (html.size() < 2 * 1024 * 1024) html += "<p>Consent text that goes on and on, line after line.</p>";
             b["template"]["Translation"]["ConsentMessageText"] = html;
         }},
        {"buttons wider than the screen",
         [](nlohmann::json& b) { b["template"]["Translation"]["AcceptButtonText"] = std::string(400, 'W'); }},
    };
    for (const auto& [name, edit] : cases) {
        SCOPED_TRACE(name);
        auto& screen = show(bannerData("demo-tv-app", edit));
        const auto strip = windowFrame(*screen.container());
        EXPECT_EQ(strip.maxY(), 1080);
        EXPECT_GE(strip.height(), 172);
        ASSERT_NE(focusedView(), nullptr);
        EXPECT_TRUE(focusedView()->isDescendantOf(screen.view().get()));
        for (auto arrow : {tvkit::PressType::rightArrow, tvkit::PressType::leftArrow, tvkit::PressType::downArrow}) {
            press(arrow);
            ASSERT_NE(focusedView(), nullptr);
        }
        press(tvkit::PressType::menu);
        advance(0.5);
        EXPECT_EQ(hostScreen().presentedViewController(), nullptr);
    }
}

} // namespace
