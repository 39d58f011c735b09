#pragma once
// A hook for hosts that link the analytics SDKs lazily: looking their classes up early makes the
// run time load them before the library first needs them. It changes nothing else.
//
//   qvtv::VeradynAdapter::preloadExternalSDKsIfNeeded();   // at app start-up

namespace qvtv::VeradynAdapter {

void preloadExternalSDKsIfNeeded();

} // namespace qvtv::VeradynAdapter
