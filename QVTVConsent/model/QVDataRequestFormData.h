#pragma once
// Content of the data-request tab: the form's input fields (shared with the form views, which
// write the viewer's input into their `value`), the request-type choice with the map from each
// option's label to its request type, the officer's contact details and the two buttons.
//
//   auto chosen = selectedOption(form->requestType);
//   auto type = form->requestLabelTypeMap.at(chosen->label);   // QVDataRequestType::dataExport

#include <map>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVButtonData.h"
#include "QVTVConsent/model/QVChoiceInputGroupData.h"
#include "QVTVConsent/model/QVContainer.h"
#include "QVTVConsent/model/QVDataRequestType.h"
#include "QVTVConsent/model/QVTextInputFieldData.h"

namespace qvtv {

struct QVDataRequestFormData {
    std::string formTitle;
    std::string textColor;
    std::shared_ptr<QVTextInputFieldData> name;
    std::shared_ptr<QVTextInputFieldData> email;
    std::shared_ptr<QVTextInputFieldData> address;
    std::shared_ptr<QVTextInputFieldData> phone;
    std::shared_ptr<QVChoiceInputGroupData> requestType;
    std::map<std::string, QVDataRequestType> requestLabelTypeMap;
    std::shared_ptr<QVTextInputFieldData> message;
    QVContainer dpoContainer{"#FFFFFF", QVFillType::fill, QVCornerType::smooth};
    std::string contactOurOfficerTitle;
    std::string dpoNameLabel;
    std::string dpoName;
    std::string dpoEmailLabel;
    std::string dpoEmail;
    bool verificationEnabled = false;
    std::string verificationEmail;
    std::string formSubmitFeedbackMessage;
    QVButtonData cancelButton;
    QVButtonData submitButton;

    // `dataRequest` is the template's "DataRequest" object and `translation` its "Translation"
    // object; both are JSON objects (the preference center checks that before calling).
    static std::shared_ptr<QVDataRequestFormData> fromTemplate(const nlohmann::json& dataRequest,
                                                               const nlohmann::json& translation,
                                                               const nlohmann::json& settings,
                                                               QVButtonData cancelButton, QVButtonData submitButton);
};

} // namespace qvtv
