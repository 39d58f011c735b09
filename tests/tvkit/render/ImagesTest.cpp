#include "tvkit/render/ImageDecoder.h"
#include "tvkit/render/ImageLibrary.h"
#include "tvkit/render/Painter.h"
#include "tvkit/render/QrCode.h"

#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <latch>
#include <thread>
#include <vector>

using namespace tvkit;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path writePng(const std::filesystem::path& folder, const std::string& name, int w, int h) {
    Bitmap b(w, h);
    b.clear(Color::fromRGBA8(0, 128, 255));
    const auto path = folder / name;
    EXPECT_TRUE(b.writePng(path.string()));
    return path;
}

// A 24-bit BMP of one colour: a format whose gdk-pixbuf reader is a module loaded on first use.
std::string bmp(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int rowBytes = (w * 3 + 3) / 4 * 4;
    const std::uint32_t fileSize = 54 + rowBytes * h;
    std::string out;
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xff));
    };
    out += "BM";
    for (std::uint32_t field : {fileSize, 0u, 54u}) put(field, 4);  // file header: size, reserved, pixel offset
    for (int field : {40, w, h}) put(field, 4);                     // info header: its size, width, height
    put(1, 2);                                                      // one plane
    put(24, 2);                                                     // bits per pixel
    for (int field : {0, rowBytes * h, 2835, 2835, 0, 0}) put(field, 4);  // uncompressed, 72 dpi, no palette
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            for (std::uint8_t channel : {b, g, r}) put(channel, 1);
        }
        out.append(rowBytes - w * 3, '\0');
    }
    return out;
}

std::string base64(const std::string& bytes) {
    gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string out(encoded);
    g_free(encoded);
    return out;
}

} // namespace

TEST(ImageDecoder, ThreadsDecodingTheirFirstImagesAtOnceAllGetThem) {
    // Run alone (one case per process) this is the process's first decode, made by several threads
    // at once: what logo downloads do when a screen opens. The SVG embeds a PNG, which librsvg
    // decodes through gdk-pixbuf too.
    testsupport::TempDir dir;
    const std::string png = readFile(writePng(dir.path(), "logo.png", 40, 20));
    const std::string svgWithPng = R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="20">)"
                                   R"(<image width="20" height="20" href="data:image/png;base64,)" +
                                   base64(png) + R"("/></svg>)";
    const std::vector<std::pair<std::string, Size>> images{
        {png, {40, 20}}, {bmp(30, 10, 255, 0, 0), {30, 10}}, {svgWithPng, {20, 20}}};
    constexpr int threads = 4;
    std::vector<std::vector<std::shared_ptr<const Image>>> decoded(threads);
    std::latch start(threads);
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i) {
        workers.emplace_back([&, i] {
            start.arrive_and_wait();
            for (std::size_t k = 0; k < images.size(); ++k) {  // each thread starts with another format
                decoded[i].push_back(ImageDecoder::decode(images[(i + k) % images.size()].first));
            }
        });
    }
    for (auto& worker : workers) worker.join();
    for (int i = 0; i < threads; ++i) {
        for (std::size_t k = 0; k < images.size(); ++k) {
            const auto& image = decoded[i][k];
            ASSERT_TRUE(image) << "thread " << i << ", image " << (i + k) % images.size();
            EXPECT_EQ(image->size(), images[(i + k) % images.size()].second);
        }
    }
    Bitmap b(30, 10);
    Painter p(b);
    p.drawImage(*decoded[1][0], {0, 0, 30, 10});  // thread 1 started with the BMP
    EXPECT_NEAR(b.pixel(15, 5).red, 1.0, 0.01);
    Bitmap drawnSvg(20, 20);
    Painter(drawnSvg).drawImage(*decoded[2][0], {0, 0, 20, 20});  // the PNG inside the SVG was drawn
    EXPECT_NEAR(drawnSvg.pixel(10, 10).blue, 1.0, 0.02);
}

TEST(ImageDecoder, ScalesToFitKeepingTheAspectRatio) {
    testsupport::TempDir dir;
    const std::string wide = readFile(writePng(dir.path(), "wide.png", 400, 200));
    auto fitted = ImageDecoder::decode(wide, Size{100, 100});
    ASSERT_TRUE(fitted);
    EXPECT_EQ(fitted->size(), (Size{100, 50}));
    auto small = ImageDecoder::decode(readFile(writePng(dir.path(), "small.png", 50, 50)), Size{100, 100});
    EXPECT_EQ(small->size(), (Size{100, 100}));  // enlarged
    EXPECT_EQ(ImageDecoder::decode(wide)->size(), (Size{400, 200}));

    Bitmap b(100, 50);
    Painter p(b);
    p.drawImage(*fitted, {0, 0, 100, 50});
    EXPECT_NEAR(b.pixel(50, 25).blue, 1.0, 0.01);
    EXPECT_NEAR(b.pixel(50, 25).green, 128 / 255.0, 0.01);
}

TEST(ImageDecoder, SvgIsRenderedAtTheTargetSize) {
    const std::string svg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10">
        <rect width="20" height="10" fill="#ff0000"/></svg>)";
    auto image = ImageDecoder::decode(svg, Size{200, 200});
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), (Size{200, 100}));
    Bitmap b(200, 100);
    Painter p(b);
    p.drawImage(*image, {0, 0, 200, 100});
    EXPECT_NEAR(b.pixel(199, 99).red, 1.0, 0.02);
}

TEST(ImageDecoder, DataThatIsNotAnImageGivesNone) {
    testsupport::LogCapture log;
    EXPECT_FALSE(ImageDecoder::decode("<html><body>Not found</body></html>"));
    EXPECT_FALSE(ImageDecoder::decode(std::string("\x89PNG\r\n\x1a\n garbage", 17)));
    EXPECT_FALSE(ImageDecoder::decode(""));
    EXPECT_FALSE(ImageDecoder::decode("<svg"));
    EXPECT_TRUE(log.containsSubstring("[WARN] ImageDecoder: "));
}

TEST(ImageLibrary, FindsResourcesByNameAndNothingOutsideItsFolder) {
    testsupport::TempDir dir;
    writePng(dir.path(), "qv_logo.png", 30, 20);
    ImageLibrary library(dir.path());
    auto logo = library.image("qv_logo");
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->size(), (Size{30, 20}));
    EXPECT_EQ(library.image("qv_logo"), logo);  // decoded once
    EXPECT_FALSE(library.image("branding"));
    EXPECT_FALSE(library.image("../qv_logo"));
    EXPECT_FALSE(library.image(""));
}

TEST(QrCode, ModulesAreCrispAndFinderPatternsSitInTheCorners) {
    auto code = QrCode::make("https://example.com/privacy");
    ASSERT_TRUE(code);
    const int n = code->moduleCount();
    EXPECT_GE(n, 21);
    // The 7x7 finder pattern: dark ring, light ring, dark 3x3 centre.
    EXPECT_TRUE(code->isDark(0, 0));
    EXPECT_FALSE(code->isDark(1, 1));
    EXPECT_TRUE(code->isDark(3, 3));
    EXPECT_TRUE(code->isDark(n - 1, 0));
    EXPECT_TRUE(code->isDark(0, n - 1));

    // At a fractional scale every pixel is fully dark or fully clear: no grey seams.
    Bitmap b(300, 300);
    Painter p(b, 1.37);
    p.drawImage(*code, {3.3, 3.3, 200, 200}, Color::black());
    int partial = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 300; ++x) {
            const double a = b.pixel(x, y).alpha;
            if (a > 0.01 && a < 0.99) ++partial;
        }
    }
    EXPECT_EQ(partial, 0);
    testsupport::LogCapture log;
    EXPECT_FALSE(QrCode::make(std::string(8000, 'x')));
    EXPECT_TRUE(log.contains("[WARN] QrCode: cannot encode 8000 bytes"));
}
