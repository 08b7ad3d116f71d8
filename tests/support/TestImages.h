// tests/support/TestImages.h: small synthetic documents and a message catcher for the tests.
#pragma once

#include "emulator/HostImage.h"
#include "host/Platform.h"

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// A smooth photo-like picture: a diagonal tone ramp with a dark disc, every plane filled
// (planes past the colour ones are opaque).
emulator::HostImage MakePicture(int32_t width, int32_t height, int32_t planes, int32_t depth, int16_t mode);

// Collects the plug-in's message boxes instead of showing them.
class MessageCatcher {
public:
    MessageCatcher() { platform::SetMessageObserver(&MessageCatcher::Catch, this); }
    ~MessageCatcher() { platform::SetMessageObserver(nullptr, nullptr); }
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;
    // (text, caption) in the order shown
    std::vector<std::pair<std::string, std::string>> messages;

private:
    static void Catch(void* self, const char* text, const char* caption) {
        static_cast<MessageCatcher*>(self)->messages.emplace_back(text, caption);
    }
};

}  // namespace testing_support
