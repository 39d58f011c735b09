#include "tvkit/text/WordBreaks.h"

#include <glib.h>
#include <pango/pango.h>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

namespace tvkit {

namespace {

constexpr std::uint8_t whiteFlag = 1;
constexpr std::uint8_t breakFlag = 2;

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

template <typename Value>
using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

// Per character of `text` analysed alone: white space, and whether a line may start there.
// `mandatory` is set when a line must start inside.
std::vector<std::uint8_t> analyse(std::string_view text, PangoLanguage* language, bool& mandatory) {
    const int length = static_cast<int>(text.size());
    const auto count = static_cast<std::size_t>(g_utf8_strlen(text.data(), length));
    std::vector<PangoLogAttr> attributes(count + 1);
    pango_get_log_attrs(text.data(), length, -1, language, attributes.data(), static_cast<int>(count + 1));
    std::vector<std::uint8_t> flags(count);
    for (std::size_t i = 0; i < count; ++i) {
        const PangoLogAttr& a = attributes[i];
        if (i > 0 && a.is_mandatory_break) mandatory = true;
        // Breaks that would add a hyphen are left to Pango, which draws the hyphen.
        const bool breaks = a.is_line_break && !a.break_inserts_hyphen && !a.break_removes_preceding;
        flags[i] = static_cast<std::uint8_t>((a.is_white ? whiteFlag : 0) | (breaks ? breakFlag : 0));
    }
    return flags;
}

std::optional<std::vector<LineBreaker::Character>> analyseWhole(std::string_view paragraph, PangoLanguage* language) {
    bool mandatory = false;
    const std::vector<std::uint8_t> flags = analyse(paragraph, language, mandatory);
    if (mandatory) return std::nullopt;
    std::vector<LineBreaker::Character> characters(flags.size());
    const char* c = paragraph.data();
    for (std::size_t i = 0; i < flags.size(); ++i, c = g_utf8_next_char(c)) {
        characters[i].byte = static_cast<std::size_t>(c - paragraph.data());
        characters[i].white = flags[i] & whiteFlag;
        characters[i].breakBefore = flags[i] & breakFlag;
    }
    return characters;
}

// Characters whose breaks Pango decides within their word and the white space around it: no
// line separators, and none of the scripts it breaks over whole runs or by dictionary.
bool breaksWithinWord(gunichar c) {
    if ((c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029) return false;
    return c < 0x0590 || (c >= 0x1E00 && c < 0x2E80);
}

// A character that belongs to the one before it, so the rules look past it.
bool joinsPrevious(gunichar c) { return g_unichar_ismark(c) || c == 0x200D; }

class Kept {
public:
    // Forgets everything when the language changes: it tailors the rules.
    void use(PangoLanguage* language) {
        if (language == language_) return;
        startOver();
        language_ = language;
    }

    // Valid until the next word or junction is kept, which may start the cache over.
    const std::vector<std::uint8_t>& word(std::string_view text) {
        if (auto it = words_.find(text); it != words_.end()) return it->second;
        bool mandatory = false;
        std::vector<std::uint8_t> flags = analyse(text, language_, mandatory);
        makeRoom();
        return words_.emplace(text, std::move(flags)).first->second;
    }

    // Whether a line may start at the character `index` of `text`.
    bool junction(std::string_view text, std::size_t index) {
        if (auto it = junctions_.find(text); it != junctions_.end()) return it->second;
        bool mandatory = false;
        const bool breaks = analyse(text, language_, mandatory)[index] & breakFlag;
        makeRoom();
        junctions_.emplace(text, breaks);
        return breaks;
    }

private:
    void makeRoom() {
        if (words_.size() + junctions_.size() >= WordBreaks::capacity) startOver();
    }
    void startOver() {
        words_.clear();
        junctions_.clear();
    }

    PangoLanguage* language_ = nullptr;
    TextMap<std::vector<std::uint8_t>> words_;
    TextMap<bool> junctions_;
};

Kept& kept() {
    thread_local Kept cache;
    return cache;
}

} // namespace

std::optional<std::vector<LineBreaker::Character>> WordBreaks::find(std::string_view paragraph, PangoLanguage* language) {
    const char* text = paragraph.data();
    std::vector<LineBreaker::Character> characters;
    characters.reserve(paragraph.size());
    for (const char* c = text; c < text + paragraph.size(); c = g_utf8_next_char(c)) {
        LineBreaker::Character character;
        character.byte = static_cast<std::size_t>(c - text);
        const auto byte = static_cast<unsigned char>(*c);
        if (byte < 0x80) {
            // Most text is ASCII: the same answers as below, without a look-up per character.
            if (byte >= 0x0A && byte <= 0x0D) return analyseWhole(paragraph, language);
            character.white = byte == ' ' || byte == '\t';
        } else {
            const gunichar u = g_utf8_get_char(c);
            if (!breaksWithinWord(u)) return analyseWhole(paragraph, language);
            character.white = g_unichar_isspace(u);
        }
        characters.push_back(character);
    }
    const std::size_t count = characters.size();
    auto byteAt = [&](std::size_t index) { return index < count ? characters[index].byte : paragraph.size(); };
    auto codeAt = [&](std::size_t index) { return g_utf8_get_char(text + characters[index].byte); };

    Kept& cache = kept();
    cache.use(language);
    // Words end where white space gives way to the next word; each keeps the space after it.
    std::size_t previous = 0;      // the previous word's first character
    std::size_t previousEnd = 0;   // and the end of its letters, before its white space
    for (std::size_t first = 0; first < count;) {
        std::size_t letters = first;
        while (letters < count && !characters[letters].white) ++letters;
        std::size_t last = letters;
        while (last < count && characters[last].white) ++last;

        const std::vector<std::uint8_t>& flags = cache.word(paragraph.substr(byteAt(first), byteAt(last) - byteAt(first)));
        for (std::size_t i = first; i < last; ++i) {
            characters[i].white = flags[i - first] & whiteFlag;
            characters[i].breakBefore = flags[i - first] & breakFlag;
        }
        if (first > 0) {
            // The start of a word depends on what stands before the white space: its last two
            // characters, the space and the word's first two. A mark joins the character before
            // it, so where one stands on either side only the whole paragraph tells.
            if (joinsPrevious(codeAt(first))) return analyseWhole(paragraph, language);
            std::size_t from = previous;
            if (previousEnd > previous) {
                if (joinsPrevious(codeAt(previousEnd - 1))) return analyseWhole(paragraph, language);
                from = previousEnd >= previous + 2 ? previousEnd - 2 : previous;
            }
            const std::size_t to = std::min(first + 2, count);
            characters[first].breakBefore =
                cache.junction(paragraph.substr(byteAt(from), byteAt(to) - byteAt(from)), first - from);
        }
        previous = first;
        previousEnd = letters;
        first = last;
    }
    return characters;
}

} // namespace tvkit
