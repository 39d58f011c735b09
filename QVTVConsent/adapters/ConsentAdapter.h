#pragma once
// An adapter that takes consent signals of one kind: the Google Consent Mode signal map for the
// analytics SDK, a Boolean for the attribution SDKs.
//
//   class MyAdapter : public qvtv::ConsentAdapter<bool> {
//       bool applyConsent(std::optional<bool> enabled, const bool&) override { return optIn(enabled.value_or(false)); }
//   };

#include <optional>

#include "QVTVConsent/adapters/BaseConsentAdapter.h"

namespace qvtv {

template <class Signal>
class ConsentAdapter : public BaseConsentAdapter {
public:
    using ConsentSignalType = Signal;

    // Applies consent to the SDK; true when it was applied. An absent `packageEnabled` leaves the
    // decision to the signals (see each adapter).
    virtual bool applyConsent(std::optional<bool> packageEnabled, const Signal& consentSignals) = 0;

protected:
    using BaseConsentAdapter::BaseConsentAdapter;
};

} // namespace qvtv
