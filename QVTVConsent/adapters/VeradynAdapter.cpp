#include "QVTVConsent/adapters/VeradynAdapter.h"

#include <string>

#include "QVTVConsent/core/QVLogger.h"
#include "platform/ClassRegistry.h"

namespace qvtv::VeradynAdapter {

void preloadExternalSDKsIfNeeded() {
    for (const char* name : {"FIRAnalytics", "Singular", "SingularConfig"}) {
        const bool found = platform::ClassRegistry::lookup(name) != nullptr;
        QVLogger::d("VeradynAdapter", std::string(name) + (found ? " loaded" : " not linked"));
    }
}

} // namespace qvtv::VeradynAdapter
