#include "host/FilterDriver.h"

#include "host/ColorSpaceSuite.h"
#include "host/DialogSeam.h"
#include "host/ParameterOptions.h"
#include "host/Platform.h"
#include "host/PluginGlobals.h"
#include "render/RenderEngraving.h"

#include <algorithm>
#include <cstring>
#include <vector>

DriverValues gDriver;

namespace {

using host::FilterRecord;

bool IsCmykMode(int16_t mode) {
    return mode == host::kModeCMYK || mode == host::kModeCMYK64;
}

// Source copy from the page allocator, released on every path; none for zero bytes.
class PageBlock {
public:
    explicit PageBlock(size_t bytes) : data(bytes == 0 ? nullptr : platform::AllocatePages(bytes)) {}
    ~PageBlock() { platform::FreePages(data); }
    PageBlock(const PageBlock&) = delete;
    PageBlock& operator=(const PageBlock&) = delete;
    void* Data() const { return data; }

private:
    void* data;
};

template <class Sample>
struct Full;
template <>
struct Full<uint8_t> {
    static constexpr uint32_t kValue = 255;
};
template <>
struct Full<uint16_t> {
    static constexpr uint32_t kValue = 32768;
};

// Strides in samples; pixel (x, y) of a buffer starts at y * rowSamples + x * planes.
struct Layout {
    int32_t planes;
    int64_t inRowSamples;
    int64_t outRowSamples;
};

template <class Sample>
void CopyRgbSource(const Sample* in, Sample* copy, const Layout& l) {
    const int32_t copied = std::min(l.planes, 5);
    for (int32_t y = 0; y < gDriver.processHeight && y < gDriver.regionHeight; ++y) {
        const Sample* src = in + (gDriver.originY + y) * l.inRowSamples + int64_t{gDriver.originX} * l.planes;
        Sample* dst = copy + y * l.outRowSamples;
        const int32_t width = std::min(gDriver.processWidth, gDriver.regionWidth);
        if (copied == l.planes) {  // every plane is copied: the row is one run
            std::memcpy(dst, src, static_cast<size_t>(width) * static_cast<size_t>(l.planes) * sizeof(Sample));
            continue;
        }
        for (int32_t x = 0; x < width; ++x)
            for (int32_t c = 0; c < copied; ++c) dst[int64_t{x} * l.planes + c] = src[int64_t{x} * l.planes + c];
    }
}

template <class Sample, class Color>
bool ConvertRow(const ColorSpaceSuite& suite, int16_t from, int16_t to, Color* colors, int64_t count) {
    if constexpr (sizeof(Sample) == 1)
        return suite.Convert8(from, to, colors, count);
    else
        return suite.Convert16(from, to, colors, count);
}

// CMYK documents are engraved in RGB: the host converts each row for us.
template <class Sample, class Color>
void CopyCmykSource(const ColorSpaceSuite& suite, const Sample* in, Sample* copy, const Layout& l) {
    std::vector<Color> colors(static_cast<size_t>(gDriver.processWidth));
    const int32_t width = std::min(gDriver.processWidth, gDriver.regionWidth);
    for (int32_t y = 0; y < gDriver.processHeight && y < gDriver.regionHeight; ++y) {
        const Sample* src = in + (gDriver.originY + y) * l.inRowSamples + int64_t{gDriver.originX} * l.planes;
        Sample* dst = copy + y * l.outRowSamples;
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c) colors[x][c] = src[int64_t{x} * l.planes + c];
        if (!ConvertRow<Sample>(suite, host::kColorSpaceCMYK, host::kColorSpaceRGB, colors.data(), width)) continue;
        for (int32_t x = 0; x < width; ++x) {
            Sample* px = dst + int64_t{x} * l.planes;
            for (int c = 0; c < 3; ++c) px[c] = static_cast<Sample>(colors[x][c + 1]);
            px[3] = l.planes >= 5 ? src[int64_t{x} * l.planes + 4] : static_cast<Sample>(Full<Sample>::kValue);
        }
    }
}

template <class Sample, class Color>
void ConvertRgbToCmyk(const ColorSpaceSuite& suite, Sample* out, const Layout& l) {
    std::vector<Color> colors(static_cast<size_t>(gDriver.processWidth));
    for (int32_t y = 0; y < gDriver.processHeight; ++y) {
        Sample* row = out + y * l.outRowSamples;
        for (int32_t x = 0; x < gDriver.processWidth; ++x) {
            Sample* px = row + int64_t{x} * l.planes;
            if (l.planes > 4) px[4] = px[3];
            colors[x][0] = static_cast<Sample>(Full<Sample>::kValue);
            for (int c = 0; c < 3; ++c) colors[x][c + 1] = px[c];
        }
        if (!ConvertRow<Sample>(suite, host::kColorSpaceRGB, host::kColorSpaceCMYK, colors.data(),
                                gDriver.processWidth))
            continue;
        for (int32_t x = 0; x < gDriver.processWidth; ++x)
            for (int c = 0; c < 4; ++c) row[int64_t{x} * l.planes + c] = static_cast<Sample>(colors[x][c]);
    }
}

// Unselected pixels return to what they were; partly selected ones are mixed by the mask.
// `original` is the host's input whenever the output is back in the document's colour space,
// so CMYK pixels outside the selection come back exactly as they were.
template <class Sample>
void BlendWithSelection(const FilterRecord& record, const Sample* original, int64_t originalRowSamples,
                        int64_t originalOffset, Sample* out, const Layout& l) {
    const auto* mask = static_cast<const uint8_t*>(record.maskData);
    const int32_t planes = l.planes;
    for (int32_t y = 0; y < gDriver.processHeight; ++y) {
        const uint8_t* maskRow = mask + int64_t{gDriver.originY + y} * record.maskRowBytes + gDriver.originX;
        const Sample* src = original + originalOffset + y * originalRowSamples;
        Sample* dst = out + y * l.outRowSamples;
        for (int32_t x = 0; x < gDriver.processWidth; ++x) {
            const uint32_t m = maskRow[x];
            if (m == 255) continue;
            for (int32_t c = 0; c < planes; ++c) {
                const int64_t i = int64_t{x} * planes + c;
                if (m == 0) {
                    dst[i] = src[i];
                    continue;
                }
                const float f = static_cast<float>(m) / 255.0f;
                const float mixed = static_cast<float>(src[i]) * (1.0f - f) + static_cast<float>(dst[i]) * f;
                dst[i] = static_cast<Sample>(std::min(static_cast<uint32_t>(mixed), Full<Sample>::kValue));
            }
        }
    }
}

void ForwardProgress(void*, int64_t done, int64_t total) {
    ReportProgress(done, total);
}

// The host's buffers must hold every pixel we are going to touch; a host that says otherwise
// would have us read or write outside its memory.
bool BuffersCoverRegion(const FilterRecord& record, const Layout& l, int32_t bytesPerSample) {
    if (record.inData == nullptr || record.outData == nullptr) return false;
    const int64_t rowNeed = (int64_t{gDriver.originX} + gDriver.processWidth) * l.planes * bytesPerSample;
    const int64_t outNeed = int64_t{gDriver.processWidth} * l.planes * bytesPerSample;
    if (record.inRowBytes < rowNeed || record.outRowBytes < outNeed) return false;
    const Rect32 in = GetInRect(record);
    if (gDriver.originY + gDriver.processHeight > in.Height() && in.Height() > 0) return false;
    if (record.maskData != nullptr) {
        const Rect32 mask = GetMaskRect(record);
        if (record.maskRowBytes < int64_t{gDriver.originX} + gDriver.processWidth) return false;
        if (mask.Height() > 0 && gDriver.originY + gDriver.processHeight > mask.Height()) return false;
    }
    return true;
}

// Where the region's first pixel sits in the host's input.
int64_t SourceOffset(const Layout& l) {
    return gDriver.originY * l.inRowSamples + int64_t{gDriver.originX} * l.planes;
}

// Whether the renderer can read the host's input where it is instead of a copy: RGB pixels (CMYK ones
// are converted first), rows as long as the output's (the renderer steps through both alike), at
// most the five planes a copy would carry, and no overlap with the output it writes meanwhile.
template <class Sample>
bool ReadableInPlace(const Sample* in, const Sample* out, const Layout& l) {
    if (gDriver.cmykLayout || l.inRowSamples != l.outRowSamples || l.planes > 5) return false;
    const auto inFirst = reinterpret_cast<uintptr_t>(in + SourceOffset(l));
    const auto outFirst = reinterpret_cast<uintptr_t>(out);
    const auto bytes = static_cast<uintptr_t>(l.outRowSamples) * static_cast<uintptr_t>(gDriver.processHeight) *
                       sizeof(Sample);
    return inFirst + bytes <= outFirst || outFirst + bytes <= inFirst;
}

int32_t ClampOrigin(int32_t origin, int32_t outSize, int32_t regionSize) {
    if (origin >= outSize - regionSize) origin = outSize - regionSize - 1;
    return std::max(origin, 0);
}

void WorkOutRegion(const FilterRecord& record) {
    const Rect32 out = GetOutRect(record);
    const Rect32 filter = GetFilterRect(record);
    gDriver.outWidth = out.Width();
    gDriver.outHeight = out.Height();
    gDriver.filterWidth = filter.Width();
    gDriver.filterHeight = filter.Height();
    if (gPlugin.inDialog != 0 && gPlugin.dataBlock != nullptr) {
        int16_t* r = gPlugin.dataBlock->previewRect;
        int32_t width = r[3] - r[1];
        if (width % 4 != 0) {
            width += 4 - width % 4;
            r[3] = static_cast<int16_t>(r[1] + width);
        }
        gDriver.regionWidth = width;
        gDriver.regionHeight = r[2] - r[0];
        const FilterParameters& p = *gPlugin.parameters;
        gDriver.originX = ClampOrigin(p.previewX, gDriver.outWidth, gDriver.regionWidth);
        gDriver.originY = ClampOrigin(p.previewY, gDriver.outHeight, gDriver.regionHeight);
    } else {
        gDriver.regionWidth = gDriver.outWidth;
        gDriver.regionHeight = gDriver.outHeight;
        gDriver.originX = 0;
        gDriver.originY = 0;
    }
    gDriver.processWidth = std::max(0, std::min(gDriver.outWidth, gDriver.regionWidth));
    gDriver.processHeight = std::max(0, std::min(gDriver.outHeight, gDriver.regionHeight));
}

template <class Sample, class Color>
void RunFilterAt(FilterRecord& record, int16_t mode) {
    const Layout l{record.planes, record.inRowBytes / static_cast<int32_t>(sizeof(Sample)),
                   record.outRowBytes / static_cast<int32_t>(sizeof(Sample))};
    if (!BuffersCoverRegion(record, l, sizeof(Sample))) {
        SetResult(host::kFilterBadParameters);
        return;
    }
    if (gDriver.processWidth <= 0 || gDriver.processHeight <= 0) return;

    const auto* in = static_cast<const Sample*>(record.inData);
    auto* out = static_cast<Sample*>(record.outData);
    gDriver.cmykLayout = IsCmykMode(mode);
    const Sample* source = ReadableInPlace(in, out, l) ? in + SourceOffset(l) : nullptr;
    PageBlock copy(source != nullptr ? 0 : static_cast<size_t>(record.outRowBytes) *
                                               static_cast<size_t>(gDriver.processHeight));
    if (source == nullptr) {
        if (copy.Data() == nullptr) {
            SetResult(host::kMemFullErr);
            return;
        }
        auto* copied = static_cast<Sample*>(copy.Data());
        if (gDriver.cmykLayout) {
            ColorSpaceSuite suite(gPlugin.basicSuite);
            if (suite.Available()) CopyCmykSource<Sample, Color>(suite, in, copied, l);
        } else {
            CopyRgbSource(in, copied, l);
        }
        source = copied;
    }

    render::RenderJob job;
    job.output = out;
    job.source = source;
    job.width = gDriver.processWidth;
    job.height = gDriver.processHeight;
    job.rowSamples = l.outRowSamples;
    job.planes = l.planes;
    job.depth = gDriver.depth;
    job.cmykLayout = gDriver.cmykLayout;
    job.originX = gDriver.originX;
    job.originY = gDriver.originY;
    job.filterWidth = gDriver.filterWidth;
    job.filterHeight = gDriver.filterHeight;
    if (record.maskData != nullptr) {
        job.mask = static_cast<const uint8_t*>(record.maskData);
        job.maskRowBytes = record.maskRowBytes;
    }
    job.preview = gPlugin.inDialog != 0;
    job.progress = ForwardProgress;
    const render::RenderStatus status = render::RenderEngraving(OptionsFromParameters(*gPlugin.parameters), job);
    if (status == render::RenderStatus::kOutOfMemory) {
        SetResult(host::kMemFullErr);
        return;
    }
    if (status != render::RenderStatus::kOk) {
        SetResult(host::kFilterBadParameters);
        return;
    }

    bool backInDocumentSpace = !gDriver.cmykLayout;
    if (gDriver.cmykLayout && gPlugin.inDialog == 0) {
        ColorSpaceSuite suite(gPlugin.basicSuite);
        if (suite.Available()) {
            ConvertRgbToCmyk<Sample, Color>(suite, out, l);
            backInDocumentSpace = true;
        }
    }
    if (record.maskData != nullptr) {
        if (backInDocumentSpace)
            BlendWithSelection(record, in, l.inRowSamples,
                               gDriver.originY * l.inRowSamples + int64_t{gDriver.originX} * l.planes, out, l);
        else
            BlendWithSelection(record, source, l.outRowSamples, 0, out, l);
    }
}

}  // namespace

bool IsSupportedImageMode(int16_t mode) {
    return mode == host::kModeRGB || mode == host::kModeRGB48 || IsCmykMode(mode);
}

void ReportProgress(int64_t done, int64_t total) {
    const auto doneClamped = static_cast<int32_t>(std::clamp<int64_t>(done, 0, INT32_MAX));
    const auto totalClamped = static_cast<int32_t>(std::clamp<int64_t>(total, 0, INT32_MAX));
    if (gPlugin.inDialog != 0) {
        ShowDialogProgress(gPlugin.progressWindow, doneClamped, totalClamped);
        return;
    }
    FilterRecord* record = CurrentRecord();
    if (record != nullptr && record->progressProc != nullptr) record->progressProc(doneClamped, totalClamped);
}

int16_t RequestWholeImage() {
    FilterRecord* record = CurrentRecord();
    const Rect32 filter = GetFilterRect(*record);
    SetInRect(*record, filter);
    SetOutRect(*record, filter);
    SetMaskRect(*record, filter);
    record->inLoPlane = record->outLoPlane = 0;
    record->inHiPlane = record->outHiPlane = static_cast<int16_t>(record->planes - 1);
    record->inputRate = record->maskRate = host::kFixedOne;
    record->inputPadding = record->outputPadding = record->maskPadding = 255;
    if (record->advanceState == nullptr) return host::kFilterBadParameters;
    return record->advanceState();
}

void RunFilter() {
    FilterRecord* record = CurrentRecord();
    if (record == nullptr || gPlugin.parameters == nullptr) {
        SetResult(host::kFilterBadParameters);
        return;
    }
    gPlugin.parameters->ranOnce = 1;

    if (record->planes < 3)
        platform::ShowMessage("There are less than 3 layers", "WARNING", platform::MessageIcon::kWarning);

    WorkOutRegion(*record);

    const int16_t mode = record->imageMode;
    if (!IsSupportedImageMode(mode)) {
        platform::ShowMessage("This Mode is Not Supported by the Plug-in", "", platform::MessageIcon::kWarning);
        SetResult(host::kUserCanceledErr);
        return;
    }
    // Some hosts leave depth at 0; the 16-bit modes tell us the sample size all the same.
    const bool sixteenBit = record->depth == 16 || mode == host::kModeRGB48 || mode == host::kModeCMYK64;
    gDriver.depth = sixteenBit ? 16 : 8;

    if (sixteenBit)
        RunFilterAt<uint16_t, host::Color16>(*record, mode);
    else
        RunFilterAt<uint8_t, host::Color8>(*record, mode);
    ReportProgress(0, 100);
}
