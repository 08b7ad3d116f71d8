#include "SeamRecorders.h"

#include "ui/HelpLinks.h"
#include "ui/MessageDialog.h"

#include <mutex>

namespace uitest {
namespace {

std::mutex gShellMutex;
std::vector<std::string> gShellCalls;
HANDLE gReleaseEvent = nullptr;  // set while workers run free
HANDLE gInsideEvent = nullptr;

void RecordShellCall(HWND, const char* target) {
    {
        std::lock_guard<std::mutex> lock(gShellMutex);
        gShellCalls.emplace_back(target);
    }
    SetEvent(gInsideEvent);
    WaitForSingleObject(gReleaseEvent, 10000);
}

void RecordMessage(void* context, HWND, const char* text, int kind) {
    static_cast<MessageRecorder*>(context)->messages.push_back({text != nullptr ? text : "", kind});
}

}  // namespace

ShellRecorder::ShellRecorder(bool holdWorkers) {
    gShellCalls.clear();
    gReleaseEvent = CreateEventA(nullptr, TRUE, holdWorkers ? FALSE : TRUE, nullptr);
    gInsideEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ui::SetShellOpener(RecordShellCall);
}

ShellRecorder::~ShellRecorder() {
    Release();
    for (int i = 0; i < 500 && ui::IsLinkBusy(); ++i) Sleep(10);
    ui::SetShellOpener(nullptr);
    CloseHandle(gReleaseEvent);
    CloseHandle(gInsideEvent);
    gReleaseEvent = gInsideEvent = nullptr;
}

std::vector<std::string> ShellRecorder::WaitForCalls(size_t count) {
    for (int i = 0; i < 500; ++i) {
        {
            std::lock_guard<std::mutex> lock(gShellMutex);
            if (gShellCalls.size() >= count && !ui::IsLinkBusy()) return gShellCalls;
        }
        Sleep(10);
    }
    std::lock_guard<std::mutex> lock(gShellMutex);
    return gShellCalls;
}

bool ShellRecorder::WaitUntilInside() {
    return WaitForSingleObject(gInsideEvent, 5000) == WAIT_OBJECT_0;
}

void ShellRecorder::Release() {
    SetEvent(gReleaseEvent);
}

MessageRecorder::MessageRecorder() {
    ui::SetMessageObserver(RecordMessage, this);
}

MessageRecorder::~MessageRecorder() {
    ui::SetMessageObserver(nullptr, nullptr);
}

}  // namespace uitest
