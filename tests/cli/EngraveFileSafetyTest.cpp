// No file the run reads is ever written over, whatever names point where; outputs land where the
// user meant, keep what they had, and a place that cannot be written fails before the work.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;
namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class EngraveFileSafety : public ::testing::Test {
protected:
    void SetUp() override {
        cli_test::WriteFile(In(), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
        image = Slurp(In());
    }
    std::string In() const { return folder.Path("in.png"); }
    // Runs engrave and expects it refused with status 2 before anything was written.
    void ExpectRefused(const std::vector<std::string>& args, const std::string& words) {
        const auto before = folder.Entries();
        const auto run = cli_test::RunEngrave(args);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
        EXPECT_EQ(folder.Entries(), before);
    }
    cli_test::TempFolder folder;
    std::string image;
};

TEST_F(EngraveFileSafety, NothingTheRunReadsIsWrittenOver) {
    cli_test::WriteFile(folder.Path("m.png"), cli_test::MakeRaster(ColorModel::kGrey, 1, 8), FileFormat::kPng);
    const std::string mask = Slurp(folder.Path("m.png"));
    ASSERT_EQ(cli_test::RunEngrave({"--space", "30", "--save-preset", folder.Path("p.kzv")}).status, 0);
    const std::string preset = Slurp(folder.Path("p.kzv"));

    ExpectRefused({In(), "-o", folder.Path("out.png"), "--save-preset", In()}, "is also an input");
    ExpectRefused({In(), "-o", folder.Path("m.png"), "--selection", folder.Path("m.png")}, "is the selection mask");
    ExpectRefused({In(), "-o", folder.Path("p.kzv"), "--preset", folder.Path("p.kzv")}, "is the preset being read");
    ExpectRefused({In(), "--save-preset", folder.Path("x.png"), "-o", folder.Path("x.png")}, "is also the output");
    EXPECT_EQ(Slurp(In()), image);
    EXPECT_EQ(Slurp(folder.Path("m.png")), mask);
    EXPECT_EQ(Slurp(folder.Path("p.kzv")), preset);

    // A batch whose folder holds an input of the same name: that input is never replaced.
    for (const char* dir : {"A", "B"}) {
        fs::create_directory(folder.Path(dir));
        fs::copy_file(In(), folder.Path(std::string(dir) + "/photo.png"));
    }
    const auto batch =
        cli_test::RunEngrave({folder.Path("A/photo.png"), folder.Path("B/photo.png"), "-d", folder.Path("B")});
    EXPECT_EQ(batch.status, 2);
    EXPECT_NE(batch.err.find("is another input of this run"), std::string::npos) << batch.err;
    EXPECT_EQ(Slurp(folder.Path("B/photo.png")), image);
}

TEST_F(EngraveFileSafety, OutputsLandWhereMeantAndKeepWhatTheyHad) {
    fs::create_symlink("target.png", folder.Path("dangling.png"));
    ASSERT_EQ(cli_test::RunEngrave({In(), "-o", folder.Path("dangling.png")}).status, 0);
    EXPECT_TRUE(fs::is_symlink(folder.Path("dangling.png")));
    EXPECT_EQ(cli_test::ReadFile(folder.Path("target.png")).width, 48);

    std::ofstream(folder.Path("private.png")) << "old";
    ASSERT_EQ(chmod(folder.Path("private.png").c_str(), 0600), 0);
    ASSERT_EQ(cli_test::RunEngrave({In(), "-o", folder.Path("private.png")}).status, 0);
    EXPECT_EQ(fs::status(folder.Path("private.png")).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    const std::string longName = std::string(246, 'n') + ".png";  // 250 characters, as a file system allows
    const auto run = cli_test::RunEngrave({In(), "-o", folder.Path(longName)});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(cli_test::ReadFile(folder.Path(longName)).width, 48);
}

TEST_F(EngraveFileSafety, APlaceThatCannotBeWrittenFailsBeforeTheWork) {
    // The plug-in refuses Lab (status 4) only once it runs: status 5 shows the place came first.
    cli_test::WriteFile(folder.Path("lab.tif"), cli_test::MakeRaster(ColorModel::kLab, 3, 8), FileFormat::kTiff);
    const auto missing = cli_test::RunEngrave({folder.Path("lab.tif"), "-o", folder.Path("none/out.tif")});
    EXPECT_EQ(missing.status, 5);
    EXPECT_NE(missing.err.find("none/out.tif: cannot write: No such file"), std::string::npos) << missing.err;
    const auto file = cli_test::RunEngrave({folder.Path("lab.tif"), "-d", In()});
    EXPECT_EQ(file.status, 5);
    EXPECT_NE(file.err.find("Not a directory"), std::string::npos) << file.err;
}

TEST_F(EngraveFileSafety, OddInputsAreReadOnceOrRefusedWithAMessage) {
    cli_test::ProcessOptions piped;
    piped.standardInput = image;
    const auto fromPipe = cli_test::RunEngrave({"/dev/stdin", "-o", folder.Path("piped.png")}, piped);
    EXPECT_EQ(fromPipe.status, 0) << fromPipe.err;
    EXPECT_EQ(cli_test::ReadFile(folder.Path("piped.png")).width, 48);

    const auto folderPreset = cli_test::RunEngrave({In(), "-o", folder.Path("a.png"), "--preset", folder.Path("")});
    EXPECT_EQ(folderPreset.status, 2);
    EXPECT_NE(folderPreset.err.find("is a folder"), std::string::npos) << folderPreset.err;

    // An endless stream of something else is refused at its first bytes, not read to the limit.
    const auto endless = cli_test::RunEngrave({"/dev/zero", "-o", folder.Path("z.png")});
    EXPECT_EQ(endless.status, 3);
    EXPECT_NE(endless.err.find("not a PNG or TIFF file"), std::string::npos) << endless.err;

    // Nobody writes to this FIFO: engrave gives up after a few seconds instead of waiting for ever.
    ASSERT_EQ(mkfifo(folder.Path("fifo.png").c_str(), 0600), 0);
    const auto silent = cli_test::RunEngrave({folder.Path("fifo.png"), "-o", folder.Path("b.png")});
    EXPECT_EQ(silent.status, 3);
    EXPECT_NE(silent.err.find("nothing arrived"), std::string::npos) << silent.err;
}

}  // namespace
