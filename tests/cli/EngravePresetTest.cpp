// Preset files on the command line: what --save-preset writes, --preset reads back to the same
// engraving, the options given with --preset change it afterwards, and a sheet of a preset folder.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

class EngravePresets : public ::testing::Test {
protected:
    void SetUp() override {
        cli_test::WriteFile(folder.Path("in.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8, 64, 48),
                            FileFormat::kPng);
    }
    std::vector<uint8_t> Engrave(std::vector<std::string> options, const std::string& name) {
        std::vector<std::string> args{folder.Path("in.png"), "-o", folder.Path(name)};
        args.insert(args.end(), options.begin(), options.end());
        const auto run = cli_test::RunEngrave(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return cli_test::ReadFile(folder.Path(name)).bytes;
    }
    cli_test::TempFolder folder;
};

TEST_F(EngravePresets, SavedSettingsEngraveAlikeWhenLoaded) {
    const std::vector<std::string> settings{"--pattern", "Rings waves 1", "--space", "33", "--phase",
                                            "45",        "--no-invert"};
    std::vector<std::string> save = settings;
    save.insert(save.end(), {"--save-preset", folder.Path("mine.kzv")});
    const auto saved = cli_test::RunEngrave(save);  // no image needed just to save
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(Engrave({"--preset", folder.Path("mine.kzv")}, "a.png"), Engrave(settings, "b.png"));
}

TEST_F(EngravePresets, OptionsApplyAfterThePresetWhateverTheirPlace) {
    ASSERT_EQ(cli_test::RunEngrave({"--pattern", "Spiral", "--save-preset", folder.Path("p.kzv")}).status, 0);
    EXPECT_EQ(Engrave({"--space", "50", "--preset", folder.Path("p.kzv")}, "a.png"),
              Engrave({"--pattern", "Spiral", "--space", "50"}, "b.png"));
}

TEST_F(EngravePresets, TextThatIsNoPresetIsRefused) {
    cli_test::WriteFile(folder.Path("image.kzv"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    const auto run = cli_test::RunEngrave(
        {folder.Path("in.png"), "-o", folder.Path("out.png"), "--preset", folder.Path("image.kzv")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("not a preset file"), std::string::npos) << run.err;
}

TEST_F(EngravePresets, FullDiskLeavesNoPresetBehind) {
    cli_test::ProcessOptions small;
    small.maxFileBytes = 10;
    const auto run = cli_test::RunEngrave({"--space", "40", "--save-preset", folder.Path("p.kzv")}, small);
    EXPECT_EQ(run.status, 5);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"in.png"});
}

}  // namespace

namespace {

class EngravePresetSheet : public EngravePresets {
protected:
    std::string MakeSaves(const std::string& name) {
        const std::string saves = folder.Path(name);
        std::filesystem::create_directory(saves);
        return saves;
    }
};

TEST_F(EngravePresetSheet, ShowsEachPresetOfTheFolderInNameOrder) {
    const std::string saves = MakeSaves("saves");
    ASSERT_EQ(cli_test::RunEngrave({"--pattern", "Spiral", "--save-preset", saves + "/b.kzv"}).status, 0);
    ASSERT_EQ(cli_test::RunEngrave({"--pattern", "Lines", "--save-preset", saves + "/a.KZV"}).status, 0);
    cli_test::WriteFile(saves + "/notes.png", cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    const auto run =
        cli_test::RunEngrave({"--sheet-presets", saves, folder.Path("in.png"), "-o", folder.Path("s.png")});
    ASSERT_EQ(run.status, 0) << run.err;

    const imageio::Raster sheet = cli_test::ReadFile(folder.Path("s.png"));
    Engrave({"--pattern", "Lines"}, "lines.png");
    Engrave({"--pattern", "Spiral"}, "spiral.png");
    const imageio::Raster lines = cli_test::ReadFile(folder.Path("lines.png"));
    const imageio::Raster spiral = cli_test::ReadFile(folder.Path("spiral.png"));
    // Tiles sit 12 pixels in, one picture width plus 12 apart, four to a row.
    const int32_t width = lines.width, height = lines.height;
    ASSERT_EQ(sheet.width, 12 + 4 * (width + 12));
    ASSERT_LT(sheet.height, 2 * (height + 12));  // one row
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = &sheet.bytes[(static_cast<size_t>(12 + y) * sheet.width) * 3];
        const size_t rowBytes = static_cast<size_t>(width) * 3;
        ASSERT_EQ(std::memcmp(row + 12 * 3, &lines.bytes[y * rowBytes], rowBytes), 0) << "row " << y;
        ASSERT_EQ(std::memcmp(row + (24 + width) * 3, &spiral.bytes[y * rowBytes], rowBytes), 0) << "row " << y;
    }
}

TEST_F(EngravePresetSheet, RefusesAFolderWithoutPresetsOrWithAForeignFile) {
    const std::string empty = MakeSaves("empty");
    auto run = cli_test::RunEngrave({"--sheet-presets", empty, folder.Path("in.png"), "-o", folder.Path("s.png")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("holds no preset"), std::string::npos) << run.err;

    const std::string mixed = MakeSaves("mixed");
    cli_test::WriteFile(mixed + "/image.kzv", cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    run = cli_test::RunEngrave({"--sheet-presets", mixed, folder.Path("in.png"), "-o", folder.Path("s.png")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("image.kzv: not a preset file"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.Path("s.png")));
}

}  // namespace
