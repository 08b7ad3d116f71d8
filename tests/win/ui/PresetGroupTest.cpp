#include "UiTestIds.h"
#include "SeamRecorders.h"
#include "UiTestSupport.h"
#include "WinTestSupport.h"

#include "controls/SkinnedButton.h"
#include "host/PluginGlobals.h"
#include "presets/PresetReader.h"
#include "presets/PresetWriter.h"
#include "resources/MainDialogIds.h"
#include "resources/ServiceDialogIds.h"
#include "ui/DialogServices.h"
#include "ui/PresetGroup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace uitest;
using namespace wintest;

namespace {

constexpr char kSaveTitle[] = "Save Parameters Preset";
constexpr char kWarningTitle[] = "File Save Warning";

INT_PTR CALLBACK GroupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    auto* refreshes = reinterpret_cast<int*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_COMMAND:
            if (ui::HandlePresetCommand(dialog, LOWORD(wParam), HIWORD(wParam)) && refreshes != nullptr) ++*refreshes;
            return TRUE;
        case WM_DRAWITEM:
            controls::DrawSkinnedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        default:
            return FALSE;
    }
}

void CloseWhateverIsOpen() {
    if (HWND d = FindDialogTitled(kSaveTitle)) EndDialog(d, IDCANCEL);
    if (HWND d = FindDialogTitled(kWarningTitle)) SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// A step that types `name` into the open save dialog and presses its Save button; `shown`
// receives what the field held when the dialog opened.
std::function<void()> TypeAndSave(const std::string& name, std::string* shown = nullptr) {
    return [name, shown] {
        HWND d = FindDialogTitled(kSaveTitle);
        ASSERT_NE(d, nullptr) << "no save dialog for " << name;
        if (shown != nullptr) *shown = ItemText(d, IDC_SAVE_PRESET_NAME);
        SetDlgItemTextA(d, IDC_SAVE_PRESET_NAME, name.c_str());
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SAVE_PRESET_SAVE)));
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_SAVE_PRESET_SAVE, BN_CLICKED), 0);
    };
}

std::function<void()> Answer(int button) {
    return [button] {
        HWND box = FindDialogTitled(kWarningTitle);
        ASSERT_NE(box, nullptr);
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };
}

std::string PresetText(float space) {
    FilterParameters p = DefaultParameters();
    p.space = space;
    return FormatPresetText(p);
}

class PresetGroupWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(controls::RegisterControlClasses(GetModuleHandleA(nullptr)));
        folder = temporary.Path() + "\\Merovane saves";
        CreateDirectoryA(folder.c_str(), nullptr);
        modulePath = temporary.Path() + "\\merovaneIIx64.8bf";
        record = DefaultParameters();
        gPlugin.parameters = &record;
    }

    void TearDown() override {
        ClearModalScript();
        ui::EndPresetGroup();
        if (dialog != nullptr) DestroyWindow(dialog);
        gPlugin.parameters = nullptr;
        controls::UnregisterControlClasses(GetModuleHandleA(nullptr));
    }

    void Open() {
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PRESET_GROUP_TEST),
                                    TestHostWindow(), GroupDialogProc, reinterpret_cast<LPARAM>(&refreshes));
        ASSERT_NE(dialog, nullptr);
        ui::StartPresetGroupFor(dialog, modulePath);
        Pump(dialog);
    }

    std::vector<std::string> Entries() const {
        HWND list = GetDlgItem(dialog, IDC_PRESET_LIST);
        std::vector<std::string> entries;
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
            text.resize(static_cast<size_t>(SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
            entries.push_back(text);
        }
        return entries;
    }

    int IndexOf(const std::string& entry) const {
        const auto entries = Entries();
        const auto at = std::find(entries.begin(), entries.end(), entry);
        return at == entries.end() ? -1 : static_cast<int>(at - entries.begin());
    }

    // Selects like a click in the list: returns whether the dialog was asked to refresh.
    bool Select(int index) {
        HWND list = GetDlgItem(dialog, IDC_PRESET_LIST);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        const int before = refreshes;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRESET_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        return refreshes > before;
    }

    void Press(int id) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }

    // Runs Save with the given steps driving its modal boxes.
    void SaveWith(std::vector<std::function<void()>> steps) {
        const size_t count = steps.size();
        EXPECT_EQ(RunModal(std::move(steps), CloseWhateverIsOpen, [this] { Press(IDC_PRESET_SAVE); }), count)
            << "a modal box the steps expected never opened";
    }

    bool IsDeleteEnabled() const { return IsWindowEnabled(GetDlgItem(dialog, IDC_PRESET_DELETE)) != FALSE; }
    std::string FileOf(const std::string& name) const { return folder + "\\" + name; }

    TemporaryFolder temporary;
    std::string folder;
    std::string modulePath;
    FilterParameters record{};
    HWND dialog = nullptr;
    int refreshes = 0;
};

}  // namespace

TEST_F(PresetGroupWindow, ListsTheFixedEntriesAndEveryRealPresetFile) {
    WriteFileBytes(FileOf("Soft.kzv"), PresetText(30));
    WriteFileBytes(FileOf("ab.kzv"), PresetText(31));
    WriteFileBytes(FileOf("Legacy.KZV"), PresetText(32));
    WriteFileBytes(FileOf("abckzv"), PresetText(33));
    WriteFileBytes(FileOf("notes.txt"), "x");
    CreateDirectoryA(FileOf("folder.kzv").c_str(), nullptr);
    Open();
    auto entries = Entries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0], "Default");
    EXPECT_EQ(entries[1], "Last Used Settings");
    std::sort(entries.begin() + 2, entries.end());
    EXPECT_EQ(std::vector<std::string>(entries.begin() + 2, entries.end()),
              (std::vector<std::string>{"Legacy", "Soft", "ab"}));
    EXPECT_FALSE(IsDeleteEnabled());
    SaveScreenshot(Capture(dialog), "preset-group.png");
}

TEST_F(PresetGroupWindow, RegistersThePresetFileTypesWithTheModulesIcon) {
    Open();
    char value[1024] = {};
    LONG size = sizeof value;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".kzv", value, &size), ERROR_SUCCESS);
    EXPECT_STREQ(value, "ZantroveMerovanePSD_Saves");
    size = sizeof value;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".kzu", value, &size), ERROR_SUCCESS);
    EXPECT_STREQ(value, "AdobeFXMerovanePSD_Saves");
    for (const char* key : {"ZantroveMerovanePSD_Saves\\DefaultIcon", "AdobeFXMerovanePSD_Saves\\DefaultIcon"}) {
        size = sizeof value;
        ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size), ERROR_SUCCESS) << key;
        EXPECT_EQ(std::string(value), modulePath + ",0") << key;
    }
}

TEST_F(PresetGroupWindow, SavesNewPresetsUnderTheTypedNameAndListsThem) {
    Open();
    record.space = 64;
    record.rotation = -12.5f;
    std::string shownSecondTime;
    SaveWith({TypeAndSave("Fine lines")});
    SaveWith({TypeAndSave("abc.kzv", &shownSecondTime)});
    SaveWith({TypeAndSave("abckzv")});
    SaveWith({TypeAndSave("ab")});
    EXPECT_EQ(shownSecondTime, "Fine lines");
    EXPECT_EQ(ReadFileBytes(FileOf("Fine lines.kzv")), FormatPresetText(record));
    EXPECT_TRUE(FileExists(FileOf("abc.kzv")));
    EXPECT_TRUE(FileExists(FileOf("abckzv.kzv")));
    EXPECT_FALSE(FileExists(FileOf("ab.kzv.kzv")));
    const auto entries = Entries();
    EXPECT_EQ(std::vector<std::string>(entries.begin() + 2, entries.end()),
              (std::vector<std::string>{"Fine lines", "abc", "abckzv", "ab"}));

    // The next opening lists the same names, short ones included.
    ui::EndPresetGroup();
    ui::StartPresetGroupFor(dialog, modulePath);
    auto again = Entries();
    std::sort(again.begin() + 2, again.end());
    EXPECT_EQ(std::vector<std::string>(again.begin() + 2, again.end()),
              (std::vector<std::string>{"Fine lines", "ab", "abc", "abckzv"}));
}

TEST_F(PresetGroupWindow, OverwriteAsksFirstAndNoReopensTheDialogWithTheName) {
    WriteFileBytes(FileOf("Soft.kzv"), PresetText(30));
    Open();
    record.space = 33;
    std::string shownAfterNo;
    SaveWith({TypeAndSave("Soft"), Answer(IDNO), TypeAndSave("Soft", &shownAfterNo), Answer(IDYES)});
    EXPECT_EQ(shownAfterNo, "Soft");
    EXPECT_EQ(ReadFileBytes(FileOf("Soft.kzv")), PresetText(33));
    EXPECT_EQ(Entries().size(), 3u) << "an overwritten preset keeps its one entry";

    record.space = 44;
    SaveWith({TypeAndSave("soft.KZV"), Answer(IDCANCEL)});
    EXPECT_EQ(ReadFileBytes(FileOf("Soft.kzv")), PresetText(33));
    EXPECT_EQ(Entries().size(), 3u);
}

TEST_F(PresetGroupWindow, LoadsEachEntryAndLeavesTheRecordAloneWhenAFileCannotBeRead) {
    WriteFileBytes(FileOf("Soft.kzv"), PresetText(55));
    WriteFileBytes(FileOf("Broken.kzv"), "not a preset\n");
    record.space = 42;
    Open();
    MessageRecorder messages;

    EXPECT_TRUE(Select(IndexOf("Soft")));
    EXPECT_FLOAT_EQ(record.space, 55.0f);
    EXPECT_EQ(record.loadedFromPreset, 1);
    EXPECT_TRUE(IsDeleteEnabled());

    const FilterParameters before = record;
    EXPECT_FALSE(Select(IndexOf("Broken")));
    EXPECT_EQ(std::memcmp(&before, &record, sizeof record), 0) << "the record changed";
    EXPECT_TRUE(IsDeleteEnabled());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("Broken"), std::string::npos);

    EXPECT_TRUE(Select(0));
    EXPECT_FLOAT_EQ(record.space, 20.0f);
    EXPECT_EQ(record.loadedFromPreset, 1);
    EXPECT_FALSE(IsDeleteEnabled());

    EXPECT_TRUE(Select(1));
    EXPECT_FLOAT_EQ(record.space, 42.0f);
    EXPECT_FALSE(IsDeleteEnabled());
}

TEST_F(PresetGroupWindow, LastUsedSettingsSkipsAPresetLoadFollowedByAnEdit) {
    WriteFileBytes(FileOf("Soft.kzv"), PresetText(55));
    record.space = 42;
    record.previewX = 9;
    Open();
    ASSERT_TRUE(Select(IndexOf("Soft")));
    record.width = 150;  // the user's edit after the load
    ui::NotePresetParameterChange();
    ASSERT_TRUE(Select(1));
    EXPECT_FLOAT_EQ(record.space, 42.0f);
    EXPECT_FLOAT_EQ(record.width, 100.0f);
    EXPECT_EQ(record.previewX, 9);
}

TEST_F(PresetGroupWindow, DeleteRemovesTheFileAndItsEntryOrKeepsBothAndSaysWhy) {
    WriteFileBytes(FileOf("Gone.kzv"), PresetText(30));
    WriteFileBytes(FileOf("Locked.kzv"), PresetText(31));
    WriteFileBytes(FileOf("Vanished.kzv"), PresetText(32));
    Open();
    MessageRecorder messages;

    ASSERT_TRUE(Select(IndexOf("Gone")));
    Press(IDC_PRESET_DELETE);
    EXPECT_FALSE(FileExists(FileOf("Gone.kzv")));
    EXPECT_EQ(IndexOf("Gone"), -1);
    EXPECT_FALSE(IsDeleteEnabled());
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_PRESET_LIST), LB_GETCURSEL, 0, 0), LB_ERR);

    SetFileAttributesA(FileOf("Locked.kzv").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(Select(IndexOf("Locked")));
    Press(IDC_PRESET_DELETE);
    EXPECT_TRUE(FileExists(FileOf("Locked.kzv")));
    EXPECT_NE(IndexOf("Locked"), -1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.rfind("Cannot Delete File!", 0), 0u);
    EXPECT_NE(messages.messages[0].text.find("Locked"), std::string::npos);

    ASSERT_TRUE(Select(IndexOf("Vanished")));
    DeleteFileA(FileOf("Vanished.kzv").c_str());
    Press(IDC_PRESET_DELETE);
    EXPECT_EQ(IndexOf("Vanished"), -1);
    EXPECT_EQ(messages.messages.size(), 1u) << "a file that is already gone needs no message";
    EXPECT_EQ(Entries().size(), 3u);
}

TEST_F(PresetGroupWindow, WithoutThePresetFolderEverySaveEndsInCannotSaveFile) {
    RemoveDirectoryA(folder.c_str());
    Open();
    EXPECT_EQ(Entries().size(), 2u);
    MessageRecorder messages;
    SaveWith({TypeAndSave("Anything")});
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Cannot Save File!");
    EXPECT_EQ(messages.messages[0].kind, 1);
    EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(PresetGroupWindow, NamesThatCannotBeFilesAreRefusedWithoutTouchingOtherFiles) {
    WriteFileBytes(FileOf("Soft.kzv"), PresetText(30));
    Open();
    MessageRecorder messages;
    // A name beyond what the file system takes must not be cut into another file's name.
    const std::string tooLong(300, 'n');
    SaveWith({TypeAndSave(tooLong)});
    // A name that would write outside the folder: refused, and the dialog offers it again.
    SaveWith({TypeAndSave("..\\Soft"), CloseWhateverIsOpen});
    ASSERT_EQ(messages.messages.size(), 2u);
    for (const ObservedMessage& m : messages.messages) EXPECT_EQ(m.text.rfind("Cannot Save File!", 0), 0u);
    EXPECT_FALSE(FileExists(temporary.Path() + "\\Soft.kzv"));
    EXPECT_EQ(ReadFileBytes(FileOf("Soft.kzv")), PresetText(30));
    EXPECT_EQ(Entries().size(), 3u);

    const std::string longButFine(120, 'L');
    SaveWith({TypeAndSave(longButFine)});
    EXPECT_TRUE(FileExists(FileOf(longButFine + ".kzv")));
    EXPECT_EQ(Entries().back(), longButFine);
}

TEST_F(PresetGroupWindow, ScreenshotOfTheSaveDialog) {
    Open();
    bool saveEnabledWhenEmpty = true;
    const size_t ran = RunModal({[&] {
                                     HWND d = FindDialogTitled(kSaveTitle);
                                     ASSERT_NE(d, nullptr);
                                     saveEnabledWhenEmpty =
                                         IsWindowEnabled(GetDlgItem(d, IDC_SAVE_PRESET_SAVE)) != FALSE;
                                     SetDlgItemTextA(d, IDC_SAVE_PRESET_NAME, "Portrait, fine lines");
                                 },
                                 [&] {
                                     HWND d = FindDialogTitled(kSaveTitle);
                                     ASSERT_NE(d, nullptr);
                                     SaveScreenshot(Capture(d), "save-preset.png");
                                     EndDialog(d, IDCANCEL);
                                 }},
                                CloseWhateverIsOpen, [this] { Press(IDC_PRESET_SAVE); });
    EXPECT_EQ(ran, 2u);
    EXPECT_FALSE(saveEnabledWhenEmpty);
    EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(PresetGroupWindow, LoadsWhatEngraveSavedAndSavesItBackByteForByte) {
    // tests/data/engrave-saved.kzv was written by
    //   engrave --pattern "Spiral waves 2" --color-schema "Split color" --rotation -12.5 --space 33
    //           --width 150 --threshold 250 --contrast -40 --phase 45 --center-x 300 --noise 7
    //           --no-invert --use-dots --save-preset engrave-saved.kzv
    const std::string engraveSaved = ReadFileBytes(std::string("Z:") + MV_TEST_DATA_DIR + "/engrave-saved.kzv");
    ASSERT_FALSE(engraveSaved.empty());
    WriteFileBytes(FileOf("From engrave.kzv"), engraveSaved);
    Open();
    ASSERT_TRUE(Select(IndexOf("From engrave")));
    EXPECT_EQ(record.pattern, 10);
    EXPECT_EQ(record.colorSchema, 1);
    EXPECT_FLOAT_EQ(record.rotation, -12.5f);
    EXPECT_FLOAT_EQ(record.space, 33.0f);
    EXPECT_FLOAT_EQ(record.contrast, 250.0f);
    EXPECT_FLOAT_EQ(record.threshold, -40.0f);
    EXPECT_EQ(record.invertIntensity, 0);
    EXPECT_EQ(record.useCircles, 1);

    SaveWith({TypeAndSave("Again")});
    EXPECT_EQ(ReadFileBytes(FileOf("Again.kzv")), engraveSaved);
}

TEST_F(PresetGroupWindow, AFailedOverwriteKeepsTheOldPresetAndLeavesNothingBehind) {
    WriteFileBytes(FileOf("Kept.kzv"), PresetText(30));
    SetFileAttributesA(FileOf("Kept.kzv").c_str(), FILE_ATTRIBUTE_READONLY);
    Open();
    MessageRecorder messages;
    record.space = 90;
    SaveWith({TypeAndSave("Kept"), Answer(IDYES)});
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Cannot Save File!");
    EXPECT_EQ(ReadFileBytes(FileOf("Kept.kzv")), PresetText(30));
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    std::vector<std::string> files;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.emplace_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(files, std::vector<std::string>{"Kept.kzv"});
}
