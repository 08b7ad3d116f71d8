#include "product/InstallFolders.h"

#include <gtest/gtest.h>

#include <string>

using product::HelpSection;

TEST(InstallFolders, SitBesideTheModule) {
    const std::string module = "C:\\Program Files\\Adobe\\Plug-ins\\merovaneIIx64.8bf";
    EXPECT_EQ(product::PresetFolderFor(module), "C:\\Program Files\\Adobe\\Plug-ins\\Merovane saves");
    EXPECT_EQ(product::HelpFolderFor(module), "C:\\Program Files\\Adobe\\Plug-ins\\MerovaneIIHelp\\");
    EXPECT_EQ(product::HelpPageTarget(module, HelpSection::kContents),
              "C:\\Program Files\\Adobe\\Plug-ins\\MerovaneIIHelp\\merovaneIIhelp.htm");
    EXPECT_EQ(product::HelpPageTarget(module, HelpSection::kInstall),
              "file:///C:/Program%20Files/Adobe/Plug-ins/MerovaneIIHelp/merovaneIIhelp.htm#install");
}

TEST(InstallFolders, FollowARenamedOrShortModuleName) {
    // Cutting the length of the expected file name would eat into the folder's name here.
    EXPECT_EQ(product::PresetFolderFor("D:\\Filters\\mv.8bf"), "D:\\Filters\\Merovane saves");
    EXPECT_EQ(product::PresetFolderFor("D:\\Filters\\merovaneIIx64 (copy).8bf"), "D:\\Filters\\Merovane saves");
    EXPECT_EQ(product::PresetFolderFor("Z:/tmp/x/merovaneIIx64.8bf"), "Z:/tmp/x/Merovane saves");
}

TEST(InstallFolders, KeepLongPathsWhole) {
    const std::string folder = "C:\\" + std::string(2000, 'd') + "\\";
    EXPECT_EQ(product::PresetFolderFor(folder + "merovaneIIx64.8bf"), folder + "Merovane saves");
    EXPECT_EQ(product::HelpPageTarget(folder + "merovaneIIx64.8bf", HelpSection::kContents),
              folder + "MerovaneIIHelp\\merovaneIIhelp.htm");
}

TEST(InstallFolders, AreUnknownWithoutAModulePath) {
    EXPECT_EQ(product::PresetFolderFor(""), "");
    EXPECT_EQ(product::HelpFolderFor("merovaneIIx64.8bf"), "");
    EXPECT_EQ(product::HelpPageTarget("", HelpSection::kInstall), "");
}
