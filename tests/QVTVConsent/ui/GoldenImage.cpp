#include "QVTVConsent/ui/GoldenImage.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

namespace testsupport {
namespace {

namespace fs = std::filesystem;

fs::path goldenPath(const std::string& name) { return fs::path(QVTV_TEST_DATA_DIR) / "goldens" / (name + ".png"); }

bool updating() {
    const char* flag = std::getenv("QVTV_UPDATE_GOLDENS");
    return flag && std::string(flag) == "1";
}

fs::path diffFolder() {
    const char* dir = std::getenv("QVTV_GOLDEN_DIFF_DIR");
    fs::path folder = dir && *dir ? fs::path(dir) : fs::temp_directory_path() / "qvtv-golden-diffs";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder;
}

int channelDistance(const std::uint8_t* a, const std::uint8_t* b) {
    int worst = 0;
    for (int c = 0; c < 4; ++c) worst = std::max(worst, std::abs(int(a[c]) - int(b[c])));
    return worst;
}

// Differing pixels in opaque red over the actual frame at a quarter of its strength.
tvkit::Bitmap diffPicture(const tvkit::Bitmap& actual, const std::vector<bool>& differs) {
    tvkit::Bitmap diff(actual.width(), actual.height());
    const std::uint8_t* src = actual.data();
    std::uint8_t* out = diff.data();
    for (std::size_t i = 0; i < differs.size(); ++i) {
        std::uint8_t* px = out + i * 4;
        if (differs[i]) {
            // Premultiplied ARGB in native (little-endian) order: B, G, R, A.
            px[0] = 0, px[1] = 0, px[2] = 255, px[3] = 255;
            continue;
        }
        for (int c = 0; c < 3; ++c) px[c] = static_cast<std::uint8_t>(src[i * 4 + c] / 4);
        px[3] = 255;
    }
    return diff;
}

::testing::AssertionResult failWithPictures(const tvkit::Bitmap& actual, const std::optional<tvkit::Bitmap>& diff,
                                            const std::string& name, const std::string& reason) {
    fs::path folder = diffFolder();
    fs::path actualPath = folder / (name + ".actual.png");
    std::string message = reason + "; actual frame: " + actualPath.string();
    if (!actual.writePng(actualPath.string())) message += " (could not be written)";
    if (diff) {
        fs::path diffPath = folder / (name + ".diff.png");
        message += ", differences: " + diffPath.string();
        if (!diff->writePng(diffPath.string())) message += " (could not be written)";
    }
    return ::testing::AssertionFailure() << message << ". Re-record with QVTV_UPDATE_GOLDENS=1 if the change is intended.";
}

} // namespace

::testing::AssertionResult GoldenImage::compare(const tvkit::Bitmap& actual, const std::string& name,
                                                Tolerance tolerance) {
    const fs::path path = goldenPath(name);
    if (updating()) {
        fs::create_directories(path.parent_path());
        if (!actual.writePng(path.string())) return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess() << "recorded " << path;
    }
    std::optional<tvkit::Bitmap> expected = tvkit::Bitmap::readPng(path.string());
    if (!expected) return failWithPictures(actual, std::nullopt, name, "no golden picture at " + path.string());
    return compare(actual, *expected, name, tolerance);
}

::testing::AssertionResult GoldenImage::compare(const tvkit::Bitmap& actual, const tvkit::Bitmap& expected,
                                                const std::string& name, Tolerance tolerance) {
    if (expected.width() != actual.width() || expected.height() != actual.height()) {
        return failWithPictures(actual, std::nullopt, name,
                                "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) +
                                    " differs from the expected " + std::to_string(expected.width()) + "x" +
                                    std::to_string(expected.height()));
    }
    const std::size_t count = static_cast<std::size_t>(actual.width()) * static_cast<std::size_t>(actual.height());
    std::vector<bool> differs(count);
    std::size_t mismatched = 0;
    for (std::size_t i = 0; i < count; ++i) {
        differs[i] = channelDistance(actual.data() + i * 4, expected.data() + i * 4) > tolerance.channelTolerance;
        mismatched += differs[i];
    }
    const auto budget = static_cast<std::size_t>(tolerance.mismatchBudget * static_cast<double>(count));
    if (mismatched <= budget) return ::testing::AssertionSuccess();
    return failWithPictures(actual, diffPicture(actual, differs), name,
                            std::to_string(mismatched) + " pixels differ from the expected picture (budget " +
                                std::to_string(budget) + ")");
}

} // namespace testsupport
