// The built plug-in as a file: what it exports, what it needs, and whether a host can load it.
#include "tests/win/plugin/PeImage.h"
#include "tests/win/plugin/PiplReader.h"
#include "tests/win/plugin/PluginFile.h"

#include <algorithm>
#include <cctype>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

namespace {

PeImage ParsePlugin() {
    PeImage image;
    std::string error;
    const std::vector<uint8_t> bytes = ReadPluginFile();
    EXPECT_FALSE(bytes.empty()) << PluginPath();
    EXPECT_TRUE(ParsePeImage(bytes, image, error)) << error;
    return image;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Libraries present on every 64-bit Windows; anything else would have to ship beside the plug-in.
bool IsSystemLibrary(const std::string& name) {
    static const char* const kSystem[] = {"kernel32.dll", "user32.dll",   "gdi32.dll",   "advapi32.dll", "shell32.dll",
                                          "comctl32.dll", "comdlg32.dll", "msvcrt.dll",  "ole32.dll",    "oleaut32.dll",
                                          "shlwapi.dll",  "uxtheme.dll",  "msimg32.dll", "version.dll",  "winmm.dll"};
    const std::string lower = Lower(name);
    return std::find(std::begin(kSystem), std::end(kSystem), lower) != std::end(kSystem);
}

}  // namespace

TEST(PluginFile, IsA64BitDll) {
    const PeImage image = ParsePlugin();
    EXPECT_EQ(image.machine, 0x8664);
    EXPECT_TRUE(image.isDll);
}

TEST(PluginFile, ExportsPluginMainUndecoratedAndNothingElse) {
    const PeImage image = ParsePlugin();
    EXPECT_EQ(image.exportFunctionCount, 1u);
    ASSERT_EQ(image.exportNames.size(), 1u);
    EXPECT_EQ(image.exportNames[0], "PluginMain");
}

TEST(PluginFile, ImportsOnlySystemLibraries) {
    const PeImage image = ParsePlugin();
    EXPECT_FALSE(image.importLibraries.empty());
    for (const std::string& name : image.importLibraries) EXPECT_TRUE(IsSystemLibrary(name)) << name;
    for (const std::string& name : image.delayImportLibraries) EXPECT_TRUE(IsSystemLibrary(name)) << name;
}

TEST(PluginFile, NeedsNoCompilerRuntimeLibrary) {
    const PeImage image = ParsePlugin();
    for (const std::string& name : image.importLibraries) {
        const std::string lower = Lower(name);
        EXPECT_EQ(lower.find("libstdc++"), std::string::npos) << name;
        EXPECT_EQ(lower.find("libgcc"), std::string::npos) << name;
        EXPECT_EQ(lower.find("winpthread"), std::string::npos) << name;
    }
}

TEST(PluginLoad, HostFindsTheEntryPointByThePiplName) {
    Pipl pipl;
    std::string error;
    const PluginResources resources;
    ASSERT_TRUE(ParsePipl(resources.Bytes("PiPL", 16000, kEnglishUnitedStates), pipl, error)) << error;
    const std::string entry = EntryPointName(pipl);
    ASSERT_FALSE(entry.empty());

    HMODULE module = LoadLibraryA(PluginPath().c_str());
    ASSERT_NE(module, nullptr) << "LoadLibrary failed with " << GetLastError();
    EXPECT_NE(GetProcAddress(module, entry.c_str()), nullptr) << entry;
    EXPECT_TRUE(FreeLibrary(module));
}
