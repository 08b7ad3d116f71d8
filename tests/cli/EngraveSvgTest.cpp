// engrave's SVG output as users meet it: well formed for any settings, sized in real units, the
// schemas it exports and the one it refuses, and rulings in lines per inch or cm.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

bool HaveXmllint() {
    return std::system("command -v xmllint > /dev/null 2>&1") == 0;
}

// The value of attribute `name` on the root element.
std::string RootAttribute(const std::string& svg, const std::string& name) {
    const size_t root = svg.find("<svg ");
    const size_t at = svg.find(" " + name + "=\"", root);
    if (root == std::string::npos || at == std::string::npos) return "";
    const size_t start = at + name.size() + 3;
    return svg.substr(start, svg.find('"', start) - start);
}

class EngraveSvg : public ::testing::Test {
protected:
    void SetUp() override {
        imageio::Raster raster = cli_test::MakeRaster(ColorModel::kRgb, 3, 8, 96, 64);
        cli_test::WriteFile(In(), raster, FileFormat::kPng);
        raster.details.xResolution = 300.0f;
        raster.details.yResolution = 300.0f;
        raster.details.resolutionUnit = 2;  // inches
        cli_test::WriteFile(folder.Path("in300.tif"), raster, FileFormat::kTiff);
    }
    std::string In() const { return folder.Path("in.png"); }
    cli_test::ProcessResult Run(std::vector<std::string> args) {
        args.push_back("-q");
        return cli_test::RunEngrave(args);
    }
    cli_test::TempFolder folder;
};

// Settings from the dialog's corners, inputs of every kind: every file is well formed and has no
// number that is not one. (Records beyond the dialog's ranges are the stroke-walk fuzz target's.)
TEST_F(EngraveSvg, IsWellFormedWithFiniteNumbersForAnySettings) {
    cli_test::WriteFile(folder.Path("cmyk16.tif"), cli_test::MakeRaster(ColorModel::kCmyk, 5, 16, 40, 30),
                        FileFormat::kTiff);
    cli_test::WriteFile(folder.Path("grey-alpha.png"), cli_test::MakeRaster(ColorModel::kGrey, 2, 8, 40, 30),
                        FileFormat::kPng);
    const std::vector<std::vector<std::string>> cases = {
        {In()},
        {In(), "--color-schema", "split-color", "--invert"},
        {In(), "--solid-ink", "--pattern", "spiral-waves-4", "--noise", "100", "--randomness", "-1000"},
        {In(), "--use-dots", "--width", "15", "--pattern", "rings"},
        {In(), "--space", "5", "--width", "200", "--contrast", "300", "--not-break"},
        {In(), "--amplitude", "1000", "--frequency", "1000", "--pattern", "waves-2", "--rotation", "1000000"},
        {In(), "--center-x", "-1000", "--center-y", "1000", "--pattern", "spiral", "--threshold", "1000"},
        {folder.Path("cmyk16.tif"), "--pattern", "rings-waves-3"},
        {folder.Path("grey-alpha.png"), "--color-schema", "split-color"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        std::vector<std::string> args = cases[i];
        const std::string out = folder.Path("case" + std::to_string(i) + ".svg");
        args.insert(args.end(), {"-o", out});
        const auto run = Run(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string svg = Slurp(out);
        EXPECT_EQ(svg.find("nan"), std::string::npos);
        EXPECT_EQ(svg.find("inf"), std::string::npos);
        EXPECT_NE(svg.find("</svg>"), std::string::npos);
        if (HaveXmllint()) {
            EXPECT_EQ(std::system(("xmllint --noout '" + out + "'").c_str()), 0);
        }
    }
    if (!HaveXmllint()) GTEST_SKIP() << "xmllint (Debian libxml2-utils) is not installed; form not checked";
}

TEST_F(EngraveSvg, PageIsSizedFromTheResolutionWithAViewBoxInPixels) {
    ASSERT_EQ(Run({folder.Path("in300.tif"), "-o", folder.Path("a.svg")}).status, 0);
    const std::string fromFile = Slurp(folder.Path("a.svg"));
    EXPECT_EQ(RootAttribute(fromFile, "width"), "8.128mm");  // 96 pixels at 300 an inch
    EXPECT_EQ(RootAttribute(fromFile, "height"), "5.419mm");
    EXPECT_EQ(RootAttribute(fromFile, "viewBox"), "0 0 96 64");

    ASSERT_EQ(Run({folder.Path("in300.tif"), "-o", folder.Path("b.svg"), "--dpi", "254"}).status, 0);
    EXPECT_EQ(RootAttribute(Slurp(folder.Path("b.svg")), "width"), "9.600mm");

    // A PNG that states no resolution is taken at 72 pixels an inch.
    ASSERT_EQ(Run({In(), "-o", folder.Path("c.svg")}).status, 0);
    EXPECT_EQ(RootAttribute(Slurp(folder.Path("c.svg")), "width"), "33.867mm");
}

TEST_F(EngraveSvg, SchemasGiveTheirLayersAndInitialColorIsRefused) {
    ASSERT_EQ(Run({In(), "-o", folder.Path("bw.svg")}).status, 0);
    const std::string bw = Slurp(folder.Path("bw.svg"));
    EXPECT_NE(bw.find("<rect id=\"background\""), std::string::npos);
    EXPECT_NE(bw.find("<g id=\"engraving\""), std::string::npos);
    EXPECT_NE(bw.find("<path d=\"M"), std::string::npos);

    ASSERT_EQ(Run({In(), "-o", folder.Path("laser.svg"), "--svg-background", "none"}).status, 0);
    EXPECT_EQ(Slurp(folder.Path("laser.svg")).find("<rect id=\"background\""), std::string::npos);

    ASSERT_EQ(Run({In(), "-o", folder.Path("split.svg"), "--color-schema", "split-color"}).status, 0);
    const std::string split = Slurp(folder.Path("split.svg"));
    for (const char* pen : {"cyan", "magenta", "yellow"})
        EXPECT_NE(split.find(std::string("<g id=\"") + pen + "\""), std::string::npos) << pen;

    const auto refused = Run({In(), "-o", folder.Path("initial.svg"), "--color-schema", "initial-color"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("\"Black and white\" or \"Split color\""), std::string::npos) << refused.err;
    EXPECT_TRUE(Slurp(folder.Path("initial.svg")).empty());
}

TEST_F(EngraveSvg, BatchWithFormatSvgNamesOutputsAfterTheInputs) {
    const auto run = Run({In(), folder.Path("in300.tif"), "-d", folder.Path(""), "--format", "svg"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(Slurp(folder.Path("in.svg")).find("</svg>"), std::string::npos);
    EXPECT_NE(Slurp(folder.Path("in300.svg")).find("</svg>"), std::string::npos);
    EXPECT_EQ(Run({In(), "-o", folder.Path("x.png"), "--format", "svg"}).status, 2);
}

// 60 lines an inch at 300 pixels an inch is 5 pixels apart: Space 20, for raster output too.
TEST_F(EngraveSvg, RulingSetsSpaceFromTheResolutionOrNamesTheNearestAllowed) {
    const std::string tif = folder.Path("in300.tif");
    ASSERT_EQ(Run({tif, "-o", folder.Path("ruled.tif"), "--lines-per-inch", "60", "--pattern", "lines"}).status, 0);
    ASSERT_EQ(Run({tif, "-o", folder.Path("spaced.tif"), "--space", "20", "--pattern", "lines"}).status, 0);
    EXPECT_EQ(cli_test::ReadFile(folder.Path("ruled.tif")).bytes, cli_test::ReadFile(folder.Path("spaced.tif")).bytes);

    ASSERT_EQ(Run({tif, "-o", folder.Path("cm.svg"), "--lines-per-cm", "23.622"}).status, 0);

    const auto tooFine = Run({tif, "-o", folder.Path("fine.svg"), "--lines-per-inch", "400"});
    EXPECT_EQ(tooFine.status, 2);
    EXPECT_NE(tooFine.err.find("nearest allowed is 240 lines per inch (Space 5)"), std::string::npos) << tooFine.err;
    const auto tooCoarse = Run({tif, "-o", folder.Path("coarse.tif"), "--lines-per-cm", "1"});
    EXPECT_EQ(tooCoarse.status, 2);
    EXPECT_NE(tooCoarse.err.find("nearest allowed is 4.724 lines per cm (Space 100)"), std::string::npos)
        << tooCoarse.err;
    EXPECT_EQ(Run({tif, "-o", folder.Path("both.svg"), "--lines-per-inch", "60", "--space", "20"}).status, 2);
}

}  // namespace
