#pragma once
// The gallery's one screen: a card with a tab row, imported HTML with a list and links, check
// boxes, switches, a QR code and a row of buttons that grow and cast a deeper shadow when
// focused. It exercises every kind of drawing the renderer does.
//
//   host.setRootViewController(std::make_shared<GalleryScreen>());

#include "tvkit/app/ViewController.h"
#include "tvkit/view/Button.h"

#include <memory>
#include <vector>

class GalleryScreen : public tvkit::ViewController {
public:
    void viewDidLoad() override;
    std::vector<tvkit::FocusEnvironment*> preferredFocusEnvironments() const override;

private:
    std::shared_ptr<tvkit::Button> accept_;
};
