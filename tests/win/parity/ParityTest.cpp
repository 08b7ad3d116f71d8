// The real .8bf under Wine, driven by the Windows build of the emulator, against the native run
// of the same cases: same documents, settings and selections must give the same bytes.
#include "tests/win/parity/MessageBoxCatcher.h"
#include "tests/win/parity/ParityCases.h"
#include "tests/win/plugin/PiplReader.h"
#include "tests/win/plugin/PluginFile.h"

#include <fstream>
#include <map>

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class CaughtMessages : public parity::MessageSource {
public:
    explicit CaughtMessages(MessageBoxCatcher& boxes) : catcher(boxes) {}
    std::vector<std::string> Drain() override { return catcher.Drain(); }

private:
    MessageBoxCatcher& catcher;
};

class WineParity : public ::testing::Test {
protected:
    // The cases run once for the whole suite: each Wine run of the renderer costs real time.
    static void SetUpTestSuite() {
        Pipl pipl;
        std::string error;
        if (!ParsePipl(PluginResources().Bytes("PiPL", 16000, kEnglishUnitedStates), pipl, error)) {
            setUpError = "PiPL: " + error;
            return;
        }
        module = LoadLibraryA(PluginPath().c_str());
        if (module == nullptr) {
            setUpError = "LoadLibrary failed for " + PluginPath();
            return;
        }
        // Like a host: the entry point is whatever the PiPL names.
        auto entry = reinterpret_cast<emulator::EntryPoint>(
            reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), EntryPointName(pipl).c_str())));
        if (entry == nullptr) {
            setUpError = "no entry point named " + EntryPointName(pipl);
            return;
        }
        MessageBoxCatcher catcher;
        if (!catcher.IsActive()) {
            setUpError = "cannot hook message boxes";
            return;
        }
        CaughtMessages messages(catcher);
        outcomes = new std::vector<parity::Outcome>(parity::RunAllCases(entry, messages));

        std::ofstream out("parity-wine.txt", std::ios::binary);  // kept for a diff against the reference
        for (const parity::Outcome& o : *outcomes) out << parity::FormatOutcome(o) << '\n';
    }

    static void TearDownTestSuite() {
        delete outcomes;
        outcomes = nullptr;
        if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
        module = nullptr;
    }

    void SetUp() override { ASSERT_TRUE(setUpError.empty()) << setUpError; }

    static const parity::Outcome* Find(const std::string& name) {
        for (const parity::Outcome& o : *outcomes)
            if (o.name == name) return &o;
        return nullptr;
    }

    static std::vector<parity::Outcome>* outcomes;
    static void* module;
    static std::string setUpError;
};

std::vector<parity::Outcome>* WineParity::outcomes = nullptr;
void* WineParity::module = nullptr;
std::string WineParity::setUpError;

}  // namespace

TEST_F(WineParity, EveryCaseGivesTheNativeRunsBytes) {
    std::ifstream in(WindowsPath(MV_PARITY_REFERENCE));
    ASSERT_TRUE(in) << "no native reference at " << MV_PARITY_REFERENCE << ": build the native tree first";
    std::map<std::string, std::string> reference;
    for (std::string line; std::getline(in, line);) {
        parity::Outcome o;
        if (parity::ParseOutcome(line, o)) reference[o.name] = line;
    }
    EXPECT_EQ(reference.size(), outcomes->size()) << "the native run knows other cases";
    for (const parity::Outcome& o : *outcomes) {
        const auto found = reference.find(o.name);
        ASSERT_NE(found, reference.end()) << o.name << " missing from the native reference";
        EXPECT_EQ(parity::FormatOutcome(o), found->second);
    }
}

TEST_F(WineParity, AcceptedDocumentsAreEngravedWithoutAnyMessage) {
    for (const parity::Outcome& o : *outcomes) {
        if (o.name == "gray refused") continue;
        SCOPED_TRACE(o.name);
        EXPECT_EQ(o.result, 0);
        EXPECT_NE(o.outputDigest, o.inputDigest);
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST_F(WineParity, RefusedModeShowsBothWarningsAndLeavesTheDocument) {
    const parity::Outcome* o = Find("gray refused");
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->result, -128);
    EXPECT_EQ(o->outputDigest, o->inputDigest);
    const std::vector<std::string> expected = {"WARNING: There are less than 3 layers",
                                               ": This Mode is Not Supported by the Plug-in"};
    EXPECT_EQ(o->messages, expected);
}
