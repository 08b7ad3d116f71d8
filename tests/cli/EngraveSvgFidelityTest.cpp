// The SVG's outlines are the raster engraving's strokes: rasterised at the image's size by
// rsvg-convert, an SVG in "Black and white" matches the raster render of the same settings, pixel
// for pixel within a quarter of the tone range, for every pattern and a few settings each, on two
// photographs of different kinds. What differs is antialiasing at the strokes' edges (exact area
// against sixteen subpixels) and the raster's smallest stamps (a single quarter-pixel point).
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool HaveRsvgConvert() {
    return std::system("command -v rsvg-convert > /dev/null 2>&1") == 0;
}

struct Variant {
    const char* name;
    std::vector<std::string> options;
    std::vector<int> patterns;
};

// Every pattern at default settings, and each kind of displacement and shape on a few patterns of
// each family.
std::vector<Variant> Variants() {
    std::vector<int> all;
    for (int p = 0; p <= 12; ++p) all.push_back(p);
    return {
        {"default", {}, all},
        {"relief", {"--randomness", "300"}, {1, 9}},
        {"noise", {"--noise", "40"}, {0, 6}},
        {"dots", {"--use-dots"}, {3, 8}},
        {"not-break", {"--not-break", "--no-invert"}, {2, 12}},
        {"rotated-wide", {"--rotation", "-65", "--width", "180", "--space", "30"}, {1, 10}},
    };
}

// The share of pixels whose first channel differs by at most `levels`.
double ShareWithin(const imageio::Raster& a, const imageio::Raster& b, int levels) {
    if (a.width != b.width || a.height != b.height || a.depth != 8 || b.depth != 8) return 0.0;
    int64_t close = 0;
    const int64_t pixels = int64_t{a.width} * a.height;
    for (int64_t i = 0; i < pixels; ++i) {
        const int va = a.bytes[static_cast<size_t>(i * a.channels)];
        const int vb = b.bytes[static_cast<size_t>(i * b.channels)];
        if (std::abs(va - vb) <= levels) ++close;
    }
    return static_cast<double>(close) / static_cast<double>(pixels);
}

class SvgFidelity : public ::testing::TestWithParam<const char*> {};

TEST_P(SvgFidelity, RasterisedSvgMatchesTheRasterEngraving) {
    if (!HaveRsvgConvert()) GTEST_SKIP() << "rsvg-convert (Debian librsvg2-bin) is not installed";
    cli_test::TempFolder folder;
    const std::string input = std::string(MV_TEST_DATA_DIR) + "/" + GetParam();
    const imageio::Raster original = cli_test::ReadFile(input);
    ASSERT_GT(original.width, 0);
    for (const Variant& variant : Variants()) {
        for (int pattern : variant.patterns) {
            SCOPED_TRACE(std::string(variant.name) + ", pattern " + std::to_string(pattern));
            std::vector<std::string> settings = variant.options;
            settings.insert(settings.end(), {"--pattern", std::to_string(pattern), "-q"});
            std::vector<std::string> raster{input, "-o", folder.Path("raster.png")};
            raster.insert(raster.end(), settings.begin(), settings.end());
            std::vector<std::string> vector{input, "-o", folder.Path("vector.svg")};
            vector.insert(vector.end(), settings.begin(), settings.end());
            const auto rasterRun = cli_test::RunEngrave(raster);
            ASSERT_EQ(rasterRun.status, 0) << rasterRun.err;
            const auto vectorRun = cli_test::RunEngrave(vector);
            ASSERT_EQ(vectorRun.status, 0) << vectorRun.err;
            const std::string command = "rsvg-convert -w " + std::to_string(original.width) + " -h " +
                                        std::to_string(original.height) + " '" + folder.Path("vector.svg") + "' -o '" +
                                        folder.Path("vector.png") + "'";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            const double share = ShareWithin(cli_test::ReadFile(folder.Path("raster.png")),
                                             cli_test::ReadFile(folder.Path("vector.png")), 64);
            EXPECT_GE(share, 0.97);
            RecordProperty(std::string(variant.name) + "-" + std::to_string(pattern), std::to_string(share));
            std::printf("%s %-12s pattern %2d: %.4f within 64 levels\n", GetParam(), variant.name, pattern, share);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Photographs, SvgFidelity, ::testing::Values("astronaut.png", "coffee.png"));

}  // namespace
