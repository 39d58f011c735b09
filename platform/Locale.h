#pragma once
// The device's current locale: language and region codes, as the TV's settings give them.
// Read from the POSIX locale environment (LC_ALL, LC_MESSAGES, LANG) unless the host sets it.
//
//   auto loc = platform::Locale::current();   // {"en", "US", "en_US"}
//   platform::Locale::setCurrent(platform::Locale::parse("de_AT.UTF-8"));

#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Locale {
    std::string languageCode;                // lower case, e.g. "en"; empty when unknown
    std::optional<std::string> regionCode;   // upper case, e.g. "US"
    std::string identifier;                  // e.g. "en_US"

    // Parses "ll[_RR][.codeset][@modifier]" (also "ll-RR"); "C" and "POSIX" give "en" with no region.
    static Locale parse(std::string_view posixName);
    static Locale current();
    // Overrides the environment; std::nullopt returns to it.
    static void setCurrent(std::optional<Locale> locale);
};

} // namespace platform
