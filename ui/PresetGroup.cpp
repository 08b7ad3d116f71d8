// The "User Presets" group of the main dialog: the list, loading on selection, Save and Delete.
#include "ui/PresetGroup.h"

#include "controls/SharedResources.h"
#include "controls/Tooltip.h"
#include "host/Platform.h"
#include "host/PluginGlobals.h"
#include "presets/LastUsedSettings.h"
#include "presets/PresetNames.h"
#include "presets/PresetReader.h"
#include "product/InstallFolders.h"
#include "resources/MainDialogIds.h"
#include "resources/ServiceDialogIds.h"
#include "ui/DialogServices.h"
#include "ui/MessageDialog.h"
#include "ui/PresetFileTypes.h"
#include "ui/PresetFiles.h"
#include "ui/SavePresetDialog.h"

#include <string>
#include <vector>

namespace ui {
namespace {

constexpr int kDefaultEntry = 0;
constexpr int kLastUsedEntry = 1;
constexpr int kFirstFileEntry = 2;

constexpr char kCannotSave[] = "Cannot Save File!";

struct PresetGroup {
    std::string folder;
    // The file behind each list entry from kFirstFileEntry on, as found on disk: loading and
    // deleting use it rather than rebuilding a name from the entry's text.
    std::vector<std::string> files;
    LastUsedSettings lastUsed;
    std::string typedName;  // offered again when the save dialog reopens
};

PresetGroup gGroup;

HWND PresetList(HWND dialog) {
    return GetDlgItem(dialog, IDC_PRESET_LIST);
}

int SelectedEntry(HWND dialog) {
    return static_cast<int>(SendMessageA(PresetList(dialog), LB_GETCURSEL, 0, 0));
}

void EnableDelete(HWND dialog, bool isEnabled) {
    EnableWindow(GetDlgItem(dialog, IDC_PRESET_DELETE), isEnabled ? TRUE : FALSE);
}

// Appends whatever the list's style: a sorted list would otherwise break the entry order the
// file table follows.
void AppendEntry(HWND dialog, const std::string& text) {
    SendMessageA(PresetList(dialog), LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

const std::string* FileOfEntry(int entry) {
    if (entry < kFirstFileEntry) return nullptr;
    const size_t index = static_cast<size_t>(entry - kFirstFileEntry);
    return index < gGroup.files.size() ? &gGroup.files[index] : nullptr;
}

void FillPresetList(HWND dialog) {
    HWND list = PresetList(dialog);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    AppendEntry(dialog, "Default");
    AppendEntry(dialog, "Last Used Settings");
    for (const std::string& file : ListPresetFileNames(gGroup.folder)) {
        AppendEntry(dialog, *PresetNameFromFileName(file));
        gGroup.files.push_back(file);
    }
}

bool LoadPresetEntry(HWND dialog, int entry, FilterParameters& params) {
    const std::string* file = FileOfEntry(entry);
    if (file == nullptr) return false;
    if (!PresetReader(gGroup.folder + "\\" + *file, params)) {
        const std::string text = "Cannot Load File!\n\nThe preset \"" + *PresetNameFromFileName(*file) +
                                 "\" could not be read: it is gone, locked, or not a preset of this filter. "
                                 "The settings stay as they were.";
        ShowMessage(dialog, text.c_str(), kMessageWarning);
        return false;
    }
    MarkLoadedFromPreset(params);
    return true;
}

bool HandleSelection(HWND dialog, FilterParameters& params) {
    const int entry = SelectedEntry(dialog);
    EnableDelete(dialog, entry >= kFirstFileEntry);
    switch (entry) {
        case LB_ERR:
            return false;
        case kDefaultEntry:
            LoadDefaultSettings(params);
            return true;
        case kLastUsedEntry:
            gGroup.lastUsed.Restore(params);
            return true;
        default:
            return LoadPresetEntry(dialog, entry, params);
    }
}

bool IsListed(const std::string& file) {
    for (const std::string& listed : gGroup.files)
        if (SamePresetFileName(listed, file)) return true;
    return false;
}

void SavePreset(HWND dialog, const FilterParameters& params) {
    for (;;) {
        if (!AskPresetName(dialog, gGroup.typedName)) return;
        const std::string name = PresetNameFromTypedName(gGroup.typedName);
        const std::string problem = PresetNameProblem(name);
        if (!problem.empty()) {
            ShowMessage(dialog, (std::string(kCannotSave) + "\n\n" + problem).c_str(), kMessageWarning);
            continue;  // let the user correct the name
        }
        if (gGroup.folder.empty()) {
            ShowMessage(dialog, kCannotSave, kMessageWarning);
            return;
        }
        const std::string path = PresetFilePath(gGroup.folder, name);
        if (PresetFileExists(path)) {
            const int answer = MessageBoxA(dialog, "The file already exist!\n Do you want rewrite it?",
                                           "File Save Warning", MB_YESNOCANCEL | MB_ICONWARNING);
            if (answer == IDNO) continue;
            if (answer != IDYES) return;
        }
        if (!WritePresetFile(path, params)) {
            ShowMessage(dialog, kCannotSave, kMessageWarning);
            return;
        }
        // An overwritten preset keeps its entry; one written by someone else since the list was
        // filled gets one now.
        const std::string file = PresetFileName(name);
        if (!IsListed(file)) {
            AppendEntry(dialog, name);
            gGroup.files.push_back(file);
        }
        return;
    }
}

void DeleteSelectedPreset(HWND dialog) {
    const int entry = SelectedEntry(dialog);
    const std::string* file = FileOfEntry(entry);
    if (file == nullptr) return;
    if (DeletePresetFile(gGroup.folder + "\\" + *file) == DeleteOutcome::kRefused) {
        // The file is still there, so is its entry.
        const std::string text = "Cannot Delete File!\n\nThe preset \"" + *PresetNameFromFileName(*file) +
                                 "\" is read-only or in use, and stays in the list.";
        ShowMessage(dialog, text.c_str(), kMessageWarning);
        return;
    }
    SendMessageA(PresetList(dialog), LB_DELETESTRING, static_cast<WPARAM>(entry), 0);
    gGroup.files.erase(gGroup.files.begin() + (entry - kFirstFileEntry));
    EnableDelete(dialog, SelectedEntry(dialog) >= kFirstFileEntry);
}

}  // namespace

void StartPresetGroupFor(HWND dialog, const std::string& modulePath) {
    try {
        gGroup = PresetGroup{};
        gGroup.folder = product::PresetFolderFor(modulePath);
        FillPresetList(dialog);
    } catch (...) {
        // No memory for the names: the list keeps what it holds so far.
    }
    HWND list = PresetList(dialog);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(controls::FontEditSmall()), FALSE);
    controls::AttachTooltip(list, "Click to apply previously saved settings");
    controls::AttachTooltip(GetDlgItem(dialog, IDC_PRESET_SAVE), "Save current parameters");
    controls::AttachTooltip(GetDlgItem(dialog, IDC_PRESET_DELETE), "Delete selected preset");
    EnableDelete(dialog, false);
    RegisterPresetFileTypes(modulePath);
    if (gPlugin.parameters != nullptr) gGroup.lastUsed.Take(*gPlugin.parameters);
}

const std::string& PresetGroupFolder() {
    return gGroup.folder;
}

void StartPresetGroup(HWND dialog) {
    std::string modulePath;
    try {
        modulePath = platform::ModulePath();
    } catch (...) {
        // Unknown module path: no presets to list, saving says it cannot.
    }
    StartPresetGroupFor(dialog, modulePath);
}

bool HandlePresetCommand(HWND dialog, int id, int code) {
    FilterParameters* params = gPlugin.parameters;
    if (params == nullptr) return false;
    try {
        if (id == IDC_PRESET_LIST && code == LBN_SELCHANGE) return HandleSelection(dialog, *params);
        if (id == IDC_PRESET_SAVE && code == BN_CLICKED) SavePreset(dialog, *params);
        if (id == IDC_PRESET_DELETE && code == BN_CLICKED) DeleteSelectedPreset(dialog);
    } catch (...) {
        // No memory for a name or a path: the action does not happen and nothing is lost.
    }
    return false;
}

void NotePresetParameterChange() {
    if (gPlugin.parameters != nullptr) gGroup.lastUsed.NoteParameterChange(*gPlugin.parameters);
}

void EndPresetGroup() {
    gGroup = PresetGroup{};
}

}  // namespace ui
