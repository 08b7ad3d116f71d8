// Shared machinery of the dialogs' Windows tests: finding and driving the modal boxes the code
// under test opens, and temporary files.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace uitest {

// A dialog window of this thread with exactly this title, or null.
HWND FindDialogTitled(const char* title);

std::string ItemText(HWND dialog, int id);

// Runs `open` (which enters one or more modal loops) with `steps` run one by one from inside
// those loops, then `cleanUp` in case a step failed and left a box open; whatever did not run is
// dropped. Returns how many of `steps` ran.
size_t RunModal(std::vector<std::function<void()>> steps, const std::function<void()>& cleanUp,
                const std::function<void()>& open);

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& Path() const { return path; }

private:
    std::string path;
};

// Removes a folder with everything in it, read-only files included.
void RemoveTree(const std::string& path);

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace uitest
