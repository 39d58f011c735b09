#pragma once
// The keys of an on-screen keyboard for one keyboard type, as pages of a grid (letters,
// symbols, accented letters) that share the same cells, so switching pages leaves the viewer's
// place in the grid where it was. Pure data: the keyboard view draws it and the focus engine
// moves over it.
//
//   const KeyboardLayout& layout = KeyboardLayout::forType(KeyboardType::emailAddress);
//   for (const KeyboardKey& key : layout.pages()[0].keys) place(key.row, key.column, key.span);

#include "tvkit/input/KeyboardType.h"
#include "tvkit/keyboard/KeyboardKey.h"

#include <string>
#include <vector>

namespace tvkit {

class KeyboardLayout {
public:
    struct Page {
        std::string name;  // shown on the key that switches to this page
        std::vector<KeyboardKey> keys;
    };

    // Letters, digits and the symbols of names and postal addresses (default); letters with
    // "@", "." and ".com" at hand (e-mail); digits and dialling symbols (phone pad).
    static const KeyboardLayout& forType(KeyboardType type);

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    const std::vector<Page>& pages() const { return pages_; }
    // What a key shows on `page` with shift on or off.
    std::string title(const KeyboardKey& key, std::size_t page, bool shift) const;

private:
    KeyboardLayout(int columns, std::vector<Page> pages);

    int rows_ = 0;
    int columns_ = 0;
    std::vector<Page> pages_;
};

} // namespace tvkit
