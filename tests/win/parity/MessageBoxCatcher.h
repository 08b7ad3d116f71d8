// tests/win/parity/MessageBoxCatcher.h: answers the plug-in's message boxes for the test host.
// The plug-in shows real modal boxes; while a catcher lives, every dialog box that opens on this
// thread has its caption and text recorded and is dismissed at once, so no run ever waits.
// The filter's main dialog is not a message: it is confirmed with OK and not recorded.
#pragma once

#include <string>
#include <vector>

class MessageBoxCatcher {
public:
    MessageBoxCatcher();   // hooks window creation on the calling thread
    ~MessageBoxCatcher();  // unhooks
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    bool IsActive() const { return hook != nullptr; }
    // "caption: text" of each box closed since the last call, in order.
    std::vector<std::string> Drain();

private:
    std::vector<std::string> caught;
    void* hook = nullptr;
};
