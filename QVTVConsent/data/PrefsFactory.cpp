#include "QVTVConsent/data/PrefsFactory.h"

#include "QVTVConsent/data/PrefsImpl.h"

namespace qvtv {

std::shared_ptr<Prefs> PrefsFactory::create() {
    return std::make_shared<PrefsImpl>(KeychainHelper::shared(), UserDefaults::standard());
}

} // namespace qvtv
