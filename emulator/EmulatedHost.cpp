#include "emulator/EmulatedHost.h"

#include "memory/LargePages.h"

#include <algorithm>
#include <cstring>

namespace emulator {

namespace {

EmulatedHost* gActive = nullptr;

host::OSErr AdvanceStateProc() {
    return gActive->AdvanceState();
}
void ProgressProc(int32_t done, int32_t total) {
    gActive->OnProgress(done, total);
}
host::Boolean AbortProc() {
    return 0;
}

constexpr host::OSErr kParamErr = -50;
constexpr uint8_t kPaddingByte = 0xCD;  // visible in a dump when a plug-in reads past a row
constexpr int kMaxContinueCalls = 100000;

bool Empty(const host::Rect& r) {
    return r.bottom <= r.top || r.right <= r.left;
}
bool Empty(const host::VRect& r) {
    return r.bottom <= r.top || r.right <= r.left;
}

}  // namespace

EmulatedHost::EmulatedHost(EntryPoint entryPoint, HostOptions hostOptions)
    : entry(entryPoint),
      options(hostOptions),
      recordBlock(options.recordBytes),
      record(static_cast<host::FilterRecord*>(recordBlock.Data())) {
    descriptorParameters.descriptorParametersVersion = 0;
    ledger.reportZeroSize = ledger.ignoreSetSize = options.handleSizesUnknown;
    basic.offerColorSpace = options.colorSpaceSuite;
    MakeActive();
}

EmulatedHost::~EmulatedHost() {
    if (gActive == this) gActive = nullptr;
}

void EmulatedHost::MakeActive() {
    gActive = this;
    ledger.MakeActive();
    descriptors.MakeActive();
    basic.MakeActive();
}

void EmulatedHost::SetImage(HostImage newImage) {
    image = std::move(newImage);
    filterArea = Rect32{0, 0, image.height, image.width};
    selection.clear();
    PrepareRecord();
}

void EmulatedHost::SetFilterArea(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    filterArea = Rect32{top, left, bottom, right};
    PrepareRecord();
}

void EmulatedHost::SetSelection(std::vector<uint8_t> mask) {
    selection = std::move(mask);
    PrepareRecord();
}

void EmulatedHost::ForgetPluginState() {
    record->parameters = nullptr;
    dataSlot = 0;
}

void EmulatedHost::PrepareRecord() {
    host::FilterRecord& r = *record;
    r.abortProc = AbortProc;
    r.progressProc = ProgressProc;
    r.advanceState = AdvanceStateProc;
    r.handleProcs = ledger.Procs();
    r.sSPBasic = options.basicSuite ? basic.Suite() : nullptr;
    r.platformData = &platformData;
    r.descriptorParameters = &descriptorParameters;
    descriptorParameters.playInfo = options.playInfo;
    // Hosts that only pretend to script give the block without procs.
    descriptorParameters.readDescriptorProcs = options.descriptorProcs ? descriptors.ReadProcs() : nullptr;
    descriptorParameters.writeDescriptorProcs = options.descriptorProcs ? descriptors.WriteProcs() : nullptr;
    r.hostSig = options.hostSig;
    r.maxSpace = options.maxSpace;
    r.imageMode = image.mode;
    r.depth = image.depth;
    r.planes = static_cast<int16_t>(image.planes);
    r.imageSize = host::Point{static_cast<int16_t>(image.height), static_cast<int16_t>(image.width)};
    r.filterRect = host::Rect{static_cast<int16_t>(filterArea.top), static_cast<int16_t>(filterArea.left),
                              static_cast<int16_t>(filterArea.bottom), static_cast<int16_t>(filterArea.right)};
    r.haveMask = selection.empty() ? 0 : 1;
    r.isFloating = 0;
    r.inputRate = r.maskRate = host::kFixedOne;
    r.imageHRes = r.imageVRes = 72 * host::kFixedOne;
    r.wantLayout = 0;
    r.supportsPadding = 1;
    r.samplingSupport = 1;
    if (options.bigDocument) {
        bigDocument = host::BigDocumentStruct{};
        bigDocument.imageSize32 = host::VPoint{image.height, image.width};
        bigDocument.filterRect32 = host::VRect{filterArea.top, filterArea.left, filterArea.bottom, filterArea.right};
        r.bigDocumentData = &bigDocument;
    } else {
        r.bigDocumentData = nullptr;
    }
    r.inRect = r.outRect = r.maskRect = host::Rect{};
    bigDocument.inRect32 = bigDocument.outRect32 = bigDocument.maskRect32 = host::VRect{};
    r.inData = r.outData = r.maskData = nullptr;
}

EmulatedHost::Rect32 EmulatedHost::ReadRect(const host::Rect& small, const host::VRect& big) const {
    if (record->bigDocumentData != nullptr && record->bigDocumentData->PluginUsing32BitCoordinates != 0)
        return Rect32{big.top, big.left, big.bottom, big.right};
    return Rect32{small.top, small.left, small.bottom, small.right};
}

void EmulatedHost::CommitOutput() {
    const uint8_t* out = outBuffer.Data();
    if (out == nullptr) return;
    const int32_t bps = image.BytesPerSample();
    const int32_t planes = outHi - outLo + 1;
    const bool allPlanes = outLo == 0 && planes == image.planes;
    const auto rowLength = static_cast<size_t>((outArea.right - outArea.left) * planes * bps);
    const bool wholeImage = allPlanes && outArea.left == 0 && outArea.top == 0 && outArea.right == image.width &&
                            outArea.bottom == image.height;
    if (!workingReady && wholeImage) {
        // Every byte is replaced: build the working image from the output rows alone instead of
        // copying the document first and overwriting it.
        StartWorking();
        for (int32_t y = 0; y < image.height; ++y) {
            const uint8_t* src = out + int64_t{y} * outRowBytes;
            working.samples.insert(working.samples.end(), src, src + rowLength);
        }
        outBuffer.Release();
        return;
    }
    StartWorkingFromDocument();
    for (int32_t y = outArea.top; y < outArea.bottom; ++y) {
        const uint8_t* src = out + int64_t{y - outArea.top} * outRowBytes;
        if (allPlanes) {
            std::memcpy(working.PixelBytes(outArea.left, y), src, rowLength);
            continue;
        }
        for (int32_t x = outArea.left; x < outArea.right; ++x) {
            uint8_t* dst = working.PixelBytes(x, y) + outLo * bps;
            std::memcpy(dst, src + int64_t{x - outArea.left} * planes * bps, static_cast<size_t>(planes * bps));
        }
    }
    outBuffer.Release();
}

void EmulatedHost::StartWorking() {
    working.width = image.width;
    working.height = image.height;
    working.planes = image.planes;
    working.depth = image.depth;
    working.mode = image.mode;
    working.samples.clear();
    if (working.samples.capacity() < image.samples.size()) {
        working.samples = std::vector<uint8_t>();
        working.samples.reserve(image.samples.size());
        memory::AdviseLargePages(working.samples.data(), working.samples.capacity());
    }
    workingReady = true;
}

void EmulatedHost::StartWorkingFromDocument() {
    if (workingReady) return;
    StartWorking();
    working.samples.insert(working.samples.end(), image.samples.begin(), image.samples.end());
}

host::OSErr EmulatedHost::AdvanceState() {
    ++advanceCalls;
    CommitOutput();
    host::FilterRecord& r = *record;
    if (refuseImageRequests > 0) {
        --refuseImageRequests;
        inBuffer.Release();
        outBuffer.Release();
        maskBuffer.Release();
        inDelivered.valid = outDelivered.valid = false;
        r.inData = r.outData = r.maskData = nullptr;
        r.inRowBytes = r.outRowBytes = r.maskRowBytes = 0;
        return host::kMemFullErr;
    }
    const int32_t bps = image.BytesPerSample();

    // Only the part of a request inside the document is handed out.
    const auto insideDocument = [&](Rect32 area) {
        area.left = std::max(area.left, 0);
        area.top = std::max(area.top, 0);
        area.right = std::min(area.right, image.width);
        area.bottom = std::min(area.bottom, image.height);
        return area;
    };
    // A part of every plane, when the options allow, is handed out where `holder` keeps it: rows
    // a document row apart, no padding.
    const auto goesInPlace = [&](bool allowed, const Rect32& area, int16_t lo, int16_t hi) {
        return allowed && lo == 0 && hi == image.planes - 1 && area.right > area.left && area.bottom > area.top;
    };
    const auto handOutInPlace = [](HostImage& holder, const Rect32& area, RowBuffer& buffer, Delivered& delivered,
                                   void*& data, int32_t& rowBytes) {
        buffer.Release();
        delivered.valid = false;
        data = holder.PixelBytes(area.left, area.top);
        rowBytes = static_cast<int32_t>(holder.RowBytes());
    };
    // Fills one buffer with the requested area (inside the document) and planes, rows padded as
    // real hosts pad them.
    auto deliver = [&](const HostImage& from, const Rect32& area, int16_t lo, int16_t hi, RowBuffer& buffer,
                       Delivered& delivered, void*& data, int32_t& rowBytes) -> host::OSErr {
        buffer.Release();
        data = nullptr;
        rowBytes = 0;
        const bool same = delivered.valid && delivered.area == area && delivered.lo == lo && delivered.hi == hi;
        delivered.valid = false;
        if (area.right <= area.left || area.bottom <= area.top) return 0;
        if (lo < 0 || hi >= from.planes || lo > hi) return kParamErr;
        const int32_t planes = hi - lo + 1;
        const int32_t pixelBytes = (area.right - area.left) * planes * bps;
        rowBytes = pixelBytes + options.rowPadding;
        buffer.Reserve(rowBytes, area.bottom - area.top);
        delivered = Delivered{area, lo, hi, true};
        const bool allPlanes = lo == 0 && planes == from.planes;  // rows are then contiguous runs
        for (int32_t y = area.top; y < area.bottom; ++y) {
            uint8_t* row = buffer.Row(y - area.top);
            // Delivered again, the pixels are there already; only the padding is laid anew.
            if (!same && allPlanes) {
                std::memcpy(row, from.PixelBytes(area.left, y), static_cast<size_t>(pixelBytes));
            } else if (!same) {
                for (int32_t x = area.left; x < area.right; ++x)
                    std::memcpy(row + int64_t{x - area.left} * planes * bps, from.PixelBytes(x, y) + lo * bps,
                                static_cast<size_t>(planes * bps));
            }
            buffer.PadRow(y - area.top, pixelBytes, kPaddingByte);
        }
        data = buffer.Data();
        return 0;
    };

    const Rect32 in = insideDocument(ReadRect(r.inRect, bigDocument.inRect32));
    // Pointers in the packed record may sit at 4-byte offsets: fill locals, then copy them in.
    void* inData = nullptr;
    int32_t inRowBytes = 0;
    host::OSErr err = 0;
    if (goesInPlace(options.inputInPlace, in, r.inLoPlane, r.inHiPlane)) {
        handOutInPlace(image, in, inBuffer, inDelivered, inData, inRowBytes);
    } else {
        err = deliver(image, in, r.inLoPlane, r.inHiPlane, inBuffer, inDelivered, inData, inRowBytes);
    }
    r.inData = inData;
    r.inRowBytes = inRowBytes;
    if (err != 0) return err;

    outArea = insideDocument(ReadRect(r.outRect, bigDocument.outRect32));
    outLo = r.outLoPlane;
    outHi = r.outHiPlane;
    void* outData = nullptr;
    if (goesInPlace(options.outputInPlace, outArea, outLo, outHi)) {
        StartWorkingFromDocument();
        handOutInPlace(working, outArea, outBuffer, outDelivered, outData, outRowBytes);
    } else {
        err = deliver(Current(), outArea, outLo, outHi, outBuffer, outDelivered, outData, outRowBytes);
    }
    r.outData = outData;
    r.outRowBytes = outRowBytes;
    if (err != 0) return err;

    maskBuffer.Release();
    r.maskData = nullptr;
    r.maskRowBytes = 0;
    const Rect32 mask = ReadRect(r.maskRect, bigDocument.maskRect32);
    if (!selection.empty() && mask.right > mask.left && mask.bottom > mask.top) {
        // The selection covers the filtered area; the mask rectangle is in image coordinates.
        const int32_t areaWidth = filterArea.right - filterArea.left;
        const int32_t left = std::max(mask.left, filterArea.left), right = std::min(mask.right, filterArea.right);
        const int32_t top = std::max(mask.top, filterArea.top), bottom = std::min(mask.bottom, filterArea.bottom);
        if (right > left && bottom > top) {
            const int32_t maskRowBytes = right - left + options.rowPadding;
            maskBuffer.Reserve(maskRowBytes, bottom - top);
            for (int32_t y = top; y < bottom; ++y) {
                std::memcpy(maskBuffer.Row(y - top),
                            selection.data() + int64_t{y - filterArea.top} * areaWidth + (left - filterArea.left),
                            static_cast<size_t>(right - left));
                maskBuffer.PadRow(y - top, right - left, kPaddingByte);
            }
            r.maskRowBytes = maskRowBytes;
            r.maskData = maskBuffer.Data();
        }
    }
    return 0;
}

int16_t EmulatedHost::CallSelector(int16_t selector) {
    MakeActive();
    trace.push_back(selector);
    int16_t result = 0;
    entry(selector, record, &dataSlot, &result);
    return result;
}

int16_t EmulatedHost::ShowAbout() {
    MakeActive();
    trace.push_back(host::kSelectorAbout);
    host::AboutRecord about{};
    about.platformData = &platformData;
    about.sSPBasic = options.basicSuite ? basic.Suite() : nullptr;
    int16_t result = -1;  // the plug-in must say it succeeded
    entry(host::kSelectorAbout, &about, &dataSlot, &result);
    return result;
}

void EmulatedHost::ReplayAction(const std::vector<DescriptorItem>& action, int16_t playInfo) {
    if (pendingReplay != nullptr) ledger.Dispose(pendingReplay);
    pendingReplay = descriptors.Encode(action);
    replayPlayInfo = playInfo;
}

void EmulatedHost::KeepRecordedAction(host::Handle replayed) {
    host::Handle left = descriptorParameters.descriptor;
    descriptorParameters.descriptor = nullptr;
    if (left == nullptr) return;
    if (left == replayed) {
        // The plug-in did not read the replayed copy: the host drops it.
        if (ledger.Owns(left)) ledger.Dispose(left);
        return;
    }
    if (recordedAction != nullptr && ledger.Owns(recordedAction)) ledger.Dispose(recordedAction);
    recordedAction = left;
}

int16_t EmulatedHost::RunFilter() {
    MakeActive();
    PrepareRecord();
    const host::Handle replayed = pendingReplay;
    if (replayed != nullptr) descriptorParameters.playInfo = replayPlayInfo;
    descriptorParameters.descriptor = replayed;
    pendingReplay = nullptr;
    const int16_t result = RunSelectors();
    KeepRecordedAction(replayed);
    return result;
}

int16_t EmulatedHost::RunSelectors() {
    workingReady = false;
    inDelivered.valid = outDelivered.valid = false;
    progress.clear();
    outBuffer.Release();

    int16_t result = CallSelector(host::kSelectorParameters);
    if (result != 0) return result;
    result = CallSelector(host::kSelectorPrepare);
    if (result != 0) return result;
    result = CallSelector(host::kSelectorStart);
    for (int calls = 0; result == 0 && calls < kMaxContinueCalls; ++calls) {
        const host::FilterRecord& r = *record;
        const bool more =
            UsesBig() ? !(Empty(bigDocument.inRect32) && Empty(bigDocument.outRect32) && Empty(bigDocument.maskRect32))
                      : !(Empty(r.inRect) && Empty(r.outRect) && Empty(r.maskRect));
        if (!more) break;
        result = AdvanceState();
        if (result == 0) result = CallSelector(host::kSelectorContinue);
    }
    CommitOutput();
    if (result == 0) {
        // The old pixels stay with `working`, whose memory the next run reuses.
        if (workingReady) image.samples.swap(working.samples);
        result = CallSelector(host::kSelectorFinish);
    }
    if (options.keepsNothing) ForgetPluginState();
    return result;
}

}  // namespace emulator
