#include "UiTestSupport.h"

#include "WinTestSupport.h"

#include <atomic>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace uitest {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

HWND FindDialogTitled(const char* title) {
    struct Search {
        const char* title;
        HWND found = nullptr;
    } search{title};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            char text[128] = {};
            GetWindowTextA(window, text, sizeof text);
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(text, s->title) == 0 && std::strcmp(name, "#32770") == 0) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

size_t RunModal(std::vector<std::function<void()>> steps, const std::function<void()>& cleanUp,
                const std::function<void()>& open) {
    auto ran = std::make_shared<size_t>(0);
    std::vector<std::function<void()>> counted;
    for (auto& step : steps)
        counted.push_back([ran, step = std::move(step)] {
            ++*ran;
            step();
        });
    counted.push_back(cleanUp);
    wintest::ClearModalScript();
    wintest::RunDuringModalLoop(std::move(counted));
    open();
    wintest::ClearModalScript();
    return *ran;
}

TemporaryFolder::TemporaryFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static std::atomic<int> counter{0};
    std::ostringstream name;
    name << base << "mv-ui-test-" << GetCurrentProcessId() << "-" << counter++;
    path = name.str();
    CreateDirectoryA(path.c_str(), nullptr);
}

TemporaryFolder::~TemporaryFolder() {
    RemoveTree(path);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace uitest
