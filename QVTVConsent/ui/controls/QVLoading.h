#pragma once
// The full-screen loading overlay: a dimmed layer with a large spinner over the key window,
// shown while a template is read or a choice is sent. One instance for the process, made on
// first use on the main thread; show() and hide() may be called from any thread and take
// effect on the main queue in the order called, so a hide right after a show wins.
//
//   qvtv::QVLoading::show();
//   api.send(...).then(main, [](auto) { qvtv::QVLoading::hide(); });

#include "tvkit/view/ActivityIndicator.h"
#include "tvkit/view/View.h"

#include <memory>

namespace qvtv {

class QVLoading {
public:
    const std::shared_ptr<tvkit::View> overlayView;
    const std::shared_ptr<tvkit::ActivityIndicator> activityIndicator;

    // Main thread only.
    static QVLoading& shared();

    // Puts the overlay over the key window (once, however often it is called); nothing when
    // there is no key window.
    static void show();
    // Takes the overlay down; harmless when it is not shown.
    static void hide();

    QVLoading(const QVLoading&) = delete;
    QVLoading& operator=(const QVLoading&) = delete;

private:
    QVLoading();
    void showNow();
    void hideNow();
};

} // namespace qvtv
