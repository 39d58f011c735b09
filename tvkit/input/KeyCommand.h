#pragma once
// A keyboard shortcut offered by a responder. Key commands run only after the responder
// chain declined the key press; the first matching command along the chain wins.
//
//   std::vector<KeyCommand> keyCommands() const override {
//       return {KeyCommand{KeyCommand::inputEscape, [this] { close(); }}};
//   }

#include <functional>
#include <string>

namespace tvkit {

struct KeyCommand {
    static constexpr const char* inputEscape = "\x1b";

    std::string input;
    std::function<void()> action;
    std::string title;
};

} // namespace tvkit
