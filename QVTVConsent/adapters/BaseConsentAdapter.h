#pragma once
// What every SDK adapter has: its log tag, the consent type of the primary template when it was
// built, the registry entry of its SDK, and a way to reset the SDK's consent as on a new session.
// Applying consent takes a signal whose kind depends on the SDK, so it lives on ConsentAdapter<T>;
// the adapter manager calls each adapter through the concrete class its package calls for.
//
//   for (auto& adapter : adapters) adapter->clearSession();

#include <optional>
#include <string>

#include "QVTVConsent/adapters/QVSupportedPackage.h"
#include "QVTVConsent/model/QVConsentStatus.h"
#include "QVTVConsent/model/QVConsentType.h"

namespace qvtv {

class BaseConsentAdapter {
public:
    virtual ~BaseConsentAdapter() = default;
    BaseConsentAdapter(const BaseConsentAdapter&) = delete;
    BaseConsentAdapter& operator=(const BaseConsentAdapter&) = delete;

    const std::string& tag() const { return tag_; }
    QVConsentType consentType() const { return consentType_; }
    const QVSupportedPackage& pkg() const { return pkg_; }

    virtual void clearSession() = 0;

protected:
    BaseConsentAdapter(std::string tag, QVConsentType consentType, QVSupportedPackage pkg)
        : tag_(std::move(tag)), consentType_(consentType), pkg_(std::move(pkg)) {}

    // An SDK starts restricted unless the switch the start applies to its package says it runs
    // (stored consent, collected or to be collected again, has one); without a switch, unless
    // the template asks for implicit consent.
    static bool isRestricted(QVConsentType consentType, QVConsentStatus status, std::optional<bool> packageEnabled);

    // The SDK's class object, looked up anew on every call: presence may change between calls.
    platform::ObjectHandle sdkClass() const { return pkg_.packageClass(); }

    static const char* text(bool value) { return value ? "true" : "false"; }
    static std::string text(std::optional<bool> value) { return value ? text(*value) : "nil"; }

private:
    std::string tag_;
    QVConsentType consentType_;
    QVSupportedPackage pkg_;
};

} // namespace qvtv
