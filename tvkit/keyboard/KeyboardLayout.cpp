#include "tvkit/keyboard/KeyboardLayout.h"

#include <glib.h>

#include <algorithm>
#include <memory>
#include <sstream>

namespace tvkit {

namespace {

// The upper case of a one-character key, when it is one character too ("ß" has none).
std::string upperCase(const std::string& text) {
    std::unique_ptr<gchar, decltype(&g_free)> upper(g_utf8_strup(text.c_str(), static_cast<gssize>(text.size())), &g_free);
    const std::string result = upper.get();
    if (result == text || g_utf8_strlen(result.c_str(), -1) != 1) return {};
    return result;
}

// One-cell character keys from space-separated texts, placed left to right from `column`.
void addRow(std::vector<KeyboardKey>& keys, int row, const std::string& texts, int column = 0) {
    std::istringstream in(texts);
    for (std::string text; in >> text; ++column) {
        keys.push_back(KeyboardKey{KeyRole::character, text, upperCase(text), row, column, 1});
    }
}

KeyboardKey special(KeyRole role, int row, int column, int span, std::string text = {}) {
    return KeyboardKey{role, std::move(text), {}, row, column, span};
}

// The bottom row of the text layouts: shift, page switch, space, delete, done.
void addControlRow(std::vector<KeyboardKey>& keys, int row) {
    keys.push_back(special(KeyRole::shift, row, 0, 2));
    keys.push_back(special(KeyRole::nextPage, row, 2, 2));
    keys.push_back(special(KeyRole::space, row, 4, 5, " "));
    keys.push_back(special(KeyRole::deleteBackward, row, 9, 2));
    keys.push_back(special(KeyRole::done, row, 11, 2));
}

// E-mail addresses have no spaces: the middle of the bottom row types ".com" instead.
void addEmailControlRow(std::vector<KeyboardKey>& keys, int row) {
    keys.push_back(special(KeyRole::shift, row, 0, 2));
    keys.push_back(special(KeyRole::nextPage, row, 2, 2));
    keys.push_back(special(KeyRole::character, row, 4, 3, ".com"));
    keys.push_back(special(KeyRole::deleteBackward, row, 7, 3));
    keys.push_back(special(KeyRole::done, row, 10, 3));
}

using RowAdder = void (*)(std::vector<KeyboardKey>&, int);

KeyboardLayout::Page page(std::string name, const std::vector<std::string>& rows, RowAdder controls) {
    KeyboardLayout::Page p{std::move(name), {}};
    for (std::size_t r = 0; r < rows.size(); ++r) addRow(p.keys, static_cast<int>(r), rows[r]);
    controls(p.keys, static_cast<int>(rows.size()));
    return p;
}

const std::string lettersAtoM = "a b c d e f g h i j k l m";
const std::string lettersNtoZ = "n o p q r s t u v w x y z";

} // namespace

KeyboardLayout::KeyboardLayout(int columns, std::vector<Page> pages) : columns_(columns), pages_(std::move(pages)) {
    for (const KeyboardKey& key : pages_.front().keys) rows_ = std::max(rows_, key.row + 1);
}

const KeyboardLayout& KeyboardLayout::forType(KeyboardType type) {
    static const KeyboardLayout standard(
        13, {page("abc", {lettersAtoM, lettersNtoZ, "1 2 3 4 5 6 7 8 9 0 - ' ."}, addControlRow),
             page("#+=",
                  {"@ . , - ' / # & ( ) : ; !", "? \" _ + * = % $ \u20AC \u00A3 \u00A5 ~ \u00B0",
                   "[ ] { } < > \\ | ^ ` \u00A7 \u00BF \u00A1"},
                  addControlRow),
             page("\u00E0\u00E9",
                  {"\u00E0 \u00E1 \u00E2 \u00E4 \u00E3 \u00E5 \u00E6 \u00E7 \u00E8 \u00E9 \u00EA \u00EB \u00F1",
                   "\u00EC \u00ED \u00EE \u00EF \u00F2 \u00F3 \u00F4 \u00F6 \u00F5 \u00F8 \u0153 \u00DF \u00FD",
                   "\u00F9 \u00FA \u00FB \u00FC \u00FF \u0107 \u010D \u0161 \u017E \u0142 \u0144 \u015B \u017C"},
                  addControlRow)});
    static const KeyboardLayout email(
        13, {page("abc", {lettersAtoM, lettersNtoZ, "1 2 3 4 5 6 7 8 9 0 @ . _"}, addEmailControlRow),
             page("#+=", {"@ . _ - + ! # $ % & ' * /", "= ? ^ ` { | } ~ ( ) , ; :", "[ ] < > \" \\ \u00E4 \u00F6 \u00FC \u00E9 \u00E8 \u00E0 \u00E7"},
                  addEmailControlRow)});
    static const KeyboardLayout phone(4, {[] {
        Page p{"123", {}};
        addRow(p.keys, 0, "1 2 3 +");
        addRow(p.keys, 1, "4 5 6 -");
        addRow(p.keys, 2, "7 8 9 (");
        addRow(p.keys, 3, "* 0 # )");
        p.keys.push_back(special(KeyRole::space, 4, 0, 1, " "));
        p.keys.push_back(special(KeyRole::deleteBackward, 4, 1, 1));
        p.keys.push_back(special(KeyRole::done, 4, 2, 2));
        return p;
    }()});
    switch (type) {
    case KeyboardType::emailAddress: return email;
    case KeyboardType::phonePad: return phone;
    case KeyboardType::standard: break;
    }
    return standard;
}

std::string KeyboardLayout::title(const KeyboardKey& key, std::size_t page, bool shift) const {
    switch (key.role) {
    case KeyRole::character: return key.typed(shift);
    case KeyRole::space: return "space";
    case KeyRole::deleteBackward: return "delete";
    case KeyRole::shift: return shift ? "SHIFT" : "shift";
    case KeyRole::nextPage: return pages_[(page + 1) % pages_.size()].name;
    case KeyRole::done: return "Done";
    }
    return {};
}

} // namespace tvkit
