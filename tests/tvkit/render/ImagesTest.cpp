#include "tvkit/render/ImageDecoder.h"
#include "tvkit/render/ImageLibrary.h"
#include "tvkit/render/Painter.h"
#include "tvkit/render/QrCode.h"

#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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

} // namespace

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
