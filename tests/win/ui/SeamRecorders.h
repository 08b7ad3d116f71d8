// The dialogs' seams seen from the tests: shell calls and messages recorded instead of a browser
// starting or a box popping up.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uitest {

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

}  // namespace uitest
