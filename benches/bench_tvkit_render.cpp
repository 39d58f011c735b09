// Drawing and rich-text costs at TV resolution: importing and laying out a long policy page,
// a full frame of a busy screen, and the redraw after a focus move.
#include "tvkit/render/Painter.h"
#include "tvkit/render/ShadowCache.h"
#include "tvkit/text/HtmlImporter.h"
#include "tvkit/text/TextLayout.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace tvkit;

namespace {

const char* const styleSheet =
    "<style>\nbody {\n    font-family: -apple-system;\n    font-size: 14px;\n    color: #333333;\n}\n"
    "a {\n    color: #0A84FF !important;\n    text-decoration: underline !important;\n}\n"
    "ul, li {\n    margin-left: 24px;\n}\n</style>\n";

// About 50 KB of the HTML policy pages carry: headings, paragraphs with links, lists.
std::string policyOf(std::size_t bytes) {
    std::string html = styleSheet;
    for (int section = 1; html.size() < bytes; ++section) {
        html += "<h2>" + std::to_string(section) + ". How we use your data</h2>";
        html += "<p>We and our <b>partners</b> store and access information on your device, such as cookies "
                "and unique identifiers, to measure audiences and improve our services. You can change "
                "your&nbsp;choice at any time in the <a href=\"https://example.com/privacy\">privacy "
                "settings</a>. <span style=\"text-decoration: underline\">Retention</span> is limited.</p>";
        html += "<ul><li>Store and/or access information on a device</li><li>Personalised advertising and "
                "content, advertising and content measurement</li><li>Audience research and services "
                "development</li></ul>";
    }
    return html;
}

void BM_ImportAndLayOutPolicy50KB(benchmark::State& state) {
    const std::string html = policyOf(50 * 1024);
    HtmlImporter::Options options;
    options.linkColor = Color::fromRGBA8(0x0A, 0x84, 0xFF);
    for (auto _ : state) {
        auto text = HtmlImporter::import(html, options);
        TextLayout layout(*text, 1500);
        benchmark::DoNotOptimize(layout.size());
    }
    state.SetLabel(std::to_string(html.size()) + " bytes");
}
BENCHMARK(BM_ImportAndLayOutPolicy50KB)->Unit(benchmark::kMillisecond);

void BM_ImportOnly(benchmark::State& state) {
    const std::string html = policyOf(50 * 1024);
    for (auto _ : state) benchmark::DoNotOptimize(HtmlImporter::import(html));
}
BENCHMARK(BM_ImportOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
