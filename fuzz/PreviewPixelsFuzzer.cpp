// The dialog views' pixel rules on arbitrary buffers: any sample values, depths, plane counts,
// view and image sizes, pans and masks must stay inside the buffers they were given.
#include "fuzz/FuzzInput.h"
#include "render/PreviewPixels.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using fuzz::Reader;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    render::PixelSource source;
    source.width = 1 + in.Small(300);
    source.height = 1 + in.Small(300);
    source.planes = 1 + in.Small(5);
    source.depth = (in.Byte() & 1) != 0 ? 16 : 8;
    const int64_t sampleBytes = source.depth / 8;
    source.rowBytes = int64_t{source.width} * source.planes * sampleBytes + in.Small(8);
    std::vector<uint8_t> samples(static_cast<size_t>(source.rowBytes) * source.height);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = in.Byte() ^ static_cast<uint8_t>(i * 131);
    source.data = samples.data();
    std::vector<uint8_t> mask(static_cast<size_t>(source.width) * source.height);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = static_cast<uint8_t>(i * 7) & in.Byte();
    const bool checker = (in.Byte() & 1) != 0;
    const int32_t viewWidth = in.Small(400), viewHeight = in.Small(400);

    const render::ViewPlacement navigator = render::PlaceNavigator(viewWidth, viewHeight, source.width, source.height);
    std::vector<uint8_t> bgr(render::BitmapBytes(navigator));
    render::FillNavigatorPixels(source, (in.Byte() & 1) != 0 ? mask.data() : nullptr, source.width, navigator, checker,
                                bgr.data());

    const render::ViewPlacement result = render::PlaceResult(viewWidth, viewHeight, source.width, source.height);
    const int32_t panX = render::LimitPan(in.Small(600) - 300, source.width, result.imageWidth);
    const int32_t panY = render::LimitPan(in.Small(600) - 300, source.height, result.imageHeight);
    std::vector<uint8_t> shown(render::BitmapBytes(result));
    render::FillResultPixels(source, result, panX, panY, checker, shown.data());
    return 0;
}
