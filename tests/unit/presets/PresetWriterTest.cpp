#include "presets/PresetWriter.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

TEST(PresetWriter, WritesTheDefaultRecordByteForByte) {
    // The layout other copies of the plug-in read: reversed key text, "%f"/"%d", four tabs,
    // the comment, a blank and a bare line feed.
    const std::string expected =
        "Zantrove Merovane\n"
        "lgnA 30.000000 \t\t\t\t;Rotation \n"
        "tsfO 0.000000 \t\t\t\t;Offset \n"
        "capS 20.000000 \t\t\t\t;Space \n"
        "htdW 100.000000 \t\t\t\t;Width \n"
        "slvL 0.000000 \t\t\t\t;Contrast \n"
        "leRB 0.000000 \t\t\t\t;Randomness \n"
        "lpmA 100.000000 \t\t\t\t;Amplitude \n"
        "nqrF 100.000000 \t\t\t\t;Frequency \n"
        "fihS 0.000000 \t\t\t\t;Shift of phase \n"
        "lisU 0.000000 \t\t\t\t;Threshould \n"
        "XtnC 0.000000 \t\t\t\t;Center X \n"
        "YtnC 0.000000 \t\t\t\t;Center Y \n"
        "sioN 0.000000 \t\t\t\t;Noise \n"
        "IvnI 1 \t\t\t\t;Invert intensivity \n"
        "rvnI 0 \t\t\t\t;Invert \n"
        "rBoN 0 \t\t\t\t;Not break \n"
        "gBsU 0 \t\t\t\t;Use circles \n"
        "tSlC 2 \t\t\t\t;Color schema \n"
        "moeG 1 \t\t\t\t;Pattern \n"
        "AllF 1 \t\t\t\t;Fill alpha \n";
    std::ostringstream out;
    EXPECT_TRUE(PresetWriter(out, DefaultParameters()));
    EXPECT_EQ(out.str(), expected);
}

TEST(PresetWriter, WritesOnlyTheLowestByteOfWideBooleans) {
    FilterParameters p = DefaultParameters();
    p.invertIntensity = 0x101;
    p.useCircles = -1;
    p.rotation = -45.5f;
    const std::string text = FormatPresetText(p);
    EXPECT_NE(text.find("IvnI 1 \t"), std::string::npos);
    EXPECT_NE(text.find("gBsU 255 \t"), std::string::npos);
    EXPECT_NE(text.find("lgnA -45.500000 \t"), std::string::npos);
}

TEST(PresetWriter, ReportsAStreamThatRefusesTheBytes) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_FALSE(PresetWriter(out, DefaultParameters()));
}
