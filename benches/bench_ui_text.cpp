// What a long consent text costs a screen: importing the template's HTML, building the
// scrollable text view, laying the screen out and drawing the first frame.
#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"
#include "tvkit/app/Window.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/render/Renderer.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string consentText(std::size_t bytes) {
    std::string html;
    for (int section = 1; html.size() < bytes; ++section) {
        html += "<h3>" + std::to_string(section) + ". How we use your data</h3><p>We and our <b>partners</b> store "
                "and access information on your device, such as cookies and unique identifiers, to measure "
                "audiences and improve our services. You can change your&nbsp;choice at any time in the "
                "<a href=\"https://example.com/privacy\">privacy settings</a>.</p><ul><li>Store and/or access "
                "information on a device</li><li>Audience research and services development</li></ul>";
    }
    return html;
}

void showConsentText(benchmark::State& state) {
    const qvtv::QVHtmlData data{consentText(static_cast<std::size_t>(state.range(0)) * 1024), "#FFFFFF", "#FFFFFF",
                                "#0A84FF", "#2E3A46"};
    tvkit::Renderer renderer({1920, 1080});
    for (auto _ : state) {
        auto window = tvkit::View::make<tvkit::Window>(tvkit::Rect{0, 0, 1920, 1080});
        auto text = tvkit::View::make<qvtv::QVAttributedScrollableTextView>(data);
        window->addSubview(text);
        tvkit::LayoutConstraint::activate({text->leadingAnchor().equalTo(window->leadingAnchor(), 180),
                                           text->bottomAnchor().equalTo(window->bottomAnchor()),
                                           text->widthAnchor().equalToConstant(1200),
                                           text->heightAnchor().equalToConstant(160)});
        window->layoutIfNeeded();
        renderer.renderAll(*window);
        benchmark::DoNotOptimize(text->contentSize());
    }
    state.SetLabel(std::to_string(data.html.size()) + " bytes");
}
BENCHMARK(showConsentText)->Name("BM_ShowConsentText")->Arg(50)->Arg(500)->Arg(2048)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
