#include "platform/Locale.h"

#include <cctype>
#include <cstdlib>
#include <mutex>

#include "platform/NoDestructor.h"

namespace platform {
namespace {

std::mutex& overrideMutex() {
    static std::mutex m;
    return m;
}

std::optional<Locale>& overrideLocale() {
    static NoDestructor<std::optional<Locale>> l;
    return *l;
}

std::string transformed(std::string_view s, int (*fn)(int)) {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(fn(static_cast<unsigned char>(c)));
    return out;
}

bool isAlphaRun(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (!std::isalpha(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

} // namespace

Locale Locale::parse(std::string_view name) {
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return {"en", std::nullopt, "en"};
    auto sep = name.find_first_of("_-");
    std::string_view language = name.substr(0, sep);
    if (!isAlphaRun(language)) return {"en", std::nullopt, "en"};
    Locale locale{transformed(language, ::tolower), std::nullopt, {}};
    if (sep != std::string_view::npos && isAlphaRun(name.substr(sep + 1))) {
        locale.regionCode = transformed(name.substr(sep + 1), ::toupper);
    }
    locale.identifier = locale.languageCode + (locale.regionCode ? "_" + *locale.regionCode : "");
    return locale;
}

Locale Locale::current() {
    {
        std::lock_guard lock(overrideMutex());
        if (overrideLocale()) return *overrideLocale();
    }
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value) return parse(value);
    }
    return parse("C");
}

void Locale::setCurrent(std::optional<Locale> locale) {
    std::lock_guard lock(overrideMutex());
    overrideLocale() = std::move(locale);
}

} // namespace platform
