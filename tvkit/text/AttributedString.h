#pragma once
// UTF-8 text with styled runs. Runs cover the text without gaps, in order; indices are byte
// offsets into the UTF-8 text. Paragraphs are separated by '\n'.
//
//   AttributedString s;
//   s.append("Read our ", body);
//   s.append("privacy policy", linkAttributes);
//   TextLayout layout(s, 600);

#include "tvkit/text/TextAttributes.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tvkit {

class AttributedString {
public:
    struct Run {
        std::size_t start = 0;
        std::size_t length = 0;
        TextAttributes attributes;
    };
    // A stretch of text that links somewhere: its words and its address.
    struct Link {
        std::string text;
        std::string url;
        bool operator==(const Link&) const = default;
    };

    AttributedString() = default;
    AttributedString(std::string_view text, const TextAttributes& attributes) { append(text, attributes); }

    // Adds text styled with `attributes`; joins the last run when the styling is the same.
    void append(std::string_view text, const TextAttributes& attributes);
    // Removes bytes [start, start + length), shrinking or dropping the runs they touch.
    void erase(std::size_t start, std::size_t length);
    // Replaces every occurrence of `from` (not empty) with `to`, keeping each occurrence's styling.
    void replaceAll(std::string_view from, std::string_view to);
    // Replaces the text with `text` of the same length (a byte-for-byte repair); runs stay.
    void replaceText(std::string text);
    // Lets the caller restyle every run; `text` is the run's text.
    void forEachRun(const std::function<void(TextAttributes& attributes, std::string_view text)>& fn);

    const std::string& text() const { return text_; }
    const std::vector<Run>& runs() const { return runs_; }
    bool empty() const { return text_.empty(); }
    // The styling of the byte at `index`, or nullptr past the end.
    const TextAttributes* attributesAt(std::size_t index) const;
    // The links in reading order; neighbouring runs with the same address (a bold word inside a
    // link) make one link.
    std::vector<Link> links() const;

private:
    std::string text_;
    std::vector<Run> runs_;
};

} // namespace tvkit
