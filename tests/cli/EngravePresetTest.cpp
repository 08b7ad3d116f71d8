// Preset files on the command line: what --save-preset writes, --preset reads back to the same
// engraving, and the options given with --preset change it afterwards.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>

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

TEST_F(EngravePresets, ValuesOutsideTheOptionsRangesAreRefusedNamingTheKey) {
    ASSERT_EQ(cli_test::RunEngrave({"--save-preset", folder.Path("p.kzv")}).status, 0);
    std::ifstream in(folder.Path("p.kzv"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    for (const auto& [line, value] :
         {std::pair<std::string, std::string>{"capS 20", "capS -1000"}, {"leRB 0", "leRB 3000"}}) {
        const size_t at = text.find(line);
        ASSERT_NE(at, std::string::npos) << text;
        text.replace(at, line.size(), value);
    }
    std::ofstream(folder.Path("slow.kzv"), std::ios::binary) << text;
    const auto run = cli_test::RunEngrave(
        {folder.Path("in.png"), "-o", folder.Path("out.png"), "--preset", folder.Path("slow.kzv")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("slow.kzv: Spac (Space, line \"capS\") -1000 is out of range; it takes 5 to 100"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"in.png", "p.kzv", "slow.kzv"}));
}

TEST_F(EngravePresets, FullDiskLeavesNoPresetBehind) {
    cli_test::ProcessOptions small;
    small.maxFileBytes = 10;
    const auto run = cli_test::RunEngrave({"--space", "40", "--save-preset", folder.Path("p.kzv")}, small);
    EXPECT_EQ(run.status, 5);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"in.png"});
}

}  // namespace

TEST_F(EngravePresets, ReadsBackWhatTheDialogSavesByteForByte) {
    // The dialog's Windows test saves exactly these bytes after loading them.
    const std::string dialogSaved = std::string(MV_TEST_DATA_DIR) + "/engrave-saved.kzv";
    ASSERT_EQ(cli_test::RunEngrave({"--preset", dialogSaved, "--save-preset", folder.Path("again.kzv")}).status, 0);
    std::ifstream original(dialogSaved, std::ios::binary), again(folder.Path("again.kzv"), std::ios::binary);
    const std::string originalBytes{std::istreambuf_iterator<char>(original), {}};
    const std::string againBytes{std::istreambuf_iterator<char>(again), {}};
    EXPECT_FALSE(originalBytes.empty());
    EXPECT_EQ(againBytes, originalBytes);
}
