#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "QVTVConsent/ui/controls/UIExtensions.h"
#include "QVTVConsent/ui/datarequest/QVTextInputFieldView.h"
#include "QVTVConsent/ui/preferences/PreferenceCenterFixture.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterDSARView.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "tvkit/app/AlertController.h"
#include "tvkit/view/TextField.h"

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
        // Up to the tab bar, across to the data-request tab, Select.
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

} // namespace
