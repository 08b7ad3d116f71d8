// host/PluginMain.cpp: the one exported function. Nothing may unwind into the host: a crash or an
// escaped exception would take the user's whole editor down with their unsaved work.
#include "host/PluginMain.h"

#include "host/Platform.h"
#include "host/PluginGlobals.h"
#include "host/Selectors.h"

#include <new>

namespace {

void Dispatch(int16_t selector) {
    if (selector == host::kSelectorAbout) {
        auto* about = static_cast<host::AboutRecord*>(gPlugin.hostBlock);
        gPlugin.basicSuite = about->sSPBasic;
        DoAbout(*about);
        return;
    }
    host::FilterRecord* record = CurrentRecord();
    gPlugin.basicSuite = record->sSPBasic;
    if (record->bigDocumentData != nullptr) record->bigDocumentData->PluginUsing32BitCoordinates = 1;
    switch (selector) {
        case host::kSelectorParameters:
            DoParameters();
            break;
        case host::kSelectorPrepare:
            DoPrepare();
            break;
        case host::kSelectorStart:
            DoStart();
            break;
        case host::kSelectorContinue:
            DoContinue();
            break;
        case host::kSelectorFinish:
            DoFinish();
            break;
        default:
            break;
    }
}

}  // namespace

MV_EXPORT void PluginMain(int16_t selector, void* hostBlock, intptr_t* data, int16_t* result) {
    if (result == nullptr) return;  // no way to report anything
    if (hostBlock == nullptr) {
        *result = host::kFilterBadParameters;
        return;
    }
    gPlugin.hostBlock = hostBlock;
    gPlugin.dataSlot = data;
    gPlugin.result = result;
    // Some hosts read any nonzero value as failure and skip the next call: start from success.
    if (selector == host::kSelectorAbout) *result = host::kNoErr;
    try {
        Dispatch(selector);
    } catch (const std::bad_alloc&) {
        *result = host::kMemFullErr;
    } catch (...) {
        *result = host::kFilterBadParameters;
    }
    if (selector != host::kSelectorAbout) {
        try {
            UnlockHandles();
        } catch (...) {
            *result = host::kFilterBadParameters;
        }
    }
    gPlugin.hostBlock = nullptr;
}
