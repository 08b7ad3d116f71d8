#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path ControlsFolder() {
    return fs::path(MV_TEST_DATA_DIR) / ".." / ".." / "controls";
}

std::vector<std::string> IncludesOf(const fs::path& file) {
    std::vector<std::string> includes;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto at = line.find("#include");
        if (at != std::string::npos && line.find_first_not_of(" \t") == at) includes.push_back(line.substr(at + 8));
    }
    return includes;
}

bool IsPortableHeader(const fs::path& file) {
    const std::string name = file.filename().string();
    return name.find("Geometry.h") != std::string::npos || name == "ValueRules.h" || name == "NumberConversions.h";
}

}  // namespace

TEST(ControlIncludes, ControlsNeverReachIntoTheHostOrTheDialogs) {
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(ControlsFolder())) {
        const auto ext = entry.path().extension();
        if (ext != ".h" && ext != ".cpp") continue;
        ++files;
        for (const std::string& include : IncludesOf(entry.path())) {
            EXPECT_EQ(include.find("host/"), std::string::npos) << entry.path() << ":" << include;
            EXPECT_EQ(include.find("ui/"), std::string::npos) << entry.path() << ":" << include;
        }
    }
    EXPECT_GT(files, 10u);
}

TEST(ControlIncludes, GeometryHeadersStayFreeOfWin32) {
    size_t headers = 0;
    for (const auto& entry : fs::directory_iterator(ControlsFolder())) {
        if (!IsPortableHeader(entry.path())) continue;
        ++headers;
        for (const std::string& include : IncludesOf(entry.path())) {
            EXPECT_EQ(include.find("windows.h"), std::string::npos) << entry.path();
            if (include.find('"') != std::string::npos) {
                const auto quoted = include.substr(include.find('"') + 1);
                EXPECT_TRUE(IsPortableHeader(quoted.substr(0, quoted.find('"')))) << entry.path() << ":" << include;
            }
        }
    }
    EXPECT_GE(headers, 6u);
}
