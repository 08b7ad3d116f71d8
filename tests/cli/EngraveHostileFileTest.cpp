// Forged files whose headers ask for far more than they hold: each is refused from its header
// with status 3 and a plain message naming it, within little memory, and a batch goes on past it.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"
#include "tests/cli/HostileFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

// The sanitizers reserve and touch memory of their own; the peak means nothing under them.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPeakIsMeaningful = false;
#elif defined(__has_feature)
constexpr bool kPeakIsMeaningful = !__has_feature(address_sanitizer);
#else
constexpr bool kPeakIsMeaningful = true;
#endif

void Save(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(EngraveHostileFiles, BombsAreRefusedFromTheirHeaderAndTheBatchGoesOn) {
    cli_test::TempFolder folder;
    std::filesystem::create_directory(folder.Path("out"));
    auto tile = cli_test::StripTags(4, 4);
    tile.erase(tile.begin() + 5, tile.end());  // strips give way to one huge tile
    tile.insert(tile.end(), {{277, 1}, {322, 1u << 20}, {323, 1u << 20}, {324, 8}, {325, 16}});
    const std::vector<std::pair<std::string, std::string>> bombs{
        {"deep.png", cli_test::ForgedPng(16384, 16384, 16, 6)},
        {"grey.png", cli_test::ForgedPng(16384, 16384, 8, 0)},
        {"wide.png", cli_test::ForgedPng(32768, 8192, 8, 0)},
        {"text.png", cli_test::PngClaimingHugeText()},
        {"tile.tif", cli_test::ForgedTiff(tile)},
        {"long.tif", cli_test::ForgedTiff(cli_test::StripTags(1u << 28, 1))},
    };
    std::vector<std::string> args;
    for (const auto& [name, bytes] : bombs) {
        Save(folder.Path(name), bytes);
        args.push_back(folder.Path(name));
    }
    cli_test::WriteFile(folder.Path("good.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    args.insert(args.end(), {folder.Path("good.png"), "-d", folder.Path("out")});

    const auto run = cli_test::RunEngrave(args);
    EXPECT_EQ(run.status, 3);
    for (const auto& [name, bytes] : bombs)
        EXPECT_NE(run.err.find("engrave: " + folder.Path(name) + ": "), std::string::npos) << name << "\n" << run.err;
    EXPECT_NE(run.err.find("needs about"), std::string::npos) << run.err;  // the budget, not the allocator
    EXPECT_NE(run.err.find("32767 pixels"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), static_cast<long>(bombs.size())) << run.err;
    EXPECT_EQ(cli_test::ReadFile(folder.Path("out/good.png")).width, 48);
    if (kPeakIsMeaningful) {
        EXPECT_LT(run.peakKiB, 100 * 1024);
    }
}

TEST(EngraveHostileFiles, RunningOutOfMemoryFailsThatFileAloneAndNamesIt) {
    if (!kPeakIsMeaningful) GTEST_SKIP() << "the sanitizers need more address space than the limit leaves";
    cli_test::TempFolder folder;
    std::filesystem::create_directory(folder.Path("out"));
    Save(folder.Path("huge.png"), cli_test::ForgedPng(20000, 20000, 8, 2));  // 1.2 GB once decoded
    cli_test::WriteFile(folder.Path("good.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    cli_test::ProcessOptions small;
    small.maxAddressSpace = long{512} << 20;
    const auto run = cli_test::RunEngrave(
        {folder.Path("huge.png"), folder.Path("good.png"), "-d", folder.Path("out"), "--max-memory", "100000"}, small);
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err, "engrave: " + folder.Path("huge.png") + ": out of memory while engraving it\n");
    EXPECT_EQ(cli_test::ReadFile(folder.Path("out/good.png")).width, 48);
}

TEST(EngraveHostileFiles, AFileTooLargeForTheBudgetNamesTheOption) {
    cli_test::TempFolder folder;
    std::ofstream(folder.Path("in.png"), std::ios::binary) << cli_test::ForgedPng(3000, 3000, 8, 2);
    const auto refused =
        cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("out.png"), "--max-memory", "100"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("MB allowed (--max-memory)"), std::string::npos) << refused.err;
    const auto raised =
        cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("out.png"), "--max-memory", "1000"});
    EXPECT_EQ(raised.status, 3);
    EXPECT_EQ(raised.err.find("--max-memory"), std::string::npos) << raised.err;  // read, and found short
    EXPECT_EQ(cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("out.png"), "--max-memory", "x"}).status,
              2);
}

TEST(EngraveHostileFiles, AnSvgOutputKeepsToTheBudgetToo) {
    cli_test::TempFolder folder;
    std::ofstream(folder.Path("in.png"), std::ios::binary) << cli_test::ForgedPng(3000, 3000, 8, 2);
    const auto refused =
        cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("out.svg"), "--max-memory", "100"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("MB allowed (--max-memory)"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out.svg")));
}

TEST(EngraveHostileFiles, BrokenFilesAreDescribedPlainly) {
    cli_test::TempFolder folder;
    cli_test::WriteFile(folder.Path("in.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    const std::string png = Slurp(folder.Path("in.png"));
    Save(folder.Path("cut.png"), png.substr(0, png.size() / 2));
    auto outside = cli_test::StripTags(4, 4);
    outside[5].second = 0x7FFFF000;  // the strip's offset, far past the end
    Save(folder.Path("outside.tif"), cli_test::ForgedTiff(outside));
    auto badDepth = cli_test::StripTags(4, 4);
    badDepth[2].second = 0;  // no bits per sample: libtiff names the file in its own message
    Save(folder.Path("depth.tif"), cli_test::ForgedTiff(badDepth));

    const auto cut = cli_test::RunEngrave({folder.Path("cut.png"), "-o", folder.Path("a.png")});
    EXPECT_EQ(cut.status, 3);
    EXPECT_NE(cut.err.find("truncated"), std::string::npos) << cut.err;
    const auto far = cli_test::RunEngrave({folder.Path("outside.tif"), "-o", folder.Path("a.tif")});
    EXPECT_EQ(far.status, 3);
    EXPECT_NE(far.err.find("strip 0 lies outside the file"), std::string::npos) << far.err;
    const auto depth = cli_test::RunEngrave({folder.Path("depth.tif"), "-o", folder.Path("a.tif")});
    EXPECT_EQ(depth.status, 3);
    EXPECT_EQ(depth.err.find(folder.Path("depth.tif")), depth.err.rfind(folder.Path("depth.tif"))) << depth.err;
}

}  // namespace
