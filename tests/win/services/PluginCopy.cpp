#include "PluginCopy.h"

#include "tests/win/plugin/PluginFile.h"

#include <cstring>
#include <mutex>

namespace servicestest {
namespace {

std::mutex gCallsMutex;
std::vector<std::string> gCalls;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT) {
    std::lock_guard<std::mutex> lock(gCallsMutex);
    gCalls.emplace_back(file != nullptr ? file : "");
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // above 32: success
}

// Points the module's import of `function` from `dll` at `replacement`.
bool RedirectImport(HMODULE module, const char* dll, const char* function, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) return false;
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); import->Name != 0;
         ++import) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + import->Name), dll) != 0) continue;
        auto* bound = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
            base + (import->OriginalFirstThunk != 0 ? import->OriginalFirstThunk : import->FirstThunk));
        for (; names->u1.AddressOfData != 0; ++names, ++bound) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            DWORD previous = 0;
            VirtualProtect(&bound->u1.Function, sizeof bound->u1.Function, PAGE_READWRITE, &previous);
            bound->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&bound->u1.Function, sizeof bound->u1.Function, previous, &previous);
            return true;
        }
    }
    return false;
}

void CopyFolder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyFolder(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

PluginCopy::PluginCopy(const std::string& folder) : path(folder + "\\merovaneIIx64.8bf") {
    const std::string original = PluginPath();
    if (!CopyFileA(original.c_str(), path.c_str(), FALSE)) {
        error = "cannot copy " + original;
        return;
    }
    const std::string originalFolder = original.substr(0, original.find_last_of('\\'));
    CopyFolder(originalFolder + "\\MerovaneIIHelp", folder + "\\MerovaneIIHelp");
    module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = "cannot load the copy";
        return;
    }
    if (!RedirectImport(module, "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(RecordShellExecute))) {
        error = "the plug-in does not import ShellExecuteA";
        return;
    }
    entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, "PluginMain")));
    if (entry == nullptr) error = "no PluginMain";
    std::lock_guard<std::mutex> lock(gCallsMutex);
    gCalls.clear();
}

PluginCopy::~PluginCopy() {
    if (module != nullptr) FreeLibrary(module);
}

std::vector<std::string> TakeShellCalls(size_t count) {
    for (int i = 0; i < 300; ++i) {
        {
            std::lock_guard<std::mutex> lock(gCallsMutex);
            if (gCalls.size() >= count) break;
        }
        Sleep(10);
    }
    // The worker clears its busy flag just after the shell call returns.
    Sleep(50);
    std::lock_guard<std::mutex> lock(gCallsMutex);
    std::vector<std::string> calls;
    calls.swap(gCalls);
    return calls;
}

}  // namespace servicestest
