#pragma once
// An object on the responder chain: views, view controllers, windows and the application.
// Presses go to the focused view first; a responder that does not handle one calls the base
// implementation, which passes it on to nextResponder().
//
//   void pressesEnded(const PressSet& presses) override {
//       if (presses.front().type == PressType::select) { toggle(); return; }
//       View::pressesEnded(presses);   // not ours: pass it on
//   }

#include "tvkit/input/KeyCommand.h"
#include "tvkit/input/Press.h"

#include <string>
#include <vector>

namespace tvkit {

class Responder {
public:
    virtual ~Responder() = default;

    virtual Responder* nextResponder() const { return nullptr; }

    virtual void pressesBegan(const PressSet& presses) {
        if (Responder* next = nextResponder()) next->pressesBegan(presses);
    }
    virtual void pressesEnded(const PressSet& presses) {
        if (Responder* next = nextResponder()) next->pressesEnded(presses);
    }
    // Typed text for an editor; true when some responder took it.
    virtual bool insertText(const std::string& text) {
        Responder* next = nextResponder();
        return next && next->insertText(text);
    }
    // Whether typed text sent now would be taken as text, so a host can send Return and
    // Backspace as text rather than as Select and Menu.
    virtual bool acceptsTypedText() const {
        Responder* next = nextResponder();
        return next && next->acceptsTypedText();
    }
    virtual std::vector<KeyCommand> keyCommands() const { return {}; }
};

} // namespace tvkit
