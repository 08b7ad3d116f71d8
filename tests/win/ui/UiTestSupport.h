// Shared machinery of the dialogs' Windows tests: finding the modal boxes the code under test
// opens, and seeing shell calls and messages through the seams instead of a browser or a box.
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

// Records every target handed to the shell while alive; a held recorder keeps each worker
// inside its shell call until Release().
class ShellRecorder {
public:
    explicit ShellRecorder(bool holdWorkers = false);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    // Waits (up to a few seconds) until `count` calls were made and no worker is busy.
    std::vector<std::string> WaitForCalls(size_t count);
    // True when a worker entered the shell call within a few seconds.
    bool WaitUntilInside();
    void Release();
};

struct ObservedMessage {
    std::string text;
    int kind;
};

// Collects ShowMessage's messages instead of showing them, while alive.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    std::vector<ObservedMessage> messages;
};

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

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace uitest
