#pragma once
// The data-request form of the preference center, in a scroll view that never takes focus
// itself (focus moves between the fields, options and the form's buttons): the title, the name
// and e-mail fields side by side, the address and phone fields, the request type, the message
// and the officer's contact block. Everything typed goes into the template's field objects.
//
//   auto form = tvkit::View::make<qvtv::QVDSARContentView>(formData);

#include "QVTVConsent/model/QVDataRequestFormData.h"
#include "QVTVConsent/ui/text/QVScrollView.h"

#include <memory>

namespace qvtv {

class QVDSARContentView : public QVScrollView {
public:
    explicit QVDSARContentView(std::shared_ptr<QVDataRequestFormData> data);
    std::string_view className() const override { return "QVDSARContentView"; }

    bool canBecomeFocused() const override { return false; }

    const std::shared_ptr<QVDataRequestFormData>& data() const { return data_; }

private:
    std::shared_ptr<QVDataRequestFormData> data_;
};

} // namespace qvtv
