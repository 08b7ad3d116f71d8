#include "presets/LastUsedSettings.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool SameBytes(const FilterParameters& a, const FilterParameters& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

FilterParameters OpeningRecord() {
    FilterParameters p{};
    ResetParameters(p);
    p.space = 42;
    p.previewX = 17;
    p.showDialog = 1;
    return p;
}

}  // namespace

TEST(LastUsedSettings, GivesBackTheSettingsFromBeforeAPresetLoadAfterOneEdit) {
    const FilterParameters opening = OpeningRecord();
    FilterParameters record = opening;
    LastUsedSettings lastUsed;
    lastUsed.Take(record);

    record.space = 77;  // a preset file read into the record
    record.previewX = 3;
    MarkLoadedFromPreset(record);
    record.width = 150;  // one change after the load only clears the mark
    lastUsed.NoteParameterChange(record);
    EXPECT_EQ(record.loadedFromPreset, 0);

    FilterParameters restored = record;
    lastUsed.Restore(restored);
    EXPECT_TRUE(SameBytes(restored, opening));

    // From then on every change is the user's own and is what "Last Used Settings" gives back.
    record.width = 160;
    lastUsed.NoteParameterChange(record);
    lastUsed.Restore(restored);
    EXPECT_TRUE(SameBytes(restored, record));
}

TEST(LastUsedSettings, IgnoresTheRefreshThatFollowsALoad) {
    const FilterParameters opening = OpeningRecord();
    FilterParameters record = opening;
    LastUsedSettings lastUsed;
    lastUsed.Take(record);

    LoadDefaultSettings(record);
    EXPECT_EQ(record.loadedFromPreset, 1);
    EXPECT_EQ(record.space, 20);
    lastUsed.NoteParameterChange(record);

    FilterParameters restored = record;
    lastUsed.Restore(restored);
    // The whole record returns, preview origin and bookkeeping included.
    EXPECT_EQ(restored.space, 42);
    EXPECT_EQ(restored.previewX, 17);
    EXPECT_EQ(restored.showDialog, 1);
    EXPECT_EQ(restored.loadedFromPreset, 0);
}

TEST(LastUsedSettings, RestoringTwiceIsTheSameAsOnce) {
    FilterParameters record = OpeningRecord();
    LastUsedSettings lastUsed;
    lastUsed.Take(record);
    record.noise = 50;
    lastUsed.Restore(record);
    // Restoring is not a preset load: the next refresh records it as the user's choice.
    lastUsed.NoteParameterChange(record);
    FilterParameters again = record;
    lastUsed.Restore(again);
    EXPECT_TRUE(SameBytes(again, record));
    EXPECT_EQ(again.noise, OpeningRecord().noise);
}
