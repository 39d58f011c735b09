#include "QVTVConsent/model/QVPreferenceCenterData.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "QVTVConsent/ScopedLogSwitches.h"
#include "QVTVConsent/model/QVConsentBannerData.h"
#include "TemplateFixtures.h"
#include "support/LogCapture.h"

using namespace qvtv;
using nlohmann::json;
using templatetest::fixture;
using Tab = QVPreferenceCenterTabType;

namespace {

std::shared_ptr<QVPreferenceCenterData> parse(const json& root,
                                              const std::vector<std::shared_ptr<QVCategory>>& categories = {}) {
    auto center = QVPreferenceCenterData::fromJson(root, categories);
    EXPECT_TRUE(center.ok()) << center.error().domain;
    return center.ok() ? *center : nullptr;
}

std::vector<Tab> kinds(const QVPreferenceCenterData& center) {
    std::vector<Tab> out;
    for (const auto& tab : center.tabs) out.push_back(tab.type);
    return out;
}

template <class Content>
std::shared_ptr<Content> content(const QVPreferenceCenterData& center, Tab type) {
    for (const auto& tab : center.tabs) {
        if (tab.type == type) return std::get<std::shared_ptr<Content>>(tab.content);
    }
    return nullptr;
}

std::shared_ptr<QVDataRequestFormData> form(const QVPreferenceCenterData& center) {
    return content<QVDataRequestFormData>(center, Tab::dataRequest);
}

// A template with the three required objects; `extra` is merged into the template object.
json templateWith(json extraTemplate, json extraRoot = json::object()) {
    json root = {{"template",
                  {{"Translation", {{"SettingsTabHeader", "Settings"}, {"DataRequestTabHeader", "Request"}}},
                   {"TemplateTranslation", json::object()},
                   {"Settings", {{"ButtonBackgroundColor", "#008471"}, {"ButtonColor", "#FFFFFF"}}}}}};
    root["template"].merge_patch(extraTemplate);
    root.merge_patch(extraRoot);
    return root;
}

} // namespace

TEST(QVPreferenceCenterData, ReadsTheDemoTemplate) {
    auto banner = QVConsentBannerData::fromJson(fixture("demo-tv-app/banner.json"));
    ASSERT_TRUE(banner.ok());
    auto center = parse(fixture("demo-tv-app/preference-center.json"), (*banner)->categories);
    ASSERT_TRUE(center);
    ASSERT_EQ(kinds(*center), (std::vector<Tab>{Tab::settings, Tab::pp, Tab::cp, Tab::dataRequest}));

    auto settings = content<QVSettingsData>(*center, Tab::settings);
    // The same category objects as the banner: a switch flipped here shows there.
    ASSERT_EQ(settings->categories.size(), (*banner)->categories.size());
    EXPECT_EQ(settings->categories[0].get(), (*banner)->categories[0].get());
    EXPECT_TRUE(settings->declineButton);

    auto privacy = content<QVHTMLPageData>(*center, Tab::pp);
    ASSERT_TRUE(privacy->html);
    EXPECT_EQ(privacy->html->lineColor, privacy->html->linkColor);

    auto request = form(*center);
    EXPECT_EQ(request->cancelButton, settings->cancelButton);
    EXPECT_EQ(privacy->cancelButton, settings->cancelButton);
    EXPECT_TRUE(request->name->required && request->email->required && request->requestType->required);
    EXPECT_FALSE(request->address->required || request->phone->required || request->message->required);
    EXPECT_EQ(request->requestLabelTypeMap.size(), 3u);
}

TEST(QVPreferenceCenterData, RefusesOnlyUnusableShapes) {
    for (const char* file : {"malformed/preference-center-empty-root.json", "malformed/preference-center-no-texts.json",
                             "malformed/preference-center-data-request-no-translation.json",
                             "malformed/preference-center-data-request-empty.json",
                             "malformed/preference-center-data-request-array.json", "malformed/banner-root-array.json",
                             "demo-tv-minimal/banner.json"}) {
        auto center = QVPreferenceCenterData::fromJson(fixture(file), {});
        ASSERT_FALSE(center.ok()) << file;
        EXPECT_EQ(center.error().code, 500) << file;
        EXPECT_EQ(center.error().domain.rfind("Invalid JSON (", 0), 0u) << file;
    }
    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logsOn({.info = true, .warning = true, .error = true});
    auto noRequestTexts = QVPreferenceCenterData::fromJson(templateWith({{"DataRequest", {{"DPOName", "x"}}}}), {});
    ASSERT_FALSE(noRequestTexts.ok());
    EXPECT_EQ(noRequestTexts.error().domain, "Invalid JSON ({\"DPOName\":\"x\"})");
    EXPECT_TRUE(log.contains("[ERROR] QVPreferenceCenterData: parse({\"DPOName\":\"x\"})"));
    EXPECT_FALSE(QVPreferenceCenterData::fromJson(templateWith({{"Settings", "dark"}}), {}).ok());
    EXPECT_FALSE(QVPreferenceCenterData::fromJson(json(), {}).ok());
}

TEST(QVPreferenceCenterData, BuildsOnlyTheCaptionedTabs) {
    // The minimal template captions only the settings tab: page objects alone add no tab.
    json minimal = fixture("demo-tv-minimal/preference-center.json");
    minimal["pp"] = {{"Html", "<p>x</p>"}};
    minimal["cp"] = {{"Url", "https://example.invalid"}};
    auto center = parse(minimal);
    ASSERT_TRUE(center);
    EXPECT_EQ(kinds(*center), std::vector<Tab>{Tab::settings});
    auto settings = content<QVSettingsData>(*center, Tab::settings);
    EXPECT_EQ(settings->pluginsLabel, "Plugins");
    EXPECT_FALSE(settings->declineButton);

    // An empty caption still makes a tab; a missing one drops it even when its content exists.
    auto emptyCaption = parse(templateWith({{"Translation", {{"SettingsTabHeader", ""}, {"PrivacyPolicyTabHeader", ""},
                                                             {"DataRequestTabHeader", nullptr}}}},
                                           {{"pp", {{"Url", "u"}}}}));
    ASSERT_TRUE(emptyCaption);
    EXPECT_EQ(kinds(*emptyCaption), (std::vector<Tab>{Tab::settings, Tab::pp}));
    EXPECT_EQ(emptyCaption->tabs[1].heading, "");
}

TEST(QVPreferenceCenterData, ChoosesBetweenInlineAndLinkedPolicyPages) {
    auto advanced = parse(fixture("demo-tv-advanced/preference-center.json"));
    ASSERT_TRUE(advanced);
    auto privacy = content<QVHTMLPageData>(*advanced, Tab::pp);
    ASSERT_TRUE(privacy->html);  // "Html" wins over "Url"
    EXPECT_FALSE(privacy->url);
    auto storage = content<QVHTMLPageData>(*advanced, Tab::cp);
    EXPECT_FALSE(storage->html);  // "Html" is a number
    EXPECT_EQ(storage->url, "https://orbitplay.example/storage");

    // Inline HTML and links are kept exactly, blanks included; a page with neither still has a tab.
    auto exact = parse(templateWith({{"Translation", {{"PrivacyPolicyTabHeader", "P"}, {"CookieDeclarationTabHeader", "C"}}}},
                                    {{"pp", {{"Html", "  <p>x</p>\n"}}}, {"cp", {{"Html", nullptr}, {"Url", 5}}}}));
    ASSERT_TRUE(exact);
    EXPECT_EQ(content<QVHTMLPageData>(*exact, Tab::pp)->html->html, "  <p>x</p>\n");
    auto neither = content<QVHTMLPageData>(*exact, Tab::cp);
    ASSERT_TRUE(neither);
    EXPECT_FALSE(neither->html);
    EXPECT_FALSE(neither->url);

    // Page values that are not objects drop their tab.
    auto noPages = parse(fixture("malformed/preference-center-duplicate-request-labels.json"));
    ASSERT_TRUE(noPages);
    EXPECT_EQ(kinds(*noPages), (std::vector<Tab>{Tab::settings, Tab::dataRequest}));
}

TEST(QVPreferenceCenterData, StylesButtonsWithPreferenceCenterDefaults) {
    auto plain = parse(templateWith({{"Translation", {{"DeclineButtonText", "Decline"}}},
                                     {"Settings", {{"CancelButtonCorners", "sharp"}, {"ButtonFilling", "Fill"}}}}));
    ASSERT_TRUE(plain);
    auto settings = content<QVSettingsData>(*plain, Tab::settings);
    // A missing filling is an outline here, unlike the banner's accept button.
    EXPECT_EQ(settings->cancelButton.fillType, QVFillType::stroke);
    EXPECT_EQ(settings->cancelButton.corners, QVCornerType::smooth);
    EXPECT_EQ(settings->cancelButton.buttonType, QVButtonType::button);
    EXPECT_EQ(settings->saveButton.fillType, QVFillType::fill);
    EXPECT_FALSE(settings->declineButton);  // captioned but not enabled
    EXPECT_FALSE(form(*plain));  // no "DataRequest": no form and no submit button

    auto fallback = parse(templateWith(
        {{"Settings", {{"DeclineButtonEnabled", "True"}, {"ButtonType", "None"}, {"DeclineButtonType", "Link"},
                       {"DeclineButtonFilling", "Fill"}}}}));
    auto decline = content<QVSettingsData>(*fallback, Tab::settings)->declineButton;
    ASSERT_TRUE(decline);
    EXPECT_EQ(decline->backgroundColor, "#008471");  // missing: the main button's colours
    EXPECT_EQ(decline->textColor, "#FFFFFF");
    EXPECT_EQ(decline->buttonType, QVButtonType::none);  // "Link" is no type word: the main type
    EXPECT_EQ(decline->fillType, QVFillType::fill);

    auto own = parse(templateWith({{"Settings", {{"DeclineButtonEnabled", true}, {"DeclineBackgroundColor", ""},
                                                 {"DeclineButtonColor", 7}, {"ButtonType", "None"},
                                                 {"DeclineButtonType", "Button"}}}}));
    decline = content<QVSettingsData>(*own, Tab::settings)->declineButton;
    ASSERT_TRUE(decline);
    EXPECT_EQ(decline->backgroundColor, "");  // present but empty is kept
    EXPECT_EQ(decline->textColor, "");        // present but not text reads as empty
    EXPECT_EQ(decline->buttonType, QVButtonType::button);
    EXPECT_EQ(decline->fillType, QVFillType::stroke);
}

TEST(QVPreferenceCenterData, BuildsTheRequestForm) {
    auto center = parse(templateWith(
        {{"Settings", {{"TextColor", "#222222"}, {"ButtonFilling", "Fill"}, {"ButtonCorners", "Sharp"}}},
         {"DataRequest", {{"RequiredFields", {"Email", "Type", "Fax"}}, {"VerificationEmailEnabled", "no"},
                          {"Translation", {{"EmailSentMessage", "sent"}, {"ThankYouText", "thanks"},
                                           {"DataDeletion", 12}}}}}}));
    ASSERT_TRUE(center);
    auto request = form(*center);
    ASSERT_TRUE(request);
    EXPECT_FALSE(request->name->required);
    EXPECT_TRUE(request->email->required);
    EXPECT_TRUE(request->requestType->required);
    EXPECT_EQ(request->formSubmitFeedbackMessage, "thanks");

    struct Expected {
        std::shared_ptr<QVTextInputFieldData> field;
        std::int64_t maxLines;
        tvkit::KeyboardType keyboard;
        tvkit::ReturnKeyType returnKey;
    };
    for (const auto& e : std::vector<Expected>{
             {request->name, 1, tvkit::KeyboardType::standard, tvkit::ReturnKeyType::next},
             {request->email, 1, tvkit::KeyboardType::emailAddress, tvkit::ReturnKeyType::next},
             {request->address, 1, tvkit::KeyboardType::standard, tvkit::ReturnKeyType::next},
             {request->phone, 1, tvkit::KeyboardType::phonePad, tvkit::ReturnKeyType::done},
             {request->message, 3, tvkit::KeyboardType::standard, tvkit::ReturnKeyType::none}}) {
        EXPECT_EQ(e.field->maxLines, e.maxLines);
        EXPECT_EQ(e.field->keyboardType, e.keyboard);
        EXPECT_EQ(e.field->returnKeyType, e.returnKey);
        EXPECT_EQ(e.field->value, "");
        EXPECT_EQ(e.field->textColor, "#222222");
        EXPECT_EQ(e.field->errorColor, "#B71C1C");
        EXPECT_EQ(e.field->backgroundColor, "#FFFFFF");
        EXPECT_EQ(e.field->fillType, QVFillType::fill);
        EXPECT_EQ(e.field->cornerType, QVCornerType::sharp);
    }
    EXPECT_EQ(request->dpoContainer, (QVContainer{"#FFFFFF", QVFillType::fill, QVCornerType::smooth}));

    const auto& options = request->requestType->value;
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(request->requestType->axis, tvkit::LayoutAxis::horizontal);
    EXPECT_EQ(options[0]->label, "Export");
    EXPECT_EQ(options[1]->label, "12");  // a number becomes its text
    EXPECT_EQ(options[2]->label, "Other");
    EXPECT_TRUE(options[0]->value);
    EXPECT_FALSE(options[1]->value);
    EXPECT_FALSE(options[2]->value);
    EXPECT_EQ(options[0]->cornerType, QVCornerType::sharp);
    EXPECT_EQ(request->requestLabelTypeMap.at("12"), QVDataRequestType::dataDeletion);

    // Options compare by style, caption, colours and value.
    QVChoiceInputFieldData copy = *options[1];
    EXPECT_EQ(copy, *options[1]);
    copy.value = true;
    EXPECT_NE(copy, *options[1]);

    // "yes" turns verification on; wrongly cased names and texts other than a list require nothing.
    auto advanced = parse(fixture("demo-tv-advanced/preference-center.json"));
    EXPECT_EQ(form(*advanced)->formSubmitFeedbackMessage, "Check your inbox to confirm the request.");
    for (const json& list : {json{"email"}, json("Name,Email"), json{"Name", 7}, json{{"Email", true}}}) {
        auto loose = parse(templateWith({{"DataRequest", {{"RequiredFields", list}, {"Translation", json::object()}}}}));
        auto f = form(*loose);
        for (const auto& field : {f->name, f->email, f->address, f->phone, f->message}) EXPECT_FALSE(field->required);
        EXPECT_FALSE(f->requestType->required) << list.dump();
    }
}

TEST(QVPreferenceCenterData, KeepsTheFirstRequestTypeOfASharedLabel) {
    testsupport::LogCapture log;
    testsupport::ScopedLogSwitches logsOn({.info = true, .warning = true, .error = true});
    auto center = parse(fixture("malformed/preference-center-duplicate-request-labels.json"));
    ASSERT_TRUE(center);
    auto request = form(*center);
    ASSERT_TRUE(request);
    ASSERT_EQ(request->requestType->value.size(), 3u);
    for (const auto& option : request->requestType->value) EXPECT_EQ(option->label, "Deletion");
    EXPECT_EQ(request->requestLabelTypeMap,
              (std::map<std::string, QVDataRequestType>{{"Deletion", QVDataRequestType::dataExport}}));
    EXPECT_TRUE(log.contains("[WARN] QVDataRequestFormData: Request type label \"Deletion\" of Deletion is already "
                             "used by Export; keeping Export"));
    EXPECT_TRUE(log.contains("[WARN] QVDataRequestFormData: Request type label \"Deletion\" of Other is already "
                             "used by Export; keeping Export"));
}
