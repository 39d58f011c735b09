#pragma once
// A small sheet for an address a TV cannot open itself: a QR code of it to scan with a phone,
// the address as text and a close button, over a dimmed screen. The close button and Menu
// dismiss it, and focus goes back to where it was before the sheet came up.
//
//   auto sheet = std::make_shared<LinkSheetController>("https://example.com/privacy");
//   screen->present(sheet, true);

#include "tvkit/app/ViewController.h"

#include <memory>
#include <string>

namespace tvkit {

class Button;
class Label;
class QrCodeView;

class LinkSheetController : public ViewController {
public:
    explicit LinkSheetController(std::string url, std::string closeTitle = "Close");

    const std::string& url() const { return url_; }
    // The parts, after the view has loaded.
    QrCodeView* codeView() const { return code_.get(); }
    Label* addressLabel() const { return address_.get(); }
    Button* closeButton() const { return close_.get(); }

    void loadView() override;
    void viewDidLoad() override;
    std::vector<FocusEnvironment*> preferredFocusEnvironments() const override;

private:
    std::string url_;
    std::string closeTitle_;
    std::shared_ptr<QrCodeView> code_;
    std::shared_ptr<Label> address_;
    std::shared_ptr<Button> close_;
};

} // namespace tvkit
