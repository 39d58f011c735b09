#pragma once
// The base of the interfaces through which a preference-center tab body hands its button actions
// to the screen controller. It has no operations; each body's own interface adds the ones its
// buttons need, and the screen controller implements them all.
//
//   class MyTabDelegate : public qvtv::QVPreferenceCenterActionDelegate { virtual void onCancelTap() = 0; };

namespace qvtv {

class QVPreferenceCenterActionDelegate {
public:
    virtual ~QVPreferenceCenterActionDelegate() = default;
};

} // namespace qvtv
