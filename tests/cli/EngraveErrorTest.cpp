// Every way engrave can fail: a one-line message naming the file, the documented exit status,
// and no output file (not even a temporary one) left behind.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <fstream>
#include <iterator>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

class EngraveErrors : public ::testing::Test {
protected:
    void SetUp() override { cli_test::WriteFile(In(), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng); }
    std::string In() const { return folder.Path("in.png"); }
    std::string Out() const { return folder.Path("out.png"); }
    // The folder holds exactly these names: nothing partial, nothing temporary.
    void ExpectOnly(std::vector<std::string> names) const {
        std::sort(names.begin(), names.end());
        EXPECT_EQ(folder.Entries(), names);
    }
    static void ExpectOneLineNaming(const cli_test::ProcessResult& run, const std::string& file,
                                    const std::string& words) {
        EXPECT_EQ(run.err.rfind("engrave: " + file + ": ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    cli_test::TempFolder folder;
};

TEST_F(EngraveErrors, MissingInputExitsWithThreeAndNamesIt) {
    const auto run = cli_test::RunEngrave({folder.Path("missing.png"), "-o", Out()});
    EXPECT_EQ(run.status, 3);
    ExpectOneLineNaming(run, folder.Path("missing.png"), "No such file");
    ExpectOnly({"in.png"});
}

TEST_F(EngraveErrors, FileOfAnotherKindIsRefused) {
    std::ofstream(folder.Path("notes.png")) << "just some text\n";
    const auto run = cli_test::RunEngrave({folder.Path("notes.png"), "-o", Out()});
    EXPECT_EQ(run.status, 3);
    ExpectOneLineNaming(run, folder.Path("notes.png"), "not a PNG or TIFF file");
    ExpectOnly({"in.png", "notes.png"});
}

TEST_F(EngraveErrors, TruncatedPngIsRefused) {
    std::ifstream in(In(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(folder.Path("cut.png"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    const auto run = cli_test::RunEngrave({folder.Path("cut.png"), "-o", Out()});
    EXPECT_EQ(run.status, 3);
    ExpectOnly({"cut.png", "in.png"});
}

TEST_F(EngraveErrors, ModeThePluginRefusesShowsItsOwnMessage) {
    cli_test::WriteFile(folder.Path("lab.tif"), cli_test::MakeRaster(ColorModel::kLab, 3, 8), FileFormat::kTiff);
    const auto run = cli_test::RunEngrave({folder.Path("lab.tif"), "-o", folder.Path("out.tif")});
    EXPECT_EQ(run.status, 4);
    ExpectOneLineNaming(run, folder.Path("lab.tif"), "This Mode is Not Supported by the Plug-in");
    ExpectOnly({"in.png", "lab.tif"});
}

TEST_F(EngraveErrors, ValueOutsideTheDialogRangeIsRefusedBeforeAnyWork) {
    const auto run = cli_test::RunEngrave({In(), "-o", Out(), "--width", "250"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("15 to 200"), std::string::npos) << run.err;
    ExpectOnly({"in.png"});
}

TEST_F(EngraveErrors, SelectionOfTheWrongSizeIsRefused) {
    cli_test::WriteFile(folder.Path("mask.png"), cli_test::MakeRaster(ColorModel::kGrey, 1, 8, 10, 10),
                        FileFormat::kPng);
    const auto run = cli_test::RunEngrave({In(), "-o", Out(), "--selection", folder.Path("mask.png")});
    EXPECT_EQ(run.status, 3);
    ExpectOneLineNaming(run, In(), "10x10 but the image is 48x40");
    ExpectOnly({"in.png", "mask.png"});
}

TEST_F(EngraveErrors, SelectionInColourIsRefused) {
    cli_test::WriteFile(folder.Path("mask.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 8), FileFormat::kPng);
    const auto run = cli_test::RunEngrave({In(), "-o", Out(), "--selection", folder.Path("mask.png")});
    EXPECT_EQ(run.status, 3);
    ExpectOneLineNaming(run, folder.Path("mask.png"), "8-bit grey");
}

TEST_F(EngraveErrors, FullDiskLeavesNoFileAndKeepsAnOldOutput) {
    std::ofstream(Out()) << "previous result";
    cli_test::ProcessOptions small;
    small.maxFileBytes = 100;  // far less than any engraving
    for (const char* name : {"out.png", "new.png"}) {
        const auto run = cli_test::RunEngrave({In(), "-o", folder.Path(name)}, small);
        EXPECT_EQ(run.status, 5);
        ExpectOneLineNaming(run, folder.Path(name), "cannot write");
    }
    ExpectOnly({"in.png", "out.png"});
    std::ifstream old(Out());
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(old)), {}), "previous result");
}

TEST_F(EngraveErrors, FullDiskWhileWritingTiffLeavesNoFile) {
    cli_test::WriteFile(folder.Path("in.tif"), cli_test::MakeRaster(ColorModel::kCmyk, 5, 16), FileFormat::kTiff);
    cli_test::ProcessOptions small;
    small.maxFileBytes = 4096;
    const auto run = cli_test::RunEngrave({folder.Path("in.tif"), "-o", folder.Path("out.tif")}, small);
    EXPECT_EQ(run.status, 5);
    ExpectOnly({"in.png", "in.tif"});
}

TEST_F(EngraveErrors, MissingOutputFolderIsReported) {
    const auto run = cli_test::RunEngrave({In(), "-d", folder.Path("nowhere")});
    EXPECT_EQ(run.status, 5);
    ExpectOneLineNaming(run, folder.Path("nowhere/in.png"), "No such file");
}

TEST_F(EngraveErrors, NeverWritesOverItsInput) {
    const auto run = cli_test::RunEngrave({In(), "-d", folder.Path("")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("is the input itself"), std::string::npos) << run.err;
    EXPECT_EQ(cli_test::ReadFile(In()).bytes, cli_test::MakeRaster(ColorModel::kRgb, 3, 8).bytes);
}

TEST_F(EngraveErrors, OutputNamedForTheOtherFormatIsRefused) {
    const auto run = cli_test::RunEngrave({In(), "-o", folder.Path("out.tif")});
    EXPECT_EQ(run.status, 2);
    ExpectOneLineNaming(run, folder.Path("out.tif"), ".png");
    ExpectOnly({"in.png"});
}

TEST_F(EngraveErrors, UnreadablePresetStopsBeforeAnyWork) {
    const auto run = cli_test::RunEngrave({In(), "-o", Out(), "--preset", folder.Path("none.kzv")});
    EXPECT_EQ(run.status, 2);
    ExpectOneLineNaming(run, folder.Path("none.kzv"), "");
    ExpectOnly({"in.png"});
}

}  // namespace
