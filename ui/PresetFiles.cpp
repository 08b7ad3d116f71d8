#include "ui/PresetFiles.h"

#include "presets/PresetNames.h"
#include "presets/PresetWriter.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace ui {
namespace {

// Closes a file handle on every path.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) noexcept : handle(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const noexcept { return handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const noexcept { return handle; }
    bool Close() noexcept {
        if (!IsOpen()) return true;
        const bool closed = CloseHandle(handle) != FALSE;
        handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        DWORD chunk = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1u << 20));
        if (!WriteFile(file, bytes.data() + written, wanted, &chunk, nullptr) || chunk == 0) return false;
        written += chunk;
    }
    return true;
}

}  // namespace

std::vector<std::string> ListPresetFileNames(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
    WIN32_FIND_DATAA found{};
    const std::string pattern = folder + "\\*" + kPresetExtension;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        // The pattern also matches short aliases of longer extensions (".kzvx"), and folders.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && PresetNameFromFileName(found.cFileName))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool PresetFileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WritePresetFile(const std::string& path, const FilterParameters& params) {
    // A read-only preset stays as it is; not every file system refuses to replace it by a move.
    const DWORD existing = GetFileAttributesA(path.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0) return false;
    const std::string text = FormatPresetText(params);
    // Short, so that a name that fits also fits while it is being written, and not ending in
    // ".kzv", so that a half-written file is never listed as a preset.
    const size_t separator = path.find_last_of("\\/");
    const std::string folder = separator == std::string::npos ? std::string(".") : path.substr(0, separator);
    const std::string temporary = folder + "\\~merovane-" + std::to_string(GetCurrentProcessId()) + ".saving";
    FileHandle file(
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    const bool written = WriteAll(file.Get(), text) && FlushFileBuffers(file.Get()) != FALSE;
    if (!file.Close() || !written ||
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

DeleteOutcome DeletePresetFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) return DeleteOutcome::kDeleted;
    const DWORD error = GetLastError();
    if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) && !PresetFileExists(path))
        return DeleteOutcome::kAlreadyGone;
    return DeleteOutcome::kRefused;
}

}  // namespace ui
