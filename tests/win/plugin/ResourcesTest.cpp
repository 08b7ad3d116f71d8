// The plug-in's other resources read back: the scripting terminology the PiPL points to and
// the manifest that selects common controls 6.
#include "tests/win/plugin/PiplReader.h"
#include "tests/win/plugin/PluginFile.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>  // RT_MANIFEST

namespace {

// Sequential reader for the terminology resource: little-endian words and dwords, Pascal
// strings unaligned. Any read past the end marks the whole parse as failed.
class AeteCursor {
public:
    explicit AeteCursor(std::vector<uint8_t> resourceBytes) : bytes(std::move(resourceBytes)) {}

    uint16_t Word() {
        uint16_t v = 0;
        Take(&v, sizeof v);
        return v;
    }
    uint32_t Dword() {
        uint32_t v = 0;
        Take(&v, sizeof v);
        return v;
    }
    std::string Pascal() {
        uint8_t length = 0;
        Take(&length, 1);
        std::string text(length, '\0');
        Take(text.data(), length);
        return text;
    }
    bool Ok() const { return ok; }
    bool AtEnd() const { return ok && at == bytes.size(); }

private:
    void Take(void* out, size_t size) {
        if (!ok || size > bytes.size() - at) {
            ok = false;
            return;
        }
        std::memcpy(out, bytes.data() + at, size);
        at += size;
    }

    std::vector<uint8_t> bytes;
    size_t at = 0;
    bool ok = true;
};

struct AeteParameter {
    std::string name;
    uint32_t key;
    uint32_t type;
    uint16_t flags;
};

struct Aete {
    std::string eventName, eventDescription;
    uint32_t eventClass = 0, eventId = 0;
    uint32_t directType = 0;
    std::vector<AeteParameter> parameters;
};

// Returns false unless the resource parses completely, with no byte left over.
bool ParseAete(std::vector<uint8_t> bytes, Aete& aete) {
    AeteCursor c(std::move(bytes));
    if (c.Word() != 1 || c.Word() != 0x0001) return false;  // prelude, version 1.0
    c.Word();                                               // language
    c.Word();                                               // script
    if (c.Word() != 1) return false;                        // one suite
    c.Pascal();                                             // suite name
    c.Pascal();                                             // suite description
    c.Dword();                                              // suite id
    c.Word();                                               // level
    c.Word();                                               // version
    if (c.Word() != 1) return false;                        // one event
    aete.eventName = c.Pascal();
    aete.eventDescription = c.Pascal();
    aete.eventClass = c.Dword();
    aete.eventId = c.Dword();
    c.Dword();   // reply type
    c.Pascal();  // reply description
    c.Word();    // reply flags
    aete.directType = c.Dword();
    c.Pascal();  // direct parameter description
    c.Word();    // direct parameter flags
    const uint16_t count = c.Word();
    for (uint16_t i = 0; i < count && c.Ok(); ++i) {
        AeteParameter p;
        p.name = c.Pascal();
        p.key = c.Dword();
        p.type = c.Dword();
        c.Pascal();  // description
        p.flags = c.Word();
        aete.parameters.push_back(p);
    }
    if (c.Word() != 0 || c.Word() != 0 || c.Word() != 0) return false;  // classes, comparisons, enumerations
    return c.AtEnd();
}

Aete PluginAete() {
    Aete aete;
    EXPECT_TRUE(ParseAete(PluginResources().Bytes("AETE", 16000, kEnglishUnitedStates), aete));
    return aete;
}

}  // namespace

TEST(Terminology, SitsWhereThePiplPointsInUsEnglish) {
    const PluginResources resources;
    Pipl pipl;
    std::string error;
    ASSERT_TRUE(ParsePipl(resources.Bytes("PiPL", 16000, kEnglishUnitedStates), pipl, error)) << error;
    const PiplProperty* hstm = FindProperty(pipl, Code("hstm"));
    ASSERT_NE(hstm, nullptr);
    ASSERT_GE(hstm->data.size(), 14u);
    const uint16_t id = static_cast<uint16_t>(hstm->data[12] | (hstm->data[13] << 8));
    EXPECT_EQ(resources.Languages("AETE", id), std::vector<uint16_t>{kEnglishUnitedStates});
}

TEST(Terminology, NamesTheEventUnderTheClassAndEventOfThePipl) {
    const Aete aete = PluginAete();
    EXPECT_EQ(aete.eventName, "Merovane II");
    EXPECT_EQ(aete.eventDescription, "Engraving plug-in");
    EXPECT_EQ(aete.eventClass, Code("sdk1"));
    EXPECT_EQ(aete.eventId, Code("sdk1"));
    EXPECT_EQ(aete.directType, Code("#ImR"));
}

TEST(Terminology, DescribesExactlyTheDescriptorKeysWithTheirTypes) {
    const Aete aete = PluginAete();
    const uint32_t unitFloatType = Code("UntF"), booleanType = Code("bool"), integerType = Code("long");
    const std::set<std::pair<uint32_t, uint32_t>> expected = {
        {Code("Angl"), unitFloatType}, {Code("Ofst"), unitFloatType}, {Code("Spac"), unitFloatType},
        {Code("Wdth"), unitFloatType}, {Code("Lvls"), unitFloatType}, {Code("BRel"), unitFloatType},
        {Code("Ampl"), unitFloatType}, {Code("Frqn"), unitFloatType}, {Code("Shif"), unitFloatType},
        {Code("Usil"), unitFloatType}, {Code("CntX"), unitFloatType}, {Code("CntY"), unitFloatType},
        {Code("InvI"), booleanType},   {Code("Invr"), booleanType},   {Code("AntA"), booleanType},
        {Code("NoBr"), booleanType},   {Code("UsBg"), booleanType},   {Code("ClSt"), integerType},
        {Code("Geom"), integerType},   {Code("FllA"), booleanType},   {Code("Nois"), unitFloatType}};
    std::set<std::pair<uint32_t, uint32_t>> actual;
    for (const AeteParameter& p : aete.parameters) {
        actual.insert({p.key, p.type});
        EXPECT_FALSE(p.name.empty());
        EXPECT_EQ(p.flags, 0x8000) << p.name << ": every key may be missing from a descriptor";
    }
    EXPECT_EQ(aete.parameters.size(), expected.size());
    EXPECT_EQ(actual, expected);
}

TEST(Manifest, RunsAsInvokerWithCommonControlsSix) {
    const PluginResources resources;
    const std::vector<uint16_t> languages = resources.Languages(RT_MANIFEST, 2);
    ASSERT_EQ(languages.size(), 1u);
    const std::vector<uint8_t> bytes = resources.Bytes(RT_MANIFEST, 2, languages[0]);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
}
