// Feeds arbitrary bytes to the HTML importer behind the screens' style sheet, then lays the
// result out, so parser, styling and Pango all see hostile input.
#include "platform/LogSink.h"
#include "tvkit/text/HtmlImporter.h"
#include "tvkit/text/TextLayout.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        platform::LogSink::setHandler([](std::string_view) {});
        return true;
    }();
    (void)quiet;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string document =
        "<style>\nbody {\n    font-family: -apple-system;\n    font-size: 14px;\n    color: #333333;\n}\n"
        "a {\n    color: #0A84FF !important;\n    text-decoration: underline !important;\n}\n"
        "ul, li {\n    margin-left: 24px;\n}\n</style>\n" + input;
    tvkit::HtmlImporter::Options options;
    options.linkColor = tvkit::Color::fromRGBA8(0x0A, 0x84, 0xFF);
    const tvkit::AttributedString text = tvkit::HtmlImporter::importOrPlain(document, input, options);
    tvkit::TextLayout layout(text, 600);
    (void)layout.linkAt({10, 10});
    return 0;
}
