#include "QVTVConsent/ui/datarequest/QVDSARContentView.h"

#include "QVTVConsent/ui/datarequest/QVChoiceGroupView.h"
#include "QVTVConsent/ui/datarequest/QVChoiceInputView.h"
#include "QVTVConsent/ui/datarequest/QVTextInputFieldView.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/view/TextField.h"

#include <gtest/gtest.h>

namespace qvtv {
namespace {

using tvkit::PressType;
using tvkit::View;

std::shared_ptr<QVTextInputFieldData> field(std::string label, std::int64_t maxLines = 1) {
    auto data = std::make_shared<QVTextInputFieldData>();
    data->label = std::move(label);
    data->placeholder = data->label;
    data->textColor = "#FFFFFF";
    data->maxLines = maxLines;
    return data;
}

std::shared_ptr<QVDataRequestFormData> form() {
    auto form = std::make_shared<QVDataRequestFormData>();
    form->formTitle = "Submit a request";
    form->name = field("Name");
    form->email = field("E-mail");
    form->address = field("Address");
    form->phone = field("Phone");
    form->message = field("Message", 3);
    form->requestType = std::make_shared<QVChoiceInputGroupData>();
    for (const char* label : {"Export", "Deletion", "Other"}) {
        auto option = std::make_shared<QVChoiceInputFieldData>();
        option->label = label;
        option->value = form->requestType->value.empty();
        form->requestType->value.push_back(option);
    }
    form->dpoEmail = "dpo@example.com";
    return form;
}

template <class T>
std::vector<T*> all(View& root) {
    std::vector<T*> out;
    if (auto* match = dynamic_cast<T*>(&root)) out.push_back(match);
    for (const auto& child : root.subviews()) {
        auto inner = all<T>(*child);
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

TEST(QVDSARContentView, TheFormIsLaidOutInRowsAndFocusWalksItsControlsAsItScrolls) {
    tvkit::HeadlessHost host;
    auto screen = std::make_shared<tvkit::ViewController>();
    auto content = View::make<QVDSARContentView>(form());
    View& root = *screen->view();
    root.addSubview(content);
    tvkit::LayoutConstraint::activate({content->leadingAnchor().equalTo(root.leadingAnchor(), 100),
                                       content->topAnchor().equalTo(root.topAnchor(), 100),
                                       content->widthAnchor().equalToConstant(1000),
                                       content->heightAnchor().equalToConstant(475)});
    host.setRootViewController(screen);
    host.advance(0.5);

    EXPECT_FALSE(content->canBecomeFocused());
    const auto fields = all<QVTextInputFieldView>(*content);
    ASSERT_EQ(fields.size(), 5u);
    const auto frameOf = [&](int i) { return fields[i]->convertRect(fields[i]->bounds(), content.get()); };
    // Name and e-mail share a row equally, 20 apart; the message sits alone below the choice.
    EXPECT_EQ(frameOf(0).width(), 490);
    EXPECT_EQ(frameOf(1).minX(), frameOf(0).maxX() + 20);
    EXPECT_EQ(frameOf(0).minY(), frameOf(1).minY());
    EXPECT_GT(frameOf(2).minY(), frameOf(0).maxY());
    EXPECT_EQ(frameOf(4).width(), 1000);
    EXPECT_EQ(fields[4]->editor().frame().height(), 160);
    EXPECT_GT(content->contentSize().height, 475);

    ASSERT_EQ(host.focusedView(), &fields[0]->editor());
    host.press(PressType::rightArrow);
    EXPECT_EQ(host.focusedView(), &fields[1]->editor());
    host.press(PressType::downArrow);
    EXPECT_EQ(host.focusedView(), &fields[3]->editor());
    host.press(PressType::leftArrow);
    EXPECT_EQ(host.focusedView(), &fields[2]->editor());
    host.press(PressType::downArrow);
    EXPECT_NE(dynamic_cast<QVChoiceInputView*>(host.focusedView()), nullptr);
    host.press(PressType::downArrow);
    EXPECT_EQ(host.focusedView(), &fields[4]->editor());
    host.advance(0.5);
    // The message field was scrolled into sight.
    const tvkit::Rect shown = fields[4]->editor().convertRect(fields[4]->editor().bounds(), content.get());
    EXPECT_GE(shown.minY(), content->contentOffset().y);
    EXPECT_LE(shown.maxY(), content->contentOffset().y + 475);
}

} // namespace
} // namespace qvtv
