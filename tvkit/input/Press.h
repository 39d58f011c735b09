#pragma once
// A press of a remote-control button or a keyboard key. The numeric values of the press types
// are the ones TV apps already use in their code (Menu is 5).
//
//   tvkit::Press select{tvkit::PressType::select};
//   tvkit::Press escape = tvkit::Press::keyboard(tvkit::KeyCommand::inputEscape);

#include <string>
#include <vector>

namespace tvkit {

enum class PressType { upArrow = 0, downArrow = 1, leftArrow = 2, rightArrow = 3, select = 4, menu = 5, playPause = 6, keyboard = 100 };

struct Press {
    PressType type = PressType::select;
    std::string key;  // the key's input text for keyboard presses ("\x1b" for Escape)

    static Press keyboard(std::string input) { return {PressType::keyboard, std::move(input)}; }
};

using PressSet = std::vector<Press>;

} // namespace tvkit
