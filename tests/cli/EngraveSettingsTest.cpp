// The settings given to engrave reach the render: the program's output equals what the plug-in
// makes of the same settings when driven through the emulated host directly.
#include "cli/HostImageConversion.h"
#include "emulator/EmulatedHost.h"
#include "host/PluginMain.h"
#include "params/FilterParameters.h"
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

// The document the emulator holds after a run with `settings`, as the engrave file would be.
imageio::Raster EngravedThroughEmulator(const imageio::Raster& input, const FilterParameters& settings) {
    emulator::HostImage image;
    std::string error;
    EXPECT_TRUE(cli::ToHostImage(input, image, error));
    emulator::HostOptions options;
    options.playInfo = host::kPlayDialogDontDisplay;
    emulator::EmulatedHost host(PluginMain, options);
    host.SetImage(image);
    EXPECT_EQ(host.CallSelector(host::kSelectorParameters), 0);
    auto* params = static_cast<FilterParameters*>(host.ParametersData());
    const FilterParameters kept = *params;
    *params = settings;
    params->ranOnce = kept.ranOnce;
    EXPECT_EQ(host.RunFilter(), 0);
    return cli::FromHostImage(host.Image(), input);
}

class EngraveSettings : public ::testing::Test {
protected:
    void SetUp() override {
        input = cli_test::MakeRaster(ColorModel::kRgb, 3, 16, 64, 48);
        cli_test::WriteFile(In(), input, FileFormat::kPng);
    }
    std::string In() const { return folder.Path("in.png"); }
    imageio::Raster Engrave(std::vector<std::string> options, const std::string& name) {
        std::vector<std::string> args{In(), "-o", folder.Path(name)};
        args.insert(args.end(), options.begin(), options.end());
        const auto run = cli_test::RunEngrave(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return cli_test::ReadFile(folder.Path(name));
    }
    cli_test::TempFolder folder;
    imageio::Raster input;
};

TEST_F(EngraveSettings, DefaultsMatchThePluginsOwnDefaults) {
    EXPECT_EQ(Engrave({}, "default.png").bytes, EngravedThroughEmulator(input, DefaultParameters()).bytes);
}

TEST_F(EngraveSettings, EveryKindOfOptionReachesTheRender) {
    FilterParameters settings = DefaultParameters();
    settings.pattern = 3;
    settings.colorSchema = 0;
    settings.space = 12.5f;
    settings.rotation = 75.0f;
    settings.contrast = 200.0f;   // the dialog's "Threshold"
    settings.threshold = -50.0f;  // the dialog's "Contrast"
    settings.phaseShift = 90.0f * 5.5555553f;
    settings.invertIntensity = 0;
    settings.invert = 1;
    settings.useCircles = 1;
    const imageio::Raster viaOptions =
        Engrave({"--pattern", "Rings", "--color-schema", "Initial color", "--space", "12.5", "--rotation", "75",
                 "--threshold", "200", "--contrast", "-50", "--phase", "90", "--no-invert", "--use-dots"},
                "options.png");
    const imageio::Raster expected = EngravedThroughEmulator(input, settings);
    EXPECT_EQ(viaOptions.bytes, expected.bytes);
    EXPECT_NE(viaOptions.bytes, EngravedThroughEmulator(input, DefaultParameters()).bytes);
}

TEST_F(EngraveSettings, KeysGiveTheSameEngravingAsTheLabelledOptions) {
    const imageio::Raster byOption = Engrave({"--pattern", "Spiral", "--space", "30", "--solid-ink"}, "a.png");
    const imageio::Raster byKey = Engrave({"--set", "Geom=8", "--set", "Spac=30", "--set", "AntA=1"}, "b.png");
    EXPECT_EQ(byOption.bytes, byKey.bytes);
}

TEST_F(EngraveSettings, AnUnselectedAreaKeepsTheInput) {
    // Left half selected, right half not.
    imageio::Raster mask = cli_test::MakeRaster(ColorModel::kGrey, 1, 8, input.width, input.height);
    for (int32_t y = 0; y < mask.height; ++y)
        for (int32_t x = 0; x < mask.width; ++x) mask.bytes[static_cast<size_t>(y * mask.width + x)] = x < 32 ? 255 : 0;
    cli_test::WriteFile(folder.Path("mask.png"), mask, FileFormat::kPng);
    const imageio::Raster output = Engrave({"--selection", folder.Path("mask.png")}, "masked.png");
    ASSERT_EQ(output.bytes.size(), input.bytes.size());
    const size_t pixelBytes = 6;
    size_t changedLeft = 0;
    for (int32_t y = 0; y < input.height; ++y)
        for (int32_t x = 0; x < input.width; ++x) {
            const size_t at = (static_cast<size_t>(y) * input.width + x) * pixelBytes;
            if (x < 32) {
                changedLeft += std::memcmp(&output.bytes[at], &input.bytes[at], pixelBytes) != 0;
                continue;
            }
            // 16-bit files pass through the host's range: within one level of the input.
            for (size_t b = 0; b < pixelBytes; b += 2) {
                uint16_t a, c;
                std::memcpy(&a, &output.bytes[at + b], 2);
                std::memcpy(&c, &input.bytes[at + b], 2);
                ASSERT_LE(std::abs(a - c), 1) << x << "," << y;
            }
        }
    EXPECT_GT(changedLeft, size_t{32} * input.height / 2);  // the selected half is engraved
}

TEST(EngraveTerminal, ShowsAProgressBarOnATerminalUnlessQuiet) {
    cli_test::TempFolder folder;
    cli_test::WriteFile(folder.Path("in.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    cli_test::ProcessOptions terminal;
    terminal.onTerminal = true;
    const auto shown = cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("a.png")}, terminal);
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.err.find("%\r"), std::string::npos) << shown.err;
    EXPECT_NE(shown.err.find("in.png ["), std::string::npos) << shown.err;
    const auto quiet = cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("b.png"), "--quiet"}, terminal);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.err.find('%'), std::string::npos) << quiet.err;
}

TEST(EngraveTerminal, TheBarNeverFallsBack) {
    cli_test::TempFolder folder;
    cli_test::WriteFile(folder.Path("in.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    cli_test::ProcessOptions terminal;
    terminal.onTerminal = true;
    const auto run = cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("a.png")}, terminal);
    ASSERT_EQ(run.status, 0) << run.err;
    int last = -1;
    for (size_t at = run.err.find('%'); at != std::string::npos; at = run.err.find('%', at + 1)) {
        const int percent = std::stoi(run.err.substr(at - 3, 3));
        EXPECT_GE(percent, last) << run.err;
        last = percent;
    }
    EXPECT_GT(last, 0);
}

TEST(EngraveSheet, ShowsEachPatternAsEngravingWithThatPatternWould) {
    cli_test::TempFolder folder;
    const imageio::Raster input = cli_test::MakeRaster(ColorModel::kRgb, 3, 8, 40, 30);
    cli_test::WriteFile(folder.Path("in.png"), input, FileFormat::kPng);
    const auto run = cli_test::RunEngrave({"--sheet", folder.Path("in.png"), "-o", folder.Path("sheet.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    const imageio::Raster sheet = cli_test::ReadFile(folder.Path("sheet.png"));
    ASSERT_EQ(sheet.model, ColorModel::kRgb);
    ASSERT_EQ(sheet.depth, 8);
    ASSERT_GT(sheet.width, 4 * input.width);
    ASSERT_GT(sheet.height, 4 * input.height);

    // The first tile (12 pixels in from the corner) is the "Lines" engraving of the picture.
    ASSERT_EQ(cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("lines.png"), "--pattern", "0"}).status,
              0);
    const imageio::Raster lines = cli_test::ReadFile(folder.Path("lines.png"));
    for (int32_t y = 0; y < input.height; ++y)
        ASSERT_EQ(
            std::memcmp(&sheet.bytes[(static_cast<size_t>(12 + y) * sheet.width + 12) * 3],
                        &lines.bytes[static_cast<size_t>(y) * input.width * 3], static_cast<size_t>(input.width) * 3),
            0)
            << "row " << y;
}

TEST(EngraveListings, HelpVersionAndListSucceedOnStandardOutput) {
    const auto help = cli_test::RunEngrave({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* key : {"Spac", "Shif", "--center-x", "--set KEY=VALUE", "Exit status"})
        EXPECT_NE(help.out.find(key), std::string::npos) << key;
    const auto list = cli_test::RunEngrave({"--list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("12  Spiral waves 4"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("Black and white"), std::string::npos);
    const auto version = cli_test::RunEngrave({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("engrave", 0), 0u);
}

}  // namespace
