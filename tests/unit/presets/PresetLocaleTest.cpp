#include "presets/PresetReader.h"
#include "presets/PresetWriter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <sstream>
#include <string>

namespace {

// A C++ locale with a decimal comma, available everywhere (unlike named system locales).
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Switches the C and C++ global locales to a decimal comma for one scope. The C side is
// switched only when the system has such a locale installed.
class CommaLocale {
public:
    CommaLocale() : previousCpp(std::locale::global(std::locale(std::locale::classic(), new CommaPunct))) {
#ifdef MV_TEST_LOCALE_DIR
        // The build compiles a decimal-comma locale of its own; the C library looks there first.
        setenv("LOCPATH", MV_TEST_LOCALE_DIR, 1);
#endif
        for (const char* name :
             {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "German_Germany.1252", "German", "de-DE"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                char probe[16];
                std::snprintf(probe, sizeof probe, "%.1f", 0.5);
                hasCommaC = probe[1] == ',';
                if (hasCommaC) break;
            }
        }
        if (!hasCommaC) std::setlocale(LC_ALL, "C");
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
#ifdef MV_TEST_LOCALE_DIR
        unsetenv("LOCPATH");
#endif
        std::locale::global(previousCpp);
    }
    bool hasCommaC = false;

private:
    std::locale previousCpp;
};

}  // namespace

TEST(PresetLocale, ADecimalCommaLocaleWritesAndReadsTheSameFile) {
    FilterParameters sample = DefaultParameters();
    sample.rotation = -45.25f;
    sample.noise = 0.125f;
    const std::string classicText = FormatPresetText(sample);
    std::string commaText;
    FilterParameters read = DefaultParameters();
    bool hasCommaC = false;
    {
        CommaLocale comma;
        hasCommaC = comma.hasCommaC;
        std::ostringstream out;
        ASSERT_TRUE(PresetWriter(out, sample));
        commaText = out.str();
        std::stringbuf in(classicText);
        ASSERT_TRUE(PresetReader(in, read));
    }
    EXPECT_EQ(commaText, classicText);
    EXPECT_EQ(read.rotation, -45.25f);
    EXPECT_EQ(read.noise, 0.125f);
    if (!hasCommaC) GTEST_SKIP() << "no C locale with a decimal comma installed; only the C++ locale was checked";
}
