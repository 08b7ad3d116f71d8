// Several inputs at once: a failed file does not stop the others, and the status says so.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

TEST(EngraveBatch, OneBadFileDoesNotStopTheOthers) {
    cli_test::TempFolder folder;
    std::filesystem::create_directory(folder.Path("out"));
    cli_test::WriteFile(folder.Path("a.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    std::ofstream(folder.Path("b.png")) << "broken";
    cli_test::WriteFile(folder.Path("c.tif"), cli_test::MakeRaster(ColorModel::kCmyk, 4, 8), FileFormat::kTiff);

    const auto run = cli_test::RunEngrave(
        {folder.Path("a.png"), folder.Path("b.png"), folder.Path("c.tif"), "-d", folder.Path("out")});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "engrave: " + folder.Path("b.png") + ": not a PNG or TIFF file\n");
    EXPECT_EQ(cli_test::ReadFile(folder.Path("out/a.png")).model, ColorModel::kRgb);
    EXPECT_EQ(cli_test::ReadFile(folder.Path("out/c.tif")).model, ColorModel::kCmyk);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out/b.png")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("out")), {}), 2);  // no leftovers
    // Outputs get the usual permissions, not the private ones of the temporary file they were.
    const auto perms = std::filesystem::status(folder.Path("out/a.png")).permissions();
    EXPECT_NE(perms & std::filesystem::perms::others_read, std::filesystem::perms::none);
}

TEST(EngraveBatch, TwoInputsOfOneNameDoNotOverwriteEachOther) {
    cli_test::TempFolder folder;
    for (const char* dir : {"one", "two", "out"}) std::filesystem::create_directory(folder.Path(dir));
    cli_test::WriteFile(folder.Path("one/x.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    cli_test::WriteFile(folder.Path("two/x.png"), cli_test::MakeRaster(ColorModel::kGrey, 1, 8), FileFormat::kPng);
    const auto run =
        cli_test::RunEngrave({folder.Path("one/x.png"), folder.Path("two/x.png"), "-d", folder.Path("out")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("already written"), std::string::npos) << run.err;
    EXPECT_EQ(cli_test::ReadFile(folder.Path("out/x.png")).model, ColorModel::kRgb);  // the first one's
}

}  // namespace
