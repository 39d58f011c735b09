#pragma once
// One key of an on-screen keyboard: what it does, the text it types (and types with shift on),
// and the cells it covers in its page's grid. Keys are plain data; KeyboardLayout holds them.
//
//   KeyboardKey a{KeyRole::character, "a", "A", 0, 0, 1};   // row 0, column 0, one cell wide
//   KeyboardKey space{KeyRole::space, " ", "", 3, 4, 5};

#include <string>

namespace tvkit {

enum class KeyRole { character, space, deleteBackward, shift, nextPage, done };

struct KeyboardKey {
    KeyRole role = KeyRole::character;
    std::string text;     // typed by character and space keys
    std::string shifted;  // typed instead while shift is on; empty when shift changes nothing
    int row = 0;
    int column = 0;
    int span = 1;  // cells covered to the right

    // What the key types with shift on or off.
    const std::string& typed(bool shift) const { return shift && !shifted.empty() ? shifted : text; }
};

} // namespace tvkit
