#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"

#include "QVTVConsent/ui/controls/QVLinkOpener.h"
#include "support/RecordingURLOpener.h"
#include "tvkit/app/AlertController.h"
#include "tvkit/app/Application.h"
#include "tvkit/app/LinkSheetController.h"
#include "tvkit/view/QrCodeView.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/view/Button.h"

#include <gtest/gtest.h>

namespace qvtv {
namespace {

using tvkit::Point;
using tvkit::PressType;
using tvkit::View;

const std::string acrossTheMiddle = "a link long enough to reach across the middle of the view that shows it";

QVHtmlData html(std::string fragment) { return {std::move(fragment), "#FFFFFF", "#FFFFFF", "#0A84FF", "#2E3A46"}; }

// A long policy: `paragraphs` paragraphs, the middle one a link.
std::string policy(int paragraphs) {
    std::string out;
    for (int i = 0; i < paragraphs; ++i) {
        out += i == paragraphs / 2 ? "<p><a href=\"https://example.com/middle\">The middle of the policy, " + acrossTheMiddle + "</a></p>"
                                   : "<p>Paragraph " + std::to_string(i) + " of the policy text.</p>";
    }
    return out;
}

// Places `content` at (100, 100) on a 1920 x 1080 screen, 800 wide, with a button to its right.
struct Screen {
    tvkit::HeadlessHost host;
    std::shared_ptr<tvkit::ViewController> controller = std::make_shared<tvkit::ViewController>();
    std::shared_ptr<tvkit::Button> button = View::make<tvkit::Button>();

    void show(const std::shared_ptr<View>& content, double height = 300) {
        View& root = *controller->view();
        root.addSubview(content);
        root.addSubview(button);
        button->setTranslatesAutoresizingMaskIntoConstraints(false);
        content->setTranslatesAutoresizingMaskIntoConstraints(false);
        tvkit::LayoutConstraint::activate({
            content->leadingAnchor().equalTo(root.leadingAnchor(), 100),
            content->topAnchor().equalTo(root.topAnchor(), 100),
            content->widthAnchor().equalToConstant(800),
            content->heightAnchor().equalToConstant(height),
            button->leadingAnchor().equalTo(root.leadingAnchor(), 1200),
            button->topAnchor().equalTo(root.topAnchor(), 100),
            button->widthAnchor().equalToConstant(200),
            button->heightAnchor().equalToConstant(60),
        });
        host.setRootViewController(controller);
        host.advance(0.5);
    }
};

// What a Select press on a focused text view showing `fragment` opens through the host's handler.
std::vector<std::string> openedBySelectOn(const std::string& fragment) {
    testsupport::RecordingURLOpener opener;
    Screen screen;
    auto text = View::make<QVAttributedTextView>(html(fragment));
    screen.show(text, 16);
    EXPECT_EQ(screen.host.focusedView(), text.get());
    screen.host.press(PressType::select);
    screen.host.advance(1);
    EXPECT_EQ(screen.controller->presentedViewController(), nullptr);
    return opener.opened;
}

TEST(QVAttributedTextView, SelectOpensTheOnlyLinkWhereverItIsAndIgnoresTextsWithoutOne) {
    EXPECT_TRUE(View::make<QVAttributedTextView>(html("<p>x</p>"))->canBecomeFocused());
    const std::vector<std::string> privacy{"https://example.com/privacy"};
    EXPECT_EQ(openedBySelectOn("\n<p><a href=\"https://example.com/privacy\">Read " + acrossTheMiddle + "</a></p>\n"), privacy);
    // A short link away from the middle: the press no longer has to land on it.
    EXPECT_EQ(openedBySelectOn("<p><a href=\"https://example.com/privacy\">Privacy</a> and more words</p>"), privacy);
    EXPECT_TRUE(openedBySelectOn("<p>Plain text, no " + acrossTheMiddle + "</p>").empty());
    EXPECT_TRUE(openedBySelectOn("<p><a href=\"not a url\">A " + acrossTheMiddle + "</a></p>").empty());
}

TEST(QVAttributedTextView, SelectListsSeveralLinksInOrderAndTheChosenOneOpens) {
    testsupport::RecordingURLOpener opener;
    Screen screen;
    auto text = View::make<QVAttributedTextView>(
        html("<p>See the <a href=\"https://example.com/privacy\">privacy <b>policy</b></a>, "
             "<a href=\"not a url\">nowhere</a>, <a href=\"https://example.com/cookies\">cookies</a> "
             "and <a href=\"mailto:dpo@example.com\">our officer</a>.</p>"));
    screen.show(text, 40);
    screen.host.press(PressType::select);
    screen.host.advance(1);
    auto* list = dynamic_cast<tvkit::AlertController*>(screen.controller->presentedViewController());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->title(), QVLinkOpener::listTitle);
    std::vector<std::string> rows;
    for (const auto& action : list->actions()) rows.push_back(action.title);
    EXPECT_EQ(rows, (std::vector<std::string>{"privacy policy (https://example.com/privacy)",
                                              "cookies (https://example.com/cookies)",
                                              "our officer (mailto:dpo@example.com)", "Close"}));
    EXPECT_TRUE(opener.opened.empty());

    screen.host.press(PressType::downArrow);
    screen.host.press(PressType::select);
    screen.host.advance(1);
    EXPECT_EQ(opener.opened, std::vector<std::string>{"https://example.com/cookies"});
    EXPECT_EQ(screen.controller->presentedViewController(), nullptr);
    EXPECT_EQ(screen.host.focusedView(), text.get());

    // Menu leaves the list with nothing opened.
    screen.host.press(PressType::select);
    screen.host.advance(1);
    screen.host.press(PressType::menu);
    screen.host.advance(1);
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(screen.host.focusedView(), text.get());
}

TEST(QVLinkOpener, WithoutAHandlerTheChosenLinkComesUpAsASheetAndMenuGivesFocusBack) {
    ASSERT_FALSE(tvkit::Application::shared().openURLHandler());
    Screen screen;
    auto text = View::make<QVAttributedTextView>(
        html("<p><a href=\"https://example.com/privacy\">Privacy</a> or <a href=\"https://example.com/terms\">terms</a></p>"));
    screen.show(text, 40);
    screen.host.press(PressType::select);
    screen.host.advance(1);
    screen.host.press(PressType::select);  // the first link
    screen.host.advance(1);
    auto* sheet = dynamic_cast<tvkit::LinkSheetController*>(screen.controller->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->url(), "https://example.com/privacy");
    EXPECT_EQ(sheet->codeView()->text(), "https://example.com/privacy");
    EXPECT_EQ(sheet->addressLabel()->text(), "https://example.com/privacy");
    EXPECT_EQ(screen.host.focusedView(), sheet->closeButton());
    screen.host.press(PressType::menu);
    screen.host.advance(1);
    EXPECT_EQ(screen.controller->presentedViewController(), nullptr);
    EXPECT_EQ(screen.host.focusedView(), text.get());

    // A host handler takes the address instead of the sheet.
    testsupport::RecordingURLOpener opener;
    EXPECT_TRUE(QVLinkOpener::open("https://example.com/terms"));
    screen.host.advance(1);
    EXPECT_EQ(opener.opened, std::vector<std::string>{"https://example.com/terms"});
    EXPECT_EQ(screen.controller->presentedViewController(), nullptr);
}

TEST(QVAttributedScrollableTextView, TakesFocusAsOneAreaScrollsWithTheArrowsAndOffersItsLink) {
    testsupport::RecordingURLOpener opener;
    Screen screen;
    std::vector<bool> focusChanges;
    auto area = View::make<QVAttributedScrollableTextView>(
        html(policy(60)), [&](bool focused, const tvkit::FocusUpdateContext&, tvkit::FocusAnimationCoordinator&) {
            focusChanges.push_back(focused);
        });
    screen.show(area);
    ASSERT_EQ(screen.host.focusedView(), area.get());
    EXPECT_FALSE(area->textView().canBecomeFocused());
    EXPECT_EQ(area->textView().frame().width(), 800);
    EXPECT_GT(area->contentSize().height, 1500);
    EXPECT_EQ(area->contentSize().height, area->textView().frame().height());

    // The policy's one link opens even while it is out of sight.
    screen.host.press(PressType::select);
    EXPECT_EQ(opener.opened, std::vector<std::string>{"https://example.com/middle"});
    for (int i = 0; i < 3; ++i) screen.host.press(PressType::downArrow);
    EXPECT_EQ(area->contentOffset().y, 3 * 150);
    ASSERT_EQ(screen.host.focusedView(), area.get());

    // Up scrolls back to the top before focus may leave; right leaves at once.
    for (int i = 0; i < 40 && area->contentOffset().y > 0; ++i) screen.host.press(PressType::upArrow);
    EXPECT_EQ(area->contentOffset().y, 0);
    EXPECT_EQ(screen.host.focusedView(), area.get());
    screen.host.press(PressType::rightArrow);
    EXPECT_EQ(screen.host.focusedView(), screen.button.get());
    screen.host.press(PressType::leftArrow);
    EXPECT_EQ(focusChanges, (std::vector<bool>{true, false, true}));
}

TEST(QVScrollView, ContentFollowsTheFrameWidthAndScrollsOnlyVertically) {
    Screen screen;
    auto scroll = View::make<QVScrollView>(false);
    EXPECT_FALSE(scroll->canBecomeFocused());
    EXPECT_TRUE(View::make<QVScrollView>()->canBecomeFocused());
    auto first = View::make();
    scroll->setContent(first, {});
    auto content = View::make<tvkit::Button>();
    scroll->setContent(content, {10, 20, 30, 40});
    content->heightAnchor().equalToConstant(1000)->setActive(true);
    screen.show(scroll);
    EXPECT_EQ(scroll->subviews().size(), 1u);
    EXPECT_EQ(first->superview(), nullptr);
    EXPECT_EQ(content->frame(), (tvkit::Rect{20, 10, 740, 1000}));
    EXPECT_EQ(scroll->contentSize(), (tvkit::Size{800, 1040}));
    EXPECT_EQ(scroll->maxContentOffset(), (Point{0, 740}));
    // The focusable content, not the scroll view, takes focus.
    EXPECT_EQ(screen.host.focusedView(), content.get());
}

TEST(QVAttributedTextView, LongTextsConstructAndLayOut) {
    std::string big;
    while (big.size() < 2'000'000) big += policy(20);
    Screen screen;
    auto area = View::make<QVAttributedScrollableTextView>(html(big));
    screen.show(area, 600);
    EXPECT_GT(area->contentSize().height, 100'000);
    area->setContentOffset({0, area->maxContentOffset().y});
    EXPECT_EQ(area->contentOffset().y, area->contentSize().height - 600);
    screen.host.render();
}

} // namespace
} // namespace qvtv
