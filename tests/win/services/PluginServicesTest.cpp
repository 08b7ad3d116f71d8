// The preset group, the about box, the message dialog and help inside the real .8bf: a temporary
// copy of the plug-in beside a temporary preset folder, run by the emulated host, its dialogs
// driven with window messages from inside their modal loops.
#include "PluginCopy.h"
#include "UiTestSupport.h"
#include "WinTestSupport.h"

#include "MainDialogIds.h"
#include "ServiceDialogIds.h"
#include "emulator/EmulatedHost.h"
#include "params/FilterParameters.h"
#include "presets/PresetWriter.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace uitest;
using emulator::EmulatedHost;
using servicestest::TakeShellCalls;

namespace {

constexpr char kMainTitle[] = "Merovane II";
constexpr char kAboutTitle[] = "About MerovaneII";
constexpr char kSaveTitle[] = "Save Parameters Preset";
constexpr char kMessageTitle[] = "Merovane";
constexpr int kAboutButton = 1080;
constexpr int kHelpButton = 1081;

FilterParameters& Params(EmulatedHost& host) {
    return *static_cast<FilterParameters*>(host.ParametersData());
}

HWND Main() {
    return FindDialogTitled(kMainTitle);
}

std::function<void()> ShowNow(const char* title) {
    return [title] {
        HWND d = FindDialogTitled(title);
        ASSERT_NE(d, nullptr) << title;
        ShowWindow(d, SW_SHOW);
        UpdateWindow(d);
    };
}

void CloseEverything() {
    for (const char* title : {kAboutTitle, kSaveTitle, kMessageTitle})
        if (HWND d = FindDialogTitled(title)) EndDialog(d, IDCANCEL);
    if (HWND box = FindDialogTitled("File Save Warning")) SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
    if (HWND d = Main()) PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Posted rather than sent: the box the command opens runs the next steps from its own loop.
void PostCommand(int id, int code = BN_CLICKED) {
    HWND d = Main();
    ASSERT_NE(d, nullptr);
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

void SelectEntry(const std::string& entry) {
    HWND list = GetDlgItem(Main(), IDC_PRESET_LIST);
    const LRESULT index =
        SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    ASSERT_NE(index, LB_ERR) << entry;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(IDC_PRESET_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::string SpinText(int spinId) {
    return ItemText(GetDlgItem(Main(), spinId), 1);  // the spin edit's own edit box
}

class PluginServices : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = std::make_unique<servicestest::PluginCopy>(temporary.Path());
        ASSERT_NE(plugin->Entry(), nullptr) << plugin->Error();
        folder = temporary.Path() + "\\Merovane saves";
        host = std::make_unique<EmulatedHost>(plugin->Entry());
        host->SetImage(testing_support::MakePicture(300, 200, 3, 8, host::kModeRGB));
    }
    void TearDown() override {
        wintest::ClearModalScript();
        host.reset();
        plugin.reset();
    }
    std::string FileOf(const std::string& name) const { return folder + "\\" + name; }

    TemporaryFolder temporary;
    std::unique_ptr<servicestest::PluginCopy> plugin;
    std::unique_ptr<EmulatedHost> host;
    std::string folder;
};

}  // namespace

TEST_F(PluginServices, AboutSelectorShowsTheAboutBox) {
    std::string version;
    const size_t ran = RunModal({ShowNow(kAboutTitle),
                                 [&] {
                                     HWND d = FindDialogTitled(kAboutTitle);
                                     version = ItemText(d, IDC_ABOUT_VERSION);
                                     wintest::SaveScreenshot(wintest::Capture(d), "plugin-about.png");
                                     SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_UPDATES, BN_CLICKED), 0);
                                     SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CLOSE, BN_CLICKED), 0);
                                 }},
                                CloseEverything, [&] { EXPECT_EQ(host->ShowAbout(), 0); });
    EXPECT_EQ(ran, 2u);
    EXPECT_EQ(version, "2.22 (64 Bit)");
    const auto calls = TakeShellCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].find("getupdates.php?vers=2%2E22"), std::string::npos) << calls[0];
}

TEST_F(PluginServices, PresetsHelpAndAboutInsideTheMainDialog) {
    CreateDirectoryA(folder.c_str(), nullptr);
    FilterParameters soft = DefaultParameters();
    soft.space = 55;
    soft.pattern = 3;
    WriteFileBytes(FileOf("Soft.kzv"), FormatPresetText(soft));
    WriteFileBytes(FileOf("Broken.kzv"), "not a preset\n");

    std::vector<std::string> entries;
    float spaceAfterLoad = 0, spaceAfterBroken = 0, spaceAfterLastUsed = 0;
    std::string spaceShown;
    std::string aboutVersion;
    std::vector<std::string> helpCalls;
    bool deleteEnabledAfterDelete = true;
    const size_t ran = RunModal({ShowNow(kMainTitle),
                                 [&] {
                                     HWND list = GetDlgItem(Main(), IDC_PRESET_LIST);
                                     const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
                                     for (int i = 0; i < count; ++i) {
                                         char text[256] = {};
                                         SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
                                         entries.emplace_back(text);
                                     }
                                     SelectEntry("Soft");
                                     spaceAfterLoad = Params(*host).space;
                                     spaceShown = SpinText(1112);
                                     SelectEntry("Broken");  // says so in a message box of its own
                                 },
                                 ShowNow(kMessageTitle),
                                 [&] {
                                     HWND d = FindDialogTitled(kMessageTitle);
                                     EXPECT_NE(ItemText(d, IDC_MESSAGE_TEXT).find("Broken"), std::string::npos);
                                     EndDialog(d, IDOK);
                                 },
                                 [&] {
                                     spaceAfterBroken = Params(*host).space;
                                     Params(*host).width = 150;  // an edit after the load, as the dialog notes it
                                     PostCommand(1110);          // Update
                                 },
                                 [&] {
                                     SelectEntry("Last Used Settings");
                                     spaceAfterLastUsed = Params(*host).space;
                                     PostCommand(IDC_PRESET_SAVE);
                                 },
                                 [&] {
                                     HWND d = FindDialogTitled(kSaveTitle);
                                     ASSERT_NE(d, nullptr);
                                     SetDlgItemTextA(d, IDC_SAVE_PRESET_NAME, "Mine.kzv");
                                     SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_SAVE_PRESET_SAVE, BN_CLICKED), 0);
                                 },
                                 [&] {
                                     SelectEntry("Mine");
                                     PostCommand(IDC_PRESET_DELETE);
                                 },
                                 [&] {
                                     deleteEnabledAfterDelete =
                                         IsWindowEnabled(GetDlgItem(Main(), IDC_PRESET_DELETE)) != FALSE;
                                     PostCommand(kAboutButton, 9);
                                 },
                                 ShowNow(kAboutTitle),
                                 [&] {
                                     HWND d = FindDialogTitled(kAboutTitle);
                                     aboutVersion = ItemText(d, IDC_ABOUT_VERSION);
                                     EndDialog(d, IDC_ABOUT_CLOSE);
                                 },
                                 [&] {
                                     HELPINFO help{};
                                     help.cbSize = sizeof help;
                                     SendMessageA(Main(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));  // F1
                                     helpCalls = TakeShellCalls(1);
                                     PostCommand(kHelpButton, 9);
                                 },
                                 [&] {
                                     const auto more = TakeShellCalls(1);
                                     helpCalls.insert(helpCalls.end(), more.begin(), more.end());
                                     PostCommand(IDCANCEL);
                                 }},
                                CloseEverything, [&] { host->RunFilter(); });
    EXPECT_EQ(ran, 13u);
    ASSERT_GE(entries.size(), 4u);
    EXPECT_EQ(entries[0], "Default");
    EXPECT_EQ(entries[1], "Last Used Settings");
    EXPECT_FLOAT_EQ(spaceAfterLoad, 55.0f);
    EXPECT_EQ(spaceShown, "55.00");
    EXPECT_FLOAT_EQ(spaceAfterBroken, 55.0f);
    EXPECT_FLOAT_EQ(spaceAfterLastUsed, 20.0f) << "the settings from before the preset load";
    EXPECT_FALSE(FileExists(FileOf("Mine.kzv"))) << "saved, then deleted";
    EXPECT_FALSE(deleteEnabledAfterDelete);
    EXPECT_EQ(aboutVersion, "2.22 (64 Bit)");
    ASSERT_EQ(helpCalls.size(), 2u);
    for (const std::string& call : helpCalls)
        EXPECT_EQ(call, temporary.Path() + "\\MerovaneIIHelp\\merovaneIIhelp.htm");
    EXPECT_TRUE(FileExists(helpCalls[0]));

    char value[1024] = {};
    LONG size = sizeof value;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, "ZantroveMerovanePSD_Saves\\DefaultIcon", value, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(value), plugin->Path() + ",0");
}

TEST_F(PluginServices, WithoutThePresetFolderSavingEndsInCannotSaveFile) {
    std::string text;
    bool hasIcon = false;
    const size_t ran = RunModal({ShowNow(kMainTitle), [] { PostCommand(IDC_PRESET_SAVE); },
                                 [] {
                                     HWND d = FindDialogTitled(kSaveTitle);
                                     ASSERT_NE(d, nullptr);
                                     SetDlgItemTextA(d, IDC_SAVE_PRESET_NAME, "Anything");
                                     SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_SAVE_PRESET_SAVE, BN_CLICKED), 0);
                                 },
                                 ShowNow(kMessageTitle),
                                 [&] {
                                     HWND d = FindDialogTitled(kMessageTitle);
                                     text = ItemText(d, IDC_MESSAGE_TEXT);
                                     hasIcon = SendDlgItemMessageA(d, IDC_MESSAGE_ICON, STM_GETICON, 0, 0) != 0;
                                     wintest::SaveScreenshot(wintest::Capture(d), "plugin-cannot-save.png");
                                     EndDialog(d, IDOK);
                                 },
                                 [] { PostCommand(IDCANCEL); }},
                                CloseEverything, [&] { host->RunFilter(); });
    EXPECT_EQ(ran, 6u);
    EXPECT_EQ(text, "Cannot Save File!");
    EXPECT_TRUE(hasIcon);
}

TEST_F(PluginServices, HelpWithoutItsPageBesideThePluginSaysWhereItBelongs) {
    RemoveTree(temporary.Path() + "\\MerovaneIIHelp");
    std::string text;
    const size_t ran = RunModal({ShowNow(kMainTitle), [] { PostCommand(kHelpButton, 9); }, ShowNow(kMessageTitle),
                                 [&] {
                                     HWND d = FindDialogTitled(kMessageTitle);
                                     text = ItemText(d, IDC_MESSAGE_TEXT);
                                     EndDialog(d, IDOK);
                                 },
                                 [] { PostCommand(IDCANCEL); }},
                                CloseEverything, [&] { host->RunFilter(); });
    EXPECT_EQ(ran, 5u);
    EXPECT_NE(text.find("MerovaneIIHelp"), std::string::npos) << text;
    EXPECT_TRUE(TakeShellCalls(0).empty()) << "no shell request for a page that is not there";
}
