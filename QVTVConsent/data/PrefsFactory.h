#pragma once
// Makes the preferences store over the keychain and user defaults at platform::Paths.
//
//   std::shared_ptr<qvtv::Prefs> prefs = qvtv::PrefsFactory::create();

#include <memory>

#include "QVTVConsent/data/Prefs.h"

namespace qvtv {

class PrefsFactory {
public:
    static std::shared_ptr<Prefs> create();
};

} // namespace qvtv
