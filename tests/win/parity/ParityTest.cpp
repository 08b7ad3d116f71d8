// The real .8bf under Wine, driven by the Windows build of the emulator, against the native run
// of the same cases: same documents, settings and selections must give the same bytes.
#include "tests/win/parity/MessageBoxCatcher.h"
#include "tests/win/parity/ParityCases.h"
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
        plugin = new LoadedPlugin();
        if (plugin->Entry() == nullptr) {
            setUpError = plugin->Error();
            return;
        }
        MessageBoxCatcher catcher;
        if (!catcher.IsActive()) {
            setUpError = "cannot hook message boxes";
            return;
        }
        CaughtMessages messages(catcher);
        outcomes = new std::vector<parity::Outcome>(parity::RunAllCases(plugin->Entry(), messages));

        std::ofstream out("parity-wine.txt", std::ios::binary);  // kept for a diff against the reference
        for (const parity::Outcome& o : *outcomes) out << parity::FormatOutcome(o) << '\n';
    }

    static void TearDownTestSuite() {
        delete outcomes;
        outcomes = nullptr;
        delete plugin;
        plugin = nullptr;
    }

    void SetUp() override { ASSERT_TRUE(setUpError.empty()) << setUpError; }

    static const parity::Outcome* Find(const std::string& name) {
        for (const parity::Outcome& o : *outcomes)
            if (o.name == name) return &o;
        return nullptr;
    }

    static std::vector<parity::Outcome>* outcomes;
    static LoadedPlugin* plugin;
    static std::string setUpError;
};

std::vector<parity::Outcome>* WineParity::outcomes = nullptr;
LoadedPlugin* WineParity::plugin = nullptr;
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
        if (o.name == "full/gray refused") continue;
        SCOPED_TRACE(o.name);
        EXPECT_EQ(o.result, 0);
        EXPECT_NE(o.outputDigest, o.inputDigest);
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST_F(WineParity, EveryRunReleasesWhatItTookFromTheHost) {
    for (const parity::Outcome& o : *outcomes) EXPECT_EQ(o.hostProblems, 0) << o.name;
}

TEST_F(WineParity, RefusedModeShowsBothWarningsAndLeavesTheDocument) {
    const parity::Outcome* o = Find("full/gray refused");
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->result, -128);
    EXPECT_EQ(o->outputDigest, o->inputDigest);
    const std::vector<std::string> expected = {"WARNING: There are less than 3 layers",
                                               ": This Mode is Not Supported by the Plug-in"};
    EXPECT_EQ(o->messages, expected);
}

namespace {

BOOL CALLBACK CountVisible(HWND window, LPARAM count) {
    if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

TEST(PluginAbout, AnswersSuccessAndLeavesNoWindowOpen) {
    const LoadedPlugin plugin;
    ASSERT_NE(plugin.Entry(), nullptr) << plugin.Error();
    MessageBoxCatcher catcher;  // dismisses the about box as soon as it shows
    ASSERT_TRUE(catcher.IsActive());
    emulator::EmulatedHost host(plugin.Entry());
    EXPECT_EQ(host.ShowAbout(), 0);
    EXPECT_EQ(host.Ledger().LiveCount(), 0u);  // about creates and locks nothing
    EXPECT_EQ(host.Ledger().LockedCount(), 0);
    int visible = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisible, reinterpret_cast<LPARAM>(&visible));
    EXPECT_EQ(visible, 0);
}
