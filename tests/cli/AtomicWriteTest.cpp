#include "cli/AtomicWrite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class AtomicWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string Target() const { return (folder / "out.png").string(); }
    size_t EntryCount() const { return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {})); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static bool WriteText(const std::string& path, const std::string& text) {
        std::ofstream out(path, std::ios::binary);
        out << text;
        return static_cast<bool>(out);
    }
    fs::path folder;
};

TEST_F(AtomicWriteTest, ReplacesTheTargetOnlyWhenTheWriterSucceeds) {
    ASSERT_TRUE(WriteText(Target(), "old"));
    std::string error;
    EXPECT_FALSE(cli::WriteAtomically(
        Target(),
        [](const std::string& path, std::string& e) {
            WriteText(path, "half");
            e = "disk full";
            return false;
        },
        error));
    EXPECT_EQ(error, "disk full");
    EXPECT_EQ(Read(Target()), "old");
    EXPECT_EQ(EntryCount(), 1u);  // the temporary file is gone

    EXPECT_TRUE(cli::WriteAtomically(
        Target(), [](const std::string& path, std::string&) { return WriteText(path, "new"); }, error));
    EXPECT_EQ(Read(Target()), "new");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicWriteTest, GivesTheFileTheUsualPermissions) {
    std::string error;
    const mode_t previous = umask(022);
    const bool written = cli::WriteAtomically(
        Target(), [](const std::string& path, std::string&) { return WriteText(path, "x"); }, error);
    umask(previous);
    ASSERT_TRUE(written) << error;
    const fs::perms perms = fs::status(Target()).permissions();
    EXPECT_NE(perms & fs::perms::owner_read, fs::perms::none);
    EXPECT_NE(perms & fs::perms::others_read, fs::perms::none);  // not the 0600 of a temporary file
}

TEST_F(AtomicWriteTest, ReportsAFolderThatDoesNotExist) {
    std::string error;
    EXPECT_FALSE(cli::WriteAtomically((folder / "missing" / "out.png").string(),
                                      [](const std::string&, std::string&) { return true; }, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
