#include "tvkit/app/Accessibility.h"

#include "platform/NoDestructor.h"
#include "tvkit/view/AccessibilityTraits.h"
#include "tvkit/view/View.h"

#include <utility>

namespace tvkit {

namespace {

Accessibility::Announcer& installed() {
    static platform::NoDestructor<Accessibility::Announcer> announcer;
    return *announcer;
}

} // namespace

void Accessibility::setAnnouncer(Announcer announcer) { installed() = std::move(announcer); }

const Accessibility::Announcer& Accessibility::announcer() { return installed(); }

void Accessibility::announce(const std::string& text) {
    // Copied, so an announcer that replaces itself while speaking stays alive for the call.
    const Announcer announcer = installed();
    if (announcer && !text.empty()) announcer(text);
}

std::string Accessibility::describe(const View& view) {
    static constexpr std::pair<unsigned, const char*> words[] = {
        {AccessibilityTraits::button, "button"},     {AccessibilityTraits::link, "link"},
        {AccessibilityTraits::tab, "tab"},           {AccessibilityTraits::selected, "selected"},
        {AccessibilityTraits::notEnabled, "dimmed"},
    };
    std::string out;
    auto add = [&out](const std::string& part) {
        if (part.empty()) return;
        if (!out.empty()) out += ", ";
        out += part;
    };
    add(view.accessibilityLabel());
    add(view.accessibilityValue());
    const unsigned traits = view.accessibilityTraits();
    for (const auto& [trait, word] : words) {
        if (traits & trait) add(word);
    }
    return out;
}

void Accessibility::announceChange(const View& view) {
    if (installed() && view.isFocused()) announce(describe(view));
}

} // namespace tvkit
