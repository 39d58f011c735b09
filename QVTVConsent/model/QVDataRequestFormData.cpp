#include "QVTVConsent/model/QVDataRequestFormData.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/model/QVDataRequestField.h"
#include "QVTVConsent/model/TemplateJson.h"

namespace qvtv {
namespace {

constexpr std::string_view kTag = "QVDataRequestFormData";
constexpr std::string_view kErrorColor = "#B71C1C";
constexpr std::string_view kFieldBackground = "#FFFFFF";

// Only an array made entirely of texts names required fields; unknown or wrongly cased names in
// it are skipped.
std::vector<QVDataRequestField> requiredFields(const nlohmann::json& dataRequest) {
    const nlohmann::json* list = JsonUtils::find(dataRequest, "RequiredFields");
    if (!list || !list->is_array()) return {};
    const bool allTexts = std::all_of(list->begin(), list->end(), [](const auto& v) { return v.is_string(); });
    if (!allTexts) return {};
    std::vector<QVDataRequestField> fields;
    for (const auto& entry : *list) {
        if (auto field = fromRawValue<QVDataRequestField>(entry.get_ref<const std::string&>())) fields.push_back(*field);
    }
    return fields;
}

struct FieldStyle {
    std::string textColor;
    QVFillType fillType;
    QVCornerType cornerType;

    template <class Field>
    void applyTo(Field& field) const {
        field.backgroundColor = kFieldBackground;
        field.fillType = fillType;
        field.cornerType = cornerType;
        field.textColor = textColor;
        field.errorColor = kErrorColor;
    }
};

struct TextFieldRecipe {
    QVDataRequestField field;
    std::string_view labelKey;
    std::string_view placeholderKey;
    std::int64_t maxLines;
    tvkit::KeyboardType keyboardType;
    tvkit::ReturnKeyType returnKeyType;
};

struct RequestOption {
    std::string_view labelKey;
    std::string_view defaultLabel;
    QVDataRequestType type;
};

constexpr std::array<RequestOption, 3> kRequestOptions{{
    {"DataExport", "Export", QVDataRequestType::dataExport},
    {"DataDeletion", "Deletion", QVDataRequestType::dataDeletion},
    {"OtherRequest", "Other", QVDataRequestType::other},
}};

class FormBuilder {
public:
    FormBuilder(const nlohmann::json& dataRequest, const nlohmann::json& translation, const nlohmann::json& settings)
        : translation_(translation), required_(requiredFields(dataRequest)),
          style_{templatejson::text(settings, "TextColor"),
                 QVButtonData::fillTypeFrom(templatejson::text(settings, "ButtonFilling"), QVFillType::stroke),
                 QVButtonData::cornersFrom(templatejson::text(settings, "ButtonCorners"))} {}

    const std::string& textColor() const { return style_.textColor; }

    std::shared_ptr<QVTextInputFieldData> textField(const TextFieldRecipe& recipe) const {
        auto field = std::make_shared<QVTextInputFieldData>();
        style_.applyTo(*field);
        field->label = templatejson::text(translation_, recipe.labelKey);
        field->placeholder = templatejson::text(translation_, recipe.placeholderKey);
        field->errorMsg = templatejson::text(translation_, "FormError");
        field->required = isRequired(recipe.field);
        field->maxLines = recipe.maxLines;
        field->keyboardType = recipe.keyboardType;
        field->returnKeyType = recipe.returnKeyType;
        return field;
    }

    // The request-type group, starting with the export option chosen, and the map from each
    // option's caption to its request type.
    std::shared_ptr<QVChoiceInputGroupData> requestTypeGroup(std::map<std::string, QVDataRequestType>& labelTypes) const {
        auto group = std::make_shared<QVChoiceInputGroupData>();
        style_.applyTo(*group);
        group->label = templatejson::text(translation_, "RequestType");
        group->axis = tvkit::LayoutAxis::horizontal;
        group->required = isRequired(QVDataRequestField::type);
        for (const auto& option : kRequestOptions) {
            auto choice = std::make_shared<QVChoiceInputFieldData>();
            style_.applyTo(*choice);
            choice->label = StringUtils::getOptionalString(JsonUtils::find(translation_, option.labelKey))
                                .value_or(std::string(option.defaultLabel));
            choice->value = group->value.empty();
            mapLabel(labelTypes, choice->label, option.type);
            group->value.push_back(std::move(choice));
        }
        return group;
    }

private:
    bool isRequired(QVDataRequestField field) const {
        return std::find(required_.begin(), required_.end(), field) != required_.end();
    }

    // Two options with one caption cannot both be looked up by it: the earlier option keeps it,
    // so the form still loads and submits.
    static void mapLabel(std::map<std::string, QVDataRequestType>& labelTypes, const std::string& label,
                         QVDataRequestType type) {
        auto [it, inserted] = labelTypes.emplace(label, type);
        if (inserted) return;
        QVLogger::w(kTag, "Request type label \"" + label + "\" of " + std::string(rawValue(type)) +
                              " is already used by " + std::string(rawValue(it->second)) +
                              "; keeping " + std::string(rawValue(it->second)));
    }

    const nlohmann::json& translation_;
    std::vector<QVDataRequestField> required_;
    FieldStyle style_;
};

} // namespace

std::shared_ptr<QVDataRequestFormData> QVDataRequestFormData::fromTemplate(const nlohmann::json& dataRequest,
                                                                           const nlohmann::json& translation,
                                                                           const nlohmann::json& settings,
                                                                           QVButtonData cancelButton,
                                                                           QVButtonData submitButton) {
    using templatejson::text;
    using tvkit::KeyboardType;
    using tvkit::ReturnKeyType;
    const FormBuilder builder(dataRequest, translation, settings);
    auto form = std::make_shared<QVDataRequestFormData>();
    form->formTitle = text(translation, "Header");
    form->textColor = builder.textColor();
    form->name = builder.textField({QVDataRequestField::name, "CustomerName", "NamePlaceholder", 1,
                                    KeyboardType::standard, ReturnKeyType::next});
    form->email = builder.textField({QVDataRequestField::email, "CustomerEmail", "EmailPlaceholder", 1,
                                     KeyboardType::emailAddress, ReturnKeyType::next});
    form->address = builder.textField({QVDataRequestField::address, "CustomerAddress", "AddressPlaceholder", 1,
                                       KeyboardType::standard, ReturnKeyType::next});
    form->phone = builder.textField({QVDataRequestField::phone, "CustomerPhone", "PhoneNumberPlaceholder", 1,
                                     KeyboardType::phonePad, ReturnKeyType::done});
    form->requestType = builder.requestTypeGroup(form->requestLabelTypeMap);
    form->message = builder.textField({QVDataRequestField::message, "CustomerMessage", "MessagePlaceholder", 3,
                                       KeyboardType::standard, ReturnKeyType::none});
    form->contactOurOfficerTitle = text(translation, "ContactOurOfficer");
    form->dpoNameLabel = text(translation, "DPOName");
    form->dpoName = text(dataRequest, "DPOName");
    form->dpoEmailLabel = text(translation, "DPOEmail");
    form->dpoEmail = text(dataRequest, "DPOEmail");
    form->verificationEnabled = templatejson::flag(dataRequest, "VerificationEmailEnabled");
    form->verificationEmail = text(dataRequest, "VerificationEmail");
    form->formSubmitFeedbackMessage =
        text(translation, form->verificationEnabled ? "EmailSentMessage" : "ThankYouText");
    form->cancelButton = std::move(cancelButton);
    form->submitButton = std::move(submitButton);
    return form;
}

} // namespace qvtv
