// engrave --sheet-presets FOLDER: one tile per preset of a folder, each the engraving that
// preset gives.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

class EngravePresetSheet : public ::testing::Test {
protected:
    void SetUp() override {
        cli_test::WriteFile(folder.Path("in.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8, 64, 48),
                            FileFormat::kPng);
    }
    std::string MakeSaves(const std::string& name) {
        const std::string saves = folder.Path(name);
        std::filesystem::create_directory(saves);
        return saves;
    }
    imageio::Raster Engraved(const std::string& pattern, const std::string& name) {
        const auto run = cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path(name), "--pattern", pattern});
        EXPECT_EQ(run.status, 0) << run.err;
        return cli_test::ReadFile(folder.Path(name));
    }
    cli_test::TempFolder folder;
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
    const imageio::Raster lines = Engraved("Lines", "lines.png");
    const imageio::Raster spiral = Engraved("Spiral", "spiral.png");
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
