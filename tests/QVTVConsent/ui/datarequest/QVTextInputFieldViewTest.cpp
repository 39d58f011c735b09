#include "QVTVConsent/ui/datarequest/QVTextInputFieldView.h"

#include "QVTVConsent/ui/datarequest/QVFocusableTextField.h"
#include "QVTVConsent/ui/datarequest/QVFocusableTextView.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/keyboard/OnScreenKeyboard.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/view/TextView.h"

#include <gtest/gtest.h>

namespace qvtv {
namespace {

using tvkit::Color;
using tvkit::PressType;
using tvkit::View;

std::shared_ptr<QVTextInputFieldData> field(std::string label, std::int64_t maxLines = 1) {
    auto data = std::make_shared<QVTextInputFieldData>();
    data->label = std::move(label);
    data->placeholder = "Type here";
    data->textColor = "#102030";
    data->errorColor = "#E00000";
    data->backgroundColor = "#F0F0F0";
    data->maxLines = maxLines;
    return data;
}

// The fields in a 700-wide column at (100, 100) of a headless screen.
struct Form {
    tvkit::HeadlessHost host;
    std::shared_ptr<tvkit::ViewController> screen = std::make_shared<tvkit::ViewController>();
    std::vector<std::shared_ptr<QVTextInputFieldView>> fields;

    explicit Form(std::vector<std::shared_ptr<QVTextInputFieldData>> data) {
        auto column = View::make<tvkit::StackView>();
        column->setAxis(tvkit::LayoutAxis::vertical);
        column->setSpacing(20);
        column->setTranslatesAutoresizingMaskIntoConstraints(false);
        for (auto& d : data) {
            fields.push_back(View::make<QVTextInputFieldView>(d));
            column->addArrangedSubview(fields.back());
        }
        View& root = *screen->view();
        root.addSubview(column);
        tvkit::LayoutConstraint::activate({column->leadingAnchor().equalTo(root.leadingAnchor(), 100),
                                           column->topAnchor().equalTo(root.topAnchor(), 100),
                                           column->widthAnchor().equalToConstant(700)});
        host.setRootViewController(screen);
        host.advance(0.5);
    }
    // Select opens the on-screen keyboard; the text goes in as from a physical keyboard, then
    // Menu closes the keyboard.
    void typeInto(std::string_view text) {
        host.press(PressType::select);
        host.advance(1);
        ASSERT_NE(dynamic_cast<tvkit::OnScreenKeyboard*>(host.window().topViewController()), nullptr);
        host.type(std::string(text));
        host.press(PressType::menu);
        host.advance(1);
    }
};

TEST(QVTextInputFieldView, CaptionsAndHeights) {
    auto name = field("Name");
    name->required = true;
    auto message = field("Message", 3);
    auto notes = field("Notes", 0);
    Form form({name, message, notes});
    const auto& [nameView, messageView, notesView] = std::tie(form.fields[0], form.fields[1], form.fields[2]);

    ASSERT_NE(nameView->textField(), nullptr);
    EXPECT_EQ(nameView->textView(), nullptr);
    EXPECT_EQ(nameView->editor().frame().height(), 48);
    EXPECT_EQ(nameView->editor().frame().minY(), nameView->caption().frame().maxY() + 6);
    EXPECT_EQ(nameView->editor().frame().width(), 700);
    // The message field asks for three lines: a single-line field 160 high.
    ASSERT_NE(messageView->textField(), nullptr);
    EXPECT_EQ(messageView->editor().frame().height(), 160);
    ASSERT_NE(notesView->textView(), nullptr);
    EXPECT_EQ(notesView->textField(), nullptr);
    EXPECT_EQ(notesView->editor().frame().height(), 48);

    const tvkit::AttributedString& caption = nameView->caption().attributedText();
    EXPECT_EQ(caption.text(), "Name *");
    ASSERT_EQ(caption.runs().size(), 2u);
    EXPECT_EQ(caption.runs()[0].attributes.font.size, 14);
    EXPECT_EQ(caption.runs()[0].attributes.color, Color::fromRGBA8(0x10, 0x20, 0x30));
    EXPECT_EQ(caption.runs()[1].attributes.font.size, 16);
    EXPECT_EQ(caption.runs()[1].attributes.color, Color::fromRGBA8(0xE0, 0, 0));
    EXPECT_EQ(messageView->caption().attributedText().text(), "Message");
}

TEST(QVTextInputFieldView, WhatIsTypedIsTheValueAndThePlaceholderIsNeverPartOfIt) {
    auto name = field("Name");
    auto email = field("E-mail");
    email->value = "jane@example.com";
    auto phone = field("Phone");
    phone->value = "   ";
    Form form({name, email, phone});
    tvkit::TextField& nameEditor = form.fields[0]->editor();
    EXPECT_EQ(nameEditor.text(), "");
    EXPECT_EQ(nameEditor.placeholder(), "Type here");
    EXPECT_EQ(name->value, "");
    EXPECT_EQ(form.fields[1]->editor().text(), "jane@example.com");
    EXPECT_EQ(form.fields[2]->editor().text(), "");  // blanks are not shown
    EXPECT_EQ(phone->value, "   ");                   // nor changed

    ASSERT_EQ(form.host.focusedView(), &nameEditor);
    form.typeInto(" Jane  Doe ");
    EXPECT_EQ(nameEditor.text(), " Jane  Doe ");
    EXPECT_EQ(name->value, " Jane  Doe ");  // nothing trimmed
    form.typeInto(std::string(11, '\b'));
    EXPECT_EQ(name->value, "");
}

TEST(QVTextInputFieldView, AMultiLineFieldGrowsWithItsTextAndForgetsBlanks) {
    auto notes = field("Notes", 0);
    Form form({notes});
    QVFocusableTextView& editor = *form.fields[0]->textView();
    ASSERT_EQ(form.host.focusedView(), &editor);
    form.typeInto("One\nTwo\nThree\nFour\nFive");
    EXPECT_EQ(notes->value, "One\nTwo\nThree\nFour\nFive");
    form.host.advance(0.5);
    EXPECT_GT(editor.frame().height(), 100);
    EXPECT_EQ(form.fields[0]->textViewHeightConstraint()->constant(), editor.frame().height());

    editor.setText("");
    form.typeInto(" \n  ");
    EXPECT_EQ(editor.text(), "");
    EXPECT_EQ(notes->value, "");
}

TEST(QVTextInputFieldView, TheFieldStyleHoldsThroughFocusChanges) {
    auto filled = field("Filled");
    auto outlined = field("Outlined");
    outlined->fillType = QVFillType::stroke;
    outlined->cornerType = QVCornerType::sharp;
    Form form({filled, outlined});
    tvkit::TextField& a = form.fields[0]->editor();
    tvkit::TextField& b = form.fields[1]->editor();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.layer().cornerRadius(), 8);
        EXPECT_EQ(a.layer().borderWidth(), 0);
        EXPECT_EQ(a.backgroundColor(), Color::fromRGBA8(0xF0, 0xF0, 0xF0));
        EXPECT_EQ(b.layer().cornerRadius(), 0);
        EXPECT_EQ(b.layer().borderWidth(), 1);
        EXPECT_EQ(b.layer().borderColor(), Color::fromRGBA8(0x10, 0x20, 0x30));
        EXPECT_EQ(b.backgroundColor(), Color::clear());
        EXPECT_EQ(a.textColor(), Color::fromRGBA8(0x10, 0x20, 0x30));
        EXPECT_EQ(b.textColor(), Color::fromRGBA8(0x10, 0x20, 0x30));
        form.host.press(i % 2 ? PressType::upArrow : PressType::downArrow);
        form.host.advance(0.5);
    }
    EXPECT_TRUE(b.isFocused());
}

// A dark card's light text colour serves the captions; typed into a white field it would all
// but vanish, so the field draws it in black, before and after the keyboard, while an
// outlined field (text on the card) keeps the template's colour.
TEST(QVTextInputFieldView, TypedTextReadsOnTheFieldsFill) {
    auto filled = field("Name");
    auto outlined = field("Phone");
    for (auto& d : {filled, outlined}) {
        d->textColor = "#F2F4F7";
        d->backgroundColor = "#FFFFFF";
    }
    outlined->fillType = QVFillType::stroke;
    Form form({filled, outlined});
    tvkit::TextField& a = form.fields[0]->editor();
    EXPECT_EQ(a.textColor(), Color::black());
    form.typeInto("Jane");
    EXPECT_EQ(a.text(), "Jane");
    EXPECT_EQ(a.textColor(), Color::black());
    EXPECT_EQ(form.fields[1]->editor().textColor(), Color::fromRGBA8(0xF2, 0xF4, 0xF7));
}

} // namespace
} // namespace qvtv
