#include "host/Selectors.h"

#include "host/DialogSeam.h"
#include "host/FilterDriver.h"
#include "host/HostHandles.h"
#include "host/PluginGlobals.h"
#include "host/ScriptParameters.h"

#include <algorithm>
#include <iterator>

namespace {

using host::FilterRecord;
using host::Handle;

bool gParametersLocked = false;
bool gDataBlockLocked = false;

const host::HandleProcs* Procs() {
    return CurrentRecord()->handleProcs;
}
Handle DataHandle() {
    return gPlugin.dataSlot != nullptr ? reinterpret_cast<Handle>(*gPlugin.dataSlot) : nullptr;
}

void InitialiseDataBlock() {
    gPlugin.dataBlock->initialised = 1;
    std::fill(std::begin(gPlugin.dataBlock->previewRect), std::end(gPlugin.dataBlock->previewRect), int16_t{0});
}

// A handle whose size is known and too small was not made by us for this record: using it would
// read and write past its end. A size of 0 means the host does not know, so we trust our own size.
bool TooSmall(Handle handle, int32_t needed) {
    const int32_t size = HostHandleSize(Procs(), handle);
    return size > 0 && size < needed;
}

// Creates the handles that are missing; false (with -108) when the host cannot make one.
bool CreateMissingHandles(bool& parametersNew) {
    FilterRecord& record = *CurrentRecord();
    parametersNew = false;
    if (record.parameters != nullptr && TooSmall(record.parameters, sizeof(FilterParameters)))
        record.parameters = nullptr;  // the host still owns the foreign handle; we simply stop using it
    if (record.parameters == nullptr) {
        record.parameters = NewHostHandle(Procs(), sizeof(FilterParameters));
        if (record.parameters == nullptr) {
            SetResult(host::kMemFullErr);
            return false;
        }
        parametersNew = true;
    }
    if (gPlugin.dataSlot != nullptr && (*gPlugin.dataSlot == 0 || TooSmall(DataHandle(), sizeof(DataBlock)))) {
        Handle block = NewHostHandle(Procs(), sizeof(DataBlock));
        if (block == nullptr) {
            SetResult(host::kMemFullErr);
            return false;
        }
        *gPlugin.dataSlot = reinterpret_cast<intptr_t>(block);
    }
    return true;
}

void LockHandles() {
    FilterRecord& record = *CurrentRecord();
    if (record.parameters == nullptr || DataHandle() == nullptr) {
        SetResult(host::kFilterBadParameters);
        return;
    }
    gPlugin.parameters = static_cast<FilterParameters*>(LockHostHandle(Procs(), record.parameters));
    gParametersLocked = gPlugin.parameters != nullptr;
    gPlugin.dataBlock = static_cast<DataBlock*>(LockHostHandle(Procs(), DataHandle()));
    gDataBlockLocked = gPlugin.dataBlock != nullptr;
    if (gPlugin.parameters == nullptr || gPlugin.dataBlock == nullptr) SetResult(host::kMemFullErr);
}

bool HandlesUsable() {
    return Result() == host::kNoErr && gPlugin.parameters != nullptr && gPlugin.dataBlock != nullptr;
}

}  // namespace

void UnlockHandles() {
    FilterRecord* record = CurrentRecord();
    if (gDataBlockLocked) UnlockHostHandle(record->handleProcs, DataHandle());
    if (gParametersLocked) UnlockHostHandle(record->handleProcs, record->parameters);
    gDataBlockLocked = gParametersLocked = false;
    gPlugin.parameters = nullptr;
    gPlugin.dataBlock = nullptr;
}

void DoAbout(const host::AboutRecord& about) {
    ShowAbout(about);
}

void DoParameters() {
    bool parametersNew = false;
    if (!CreateMissingHandles(parametersNew) || Result() != host::kNoErr) return;
    LockHandles();
    if (!HandlesUsable()) return;
    if (parametersNew) ResetParameters(*gPlugin.parameters);
    InitialiseDataBlock();
}

void DoPrepare() {
    FilterRecord& record = *CurrentRecord();
    if (record.parameters != nullptr && DataHandle() != nullptr) {
        LockHandles();
    } else {
        bool parametersNew = false;
        if (!CreateMissingHandles(parametersNew) || Result() != host::kNoErr) return;
        LockHandles();
        if (!HandlesUsable()) return;
        ResetParameters(*gPlugin.parameters);
        InitialiseDataBlock();
    }
    // Ask for little buffer space: we fetch the whole image at once and work in our own pages.
    const Rect32 filter = GetFilterRect(record);
    const int64_t width = std::min<int64_t>(filter.Width(), 256);
    const int64_t height = std::min<int64_t>(filter.Height(), 256);
    const int64_t planes = record.planes + (record.maskData != nullptr ? 1 : 0);
    const int64_t wanted = 2 * width * height * planes;
    record.bufferSpace = 0;
    if (wanted < record.maxSpace) record.maxSpace = static_cast<int32_t>(std::max<int64_t>(wanted, 0));
}

void DoStart() {
    LockHandles();
    if (!HandlesUsable()) return;
    FilterParameters& params = *gPlugin.parameters;
    params.previewEnabled = 1;
    const int16_t savedReserved1 = params.reserved1;
    const int16_t savedReserved2 = params.reserved2;
    const uint8_t savedRanOnce = params.ranOnce;

    const int16_t readResult = ReadScriptParameters();
    DialogOutcome outcome = DialogOutcome::kUnavailable;
    // A document the driver refuses gets its warning at once rather than a dialog whose previews
    // would all fail.
    if (readResult == host::kNoErr && params.showDialog != 0 && IsSupportedImageMode(CurrentRecord()->imageMode))
        outcome = RunMainDialog();
    gPlugin.dataBlock->initialised = 0;

    if (outcome == DialogOutcome::kCancel) {
        params.reserved1 = savedReserved1;
        params.reserved2 = savedReserved2;
        params.ranOnce = savedRanOnce;
        SetResult(host::kUserCanceledErr);
        return;
    }
    // The dialog fetched the image for its previews; a host that refused it then is asked again.
    if (outcome == DialogOutcome::kUnavailable || CurrentRecord()->inData == nullptr) {
        const int16_t fetched = RequestWholeImage();
        if (fetched != host::kNoErr) {
            SetResult(fetched);
            return;
        }
    }
    RunFilter();
}

void DoContinue() {
    // The whole image was processed during start: empty rectangles end the run.
    FilterRecord& record = *CurrentRecord();
    const Rect32 empty;
    SetInRect(record, empty);
    SetOutRect(record, empty);
    SetMaskRect(record, empty);
}

void DoFinish() {
    LockHandles();
    if (!HandlesUsable()) return;
    WriteScriptParameters();
}
