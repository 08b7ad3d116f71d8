#include "tests/unit/render/oracle/PatternWalker.h"

#include "tests/unit/render/oracle/SampleReader.h"
#include "tests/unit/render/oracle/StampDisc.h"
#include "tests/unit/render/oracle/WaveOffset.h"
#include "render/Trig.h"

#include <algorithm>
#include <cmath>

namespace oracle {
namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr float kTwoPiF = 6.28318530717958647692f;

// A dot pitch below one working unit (a width far under anything the dialog allows) would take
// thousands of samples per element for dots too small to see; it is raised to one unit.
constexpr float kMinDotPitch = 1.0f;

void ReportProgress(const RenderJob& job, int64_t done, int64_t total) {
    if (job.progress != nullptr) job.progress(job.progressContext, std::max<int64_t>(0, done), total);
}

template <class Sample>
class PassWalker {
public:
    PassWalker(const PassContext<Sample>& context, int passIndex)
        : c(context),
          s(context.settings),
          pass(passIndex),
          source{context.target.source},
          intensityChannel(s.schema == ColorSchema::kSplitColor ? passIndex : -1),
          denseSampling(s.relief > 15.0f && !s.preview),
          dotPitch(std::max(s.elementBase, kMinDotPitch)) {}

    void Run() {
        if (IsLinePattern(s.pattern)) {
            WalkLines();
        } else {
            WalkRings();
        }
    }

private:
    float PassMultiplier() const { return s.schema == ColorSchema::kSplitColor ? static_cast<float>(pass) : 1.0f; }

    void WalkLines() {
        const float extent = static_cast<float>(s.extent);
        const float halfExtent = extent * 0.5f;
        float u = PassMultiplier() * s.offsetStep;
        const int64_t total = s.passes * s.extent;
        while (u < extent) {
            ReportProgress(c.job, TruncateToInt64(u) + pass * s.extent, total);
            const float v = u - halfExtent;
            const float start = -halfExtent;
            const float end = halfExtent;
            const float p0x = start * s.cosTheta - v * s.sinTheta + s.areaCenterX;
            const float p0y = start * s.sinTheta + v * s.cosTheta + s.areaCenterY;
            const float p1x = end * s.cosTheta - v * s.sinTheta + s.areaCenterX;
            const float p1y = end * s.sinTheta + v * s.cosTheta + s.areaCenterY;
            DrawLineElement(p0x, p0y, p1x, p1y);
            const float next = u + s.spacing;
            if (!(next > u)) break;  // spacing lost in the float's precision: no further line could differ
            u = next;
        }
    }

    void DrawLineElement(float p0x, float p0y, float p1x, float p1y) {
        const float dx = p1x - p0x;
        const float dy = p1y - p0y;
        const float length = std::sqrt(dx * dx + dy * dy);
        if (!(length > 0.0f)) return;
        const float walked = denseSampling ? length * s.relief / 15.0f : length;
        float stepX = dx / walked;
        float stepY = dy / walked;
        float increment = 1.0f;
        float shiftX = 0.0f;
        float shiftY = 0.0f;
        if (s.useCircles) {
            // Dots of non-positive width have no pitch to walk at.
            if (!(s.elementBase > 0.0f)) return;
            stepX *= dotPitch;
            stepY *= dotPitch;
            increment = dotPitch;
            shiftX = s.cosTheta * dotPitch / 2.0f;
            shiftY = s.sinTheta * dotPitch / 2.0f;
        }
        const bool waves = s.pattern == 1 || s.pattern == 2;
        const float normalX = s.sinTheta;
        const float normalY = -s.cosTheta;
        float qx = p0x;
        float qy = p0y;
        for (int64_t k = 0; static_cast<float>(k) * increment < walked; ++k) {
            float px = qx + shiftX;
            float py = qy + shiftY;
            if (waves) {
                const float ax = qx - p0x;
                const float ay = qy - p0y;
                const float w = WaveOffset(std::sqrt(ax * ax + ay * ay), s.pattern, s.amplitude, s.spatialFrequency,
                                           s.phase, s.noise, c.random);
                if (w != 0.0f) {
                    px += w * normalX;
                    py += w * normalY;
                }
            }
            ProcessSample(px, py, normalX, normalY, /*boundsTest=*/false);
            qx += stepX;
            qy += stepY;
        }
    }

    void WalkRings() {
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
        const float frequency = (subtype >= 3) ? s.spatialFrequency : s.angularFrequency;
        const int64_t total = s.passes * TruncateToInt64(dmax);
        float v = std::fabs(s.offsetStep) * PassMultiplier() + dmin;
        while (v < dmax) {
            ReportProgress(c.job, TruncateToInt64(v) + TruncateToInt64(pass * static_cast<double>(dmax)), total);
            DrawRingElement(v, spiral, subtype, frequency);
            const float next = v + s.spacing;
            if (!(next > v)) break;
            v = next;
        }
    }

    void DrawRingElement(float radius, bool spiral, int subtype, float frequency) {
        if (!(radius > 0.0f)) return;
        const float walked = denseSampling ? radius * s.relief / 15.0f : radius;
        float delta = 1.0f / walked;
        if (subtype != 0 && s.amplitude > 1.0f) delta = s.amplitude < 4.0f ? delta / s.amplitude : delta * 0.25f;
        if (s.useCircles) delta *= s.elementBase > 0.0f ? dotPitch : s.elementBase;
        if (!(delta > 0.0f)) return;
        const int waveType = subtype <= 2 ? subtype : subtype - 2;
        const float shift = dotPitch / 2.0f;
        for (float alpha = 0.0f; static_cast<double>(alpha) < kTwoPi;) {
            const float r = spiral ? radius - (alpha / kTwoPiF) * s.spacing : radius;
            if (r >= 0.0f) {
                const float beta = alpha + s.theta;
                const float cs = render::CosF(beta);
                const float sn = render::SinF(beta);
                float px = cs * r + s.centerX;
                float py = sn * r + s.centerY;
                if (s.useCircles) {
                    px += cs * shift;
                    py += sn * shift;
                }
                if (subtype != 0) {
                    float argument = alpha;
                    if (subtype >= 3) argument = spiral ? r * r * 0.5f * (s.solidInk ? 1.0f : 0.25f) : r * alpha;
                    const float w = WaveOffset(argument, waveType, s.amplitude, frequency, s.phase, s.noise, c.random);
                    if (w != 0.0f) {
                        px += w * cs;
                        py += w * sn;
                    }
                }
                ProcessSample(px, py, cs, sn, /*boundsTest=*/true);
            }
            const float next = alpha + delta;
            if (!(next > alpha)) break;  // step below the float's resolution at this angle
            alpha = next;
        }
    }

    int64_t SourceCoordinate(float position) const {
        return s.solidInk ? TruncateToInt64(static_cast<double>(position) + 0.5)
                          : TruncateToInt64(static_cast<double>(position * 0.25f) + 0.5);
    }

    float Tone(int64_t sx, int64_t sy) const {
        const int intensity = SampleIntensity(source, sx, sy, intensityChannel);
        const float t =
            s.invertIntensity ? 1.0f - static_cast<float>(intensity) / 255.0f : static_cast<float>(intensity) / 255.0f;
        return (t - 0.5f) * (s.contrastGain + 1.0f);
    }

    void ProcessSample(float px, float py, float normalX, float normalY, bool boundsTest) {
        int64_t sx = SourceCoordinate(px);
        int64_t sy = SourceCoordinate(py);
        const float reach = s.thresholdTerm + s.elementBase;
        if (boundsTest) {
            const float fx = static_cast<float>(sx);
            const float fy = static_cast<float>(sy);
            if (fx < -reach || fy < -reach || fx >= static_cast<float>(source.width) + reach ||
                fy >= static_cast<float>(source.height) + reach) {
                return;
            }
        }
        if (c.job.mask != nullptr && !SelectionCovers(c.job, sx, sy)) return;
        float v = Tone(sx, sy);
        if (s.relief != 0.0f || s.noise != 0.0f) {
            const float d = JitterFromDraw(c.random.Next(), s.noise) + v * s.relief;
            px += d * normalX;
            py += d * normalY;
            sx = SourceCoordinate(px);
            sy = SourceCoordinate(py);
            v = Tone(sx, sy);
        }
        float diameter = reach * (v + 0.5f);
        if (s.notBreak && diameter < 1.0f) diameter = 1.0f;
        const int64_t cx = TruncateToInt64(static_cast<double>(px));
        const int64_t cy = TruncateToInt64(static_cast<double>(py));
        if (c.mask != nullptr) {
            SubpixelMask& mask = *c.mask;
            StampDisc(cx, cy, diameter, s.useCircles, mask.rowBytes * 8, mask.rows,
                      [&mask](int64_t x, int64_t y) { SetSubpixel(mask, x, y); });
        } else {
            StampDisc(cx, cy, diameter, s.useCircles, source.width, source.height,
                      [this](int64_t x, int64_t y) { PaintPixel(s, c.target, x, y, pass); });
        }
    }

    const PassContext<Sample>& c;
    const RenderSettings& s;
    const int pass;
    const PixelView<const Sample>& source;
    const int intensityChannel;
    const bool denseSampling;
    const float dotPitch;
};

}  // namespace

int64_t TruncateToInt64(double value) {
    constexpr double kFar = 4.0e15;  // beyond any coordinate a 32-bit image size can reach
    if (!(value > -kFar)) return -static_cast<int64_t>(kFar);
    if (!(value < kFar)) return static_cast<int64_t>(kFar);
    return static_cast<int64_t>(value);
}

template <class Sample>
void WalkPass(const PassContext<Sample>& context, int pass) {
    PassWalker<Sample>(context, pass).Run();
}

template void WalkPass<uint8_t>(const PassContext<uint8_t>&, int);
template void WalkPass<uint16_t>(const PassContext<uint16_t>&, int);

}  // namespace oracle
