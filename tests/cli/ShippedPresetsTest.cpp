// The presets installed with the plug-in: settings the dialog itself could have saved, written
// as the dialog writes them.
#include "params/SettingTable.h"
#include "params/SettingValues.h"
#include "presets/PresetReader.h"
#include "presets/PresetWriter.h"
#include "presets/ShippedPresets.h"
#include "tests/cli/EngraveProcess.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <set>

#include <gtest/gtest.h>

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ShippedPresets, AreEightToTwelveUnderDistinctNamesWindowsAccepts) {
    const auto& presets = ShippedPresets();
    EXPECT_GE(presets.size(), 8u);
    EXPECT_LE(presets.size(), 12u);
    std::set<std::string> folded;  // Windows file names ignore case
    for (const ShippedPreset& preset : presets) {
        ASSERT_FALSE(preset.name.empty());
        EXPECT_EQ(preset.name.find_first_of("<>:\"/\\|?*"), std::string::npos) << preset.name;
        EXPECT_NE(preset.name.back(), '.') << preset.name;
        EXPECT_NE(preset.name.back(), ' ') << preset.name;
        std::string lower;
        for (char c : preset.name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(folded.insert(lower).second) << preset.name;
    }
}

TEST(ShippedPresets, HoldOnlyWhatTheDialogCanSetAndAPresetStores) {
    for (const ShippedPreset& preset : ShippedPresets()) {
        SCOPED_TRACE(preset.name);
        const FilterParameters& p = preset.settings;
        for (const params::Setting& s : params::kSettings) {
            const double value = params::StoredValue(s, p);
            if (s.presetLine == 0) {
                // Solid Ink and the display options have no line in a preset file: a value in
                // the table would never reach the user.
                EXPECT_EQ(value, s.defaultValue) << s.field;
            } else if (s.limited) {
                EXPECT_GE(value, s.minStored) << s.field;
                EXPECT_LE(value, s.maxStored) << s.field;
            }
        }
        // The dialog's Invert box moves both fields, always to opposite values.
        EXPECT_EQ(p.invert, 1 - p.invertIntensity);
    }
}

TEST(ShippedPresets, FilesAreTheWritersBytesAndReadBackToTheTable) {
    cli_test::TempFolder folder;
    std::string error;
    ASSERT_TRUE(WriteShippedPresets(folder.Path(""), error)) << error;
    EXPECT_EQ(folder.Entries().size(), ShippedPresets().size());
    for (const ShippedPreset& preset : ShippedPresets()) {
        const std::string path = folder.Path(preset.name + ".kzv");
        EXPECT_EQ(ReadBytes(path), FormatPresetText(preset.settings)) << path;
        FilterParameters read{};  // zeros: every field the table sets must come from the file
        ASSERT_TRUE(PresetReader(path, read)) << path;
        read.solidInk = preset.settings.solidInk;
        EXPECT_EQ(FormatPresetText(read), FormatPresetText(preset.settings)) << path;
    }

    EXPECT_FALSE(WriteShippedPresets(folder.Path("missing"), error));
    EXPECT_NE(error.find(folder.Path("missing")), std::string::npos) << error;
}

}  // namespace
