// The emulator's image plumbing, driven by a scripted stand-in for a plug-in: what each advance
// call delivers (areas, planes, padded rows), and how output reaches the document.
#include "emulator/EmulatedHost.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

using emulator::EmulatedHost;
using emulator::HostImage;
using testing_support::MakePicture;

namespace {

constexpr uint8_t kPadding = 0xCD;

struct Request {
    host::Rect area;  // in, out and mask alike
    int16_t lo = 0, hi = 0;
};

// What the stand-in asks for from start on, one request a call, and what it does with each
// delivery (the step is the request's index). A continue result other than 0 ends the run.
struct Script {
    std::vector<Request> requests;
    std::function<int16_t(host::FilterRecord&, size_t step)> onDelivery;
    size_t next = 0;
};
Script* gScript = nullptr;

void ScriptedPlugin(int16_t selector, void* block, intptr_t*, int16_t* result) {
    *result = 0;
    if (selector == host::kSelectorAbout) return;
    auto& r = *static_cast<host::FilterRecord*>(block);
    if (selector == host::kSelectorContinue && gScript->onDelivery) *result = gScript->onDelivery(r, gScript->next - 1);
    if (*result != 0 || (selector != host::kSelectorStart && selector != host::kSelectorContinue)) return;
    if (gScript->next < gScript->requests.size()) {
        const Request& q = gScript->requests[gScript->next++];
        r.inRect = r.outRect = r.maskRect = q.area;
        r.inLoPlane = r.outLoPlane = q.lo;
        r.inHiPlane = r.outHiPlane = q.hi;
    } else {
        r.inRect = r.outRect = r.maskRect = host::Rect{};
    }
}

// Runs the script on its own host; the host stays for the caller to inspect.
class ScriptedRun {
public:
    explicit ScriptedRun(HostImage image) : host(ScriptedPlugin) {
        gScript = &script;
        host.SetImage(std::move(image));
    }
    ~ScriptedRun() { gScript = nullptr; }
    int16_t Run() {
        script.next = 0;
        return host.RunFilter();
    }
    Script script;
    EmulatedHost host;
};

int32_t PixelBytes(const HostImage& image, const Request& q) {
    return (q.area.right - q.area.left) * (q.hi - q.lo + 1) * image.BytesPerSample();
}

uint32_t BufferSample(const HostImage& image, const void* data, int32_t rowBytes, const Request& q, int32_t x,
                      int32_t y, int32_t plane) {
    const int32_t planes = q.hi - q.lo + 1;
    const int32_t bps = image.BytesPerSample();
    const auto* p = static_cast<const uint8_t*>(data) + int64_t{y - q.area.top} * rowBytes +
                    (int64_t{x - q.area.left} * planes + (plane - q.lo)) * bps;
    if (bps == 1) return *p;
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// The buffer holds exactly the requested area and planes of `image`, each row then padding.
void ExpectDelivered(const HostImage& image, const void* data, int32_t rowBytes, const Request& q, int32_t padding) {
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(rowBytes, PixelBytes(image, q) + padding);
    for (int32_t y = q.area.top; y < q.area.bottom; ++y) {
        for (int32_t x = q.area.left; x < q.area.right; ++x)
            for (int32_t c = q.lo; c <= q.hi; ++c)
                ASSERT_EQ(BufferSample(image, data, rowBytes, q, x, y, c), image.Sample(x, y, c))
                    << "x " << x << " y " << y << " plane " << c;
        const auto* row = static_cast<const uint8_t*>(data) + int64_t{y - q.area.top} * rowBytes;
        for (int32_t i = PixelBytes(image, q); i < rowBytes; ++i) ASSERT_EQ(row[i], kPadding) << "row " << y;
    }
}

void ExpectMaskDelivered(const host::FilterRecord& r, const std::vector<uint8_t>& selection, int32_t width,
                         const Request& q) {
    const void* maskData = r.maskData;  // the record is packed: read the pointer, do not bind to it
    ASSERT_NE(maskData, nullptr);
    const int32_t areaWidth = q.area.right - q.area.left;
    ASSERT_EQ(r.maskRowBytes, areaWidth + 12);
    for (int32_t y = q.area.top; y < q.area.bottom; ++y) {
        const auto* row = static_cast<const uint8_t*>(r.maskData) + int64_t{y - q.area.top} * r.maskRowBytes;
        for (int32_t x = 0; x < areaWidth; ++x)
            ASSERT_EQ(row[x], selection[static_cast<size_t>(y) * width + q.area.left + x]);
        for (int32_t i = areaWidth; i < r.maskRowBytes; ++i) ASSERT_EQ(row[i], kPadding);
    }
}

// What the stand-in writes at step `step`: made of the step, position and plane.
uint16_t Written(size_t step, int32_t x, int32_t y, int32_t plane) {
    return static_cast<uint16_t>((step * 53 + static_cast<size_t>(x * 7 + y * 3 + plane)) % 251);
}

void WriteOutput(const HostImage& image, host::FilterRecord& r, const Request& q, size_t step) {
    const int32_t bps = image.BytesPerSample();
    const int32_t planes = q.hi - q.lo + 1;
    for (int32_t y = q.area.top; y < q.area.bottom; ++y)
        for (int32_t x = q.area.left; x < q.area.right; ++x)
            for (int32_t c = q.lo; c <= q.hi; ++c) {
                auto* p = static_cast<uint8_t*>(r.outData) + int64_t{y - q.area.top} * r.outRowBytes +
                          (int64_t{x - q.area.left} * planes + (c - q.lo)) * bps;
                const uint16_t v = Written(step, x, y, c);
                if (bps == 1)
                    *p = static_cast<uint8_t>(v);
                else
                    std::memcpy(p, &v, sizeof v);
            }
}

void Apply(HostImage& image, const Request& q, size_t step) {
    for (int32_t y = q.area.top; y < q.area.bottom; ++y)
        for (int32_t x = q.area.left; x < q.area.right; ++x)
            for (int32_t c = q.lo; c <= q.hi; ++c) image.SetSample(x, y, c, Written(step, x, y, c));
}

void Scribble(void* data, int32_t rowBytes, int32_t pixelBytes, int32_t rows) {
    for (int32_t y = 0; y < rows; ++y)
        std::memset(static_cast<uint8_t*>(data) + int64_t{y} * rowBytes + pixelBytes, 0, rowBytes - pixelBytes);
}

}  // namespace

TEST(EmulatedHost, DeliversTheAskedAreaAndPlanesInPaddedRowsApartFromEachOther) {
    for (const int32_t depth : {8, 16}) {
        const HostImage picture = MakePicture(9, 7, 4, depth, depth == 16 ? host::kModeRGB48 : host::kModeRGB);
        ScriptedRun run(picture);
        std::vector<uint8_t> selection(9 * 7);
        for (size_t i = 0; i < selection.size(); ++i) selection[i] = static_cast<uint8_t>(i * 37);
        run.host.SetSelection(selection);
        // The whole image, a part of it with inner planes, then one edge column with the last plane.
        run.script.requests = {
            {host::Rect{0, 0, 7, 9}, 0, 3}, {host::Rect{2, 1, 6, 5}, 1, 2}, {host::Rect{0, 8, 7, 9}, 3, 3}};
        run.script.onDelivery = [&](host::FilterRecord& r, size_t step) -> int16_t {
            const Request& q = run.script.requests[step];
            ExpectDelivered(picture, r.inData, r.inRowBytes, q, 12);
            ExpectDelivered(picture, r.outData, r.outRowBytes, q, 12);
            ExpectMaskDelivered(r, selection, 9, q);
            // Writing the output must not change the input the plug-in may still read.
            std::memset(r.outData, 0x5A, static_cast<size_t>(r.outRowBytes) * (q.area.bottom - q.area.top));
            ExpectDelivered(picture, r.inData, r.inRowBytes, q, 12);
            std::memcpy(r.outData, r.inData, static_cast<size_t>(r.inRowBytes) * (q.area.bottom - q.area.top));
            return 0;
        };
        ASSERT_EQ(run.Run(), 0);
        EXPECT_EQ(run.script.next, 3u);
        EXPECT_EQ(run.host.Image().samples, picture.samples);
    }
}

TEST(EmulatedHost, PaddingIsRestoredOnEveryCallEvenWhenThePluginWroteIntoIt) {
    const HostImage picture = MakePicture(8, 6, 3, 8, host::kModeRGB);
    ScriptedRun run(picture);
    std::vector<uint8_t> selection(8 * 6, 200);
    run.host.SetSelection(selection);
    // The same size each time, so a host may hand the same memory back.
    const Request q{host::Rect{1, 1, 5, 7}, 0, 2};
    run.script.requests = {q, q, q};
    run.script.onDelivery = [&](host::FilterRecord& r, size_t) -> int16_t {
        ExpectDelivered(picture, r.inData, r.inRowBytes, q, 12);
        ExpectDelivered(picture, r.outData, r.outRowBytes, q, 12);
        ExpectMaskDelivered(r, selection, 8, q);
        const int32_t rows = q.area.bottom - q.area.top;
        Scribble(r.inData, r.inRowBytes, PixelBytes(picture, q), rows);
        Scribble(r.outData, r.outRowBytes, PixelBytes(picture, q), rows);
        Scribble(r.maskData, r.maskRowBytes, q.area.right - q.area.left, rows);
        return 0;
    };
    ASSERT_EQ(run.Run(), 0);
    EXPECT_EQ(run.script.next, 3u);

    emulator::HostOptions unpadded;
    unpadded.rowPadding = 0;
    EmulatedHost tight(ScriptedPlugin, unpadded);
    Script script;
    script.requests = {q};
    script.onDelivery = [&](host::FilterRecord& r, size_t) -> int16_t {
        ExpectDelivered(picture, r.inData, r.inRowBytes, q, 0);
        ExpectDelivered(picture, r.outData, r.outRowBytes, q, 0);
        return 0;
    };
    gScript = &script;
    tight.SetImage(picture);
    ASSERT_EQ(tight.RunFilter(), 0);
    gScript = &run.script;
}

TEST(EmulatedHost, EachCallSeesEarlierOutputAndTheDocumentTakesItAllOnSuccess) {
    struct Case {
        const char* name;
        std::vector<Request> requests;
    };
    const std::vector<Case> cases = {
        {"whole image first", {{host::Rect{0, 0, 6, 10}, 0, 2}, {host::Rect{1, 2, 4, 7}, 1, 1}}},
        {"part first", {{host::Rect{1, 2, 4, 7}, 0, 2}, {host::Rect{0, 0, 6, 10}, 2, 2}}},
        {"planes first", {{host::Rect{0, 0, 6, 10}, 1, 2}, {host::Rect{0, 0, 6, 10}, 0, 0}}},
        // Handed over again as they are: the input still the document, the output what was written.
        {"same area twice", {{host::Rect{1, 2, 4, 7}, 0, 2}, {host::Rect{1, 2, 4, 7}, 0, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HostImage picture = MakePicture(10, 6, 3, 16, host::kModeRGB48);
        ScriptedRun run(picture);
        run.script.requests = c.requests;
        HostImage expected = picture;
        run.script.onDelivery = [&](host::FilterRecord& r, size_t step) -> int16_t {
            const Request& q = run.script.requests[step];
            ExpectDelivered(picture, r.inData, r.inRowBytes, q, 12);
            ExpectDelivered(expected, r.outData, r.outRowBytes, q, 12);
            WriteOutput(picture, r, q, step);
            Apply(expected, q, step);
            return 0;
        };
        ASSERT_EQ(run.Run(), 0);
        EXPECT_EQ(run.host.Image().samples, expected.samples);

        // A second run on the same host starts from the first one's result.
        const HostImage first = expected;
        run.script.onDelivery = [&](host::FilterRecord& r, size_t step) -> int16_t {
            const Request& q = run.script.requests[step];
            ExpectDelivered(first, r.inData, r.inRowBytes, q, 12);
            ExpectDelivered(expected, r.outData, r.outRowBytes, q, 12);
            WriteOutput(picture, r, q, step + 2);
            Apply(expected, q, step + 2);
            return 0;
        };
        ASSERT_EQ(run.Run(), 0);
        EXPECT_EQ(run.host.Image().samples, expected.samples);
    }
}

TEST(EmulatedHost, FailedRunLeavesTheDocumentAsItWasAndTheNextRunStartsFromIt) {
    const HostImage picture = MakePicture(7, 5, 3, 8, host::kModeRGB);
    ScriptedRun run(picture);
    const Request whole{host::Rect{0, 0, 5, 7}, 0, 2};
    run.script.requests = {whole, whole};
    constexpr int16_t kFailure = -108;
    run.script.onDelivery = [&](host::FilterRecord& r, size_t step) -> int16_t {
        WriteOutput(picture, r, whole, step);
        return step == 1 ? kFailure : 0;
    };
    EXPECT_EQ(run.Run(), kFailure);
    EXPECT_EQ(run.host.Image().samples, picture.samples);

    run.script.onDelivery = [&](host::FilterRecord& r, size_t) -> int16_t {
        ExpectDelivered(picture, r.outData, r.outRowBytes, whole, 12);
        return 0;
    };
    EXPECT_EQ(run.Run(), 0);
    EXPECT_EQ(run.host.Image().samples, picture.samples);
}

// Output in place: every-plane parts are written straight into the image under work (which
// starts as the document), other parts still through a buffer; a failed run keeps the document.
TEST(EmulatedHost, OutputInPlaceLandsWhereItStaysAndAFailureKeepsTheDocument) {
    const HostImage picture = MakePicture(9, 7, 4, 8, host::kModeRGB);
    emulator::HostOptions options;
    options.inputInPlace = options.outputInPlace = true;
    options.rowPadding = 0;
    EmulatedHost host(ScriptedPlugin, options);
    host.SetImage(picture);
    Script script;
    script.requests = {{host::Rect{2, 1, 6, 5}, 0, 3}, {host::Rect{0, 3, 7, 9}, 1, 2}, {host::Rect{1, 0, 3, 9}, 0, 3}};
    const int32_t documentRowBytes = 9 * 4;
    int16_t failAt = -1;
    script.onDelivery = [&](host::FilterRecord& r, size_t step) -> int16_t {
        const Request& q = script.requests[step];
        if (q.lo == 0 && q.hi == 3) {
            EXPECT_EQ(r.outRowBytes, documentRowBytes);
        }
        HostImage sofar = picture;
        for (size_t done = 0; done < step; ++done) Apply(sofar, script.requests[done], done);
        for (int32_t y = q.area.top; y < q.area.bottom; ++y)
            for (int32_t x = q.area.left; x < q.area.right; ++x)
                for (int32_t c = q.lo; c <= q.hi; ++c)
                    EXPECT_EQ(BufferSample(sofar, r.outData, r.outRowBytes, q, x, y, c), sofar.Sample(x, y, c));
        WriteOutput(picture, r, q, step);
        return static_cast<int16_t>(step) == failAt ? -108 : 0;
    };
    gScript = &script;
    ASSERT_EQ(host.RunFilter(), 0);
    HostImage expected = picture;
    for (size_t step = 0; step < script.requests.size(); ++step) Apply(expected, script.requests[step], step);
    EXPECT_EQ(host.Image().samples, expected.samples);

    host.SetImage(picture);
    script.next = 0;
    failAt = 1;
    EXPECT_EQ(host.RunFilter(), -108);
    gScript = nullptr;
    EXPECT_EQ(host.Image().samples, picture.samples);
}

TEST(EmulatedHost, InputInPlaceIsTheDocumentItselfAndStillApartFromTheOutput) {
    const HostImage picture = MakePicture(9, 7, 4, 16, host::kModeRGB48);
    emulator::HostOptions options;
    options.inputInPlace = true;
    options.rowPadding = 0;
    EmulatedHost host(ScriptedPlugin, options);
    host.SetImage(picture);
    Script script;
    // A part with every plane is read where it lies; one with some planes still comes in a copy.
    script.requests = {{host::Rect{2, 1, 6, 5}, 0, 3}, {host::Rect{0, 0, 7, 9}, 1, 2}};
    const int32_t documentRowBytes = 9 * 4 * 2;
    script.onDelivery = [&](host::FilterRecord& r, size_t step) -> int16_t {
        const Request& q = script.requests[step];
        if (step == 0) {
            EXPECT_EQ(r.inRowBytes, documentRowBytes);
            if (r.inRowBytes != documentRowBytes) return 1;
            const Request whole{host::Rect{0, 0, 7, 9}, 0, 3};
            // Step back to the document's first pixel: the input is the document, row for row.
            const auto* origin = static_cast<const uint8_t*>(r.inData) - 2 * documentRowBytes - 1 * 4 * 2;
            ExpectDelivered(picture, origin, documentRowBytes, whole, 0);
        } else {
            ExpectDelivered(picture, r.inData, r.inRowBytes, q, 0);
        }
        std::memset(r.outData, 0x5A, static_cast<size_t>(r.outRowBytes) * (q.area.bottom - q.area.top));
        EXPECT_EQ(host.Image().samples, picture.samples) << "writing the output changed the input";
        WriteOutput(picture, r, q, step);
        return 0;
    };
    gScript = &script;
    ASSERT_EQ(host.RunFilter(), 0);
    gScript = nullptr;
    HostImage expected = picture;
    for (size_t step = 0; step < script.requests.size(); ++step) Apply(expected, script.requests[step], step);
    EXPECT_EQ(host.Image().samples, expected.samples);
}
