#include "QVTVConsent/adapters/AirbridgeConsentAdapter.h"

#include "QVTVConsent/core/QVLogger.h"
#include "platform/ClassRegistry.h"

namespace qvtv {

AirbridgeConsentAdapter::AirbridgeConsentAdapter(std::optional<QVAirbridgeConfig> config, QVConsentType consentType,
                                                 QVConsentStatus consentStatus, std::optional<bool> packageEnabled)
    : ConsentAdapter("AirbridgeConsentAdapter", consentType, QVSupportedPackage::airbridge()),
      config_(std::move(config)) {
    const bool restricted = isRestricted(consentType, consentStatus, packageEnabled);
    auto cls = sdkClass();
    if (!cls) {
        QVLogger::w(tag(), "Airbridge SDK not found!");
        return;
    }
    if (!config_) {
        QVLogger::i(tag(), std::string("Airbridge Config not found, skipping initialization (Restricted = ") +
                               text(restricted));
    } else {
        QVLogger::i(tag(), std::string("Initializing Airbridge SDK (Restricted = $") + text(restricted) + ".");
        if (auto option = buildOption(restricted)) {
            cls->send("initializeSDKWithOption:", {option});
            QVLogger::i(tag(), "Airbridge SDK initialized successfully!");
        } else {
            QVLogger::w(tag(), "Airbridge config or option not available. Initialization skipped.");
        }
    }
    optIn(!restricted);
}

platform::ObjectHandle AirbridgeConsentAdapter::moduleClass(const std::string& name) const {
    const auto& module = pkg().moduleName;
    return platform::ClassRegistry::lookup(module ? *module + "." + name : name);
}

platform::ObjectHandle AirbridgeConsentAdapter::buildOption(bool restricted) const {
    auto builderClass = moduleClass("AirbridgeOptionBuilder");
    if (!builderClass) {
        QVLogger::w(tag(), "AirbridgeOptionBuilder class not found.");
        return nullptr;
    }
    auto allocated = builderClass->send("alloc", {});
    auto builder = allocated ? allocated->send("initWithName:token:", {config_->appName, config_->appToken}) : nullptr;
    if (!builder) {
        QVLogger::w(tag(), "Failed to initialize AirbridgeOptionBuilder with appName/token.");
        return nullptr;
    }
    if (QVLogger::INTEGRATION_SDK_LOGS_ENABLED) {
        if (auto levelClass = moduleClass("AirbridgeLogLevel")) {
            if (auto level = levelClass->send("initWithRawValue:", {std::int64_t{0}})) {
                builder->send("setLogLevel:", {level});
            }
        }
    }
    // Older SDK versions lack the switch; it is the one selector asked about before sending.
    if (builder->respondsTo("setAutoStartTrackingEnabled:")) {
        builder->send("setAutoStartTrackingEnabled:", {!restricted});
    }
    return builder->send("build", {});
}

bool AirbridgeConsentAdapter::applyConsent(std::optional<bool> packageEnabled, const bool&) {
    return optIn(packageEnabled.value_or(false));
}

void AirbridgeConsentAdapter::clearSession() {
    optIn(false);
    if (auto cls = sdkClass()) cls->send("clearUser", {});
}

bool AirbridgeConsentAdapter::optIn(bool optIn) {
    auto cls = sdkClass();
    if (!cls) {
        QVLogger::w(tag(), std::string("Unable to optIn(optIn: ") + text(optIn) + "), Airbridge class not found.");
        return false;
    }
    if (optIn) {
        cls->send("enableSDK", {});
        cls->send("startTracking", {});
    } else {
        cls->send("stopTracking", {});
        cls->send("disableSDK", {});
    }
    QVLogger::i(tag(), std::string("optIn(optIn: ") + text(optIn) + ")");
    return true;
}

} // namespace qvtv
