#include "presets/PresetNames.h"

#include <gtest/gtest.h>

#include <string>

TEST(PresetNameFromFileName, ListsEveryRealPresetFileWithoutItsExtension) {
    EXPECT_EQ(PresetNameFromFileName("Portrait.kzv"), "Portrait");
    EXPECT_EQ(PresetNameFromFileName("Portrait.KZV"), "Portrait");
    // Short names are listed the same way the first time and every time after.
    EXPECT_EQ(PresetNameFromFileName("ab.kzv"), "ab");
    EXPECT_EQ(PresetNameFromFileName("a.kzv"), "a");
    // Only the last extension is the preset's; the rest belongs to the name.
    EXPECT_EQ(PresetNameFromFileName("x.kzv.kzv"), "x.kzv");
}

TEST(PresetNameFromFileName, SkipsFilesThatOnlyLookLikePresets) {
    // What a "*.kzv" search also returns through short 8.3 aliases, or without the dot.
    EXPECT_FALSE(PresetNameFromFileName("Portrait.kzvx"));
    EXPECT_FALSE(PresetNameFromFileName("abckzv"));
    EXPECT_FALSE(PresetNameFromFileName(".kzv"));
    EXPECT_FALSE(PresetNameFromFileName(""));
}

TEST(PresetNameFromTypedName, DropsOnlyARealKzvEnding) {
    EXPECT_EQ(PresetNameFromTypedName("abc.kzv"), "abc");
    EXPECT_EQ(PresetNameFromTypedName("abc.Kzv"), "abc");
    // The three letters without the dot are part of the name: saved as "abckzv.kzv".
    EXPECT_EQ(PresetNameFromTypedName("abckzv"), "abckzv");
    EXPECT_EQ(PresetFileName(PresetNameFromTypedName("abckzv")), "abckzv.kzv");
    EXPECT_EQ(PresetNameFromTypedName("ab"), "ab");
    EXPECT_EQ(PresetNameFromTypedName(".kzv"), ".kzv");
}

TEST(PresetNames, SavingThenListingGivesBackTheTypedName) {
    for (const std::string typed : {"ab", "abc", "abckzv", "Soft lines 2", "x.kzv.kzv"}) {
        const std::string name = PresetNameFromTypedName(typed);
        EXPECT_EQ(PresetNameFromFileName(PresetFileName(name)), name) << typed;
    }
}

TEST(PresetFilePath, KeepsLongNamesWhole) {
    const std::string folder = "C:\\" + std::string(1500, 'f') + "\\Merovane saves";
    const std::string name(600, 'n');
    const std::string path = PresetFilePath(folder, name);
    EXPECT_EQ(path, folder + "\\" + name + ".kzv");
    EXPECT_EQ(PresetNameFromFileName(path.substr(folder.size() + 1)), name);
}

TEST(PresetNameProblem, RefusesNamesThatWouldLeaveTheFolderOrThatWindowsRefuses) {
    EXPECT_EQ(PresetNameProblem("Soft lines"), "");
    EXPECT_EQ(PresetNameProblem(".hidden"), "");
    for (const std::string bad : {"..\\escape", "a/b", "c:d", "what?", "star*", "pipe|", "<", "\"q\"", "", " ", ".."})
        EXPECT_NE(PresetNameProblem(bad), "") << bad;
    EXPECT_NE(PresetNameProblem(std::string("tab\there")), "");
}

TEST(SamePresetFileName, IgnoresTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(SamePresetFileName("Soft.kzv", "SOFT.KZV"));
    EXPECT_FALSE(SamePresetFileName("Soft.kzv", "Soft2.kzv"));
    EXPECT_FALSE(SamePresetFileName("\xE9", "\xC9"));
}
