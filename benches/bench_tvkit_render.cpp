// Drawing and rich-text costs at TV resolution: importing and laying out a long policy page,
// a full frame of a busy screen, and the redraw after a focus move.
#include "tvkit/app/Window.h"
#include "tvkit/render/Renderer.h"
#include "tvkit/render/SymbolImage.h"
#include "tvkit/text/HtmlImporter.h"
#include "tvkit/text/TextLayout.h"
#include "tvkit/view/ImageView.h"
#include "tvkit/view/Label.h"

#include <benchmark/benchmark.h>

#include <cctype>
#include <string>
#include <string_view>

using namespace tvkit;

namespace {

const char* const styleSheet =
    "<style>\nbody {\n    font-family: -apple-system;\n    font-size: 14px;\n    color: #333333;\n}\n"
    "a {\n    color: #0A84FF !important;\n    text-decoration: underline !important;\n}\n"
    "ul, li {\n    margin-left: 24px;\n}\n</style>\n";

// How the words of a generated policy relate to text laid out before.
enum class Words {
    same,         // the same words every time: a policy opened again
    newPolicy,    // words never seen before that repeat within the policy, as a policy's do
    allDifferent  // every single word one never seen before
};

// Every word of `text` given a letter suffix: the same one for the whole policy (`newPolicy`),
// or one counted on per word (`allDifferent`).
std::string suffixedWords(std::string_view text, int& counter, Words words) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        const bool wordEnds = std::isalpha(static_cast<unsigned char>(text[i])) &&
                              (i + 1 == text.size() || !std::isalpha(static_cast<unsigned char>(text[i + 1])));
        if (!wordEnds) continue;
        for (int k = words == Words::allDifferent ? ++counter : counter; k > 0; k /= 26) {
            out += static_cast<char>('a' + k % 26);
        }
    }
    return out;
}

// About 50 KB of the HTML policy pages carry: headings, paragraphs with links, lists.
std::string policyOf(std::size_t bytes, Words kind = Words::same, int* counter = nullptr) {
    if (kind == Words::newPolicy) ++*counter;
    auto words = [&](std::string_view text) {
        return kind == Words::same ? std::string(text) : suffixedWords(text, *counter, kind);
    };
    std::string html = styleSheet;
    for (int section = 1; html.size() < bytes; ++section) {
        html += "<h2>" + std::to_string(section) + words(". How we use your data") + "</h2>";
        html += "<p>" + words("We and our ") + "<b>" + words("partners") + "</b>" +
                words(" store and access information on your device, such as cookies "
                      "and unique identifiers, to measure audiences and improve our services. You can change "
                      "your") + "&nbsp;" + words("choice at any time in the ") +
                "<a href=\"https://example.com/privacy\">" + words("privacy settings") + "</a>. " +
                "<span style=\"text-decoration: underline\">" + words("Retention") + "</span>" +
                words(" is limited.") + "</p>";
        html += "<ul><li>" + words("Store and/or access information on a device") + "</li><li>" +
                words("Personalised advertising and content, advertising and content measurement") + "</li><li>" +
                words("Audience research and services development") + "</li></ul>";
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

// Policies the measuring word cache has not seen: a new one each time, either in words that
// repeat within it as a real policy's do, or (the worst case) in words that never repeat.
void importAndLayOutUnseen(benchmark::State& state, Words words) {
    HtmlImporter::Options options;
    options.linkColor = Color::fromRGBA8(0x0A, 0x84, 0xFF);
    int counter = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string html = policyOf(50 * 1024, words, &counter);
        bytes = html.size();
        state.ResumeTiming();
        auto text = HtmlImporter::import(html, options);
        TextLayout layout(*text, 1500);
        benchmark::DoNotOptimize(layout.size());
    }
    state.SetLabel(std::to_string(bytes) + " bytes");
}

void BM_ImportAndLayOutNewPolicy50KB(benchmark::State& state) { importAndLayOutUnseen(state, Words::newPolicy); }
BENCHMARK(BM_ImportAndLayOutNewPolicy50KB)->Unit(benchmark::kMillisecond);

void BM_ImportAndLayOutUnseenPolicy50KB(benchmark::State& state) { importAndLayOutUnseen(state, Words::allDifferent); }
BENCHMARK(BM_ImportAndLayOutUnseenPolicy50KB)->Unit(benchmark::kMillisecond);

// A busy 1080p screen of 300 views: 60 tiles, each a shadowed rounded card with a border,
// a title, a caption, a tinted symbol and a badge.
struct Screen {
    std::shared_ptr<Window> window = View::make<Window>(Rect{0, 0, 1920, 1080});
    std::vector<std::shared_ptr<View>> tiles;

    Screen() {
        window->setBackgroundColor(Color::fromRGBA8(0x27, 0x2D, 0x3A));
        for (int i = 0; i < 60; ++i) {
            auto tile = View::make<View>(Rect{60.0 + (i % 10) * 182, 80.0 + (i / 10) * 160, 160, 130});
            tile->setBackgroundColor(Color::white());
            tile->layer().setCornerRadius(12);
            tile->layer().setBorderWidth(1);
            tile->layer().setBorderColor(Color::gray(0.85));
            tile->layer().setShadow(Color::black(), 0.15, 6, {0, 4});
            auto title = View::make<Label>("Category " + std::to_string(i + 1));
            title->setFont(Font::system(20, Font::bold));
            title->setFrame({12, 10, 136, 28});
            auto caption = View::make<Label>("Analytics and measurement partners");
            caption->setFont(Font::system(14));
            caption->setNumberOfLines(2);
            caption->setFrame({12, 40, 136, 40});
            auto icon = View::make<ImageView>(SymbolImage::named(i % 2 ? "checkmark.square.fill" : "square"));
            icon->setFrame({12, 92, 24, 24});
            auto badge = View::make<View>(Rect{112, 94, 36, 20});
            badge->setBackgroundColor(Color::fromRGBA8(0x22, 0xA0, 0x6B));
            badge->layer().setCornerRadius(10);
            for (auto& child : std::vector<std::shared_ptr<View>>{title, caption, icon, badge}) tile->addSubview(child);
            window->addSubview(tile);
            tiles.push_back(tile);
        }
    }

    void setFocused(View& tile, bool focused) {
        tile.setTransform(AffineTransform::scale(focused ? 1.12 : 1.0, focused ? 1.12 : 1.0));
        tile.layer().setShadow(Color::black(), focused ? 0.45 : 0.15, focused ? 22 : 6, {0, focused ? 12.0 : 4.0});
    }
};

void BM_FullFrame300Views(benchmark::State& state) {
    Screen screen;
    Renderer renderer({1920, 1080});
    renderer.renderAll(*screen.window);  // warm: fonts loaded, layouts and shadows cached
    for (auto _ : state) {
        renderer.renderAll(*screen.window);
        benchmark::DoNotOptimize(renderer.frame().data());
    }
}
BENCHMARK(BM_FullFrame300Views)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RedrawAfterFocusMove(benchmark::State& state) {
    Screen screen;
    Renderer renderer({1920, 1080});
    renderer.render(*screen.window);
    std::size_t focused = 0;
    screen.setFocused(*screen.tiles[focused], true);
    renderer.render(*screen.window);
    for (auto _ : state) {
        const std::size_t next = (focused + 1) % screen.tiles.size();
        screen.setFocused(*screen.tiles[focused], false);
        screen.setFocused(*screen.tiles[next], true);
        focused = next;
        renderer.render(*screen.window);
        benchmark::DoNotOptimize(renderer.frame().data());
    }
}
BENCHMARK(BM_RedrawAfterFocusMove)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_IdleFrame(benchmark::State& state) {
    Screen screen;
    Renderer renderer({1920, 1080});
    renderer.render(*screen.window);
    for (auto _ : state) benchmark::DoNotOptimize(renderer.render(*screen.window));
}
BENCHMARK(BM_IdleFrame);

} // namespace

BENCHMARK_MAIN();
