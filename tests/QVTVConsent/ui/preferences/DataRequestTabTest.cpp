#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "QVTVConsent/ui/controls/UIExtensions.h"
#include "QVTVConsent/ui/datarequest/QVDPOView.h"
#include "QVTVConsent/ui/datarequest/QVTextInputFieldView.h"
#include "QVTVConsent/ui/preferences/PreferenceCenterFixture.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterDSARView.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "support/RecordingURLOpener.h"
#include "tvkit/app/AlertController.h"
#include "tvkit/keyboard/OnScreenKeyboard.h"
#include "tvkit/view/TextField.h"
#include "tvkit/view/TextView.h"

using namespace qvtv;
using namespace prefcentertest;
using consentservice::ServiceEndpoint;
using consentservice::ServiceFault;
using tvkit::PressType;

namespace {

class DataRequestTabTest : public PreferenceCenterFixture {
protected:
    void SetUp() override {
        PreferenceCenterFixture::SetUp();
        if (HasFatalFailure()) return;
        data = templateData();
        screen = open(data);
        openDataRequestTab();
    }

    // Up to the tab bar, across to the data-request tab, Select: the form is built afresh.
    void openDataRequestTab() {
        pressUntil<QVTabView>(PressType::upArrow, 30);
        std::size_t index = 0;
        while (index < data->tabs.size() && data->tabs[index].type != QVPreferenceCenterTabType::dataRequest) ++index;
        ASSERT_LT(index, data->tabs.size());
        for (int i = 0; i < 5; ++i) press(PressType::leftArrow);
        press(PressType::rightArrow, static_cast<int>(index));
        press(PressType::select);
        advance(0.5);
        form = std::get<std::shared_ptr<QVDataRequestFormData>>(data->tabs[index].content);
        ASSERT_TRUE(dynamic_cast<QVPreferenceCenterDSARView*>(screen->body()));
    }
    // Down to the Submit button and Select.
    void submit() {
        for (int i = 0; i < 30 && textOf(focusedView()) != form->submitButton.label; ++i) press(PressType::downArrow);
        ASSERT_EQ(textOf(focusedView()), form->submitButton.label);
        press(PressType::select);
    }
    // Select opens the on-screen keyboard on the focused field; the text goes in as typed on
    // it, and Menu closes the keyboard.
    void typeIntoFocusedField(const std::string& text) {
        press(PressType::select);
        advance(1);
        ASSERT_NE(dynamic_cast<tvkit::OnScreenKeyboard*>(&topScreen()), nullptr);
        host().type(text);
        press(PressType::menu);
        advance(1);
    }
    std::shared_ptr<QVPreferenceCenterData> data;
    std::shared_ptr<QVPreferenceCenterViewController> screen;
    std::shared_ptr<QVDataRequestFormData> form;
};

TEST_F(DataRequestTabTest, ASubmittedFormIsConfirmedResetAndSendsNoConsentEvent) {
    // A name as the field holds it once typed (typing itself is the field's own test).
    auto* name = findFirst<QVTextInputFieldView>(screen->body());
    ASSERT_TRUE(name);
    name->editor().setText("Jane");
    form->name->value = "Jane";
    submit();
    ASSERT_TRUE(runUntil([&] { return dynamic_cast<tvkit::AlertController*>(&topScreen()) != nullptr; }));
    advance(0.5);

    const auto requests = sent(ServiceEndpoint::dataRequest);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["MobileAppId"], appId);
    EXPECT_EQ(requests[0]["Name"], "Jane");
    EXPECT_EQ(requests[0]["Email"], "");
    EXPECT_EQ(requests[0]["Type"], "Export");
    EXPECT_EQ(requests[0]["VerificationEnabled"], form->verificationEnabled);

    auto& alert = dynamic_cast<tvkit::AlertController&>(topScreen());
    EXPECT_EQ(alert.message(), form->formSubmitFeedbackMessage);
    ASSERT_EQ(alert.actions().size(), 1u);
    EXPECT_EQ(alert.actions()[0].title, "Ok");
    EXPECT_EQ(form->name->value, "");
    EXPECT_EQ(findFirst<QVTextInputFieldView>(screen->body())->editor().text(), "");
    EXPECT_TRUE(form->requestType->value.front()->value);

    press(PressType::select);  // Ok
    advance(0.5);
    EXPECT_EQ(&topScreen(), screen.get());
    EXPECT_TRUE(delegate->events.empty());
}

TEST_F(DataRequestTabTest, ARefusedRequestShowsTheServiceMessageAndKeepsTheForm) {
    form->email->value = "jane@example.com";
    ServiceFault refused;
    refused.kind = ServiceFault::Kind::responseStatusError;
    harness.service().setFault(ServiceEndpoint::dataRequest, refused);
    submit();
    ASSERT_TRUE(runUntil([&] { return topScreen().view()->viewWithTag(toastTag) != nullptr; }));
    EXPECT_EQ(&topScreen(), screen.get());
    EXPECT_EQ(form->email->value, "jane@example.com");
    EXPECT_EQ(sent(ServiceEndpoint::dataRequest).size(), 1u);
    EXPECT_TRUE(delegate->events.empty());
}

// What the viewer sees after typing into two fields with the remote and moving on to the
// message: the typed texts in the fields' text colour, readable on their fill.
TEST_F(DataRequestTabTest, PictureOfTheFormWithTwoFieldsTypedAndTheMessageFocused) {
    auto fields = findAll<QVTextInputFieldView>(screen->body());
    ASSERT_EQ(fields.size(), 5u);
    // From the tab bar into the form, then left to the name at the start of the first row.
    press(PressType::downArrow);
    press(PressType::leftArrow);
    ASSERT_EQ(focusedView(), &fields[0]->editor());
    typeIntoFocusedField("Jane Doe");
    press(PressType::rightArrow);
    ASSERT_EQ(focusedView(), &fields[1]->editor());
    typeIntoFocusedField("jane@example.com");
    for (int i = 0; i < 10 && focusedView() != &fields[4]->editor(); ++i) press(PressType::downArrow);
    ASSERT_EQ(focusedView(), &fields[4]->editor());
    advance(1);

    EXPECT_EQ(form->name->value, "Jane Doe");
    EXPECT_EQ(form->email->value, "jane@example.com");
    EXPECT_EQ(form->message->value, "");
    // The typed words cover about a thousand pixels, fewer than the usual budget, so this
    // picture allows a tenth of it.
    EXPECT_TRUE(matchesGolden("preferences_data_request_filled", {.channelTolerance = 12, .mismatchBudget = 0.0001}));
}

// The officer's address is reached with the remote; Select on it hands "mailto:" and the
// address to the host's URL handler. An address that forms no mail address takes focus all
// the same, and Select on it does nothing.
TEST_F(DataRequestTabTest, TheOfficersAddressTakesFocusAndSelectOpensAMailLink) {
    const auto focusAddress = [this]() -> const tvkit::View* {
        auto* contact = findFirst<QVDPOView>(screen->body());
        if (!contact) return nullptr;
        const tvkit::View* address = &contact->emailLabel();
        for (int i = 0; i < 30 && focusedView() != address; ++i) press(PressType::downArrow);
        advance(0.5);
        return focusedView() == address ? address : nullptr;
    };
    const tvkit::View* address = focusAddress();
    ASSERT_NE(address, nullptr) << "down arrows never reached the address";
    EXPECT_DOUBLE_EQ(address->transform().a, QVDPOView::focusedScale);
    {
        testsupport::RecordingURLOpener opener;
        press(PressType::select);
        EXPECT_EQ(opener.opened, std::vector<std::string>{"mailto:privacy@northlight-tv.example"});
    }
    press(PressType::downArrow);
    EXPECT_EQ(textOf(focusedView()), form->submitButton.label);
    EXPECT_DOUBLE_EQ(address->transform().a, 1.0);

    for (const char* unusable : {"no address here", "a@b@c", "@example.com"}) {
        SCOPED_TRACE(unusable);
        form->dpoEmail = unusable;
        openDataRequestTab();
        address = focusAddress();
        ASSERT_NE(address, nullptr);
        testsupport::RecordingURLOpener opener;
        press(PressType::select);
        advance(0.5);
        EXPECT_TRUE(opener.opened.empty());
        EXPECT_EQ(focusedView(), address);
        EXPECT_EQ(&topScreen(), screen.get());
    }
    form->dpoEmail = "";
    openDataRequestTab();
    EXPECT_FALSE(findFirst<QVDPOView>(screen->body())->emailLabel().canBecomeFocused()) << "nothing to focus";
}

} // namespace
