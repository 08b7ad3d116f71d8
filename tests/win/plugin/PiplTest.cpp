// The PiPL resource read back out of the built plug-in and checked byte for byte: it is all a
// host knows about the filter before loading it.
#include "tests/win/plugin/PiplReader.h"
#include "tests/win/plugin/PluginFile.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Dwords(std::initializer_list<uint32_t> values) {
    Bytes out;
    for (uint32_t v : values)
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
    return out;
}

Bytes Padded(Bytes bytes) {
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    return bytes;
}

Bytes CString(const std::string& text) {
    Bytes out(text.begin(), text.end());
    out.push_back(0);
    return Padded(out);
}

Bytes PascalString(const std::string& text) {
    Bytes out{static_cast<uint8_t>(text.size())};
    out.insert(out.end(), text.begin(), text.end());
    return Padded(out);
}

Bytes Terminology() {
    Bytes out = Dwords({0, Code("sdk1"), Code("sdk1")});
    out.push_back(16000 & 0xFF);  // terminology resource number, 16 bits
    out.push_back(16000 >> 8);
    const std::string scope = "d9543b0c-3c91-11d4-97bc-0ab0f1210708";
    out.insert(out.end(), scope.begin(), scope.end());
    out.push_back(0);
    return Padded(out);
}

struct ExpectedProperty {
    const char* key;
    Bytes data;
};

const std::vector<ExpectedProperty>& ExpectedProperties() {
    static const std::vector<ExpectedProperty> kProperties = {
        {"kind", Dwords({Code("8BFM")})},
        {"name", PascalString("Merovane II...")},
        {"catg", PascalString("Zantrove")},
        {"vers", Dwords({0x00040000})},
        {"8664", CString("PluginMain")},
        {"mode", Bytes{0x5F, 0xC0, 0x00, 0x00}},
        {"hstm", Terminology()},
        {"enbl", CString("in (PSHOP_ImageMode, RGBMode, GrayScaleMode,CMYKMode, HSLMode, HSBMode, MultichannelMode,"
                         "DuotoneMode, LabMode, RGB48Mode, Gray16Mode) ||PSHOP_ImageDepth == 16")},
        {"ms32", Dwords({2000000, 2000000})},
        {"flly", Bytes{0x80, 0x00, 0x00, 0x00}},
        {"fici", Bytes{1, 1, 0x06, 0, 1, 1, 0x0E, 0, 1, 1, 0x0E, 0, 1, 1, 0x06, 0,  //
                       1, 1, 0x0E, 0, 1, 1, 0x06, 0, 1, 1, 0x0E, 0}},
    };
    return kProperties;
}

uint32_t KeyOf(const char* key) {
    const char code[5] = {key[0], key[1], key[2], key[3], 0};
    return Code(code);
}

Bytes PiplBytes() {
    return PluginResources().Bytes("PiPL", 16000, kEnglishUnitedStates);
}

Pipl ParsedPipl() {
    Pipl pipl;
    std::string error;
    EXPECT_TRUE(ParsePipl(PiplBytes(), pipl, error)) << error;
    return pipl;
}

}  // namespace

TEST(Pipl, IsStoredOnceUnderItsNumberInUsEnglish) {
    const PluginResources resources;
    ASSERT_TRUE(resources.IsOpen()) << PluginPath();
    EXPECT_EQ(resources.Languages("PiPL", 16000), std::vector<uint16_t>{kEnglishUnitedStates});
}

TEST(Pipl, StartsWithPreludeVersionAndCountThenKindWithCodesReversed) {
    const Bytes bytes = PiplBytes();
    const Bytes expected = {0x01, 0x00,                                      // prelude word
                            0x00, 0x00, 0x00, 0x00,                          // version 0
                            0x0B, 0x00, 0x00, 0x00,                          // 11 properties
                            0x4D, 0x49, 0x42, 0x38, 0x64, 0x6E, 0x69, 0x6B,  // '8BIM', 'kind'
                            0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,  // id 0, length 4
                            0x4D, 0x46, 0x42, 0x38};                         // '8BFM'
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
}

TEST(Pipl, EveryPropertyIsTheHostsWithALengthThatNeedsNoRounding) {
    const Pipl pipl = ParsedPipl();
    EXPECT_EQ(pipl.prelude, 1);
    EXPECT_EQ(pipl.version, 0);
    for (const PiplProperty& p : pipl.properties) {
        EXPECT_EQ(p.vendor, Code("8BIM"));
        EXPECT_EQ(p.id, 0);
        EXPECT_EQ(p.length % 4, 0) << "key " << std::hex << p.key;
    }
}

TEST(Pipl, HoldsTheElevenPropertiesInOrderByteForByte) {
    const Pipl pipl = ParsedPipl();
    const std::vector<ExpectedProperty>& expected = ExpectedProperties();
    ASSERT_EQ(pipl.properties.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].key);
        EXPECT_EQ(pipl.properties[i].key, KeyOf(expected[i].key));
        EXPECT_EQ(pipl.properties[i].length, static_cast<int32_t>(expected[i].data.size()));
        EXPECT_EQ(pipl.properties[i].data, expected[i].data);
    }
}

TEST(PiplReader, RejectsALengthThatRunsPastTheEnd) {
    Bytes bytes = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    const Bytes header = Dwords({Code("8BIM"), Code("kind"), 0, 8});
    bytes.insert(bytes.end(), header.begin(), header.end());
    bytes.insert(bytes.end(), {0x4D, 0x46, 0x42, 0x38});  // only 4 of the 8 declared bytes
    Pipl pipl;
    std::string error;
    EXPECT_FALSE(ParsePipl(bytes, pipl, error));
}

TEST(PiplReader, RejectsBytesLeftAfterTheLastProperty) {
    Bytes bytes = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAA};
    Pipl pipl;
    std::string error;
    EXPECT_FALSE(ParsePipl(bytes, pipl, error));
}
