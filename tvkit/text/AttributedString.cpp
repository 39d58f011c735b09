#include "tvkit/text/AttributedString.h"

#include <algorithm>

namespace tvkit {

void AttributedString::append(std::string_view text, const TextAttributes& attributes) {
    if (text.empty()) return;
    if (!runs_.empty() && runs_.back().attributes == attributes) {
        runs_.back().length += text.size();
    } else {
        runs_.push_back({text_.size(), text.size(), attributes});
    }
    text_.append(text);
}

void AttributedString::erase(std::size_t start, std::size_t length) {
    if (start >= text_.size()) return;
    length = std::min(length, text_.size() - start);
    if (length == 0) return;
    const std::size_t end = start + length;
    std::vector<Run> kept;
    kept.reserve(runs_.size());
    for (Run& run : runs_) {
        const std::size_t runEnd = run.start + run.length;
        const std::size_t cutStart = std::max(run.start, start);
        const std::size_t cutEnd = std::min(runEnd, end);
        const std::size_t cut = cutEnd > cutStart ? cutEnd - cutStart : 0;
        run.length -= cut;
        if (run.start >= end) run.start -= length;
        else if (run.start > start) run.start = start;
        if (run.length > 0) kept.push_back(std::move(run));
    }
    runs_ = std::move(kept);
    text_.erase(start, length);
}

void AttributedString::replaceAll(std::string_view from, std::string_view to) {
    if (from.empty() || text_.find(from) == std::string::npos) return;
    AttributedString result;
    std::size_t runIndex = 0;
    std::size_t pos = 0;
    // Walks the text once, copying each piece with the styling of the run it came from.
    auto copyUpTo = [&](std::size_t end) {
        while (pos < end) {
            while (runs_[runIndex].start + runs_[runIndex].length <= pos) ++runIndex;
            const Run& run = runs_[runIndex];
            const std::size_t pieceEnd = std::min(end, run.start + run.length);
            result.append(std::string_view(text_).substr(pos, pieceEnd - pos), run.attributes);
            pos = pieceEnd;
        }
    };
    for (std::size_t hit = text_.find(from); hit != std::string::npos; hit = text_.find(from, pos)) {
        copyUpTo(hit);
        while (runs_[runIndex].start + runs_[runIndex].length <= hit) ++runIndex;
        result.append(to, runs_[runIndex].attributes);
        pos = hit + from.size();
    }
    copyUpTo(text_.size());
    *this = std::move(result);
}

void AttributedString::replaceText(std::string text) {
    if (text.size() == text_.size()) text_ = std::move(text);
}

void AttributedString::forEachRun(const std::function<void(TextAttributes&, std::string_view)>& fn) {
    for (Run& run : runs_) fn(run.attributes, std::string_view(text_).substr(run.start, run.length));
    // Restyling may make neighbours equal; join them so runs stay minimal.
    std::vector<Run> joined;
    for (Run& run : runs_) {
        if (!joined.empty() && joined.back().attributes == run.attributes) {
            joined.back().length += run.length;
        } else {
            joined.push_back(std::move(run));
        }
    }
    runs_ = std::move(joined);
}

const TextAttributes* AttributedString::attributesAt(std::size_t index) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), index,
                               [](std::size_t i, const Run& run) { return i < run.start; });
    if (it == runs_.begin()) return nullptr;
    --it;
    return index < it->start + it->length ? &it->attributes : nullptr;
}

std::vector<AttributedString::Link> AttributedString::links() const {
    std::vector<Link> out;
    const Run* previous = nullptr;
    for (const Run& run : runs_) {
        const std::string& url = run.attributes.link;
        if (!url.empty()) {
            const std::string_view words = std::string_view(text_).substr(run.start, run.length);
            if (previous && previous->attributes.link == url) out.back().text += words;
            else out.push_back({std::string(words), url});
        }
        previous = &run;
    }
    return out;
}

} // namespace tvkit
