#include "render/Composition.h"

#include <algorithm>

namespace render {
namespace {

// 32768 / 255 rounded to single precision; 17 x 15 x it lands exactly on 32768.
constexpr float kScale8To16 = 128.50197f;

template <class Sample>
Sample Scaled(Sample value, float factor) {
    return static_cast<Sample>(static_cast<float>(value) * factor);
}

template <class Sample>
Sample AsSample(uint32_t value) {
    return static_cast<Sample>(value);
}

// Composes the pixel over black and makes it opaque.
template <class Sample>
void Flatten(Sample* o) {
    const float factor = AmountFactor<Sample>(o[3]);
    o[3] = AsSample<Sample>(FullValue<Sample>());
    for (int c = 0; c < 3; ++c) o[c] = Scaled(o[c], factor);
}

template <class Sample>
void FinishOpacity(const RenderSettings& settings, const CompositionTarget<Sample>& target, Sample* o) {
    const int planes = target.output.planes;
    if (target.cmykLayout) {
        // The back-conversion to CMYK takes the opacity from channel 4.
        if (planes == 5) {
            if (!settings.fillAlpha) {
                o[4] = o[3];
                return;
            }
            o[4] = AsSample<Sample>(FullValue<Sample>());
            Flatten(o);
        } else if (planes == 4) {
            Flatten(o);
        }
    } else if (settings.fillAlpha && planes >= 4) {
        Flatten(o);
    }
}

}  // namespace

uint32_t LevelAmount8(int level) {
    return static_cast<uint32_t>(17 * level);
}
uint32_t LevelAmount16(int level) {
    return static_cast<uint32_t>(static_cast<float>(17 * level) * kScale8To16);
}

template <class Sample>
void FillOutputBackground(const RenderSettings& settings, const CompositionTarget<Sample>& target, int64_t firstRow,
                          int64_t endRow) {
    const auto& out = target.output;
    const auto& src = target.source;
    const Sample full = AsSample<Sample>(FullValue<Sample>());
    const int planes = out.planes;
    const int64_t width = out.width;
    for (int64_t y = firstRow; y < endRow; ++y) {
        Sample* o = out.Pixel(0, y);
        const Sample* s = src.Pixel(0, y);
        if (settings.invert) {
            if (!settings.solidInk || (!settings.fillAlpha && !target.cmykLayout)) {
                std::fill(o, o + width * planes, Sample{0});
            } else {
                for (int64_t x = 0; x < width; ++x, o += planes, s += planes) {
                    std::fill(o, o + 3, Sample{0});
                    if (settings.fillAlpha) {
                        if (planes >= 4) o[3] = full;
                        if (target.cmykLayout && planes == 5) o[4] = s[4];
                    } else {
                        if (planes == 4) o[3] = full;
                        if (planes == 5) {
                            o[3] = 0;
                            o[4] = s[4];
                        }
                    }
                }
            }
        } else if (settings.schema != ColorSchema::kInitialColor) {
            if (planes == 3) {
                std::fill(o, o + width * 3, full);
            } else {
                for (int64_t x = 0; x < width; ++x, o += planes, s += planes) {
                    std::fill(o, o + 3, full);
                    o[3] = s[3];
                }
            }
        } else {
            std::copy(s, s + width * planes, o);
        }
    }
}

template <class Sample>
void ComposePixel(const RenderSettings& settings, const CompositionTarget<Sample>& target, int64_t x, int64_t y,
                  int coverage, int pass) {
    Sample* o = target.output.Pixel(x, y);
    const Sample* s = target.source.Pixel(x, y);
    const bool hasOpacity = target.output.planes >= 4;
    const int level = settings.invert ? coverage : 15 - coverage;
    const uint32_t amount = LevelAmount<Sample>(level);
    const Sample a = AsSample<Sample>(amount);
    const float f = AmountFactor<Sample>(amount);
    if (settings.invert) {
        switch (settings.schema) {
            case ColorSchema::kInitialColor:
                if (!hasOpacity) {
                    for (int c = 0; c < 3; ++c) o[c] = Scaled(s[c], f);
                } else {
                    std::copy(s, s + 3, o);
                    o[3] = std::min(a, s[3]);
                }
                break;
            case ColorSchema::kSplitColor:
                o[pass] = a;
                if (hasOpacity) o[3] = std::min(s[3], std::max(o[3], a));
                break;
            case ColorSchema::kBlackAndWhite:
                if (!hasOpacity) {
                    std::fill(o, o + 3, a);
                } else {
                    std::fill(o, o + 3, AsSample<Sample>(FullValue<Sample>()));
                    o[3] = std::min(s[3], a);
                }
                break;
        }
    } else if (settings.schema != ColorSchema::kSplitColor) {
        if (!hasOpacity) {
            for (int c = 0; c < 3; ++c) o[c] = Scaled(o[c], f);
        } else {
            o[3] = std::min(o[3], a);
        }
    } else if (!hasOpacity) {
        o[pass] = Scaled(o[pass], f);
    } else {
        o[pass] = a;
        o[3] = std::min(s[3], *std::max_element(o, o + pass + 1));
    }
    FinishOpacity(settings, target, o);
}

template <class Sample>
void ComposeCoverage(const RenderSettings& settings, const CoverageBuffer& coverage,
                     const CompositionTarget<Sample>& target, int pass) {
    const int64_t width = target.output.width;
    for (int64_t y = 0; y < target.output.height; ++y) {
        const uint8_t* row = coverage.levels.data() + y * coverage.rowBytes;
        for (int64_t x = 0; x < width; ++x) {
            const uint8_t byte = row[x >> 1];
            ComposePixel(settings, target, x, y, (x & 1) ? byte >> 4 : byte & 15, pass);
        }
    }
}

template <class Sample>
void PaintPixel(const RenderSettings& settings, const CompositionTarget<Sample>& target, int64_t x, int64_t y,
                int pass) {
    const auto& out = target.output;
    if (x < 0 || y < 0 || x >= out.width || y >= out.height) return;
    Sample* o = out.Pixel(x, y);
    const Sample* s = target.source.Pixel(x, y);
    const int planes = out.planes;
    const Sample full = AsSample<Sample>(FullValue<Sample>());
    if (settings.invert) {
        switch (settings.schema) {
            case ColorSchema::kInitialColor:
                std::copy(s, s + planes, o);
                break;
            case ColorSchema::kSplitColor:
                o[pass] = full;
                if (planes >= 4) o[3] = s[3];
                if (planes == 5) o[4] = s[4];
                break;
            case ColorSchema::kBlackAndWhite:
                std::fill(o, o + planes, full);
                break;
        }
    } else if (settings.schema != ColorSchema::kSplitColor) {
        std::fill(o, o + 3, Sample{0});
        if (planes >= 4) o[3] = 0;
    } else {
        o[pass] = 0;
        if (planes >= 4) o[3] = pass == 0 ? Sample{0} : pass == 1 ? o[0] : std::max(o[0], o[1]);
    }
    if (target.cmykLayout) {
        if (planes == 5 && settings.fillAlpha && o[3] != full) {
            o[3] = full;
            o[4] = full;
        } else if (planes == 4) {
            o[3] = full;
        }
    } else if (settings.fillAlpha && planes >= 4) {
        o[3] = full;
    }
}

template <class Sample>
RowComposer<Sample>::RowComposer(const RenderSettings& composeSettings, const CompositionTarget<Sample>& composeTarget)
    : settings(composeSettings), target(composeTarget) {
    for (int c = 0; c < 16; ++c) {
        const int level = settings.invert ? c : 15 - c;
        const uint32_t amount = LevelAmount<Sample>(std::min(level, 15));
        amounts[c] = AsSample<Sample>(amount);
        factors[c] = AmountFactor<Sample>(amount);
    }
    if (sizeof(Sample) == 1) {
        scaled8.resize(16 * 256);
        for (int c = 0; c < 16; ++c)
            for (int v = 0; v < 256; ++v)
                scaled8[static_cast<size_t>(c * 256 + v)] = static_cast<uint8_t>(static_cast<float>(v) * factors[c]);
    }
}

template <class Sample>
void RowComposer<Sample>::ComposeRow(const uint8_t* levels, int64_t y, int pass) const {
    const int64_t width = target.output.width;
    if (target.output.planes != 3) {
        for (int64_t x = 0; x < width; ++x) {
            const uint8_t byte = levels[x >> 1];
            ComposePixel(settings, target, x, y, (x & 1) ? byte >> 4 : byte & 15, pass);
        }
        return;
    }
    // Without opacity nothing is finished after composing, so each case is one table lookup or
    // one product per sample.
    Sample* o = target.output.Pixel(0, y);
    const Sample* s = target.source.Pixel(0, y);
    const auto scale = [this](Sample value, int coverage) -> Sample {
        if (sizeof(Sample) == 1) return static_cast<Sample>(scaled8[static_cast<size_t>(coverage * 256 + value)]);
        return Scaled(value, factors[coverage]);
    };
    const auto forEachPixel = [&](auto&& compose) {
        for (int64_t x = 0; x < width; ++x, o += 3, s += 3) {
            const uint8_t byte = levels[x >> 1];
            compose((x & 1) ? byte >> 4 : byte & 15);
        }
    };
    const bool split = settings.schema == ColorSchema::kSplitColor;
    if (settings.invert) {
        if (settings.schema == ColorSchema::kInitialColor) {
            forEachPixel([&](int c) {
                o[0] = scale(s[0], c);
                o[1] = scale(s[1], c);
                o[2] = scale(s[2], c);
            });
        } else if (split) {
            forEachPixel([&](int c) { o[pass] = amounts[c]; });
        } else {
            forEachPixel([&](int c) { o[0] = o[1] = o[2] = amounts[c]; });
        }
    } else if (split) {
        forEachPixel([&](int c) { o[pass] = scale(o[pass], c); });
    } else if (settings.schema == ColorSchema::kBlackAndWhite) {
        // One pass over the white paper the background laid: the result depends on the coverage only.
        Sample paper[16];
        for (int c = 0; c < 16; ++c) paper[c] = scale(AsSample<Sample>(FullValue<Sample>()), c);
        forEachPixel([&](int c) { o[0] = o[1] = o[2] = paper[c]; });
    } else {
        forEachPixel([&](int c) {
            o[0] = scale(o[0], c);
            o[1] = scale(o[1], c);
            o[2] = scale(o[2], c);
        });
    }
}

template class RowComposer<uint8_t>;
template class RowComposer<uint16_t>;
template void FillOutputBackground<uint8_t>(const RenderSettings&, const CompositionTarget<uint8_t>&, int64_t, int64_t);
template void ComposePixel<uint8_t>(const RenderSettings&, const CompositionTarget<uint8_t>&, int64_t, int64_t, int,
                                    int);
template void ComposeCoverage<uint8_t>(const RenderSettings&, const CoverageBuffer&, const CompositionTarget<uint8_t>&,
                                       int);
template void PaintPixel<uint8_t>(const RenderSettings&, const CompositionTarget<uint8_t>&, int64_t, int64_t, int);
template void FillOutputBackground<uint16_t>(const RenderSettings&, const CompositionTarget<uint16_t>&, int64_t,
                                             int64_t);
template void ComposePixel<uint16_t>(const RenderSettings&, const CompositionTarget<uint16_t>&, int64_t, int64_t, int,
                                     int);
template void ComposeCoverage<uint16_t>(const RenderSettings&, const CoverageBuffer&,
                                        const CompositionTarget<uint16_t>&, int);
template void PaintPixel<uint16_t>(const RenderSettings&, const CompositionTarget<uint16_t>&, int64_t, int64_t, int);

}  // namespace render
