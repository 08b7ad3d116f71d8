// emulator/EmulatedHost.h: the host side of the filter interface, small but faithful. It builds the
// filter record, serves handles, suites, image buffers and progress, and drives a plug-in's
// entry point through the selectors exactly as the editor does. It knows the plug-in only
// through that entry point, so it tests the same binary interface a real host sees.
#pragma once

#include "emulator/BasicSuite.h"
#include "emulator/DescriptorProcs.h"
#include "emulator/GuardedBlock.h"
#include "emulator/HandleLedger.h"
#include "emulator/HostImage.h"
#include "emulator/RowBuffer.h"
#include "api/HostApi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace emulator {

using EntryPoint = void (*)(int16_t selector, void* block, intptr_t* data, int16_t* result);

struct HostOptions {
    bool bigDocument = true;          // offer the 32-bit rectangles
    bool basicSuite = true;           // offer the basic suite
    bool colorSpaceSuite = true;      // offer the colour-space suite through it
    bool descriptorProcs = true;      // offer read and write descriptor procs
    bool handleSizesUnknown = false;  // get-size says 0 and set-size does nothing, as some hosts do
    bool keepsNothing = false;        // parameters handle and data slot are empty on every run
    host::OSType hostSig = host::kHostSigPhotoshop;
    int32_t maxSpace = 1 << 30;
    int16_t playInfo = host::kPlayDialogDisplay;  // a run from the menu
    int rowPadding = 12;                          // extra bytes at the end of every buffer row handed out
    // Input of every plane is handed out where the document holds it (rows a document row apart,
    // no padding), as hosts that keep an image in one block do, instead of in a copy. The
    // plug-in must then only read it. Saves a whole copy of a large picture.
    bool inputInPlace = false;
    // Output of every plane is handed out inside the host's copy of the document under work,
    // likewise: the plug-in's writes land where they stay, with no buffer to commit them from.
    bool outputInPlace = false;
    size_t recordBytes = sizeof(host::FilterRecord);  // shorter for hosts that know fewer fields
};

class EmulatedHost {
public:
    explicit EmulatedHost(EntryPoint entry, HostOptions options = {});
    ~EmulatedHost();
    EmulatedHost(const EmulatedHost&) = delete;
    EmulatedHost& operator=(const EmulatedHost&) = delete;

    // The document; the filtered area is the whole image unless SetFilterArea says otherwise.
    void SetImage(HostImage image);
    const HostImage& Image() const { return image; }
    // Hands the document back without a copy; the host holds no image afterwards, until the next
    // SetImage.
    HostImage TakeImage() { return std::move(image); }
    // Memory the host keeps for the next run (the samples the last one replaced), handed to a
    // caller that will run no more; its contents are unspecified.
    std::vector<uint8_t> TakeSpareMemory() { return std::move(working.samples); }
    void SetFilterArea(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // One byte per pixel of the filtered area (0 unselected .. 255 selected); empty = no selection.
    void SetSelection(std::vector<uint8_t> mask);

    // A run from the menu: parameters, prepare, start, continue until the plug-in asks for
    // nothing more, finish. The image changes only when start and continue succeeded.
    int16_t RunFilter();
    int16_t CallSelector(int16_t selector);
    int16_t ShowAbout();

    host::FilterRecord& Record() { return *record; }
    const HostOptions& Options() const { return options; }
    HandleLedger& Ledger() { return ledger; }
    BasicSuite& Suites() { return basic; }
    host::PIDescriptorParameters& Descriptor() { return descriptorParameters; }
    DescriptorStore& Descriptors() { return descriptors; }
    // The descriptor the last run's finish recorded, kept by the host as its action (nullptr
    // when none). A run from the menu hands the plug-in no descriptor.
    host::Handle RecordedAction() const { return recordedAction; }
    // The next run hands the plug-in a new descriptor holding `action` with `playInfo`
    // (kPlayDialog*), as the host does when an action is played; the plug-in disposes of it
    // once it has read it.
    void ReplayAction(const std::vector<DescriptorItem>& action, int16_t playInfo);
    // The plug-in's parameter block as the host keeps it between runs (nullptr before the first).
    void* ParametersData() { return record->parameters != nullptr ? *record->parameters : nullptr; }
    // Forget what the host kept between runs, as hosts that keep nothing do.
    void ForgetPluginState();
    // The plug-in's data slot as the host keeps it between calls.
    intptr_t DataSlot() const { return dataSlot; }

    const std::vector<std::pair<int32_t, int32_t>>& Progress() const { return progress; }
    const std::vector<int16_t>& SelectorTrace() const { return trace; }
    int AdvanceStateCalls() const { return advanceCalls; }
    // Fault switch: the next this many image requests are refused (-108) with every buffer
    // withdrawn, as a host short of memory does.
    int refuseImageRequests = 0;

    // Callbacks of the record (public for the C trampolines).
    host::OSErr AdvanceState();
    void OnProgress(int32_t done, int32_t total) { progress.emplace_back(done, total); }

private:
    struct Rect32 {
        int32_t top = 0, left = 0, bottom = 0, right = 0;
        bool operator==(const Rect32& o) const {
            return top == o.top && left == o.left && bottom == o.bottom && right == o.right;
        }
    };
    Rect32 ReadRect(const host::Rect& small, const host::VRect& big) const;
    void PrepareRecord();
    int16_t RunSelectors();
    // After a run: keeps what finish recorded as the action and drops an unread replay copy.
    void KeepRecordedAction(host::Handle replayed);
    void CommitOutput();
    // Makes `working` an empty image shaped like the document, with room for all its samples.
    void StartWorking();
    // Makes `working` a copy of the document, unless it is one already.
    void StartWorkingFromDocument();
    const HostImage& Current() const { return workingReady ? working : image; }
    void MakeActive();
    bool UsesBig() const {
        return record->bigDocumentData != nullptr && record->bigDocumentData->PluginUsing32BitCoordinates != 0;
    }

    EntryPoint entry;
    HostOptions options;
    HostImage image;
    // The image as the filter leaves it, adopted when the run succeeds. Made at the first output
    // commit (until then the document itself is the current state); its memory stays between runs.
    HostImage working;
    bool workingReady = false;
    Rect32 filterArea;
    std::vector<uint8_t> selection;

    GuardedBlock recordBlock;  // reads past the record's end fault at once
    host::FilterRecord* record;
    host::BigDocumentStruct bigDocument{};
    host::PlatformData platformData{};
    host::PIDescriptorParameters descriptorParameters{};
    HandleLedger ledger;
    DescriptorStore descriptors{ledger};
    host::Handle recordedAction = nullptr;
    host::Handle pendingReplay = nullptr;
    int16_t replayPlayInfo = host::kPlayDialogDontDisplay;
    BasicSuite basic;
    intptr_t dataSlot = 0;

    RowBuffer inBuffer, outBuffer, maskBuffer;
    // What the in and out buffers hold since their last delivery in this run. Asked for the same
    // area and planes again, the host hands them over as they are: the document does not change
    // during a run, and the output has just been committed from the out buffer.
    struct Delivered {
        Rect32 area;
        int16_t lo = 0, hi = -1;
        bool valid = false;
    };
    Delivered inDelivered, outDelivered;
    Rect32 outArea;
    int16_t outLo = 0, outHi = -1;
    int32_t outRowBytes = 0;

    std::vector<std::pair<int32_t, int32_t>> progress;
    std::vector<int16_t> trace;
    int advanceCalls = 0;
};

}  // namespace emulator
