#include "tvkit/view/TextView.h"

#include "tvkit/app/Application.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/view/QrCodeView.h"
#include "tvkit/view/TextField.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

using namespace tvkit;

namespace {
AttributedString linkText() {
    TextAttributes body;
    body.font = Font::system(20);
    TextAttributes link = body;
    link.link = "https://example.com/privacy";
    AttributedString s("Read the ", body);
    s.append("policy", link);
    s.append(" before you choose anything at all here.", body);
    return s;
}
} // namespace

TEST(TextView, HeightFollowsWidthAndLinksOpenThroughTheApplication) {
    auto view = View::make<TextView>(linkText());
    view->setFrame({0, 0, 1000, 10});
    const double oneLine = view->intrinsicContentSize().height;
    view->setFrame({0, 0, 150, 10});
    EXPECT_GT(view->intrinsicContentSize().height, 2.5 * oneLine);

    std::vector<std::string> opened;
    Application::shared().setOpenURLHandler([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    view->setFrame({0, 0, 1000, 40});
    view->setTextContainerInset({10, 10, 10, 10});
    const double linkX = 10 + TextLayout::measure(AttributedString("Read the ", linkText().runs()[0].attributes), 0).width + 20;
    EXPECT_FALSE(view->activateLink({15, 20}));
    EXPECT_TRUE(view->activateLink({linkX, 20}));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "https://example.com/privacy");
    view->setSelectable(false);
    EXPECT_FALSE(view->activateLink({linkX, 20}));
    Application::shared().setOpenURLHandler({});
}

TEST(TextField, TakesTypedTextOnlyWhileFocused) {
    HeadlessHost host;
    auto field = View::make<TextField>();
    field->setFrame({100, 100, 400, 48});
    auto notes = View::make<TextField>(true);
    notes->setFrame({100, 200, 400, 160});
    host.window().addSubview(field);
    host.window().addSubview(notes);
    int returns = 0;
    int changes = 0;
    field->addAction([&](Control&) { ++returns; }, ControlEvent::primaryActionTriggered);
    field->addAction([&](Control&) { ++changes; }, ControlEvent::editingChanged);

    EXPECT_FALSE(host.type("ignored"));
    host.window().focusSystem().requestUpdate(host.window(), true);
    host.window().focusSystem().updateFocusIfNeeded();
    ASSERT_TRUE(field->isFocused());
    EXPECT_TRUE(host.type("caf\xC3\xA9"));
    EXPECT_EQ(field->text(), "caf\xC3\xA9");
    host.type("\b");  // removes the whole two-byte character
    EXPECT_EQ(field->text(), "caf");
    host.type("e\n");
    EXPECT_EQ(field->text(), "cafe");
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(changes, 3);

    host.press(PressType::downArrow);
    ASSERT_TRUE(notes->isFocused());
    host.type("one\ntwo");
    EXPECT_EQ(notes->text(), "one\ntwo");
    EXPECT_EQ(field->text(), "cafe");
    notes->setKeyboardType(KeyboardType::emailAddress);
    EXPECT_EQ(notes->keyboardType(), KeyboardType::emailAddress);
}

// A single-line field lays out only the end of a long text; what shows must be what the whole
// line would show: the same last words, flush against the caret, nothing blank on the left.
TEST(TextField, ALongLineShowsItsEndAsTheLastWordsAloneWould) {
    HeadlessHost host;
    const std::string ending = "Ana Lu\u00EDsa de Sousa \u05E9\u05DC\u05D5\u05DD and the rest of her long name";
    std::string prefix;
    while (prefix.size() < 6000) prefix += "ignored words w\u00F6rds ";
    auto whole = View::make<TextField>();
    auto tail = View::make<TextField>();
    for (const auto& [field, text, y] : {std::tuple{whole, prefix + ending, 100.0}, std::tuple{tail, ending, 200.0}}) {
        field->setFrame({100, y, 300, 48});
        field->setText(text);
        field->setCaretAlwaysVisible(true);
        host.window().addSubview(field);
    }
    const Bitmap& frame = host.render();
    int differing = 0, inked = 0;
    for (int y = 100; y < 148; ++y) {
        for (int x = 100; x < 400; ++x) {
            const std::uint8_t* a = frame.data() + y * frame.stride() + x * 4;
            const std::uint8_t* b = a + 100 * frame.stride();
            for (int c = 0; c < 4; ++c) differing += std::abs(a[c] - b[c]) > 24;
            inked += x < 150 && a[3] > 0 && a[0] + a[1] + a[2] < 3 * 128;
        }
    }
    EXPECT_LT(differing, 20);
    EXPECT_GT(inked, 20);  // text reaches the left edge
}

TEST(QrCodeView, SizesItselfFromTheCodeAndKeepsItSquare) {
    auto view = View::make<QrCodeView>("https://example.com/privacy");
    ASSERT_TRUE(view->code());
    const int modules = view->code()->moduleCount() + 4;
    EXPECT_EQ(view->intrinsicContentSize(), (Size{modules * 4.0, modules * 4.0}));
    view->setFrame({0, 0, 300, 200});
    const Rect code = view->codeRect();
    EXPECT_DOUBLE_EQ(code.width(), code.height());
    EXPECT_NEAR(code.midX(), 150, 1e-9);
    view->setText("");
    EXPECT_FALSE(view->code());
    EXPECT_TRUE(view->codeRect().isEmpty());
}
