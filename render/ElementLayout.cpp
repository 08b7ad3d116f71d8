#include "render/ElementLayout.h"

#include "render/FloatAccumulator.h"
#include "render/RandomGenerator.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace render {
namespace {

float PassMultiplier(const RenderSettings& s, int pass) {
    return s.schema == ColorSchema::kSplitColor ? static_cast<float>(pass) : 1.0f;
}

// Samples of a line: the first k with k x increment >= walked, as the walk compares it in floats.
int64_t LineSampleCount(float walked, float increment) {
    if (!(walked > 0.0f) || !(increment > 0.0f)) return 0;
    const double estimate = std::ceil(static_cast<double>(walked) / static_cast<double>(increment));
    int64_t k = static_cast<int64_t>(std::min(estimate, 4.0e15));
    while (k > 0 && !(static_cast<float>(k - 1) * increment < walked)) --k;
    while (static_cast<float>(k) * increment < walked) ++k;
    return k;
}

void AddLine(const RenderSettings& s, ElementLayout& layout, int pass, float p0x, float p0y, float p1x, float p1y) {
    Element e;
    e.pass = pass;
    e.p0x = p0x;
    e.p0y = p0y;
    const float dx = p1x - p0x;
    const float dy = p1y - p0y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.0f)) return;
    const float walked = layout.denseSampling ? length * s.relief / 15.0f : length;
    e.stepX = dx / walked;
    e.stepY = dy / walked;
    float increment = 1.0f;
    if (s.useCircles) {
        if (!(s.elementBase > 0.0f)) return;  // dots of non-positive width have no pitch to walk at
        e.stepX *= layout.dotPitch;
        e.stepY *= layout.dotPitch;
        increment = layout.dotPitch;
    }
    e.samples = LineSampleCount(walked, increment);
    e.drawn = e.samples;
    if (e.samples > 0) layout.elements.push_back(e);
}

void AddRing(const RenderSettings& s, ElementLayout& layout, int pass, float radius, bool spiral, int subtype) {
    if (!(radius > 0.0f)) return;
    const float walked = layout.denseSampling ? radius * s.relief / 15.0f : radius;
    float delta = 1.0f / walked;
    if (subtype != 0 && s.amplitude > 1.0f) delta = s.amplitude < 4.0f ? delta / s.amplitude : delta * 0.25f;
    if (s.useCircles) delta *= s.elementBase > 0.0f ? layout.dotPitch : s.elementBase;
    if (!(delta > 0.0f)) return;
    FloatAccumulator alpha;
    const int64_t bound = RingStepBound(delta);
    int64_t samples = 0;
    if (alpha.Build(0.0f, delta, bound)) {
        samples = std::min(alpha.FirstReaching(static_cast<double>(kTwoPiF)), alpha.FirstStuck() + 1);
    } else {
        // Rounding ties everywhere: count the steps the slow way.
        float a = 0.0f;
        while (static_cast<double>(a) < kTwoPi) {
            ++samples;
            const float next = a + delta;
            if (!(next > a)) break;
            a = next;
        }
    }
    Element e;
    e.pass = pass;
    e.radius = radius;
    e.delta = delta;
    e.samples = samples;
    e.drawn = samples;
    if (spiral && samples > 0) {
        // The radius falls along the turn; once negative it stays negative and those steps are skipped.
        int64_t lo = 0;
        int64_t hi = samples;
        float a = 0.0f;
        const bool viaAccumulator = alpha.Count() > 0;
        if (viaAccumulator) {
            while (lo < hi) {
                const int64_t mid = lo + (hi - lo) / 2;
                if (radius - (alpha.At(mid) / kTwoPiF) * s.spacing < 0.0f) {
                    hi = mid;
                } else {
                    lo = mid + 1;
                }
            }
        } else {
            for (lo = 0; lo < samples && radius - (a / kTwoPiF) * s.spacing >= 0.0f; ++lo) a += delta;
        }
        e.drawn = lo;
    }
    if (e.samples > 0) layout.elements.push_back(e);
}

// Refuses layouts whose element list alone would exhaust memory.
void CheckElementCount(double elements) {
    constexpr double kMaxElements = 33554432.0;  // 2^25: about 1.6 GB of elements
    if (!(elements <= kMaxElements)) throw std::bad_alloc();
}

void LayOutLines(const RenderSettings& s, ElementLayout& layout) {
    const float extent = static_cast<float>(s.extent);
    const float halfExtent = extent * 0.5f;
    layout.progressTotal = s.passes * s.extent;
    CheckElementCount((static_cast<double>(s.extent) + 2.0 * std::fabs(static_cast<double>(s.offsetStep))) /
                      static_cast<double>(s.spacing) * s.passes);
    for (int pass = 0; pass < s.passes; ++pass) {
        float u = PassMultiplier(s, pass) * s.offsetStep;
        while (u < extent) {
            const float v = u - halfExtent;
            const float start = -halfExtent;
            const float end = halfExtent;
            AddLine(s, layout, pass, start * s.cosTheta - v * s.sinTheta + s.areaCenterX,
                    start * s.sinTheta + v * s.cosTheta + s.areaCenterY,
                    end * s.cosTheta - v * s.sinTheta + s.areaCenterX,
                    end * s.sinTheta + v * s.cosTheta + s.areaCenterY);
            const float next = u + s.spacing;
            if (!(next > u)) break;
            u = next;
        }
    }
}

void LayOutRings(const RenderSettings& s, ElementLayout& layout) {
    const float wu = static_cast<float>(s.areaWidth);
    const float hu = static_cast<float>(s.areaHeight);
    const float nearX = s.centerX < 0.0f ? -s.centerX : (s.centerX > wu ? s.centerX - wu : 0.0f);
    const float nearY = s.centerY < 0.0f ? -s.centerY : (s.centerY > hu ? s.centerY - hu : 0.0f);
    const float dmin = std::sqrt(nearX * nearX + nearY * nearY);
    const float halfW = wu / 2.0f;
    const float halfH = hu / 2.0f;
    float dmax = std::sqrt(halfW * halfW + halfH * halfH) +
                 std::sqrt((halfW - s.centerX) * (halfW - s.centerX) + (halfH - s.centerY) * (halfH - s.centerY));
    if (s.pattern >= 9) dmax += s.spacing;
    const bool spiral = IsSpiralPattern(s.pattern);
    const int subtype = RingSubtype(s.pattern);
    layout.progressTotal = s.passes * TruncateToInt64(dmax);
    CheckElementCount(static_cast<double>(dmax) / static_cast<double>(s.spacing) * s.passes);
    for (int pass = 0; pass < s.passes; ++pass) {
        float v = std::fabs(s.offsetStep) * PassMultiplier(s, pass) + dmin;
        while (v < dmax) {
            AddRing(s, layout, pass, v, spiral, subtype);
            const float next = v + s.spacing;
            if (!(next > v)) break;
            v = next;
        }
    }
}

// Largest possible distance from a sample's base point to any point its stamp sets.
void ComputeReach(const RenderSettings& s, ElementLayout& layout) {
    const double gain = std::fabs(static_cast<double>(s.contrastGain) + 1.0);
    const double toneSpread = 0.5 * gain;  // |v| never exceeds this
    const bool waves = IsLinePattern(s.pattern) ? (s.pattern != 0) : RingSubtype(s.pattern) != 0;
    const double jitter = std::fabs(static_cast<double>(s.noise)) * 0.25;
    const double wave = waves ? std::fabs(static_cast<double>(s.amplitude)) + jitter : 0.0;
    const double shift = s.useCircles ? static_cast<double>(layout.dotPitch) : 0.0;
    const double relief = jitter + toneSpread * std::fabs(static_cast<double>(s.relief));
    const double reach = static_cast<double>(s.thresholdTerm) + static_cast<double>(s.elementBase);
    const double diameter = std::fabs(reach) * (toneSpread + 0.5) + 1.0;
    layout.maxStampRadius = static_cast<int64_t>(diameter * 0.5 + 2.0);
    // Slack for float rounding of positions up to the size of the area and for truncations.
    const double size = static_cast<double>(std::max(s.areaWidth, s.areaHeight)) +
                        std::fabs(static_cast<double>(s.centerX)) + std::fabs(static_cast<double>(s.centerY)) +
                        static_cast<double>(s.extent);
    const double slack = 8.0 + size * 1.0e-5;
    layout.stampReach = wave + shift + relief + static_cast<double>(layout.maxStampRadius) + slack;

    // Decisions about draws: the bounds test of rings and the selection test.
    const double unitsPerPixel = s.solidInk ? 1.0 : 4.0;
    const double before = wave + shift + slack;
    layout.decisionMargin = before;
    double x0 = -layout.stampReach;
    double y0 = -layout.stampReach;
    double x1 = static_cast<double>(s.areaWidth) + layout.stampReach;
    double y1 = static_cast<double>(s.areaHeight) + layout.stampReach;
    auto include = [&](double ax0, double ay0, double ax1, double ay1) {
        x0 = std::min(x0, ax0 * unitsPerPixel - before);
        y0 = std::min(y0, ay0 * unitsPerPixel - before);
        x1 = std::max(x1, ax1 * unitsPerPixel + before);
        y1 = std::max(y1, ay1 * unitsPerPixel + before);
    };
    if (!IsLinePattern(s.pattern) && (s.relief != 0.0f || s.noise != 0.0f)) {
        const double e = std::fabs(reach) + 2.0;
        const double w = static_cast<double>(s.areaWidth) / unitsPerPixel;
        const double h = static_cast<double>(s.areaHeight) / unitsPerPixel;
        include(-e, -e, w + e, h + e);
    }
    layout.decisionArea[0] = x0;
    layout.decisionArea[1] = y0;
    layout.decisionArea[2] = x1;
    layout.decisionArea[3] = y1;
}

}  // namespace

int64_t RingStepBound(float delta) {
    const double steps = 2.0 * kTwoPi / static_cast<double>(delta) + 16.0;
    return static_cast<int64_t>(std::min(steps, 4.0e15));
}

bool HasFixedDraws(const RenderSettings& settings, bool hasMask) {
    const bool relief = settings.relief != 0.0f || settings.noise != 0.0f;
    return !relief || (IsLinePattern(settings.pattern) && !hasMask);
}

ElementLayout MakeElementLayout(const RenderSettings& s, const RenderJob& job) {
    ElementLayout layout;
    layout.lines = IsLinePattern(s.pattern);
    layout.denseSampling = s.relief > 15.0f && !s.preview;
    layout.dotPitch = std::max(s.elementBase, kMinDotPitch);
    if (s.useCircles && layout.lines) {
        layout.shiftX = s.cosTheta * layout.dotPitch / 2.0f;
        layout.shiftY = s.sinTheta * layout.dotPitch / 2.0f;
    }
    const bool relief = s.relief != 0.0f || s.noise != 0.0f;
    const bool hasMask = job.mask != nullptr;
    const int waveDraws = layout.lines ? (s.pattern != 0 ? 1 : 0) : (RingSubtype(s.pattern) != 0 ? 1 : 0);
    layout.fixedDraws = HasFixedDraws(s, hasMask);
    layout.drawsPerSample = waveDraws + (relief ? 1 : 0);
    layout.farDraws = waveDraws;
    ComputeReach(s, layout);
    if (hasMask) {
        // Pixels outside the filtered area are never selected.
        const double unitsPerPixel = s.solidInk ? 1.0 : 4.0;
        const double before = layout.decisionMargin;
        double* area = layout.decisionArea;
        area[0] = std::min(area[0], (-job.originX - 2.0) * unitsPerPixel - before);
        area[1] = std::min(area[1], (-job.originY - 2.0) * unitsPerPixel - before);
        area[2] =
            std::max(area[2], (static_cast<double>(job.filterWidth) - job.originX + 2.0) * unitsPerPixel + before);
        area[3] =
            std::max(area[3], (static_cast<double>(job.filterHeight) - job.originY + 2.0) * unitsPerPixel + before);
    }
    if (layout.lines) {
        LayOutLines(s, layout);
    } else {
        LayOutRings(s, layout);
    }
    if (layout.fixedDraws) {
        RandomGenerator random(0);
        for (Element& e : layout.elements) {
            e.randomState = random.State();
            random.Skip(static_cast<uint64_t>(e.drawn) * static_cast<uint64_t>(layout.drawsPerSample));
        }
    }
    return layout;
}

}  // namespace render
