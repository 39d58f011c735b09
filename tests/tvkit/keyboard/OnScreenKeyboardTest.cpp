#include "tvkit/keyboard/OnScreenKeyboard.h"

#include "QVTVConsent/ui/GoldenImage.h"
#include "tvkit/host/headless/RemoteTypist.h"
#include "tvkit/app/Application.h"
#include "tvkit/text/TextLayout.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/TextField.h"
#include "tvkit/view/TextView.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

// A form with two fields that records the editing events of the first.
class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        field->setLabel("Name");
        field->setFrame({100, 100, 400, 48});
        other->setFrame({100, 300, 400, 48});
        screen->view()->addSubview(field);
        screen->view()->addSubview(other);
        const std::pair<ControlEvent, const char*> watched[] = {
            {ControlEvent::editingDidBegin, "began"},      {ControlEvent::editingChanged, "changed"},
            {ControlEvent::editingDidEnd, "ended"},        {ControlEvent::editingDidEndOnExit, "endedOnExit"},
            {ControlEvent::primaryActionTriggered, "primary"}};
        for (const auto& [event, name] : watched) {
            field->addAction([this, name = std::string(name)](Control&) { events.push_back(name); }, event);
        }
        host.setRootViewController(screen);
        ASSERT_TRUE(field->isFocused());
    }

    // Select on the focused field, then let the keyboard slide in.
    OnScreenKeyboard* open() {
        host.press(PressType::select);
        host.advance(1);
        return dynamic_cast<OnScreenKeyboard*>(host.window().topViewController());
    }
    std::size_t count(const std::string& name) const { return std::count(events.begin(), events.end(), name); }

    // Outlives the host, whose teardown closes a keyboard left open and so ends the edit.
    std::vector<std::string> events;
    HeadlessHost host;
    std::shared_ptr<ViewController> screen = std::make_shared<ViewController>();
    std::shared_ptr<TextField> field = View::make<TextField>();
    std::shared_ptr<TextField> other = View::make<TextField>();
};

TEST_F(KeyboardTest, TypingANameWithArrowsAndSelectGivesExactlyThatText) {
    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_TRUE(field->isEditing());
    EXPECT_EQ(keyboard->titleLabel().text(), "Name");
    EXPECT_EQ(keyboard->keyGrid().layout().pages().size(), 3u);  // the default layout
    EXPECT_EQ(host.focusedView(), keyboard->keyGrid().keyButtons().front().get());

    const std::string name = "Zo\u00EB O'Brien-\u00C5ngstr\u00F6m 42";
    RemoteTypist viewer(host, *keyboard);
    ASSERT_TRUE(viewer.type(name));
    EXPECT_EQ(field->text(), name);
    EXPECT_EQ(keyboard->echo().text(), name);
    EXPECT_EQ(count("changed"), 23u);  // one per character
    EXPECT_EQ(count("began"), 1u);
    EXPECT_EQ(count("ended"), 0u);
    // Shift lasts one letter.
    EXPECT_FALSE(keyboard->keyGrid().isShifted());
    ASSERT_TRUE(viewer.press(KeyRole::done));
    host.advance(1);
    EXPECT_EQ(host.window().topViewController(), screen.get());
    EXPECT_EQ(host.focusedView(), field.get());
    EXPECT_EQ(field->text(), name);
}

TEST_F(KeyboardTest, LooksLikeItsPicture) {
    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    RemoteTypist viewer(host, *keyboard);
    ASSERT_TRUE(viewer.type("Zo\u00EB O'B"));
    ASSERT_TRUE(viewer.press(KeyRole::shift));  // shows the upper-case page, focus on shift
    host.advance(1);
    EXPECT_TRUE(testsupport::GoldenImage::compare(host.render(), "onscreen_keyboard"));
}

TEST_F(KeyboardTest, EmailAndPhoneFieldsGetTheirLayouts) {
    field->setKeyboardType(KeyboardType::emailAddress);
    field->setLabel("");
    field->setPlaceholder("E-mail address");
    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->titleLabel().text(), "E-mail address");  // no label: the placeholder
    RemoteTypist viewer(host, *keyboard);
    ASSERT_TRUE(viewer.type("ana_li+tv@example"));
    const int before = viewer.presses();
    ASSERT_TRUE(viewer.type(".com"));  // one key types all four
    EXPECT_EQ(field->text(), "ana_li+tv@example.com");
    EXPECT_EQ(keyboard->keyGrid().page(), 0u);
    EXPECT_LT(viewer.presses() - before, 12);
    host.press(PressType::menu);
    host.advance(1);

    other->setKeyboardType(KeyboardType::phonePad);
    host.press(PressType::downArrow);
    ASSERT_TRUE(other->isFocused());
    keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->keyGrid().layout().columns(), 4);
    RemoteTypist dialler(host, *keyboard);
    ASSERT_TRUE(dialler.type("+44 (20) 7946-0958"));
    EXPECT_FALSE(dialler.type("x"));  // no letters on a phone pad
    EXPECT_EQ(other->text(), "+44 (20) 7946-0958");
    EXPECT_EQ(field->text(), "ana_li+tv@example.com");
}

TEST_F(KeyboardTest, MenuKeepsTheTextAndOnlyDoneEndsTheEditOnExit) {
    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    RemoteTypist viewer(host, *keyboard);
    ASSERT_TRUE(viewer.type("ab"));
    host.press(PressType::menu);
    EXPECT_EQ(events, (std::vector<std::string>{"began", "changed", "changed", "ended"}));
    EXPECT_FALSE(field->isEditing());
    host.advance(1);
    EXPECT_EQ(host.window().topViewController(), screen.get());
    EXPECT_EQ(host.focusedView(), field.get());
    EXPECT_EQ(field->text(), "ab");

    // Open again: the keyboard echoes what is there, and typing continues after it.
    events.clear();
    keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->echo().text(), "ab");
    RemoteTypist again(host, *keyboard);
    ASSERT_TRUE(again.type("c"));
    ASSERT_TRUE(again.press(KeyRole::done));
    EXPECT_EQ(events, (std::vector<std::string>{"began", "changed", "endedOnExit", "ended", "primary"}));
    host.press(PressType::leftArrow);  // to delete, on the keyboard sliding away: it does nothing
    host.press(PressType::select);
    host.advance(1);
    EXPECT_EQ(field->text(), "abc");

    // Return on a physical keyboard is Done; what follows it still reaches the field.
    events.clear();
    keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_TRUE(host.type("d\ne"));
    EXPECT_EQ(events, (std::vector<std::string>{"began", "changed", "endedOnExit", "ended", "primary", "changed"}));
    host.advance(1);
    EXPECT_EQ(field->text(), "abcde");
    EXPECT_EQ(host.window().topViewController(), screen.get());

    // A keyboard taken away by someone else still ends the edit, once.
    events.clear();
    ASSERT_NE(open(), nullptr);
    screen->dismiss(false);
    host.advance(1);
    EXPECT_EQ(events, (std::vector<std::string>{"began", "ended"}));
    EXPECT_NE(open(), nullptr);  // and the field can be edited again
    host.press(PressType::menu);
    host.advance(1);

    // Over a presented screen, Menu closes the keyboard and leaves the screen up.
    auto form = std::make_shared<ViewController>();
    auto formField = View::make<TextField>();
    formField->setFrame({100, 100, 400, 48});
    form->view()->addSubview(formField);
    screen->present(form, false);
    host.advance(1);
    ASSERT_TRUE(formField->isFocused());
    ASSERT_NE(open(), nullptr);
    host.press(PressType::menu);
    host.advance(1);
    EXPECT_EQ(host.window().topViewController(), form.get());
    EXPECT_TRUE(formField->isFocused());
}

TEST_F(KeyboardTest, AnEditableTextViewIsTypedIntoLikeAMultiLineField) {
    auto notes = View::make<TextView>();
    notes->setFrame({100, 500, 600, 160});
    notes->setLabel("Message");
    TextAttributes typing;
    typing.color = Color::fromRGBA8(0x20, 0x40, 0x60);
    notes->setTypingAttributes(typing);
    std::vector<EditingEvent> heard;
    notes->setEditingHandler([&](TextView&, EditingEvent e) { heard.push_back(e); });
    screen->view()->addSubview(notes);
    host.press(PressType::downArrow);
    host.press(PressType::downArrow);
    EXPECT_FALSE(notes->isFocused());  // read-only text views are passed over
    EXPECT_EQ(host.focusedView(), other.get());

    notes->setEditable(true);
    host.press(PressType::downArrow);
    ASSERT_TRUE(notes->isFocused());
    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->titleLabel().text(), "Message");
    RemoteTypist viewer(host, *keyboard);
    ASSERT_TRUE(viewer.type("Hi"));
    host.type("\nthere!\b");  // Return starts a new line here rather than closing
    EXPECT_EQ(notes->text(), "Hi\nthere");
    EXPECT_EQ(keyboard->echo().text(), "Hi there");
    EXPECT_EQ(notes->attributedText().runs().size(), 1u);
    EXPECT_EQ(notes->attributedText().runs()[0].attributes.color, typing.color);
    host.press(PressType::menu);
    host.advance(1);
    EXPECT_EQ(notes->text(), "Hi\nthere");
    EXPECT_EQ(heard.front(), EditingEvent::began);
    EXPECT_EQ(heard.back(), EditingEvent::ended);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), EditingEvent::changed), 5);
    EXPECT_EQ(host.focusedView(), notes.get());
    // Typing straight into it while focused.
    EXPECT_TRUE(host.type("\n:)"));
    EXPECT_EQ(notes->text(), "Hi\nthere\n:)");
    notes->setEditable(false);
    EXPECT_FALSE(notes->beginEditing());
}

TEST_F(KeyboardTest, PhysicalKeyboardTypesIntoTheFocusedFieldWithOrWithoutTheKeyboard) {
    auto& app = Application::shared();
    EXPECT_TRUE(app.isEditingText());
    EXPECT_TRUE(host.type("Jos\u00E9"));
    EXPECT_EQ(field->text(), "Jos\u00E9");
    host.type("\b");
    EXPECT_EQ(field->text(), "Jos");

    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_TRUE(app.isEditingText());  // the keys are focused now, yet typing still edits
    EXPECT_TRUE(host.type("\u00E9 N\u00FA\u00F1ez"));
    EXPECT_EQ(field->text(), "Jos\u00E9 N\u00FA\u00F1ez");
    EXPECT_EQ(keyboard->echo().text(), field->text());
    EXPECT_TRUE(host.type("\x7f\x7f\x7f"));
    EXPECT_EQ(keyboard->echo().text(), "Jos\u00E9 N\u00FA");
    // Programmatic edits of the field show in the echo too.
    field->typeText("\u00F1");
    EXPECT_EQ(keyboard->echo().text(), "Jos\u00E9 N\u00FA\u00F1");
    host.press(PressType::menu);
    host.advance(1);

    // A focused button takes no text.
    auto button = View::make<Button>();
    button->setFrame({700, 100, 200, 60});
    screen->view()->addSubview(button);
    host.press(PressType::rightArrow);
    ASSERT_EQ(host.focusedView(), button.get());
    EXPECT_FALSE(app.isEditingText());
    EXPECT_FALSE(host.type("x"));
    EXPECT_EQ(field->text(), "Jos\u00E9 N\u00FA\u00F1");
}

TEST_F(KeyboardTest, DeleteRemovesOneWholeCharacterHoweverManyBytesItHas) {
    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    RemoteTypist viewer(host, *keyboard);
    // Each of these is one character on screen: a letter with a combining accent, accented
    // letters, CJK, Hangul, a thumb with a skin tone, a flag, a family joined with ZWJ.
    const std::vector<std::string> characters = {"e\u0301", "\u00E9", "\u0142", "\u65E5", "\uD55C", "\U0001F44D\U0001F3FD",
                                                 "\U0001F1EB\U0001F1F7", "\U0001F468\u200D\U0001F469\u200D\U0001F467"};
    std::string all = "a";
    for (const auto& c : characters) all += c;
    field->typeText(all);
    for (auto it = characters.rbegin(); it != characters.rend(); ++it) {
        ASSERT_TRUE(viewer.press(KeyRole::deleteBackward));
        all.erase(all.size() - it->size());
        EXPECT_EQ(field->text(), all);
    }
    EXPECT_EQ(field->text(), "a");
    ASSERT_TRUE(viewer.press(KeyRole::deleteBackward));
    ASSERT_TRUE(viewer.press(KeyRole::deleteBackward));  // nothing left: nothing happens
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(keyboard->echo().text(), "");

    // A long run of flags pairs its indicators from the start of the run, not from the end of
    // whatever part of it was looked at.
    std::string flags;
    for (int i = 0; i < 41; ++i) flags += "\U0001F1EB\U0001F1F7";
    field->typeText("x" + flags + "\U0001F1E9");  // ends with a lone indicator
    host.type("\b");
    EXPECT_EQ(field->text(), "x" + flags);
    host.type("\b");
    EXPECT_EQ(field->text(), "x" + flags.substr(0, flags.size() - 8));
}

TEST_F(KeyboardTest, TenThousandCharactersStayIntactAndTheKeyboardKeepsWorking) {
    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    // Latin with accents, Greek, Cyrillic, CJK, Arabic, Hebrew, Devanagari, emoji.
    const std::vector<std::string> alphabet = {"a", "\u00E9", "Z", " ", "\u03A9", "\u0416", "\u4E2D", "\u0628",
                                               "\u05E9", "\u0915", "\U0001F600", "7"};
    std::string expected;
    for (int i = 0; i < 10000; ++i) {
        const std::string& c = alphabet[static_cast<std::size_t>(i) % alphabet.size()];
        ASSERT_TRUE(host.type(c));
        expected += c;
        if (i % 2500 == 0) host.render();
    }
    EXPECT_EQ(field->text(), expected);
    EXPECT_EQ(keyboard->echo().text(), expected);
    host.render();

    RemoteTypist viewer(host, *keyboard);
    ASSERT_TRUE(viewer.type("ok"));
    ASSERT_TRUE(viewer.press(KeyRole::deleteBackward));
    EXPECT_EQ(field->text(), expected + "o");
    host.render();
    ASSERT_TRUE(viewer.press(KeyRole::done));
    host.advance(1);
    EXPECT_EQ(field->text(), expected + "o");
}

TEST_F(KeyboardTest, EmojiAndRightToLeftTextAreKeptAndTheCaretFollowsTheTextDirection) {
    OnScreenKeyboard* keyboard = open();
    ASSERT_NE(keyboard, nullptr);
    const std::string hebrew = "\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD";
    const std::string arabic = "\u0645\u0631\u062D\u0628\u0627";
    const std::string wave = "\U0001F44B\U0001F3FD";
    host.type(hebrew + " " + wave + " " + arabic);
    EXPECT_EQ(field->text(), hebrew + " " + wave + " " + arabic);
    host.type("\b");
    EXPECT_EQ(field->text(), hebrew + " " + wave + " " + arabic.substr(0, arabic.size() - 2));
    host.render();

    TextAttributes a;
    a.font = Font::system(24);
    const TextLayout rtl(AttributedString(arabic, a), 0);
    EXPECT_LT(rtl.caretRect(arabic.size()).minX(), rtl.size().width / 4);   // the end is on the left
    EXPECT_GT(rtl.caretRect(0).minX(), rtl.size().width * 3 / 4);
    const TextLayout ltr(AttributedString("Name", a), 0);
    EXPECT_NEAR(ltr.caretRect(4).minX(), ltr.size().width, 1);
    EXPECT_GT(ltr.caretRect(4).height(), 20);
    // Wrapped text: the end of the last line.
    const std::string words = "one two three four five six seven";
    const TextLayout wrapped(AttributedString(words, a), 120);
    ASSERT_GT(wrapped.lineCount(), 2);
    const Rect end = wrapped.caretRect(words.size());
    EXPECT_NEAR(end.maxY(), wrapped.size().height, 2);
    EXPECT_GT(end.minX(), 0);
}

} // namespace
} // namespace tvkit
