// render/SampleWalker.h: the one walk of every element's samples, from the pattern's geometry to
// the stamp each sample makes. What receives the stamps is the walk's canvas: the raster render's
// band mask, or the outline builder of vector output. Both see the very same samples, positions and
// stamp sizes; only the order of the elements differs (see kInElementOrder).
//
// A canvas is a small copyable value with:
//   static constexpr bool kInElementOrder: true to have every element walked whole, in drawing
//     order, run by run (no tiles or sectors, no passes walked together), so that each element's
//     samples arrive in the order they follow it;
//   void Stamp(int64_t cx, int64_t cy, float diameter, int64_t radius, float px, float py) const:
//     a stamp of StampRadius `radius` centred on (cx, cy), the truncated sample position (px, py);
//   void Gap() const: a walked sample that stamps nothing, so the element breaks there;
//   void StartRun() const: the samples that follow do not continue the ones before.
// The raster's canvas does nothing on Gap and StartRun, which then cost nothing.
//
// Included by the two files that walk (the band renderer and the stroke walk); the walker lives in an
// unnamed namespace so that each keeps its own copy, inlined as if it were written there.
#pragma once

#include "render/BandMask.h"
#include "render/ElementLayout.h"
#include "render/NearRanges.h"
#include "render/PositionBatch.h"
#include "render/RandomGenerator.h"
#include "render/RenderSettings.h"
#include "render/SampleReader.h"
#include "render/StampDisc.h"
#include "render/StampShapes.h"
#include "render/Trig.h"
#include "render/WaveOffset.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace render {

// What a walk reads: the settings, the elements, the image and its selection.
template <class Sample>
struct WalkInputs {
    const RenderSettings& settings;
    const ElementLayout& layout;
    const RenderJob& job;  // its selection mask and area
    const PixelView<const Sample>& source;
    // Per line element, when the render described them up front; empty otherwise.
    const std::vector<LinePositions>& linePositions;
};

// The raster render's canvas: stamps go into a band's mask.
struct MaskCanvas {
    static constexpr bool kInElementOrder = false;
    BandMask* mask = nullptr;
    const StampShapes* shapes = nullptr;
    void Stamp(int64_t cx, int64_t cy, float diameter, int64_t radius, float, float) const {
        shapes->Stamp(*mask, cx, cy, diameter, radius);
    }
    void Gap() const {}
    void StartRun() const {}
};

namespace {

// Where a run is cut at a tile or sector edge: roughly the first sample past `crossing` (a sample
// index computed from the edge), kept within what is left of the run. Any cut keeps every sample
// walked exactly once; a close one keeps each piece inside its tile.
inline int64_t SplitPoint(double crossing, const SampleRun& rest) {
    const double index = std::ceil(crossing);
    if (!(index > static_cast<double>(rest.first))) return rest.first;  // NaN too
    return index < static_cast<double>(rest.end) ? static_cast<int64_t>(index) : rest.end;
}

template <class Sample, class Canvas>
class SampleWalker {
public:
    // `canvas` receives the stamps of WalkPass.
    SampleWalker(const WalkInputs<Sample>& inputs, const Canvas& passCanvas)
        : c(inputs),
          s(inputs.settings),
          layout(inputs.layout),
          canvas(passCanvas),
          source(inputs.source),
          reach(s.thresholdTerm + s.elementBase),
          plainLines(layout.lines && IsPlain(inputs)),
          plainRings(!layout.lines && IsPlain(inputs)),
          ring(RingShape::Of(s)) {
        // The tone and stamp of each intensity, computed once with the same float operations as per
        // sample; they do not depend on the pass.
        for (int intensity = 0; intensity < 256; ++intensity) {
            tones[intensity] = ToneOf(intensity);
            diameters[intensity] = Diameter(intensity);
            radii[intensity] = StampRadius(diameters[intensity]);
        }
    }

    // Walks the elements of `pass` for the band the mask holds.
    void WalkPass(int passIndex, const Rect& near, RandomGenerator& sequential) {
        pass = passIndex;
        intensityChannel = s.schema == ColorSchema::kSplitColor ? pass : -1;
        random = layout.fixedDraws ? &own : &sequential;
        targets[0] = PassTarget{canvas, intensityChannel};  // no last stamp: the canvas is blank
        targetCount = 1;
        if constexpr (!Canvas::kInElementOrder) {
            if (plainLines && !c.linePositions.empty()) {
                WalkPlainLinesInTiles(near);
                return;
            }
            if (plainRings) {
                WalkPlainRingsInSectors(near);
                return;
            }
        }
        for (size_t i = 0; i < layout.elements.size(); ++i) {
            const Element& e = layout.elements[i];
            if (e.pass != pass) continue;
            if (layout.lines) {
                WalkLine(e, c.linePositions.empty() ? DescribeLine(e) : c.linePositions[i], near);
            } else {
                WalkRing(e, near);
            }
        }
    }

    // Split colour's three passes at once, when their lines are the same (no offset between them):
    // each sample's position and wave are computed once, and each pass stamps its own mask with the
    // tone of its own channel. Needs plain lines and the described line positions.
    void WalkPassesTogether(const Canvas* canvases, const Rect& near) {
        static_assert(!Canvas::kInElementOrder, "passes walked together interleave their elements");
        pass = 0;
        intensityChannel = 0;
        random = &own;
        for (int p = 0; p < 3; ++p) targets[p] = PassTarget{canvases[p], p};
        targetCount = 3;
        WalkPlainLinesInTiles(near);
    }

private:
    // Plain lines, walked tile by tile across the band: each line's run is cut where its base point
    // crosses the tiles' edges, and the tiles are walked one after the other. The band's mask is
    // larger than a core's cache, while a tile's part of it is not, so the lines crossing a tile
    // find its mask rows still cached from their neighbours. Every sample is walked exactly once;
    // stamps are ORed, so the order of walking does not change the mask.
    void WalkPlainLinesInTiles(const Rect& near) {
        elementRuns.clear();
        for (size_t i = 0; i < layout.elements.size(); ++i) {
            const Element& e = layout.elements[i];
            if (e.pass != pass) continue;
            const SampleRun run = LineRunInside(e, c.linePositions[i], near);
            if (run.first < run.end) elementRuns.push_back({i, run});
        }
        const int64_t maskRows = canvas.mask->EndRow() - canvas.mask->FirstRow();
        // About a quarter of a megabyte of mask per tile.
        const double tileWidth =
            static_cast<double>(std::max<int64_t>(512, (int64_t{1} << 21) / std::max<int64_t>(maskRows, 1)));
        const int64_t tiles = std::max<int64_t>(1, static_cast<int64_t>(std::ceil((near.x1 - near.x0) / tileWidth)));
        // All lines run the same way; tiles are taken in that direction, so each line's pieces come
        // in the order of its samples and each piece starts where the last one stopped.
        const bool rightward = layout.elements.empty() || layout.elements.front().stepX >= 0.0f;
        WalkInPieces(tiles, [&](int64_t step, const Element& e, const SampleRun& rest) {
            const int64_t tile = rightward ? step : tiles - 1 - step;
            // The edge through which the walk leaves the tile.
            const double edge = near.x0 + static_cast<double>(rightward ? tile + 1 : tile) * tileWidth;
            if (step == tiles - 1 || (e.stepX >= 0.0f) != rightward) return rest.end;
            return SplitPoint((edge - static_cast<double>(e.p0x)) / static_cast<double>(e.stepX), rest);
        });
    }

    // Walks the runs in elementRuns piece by piece: for piece 0, 1, ... pieces - 1 in turn, each run's
    // samples from where its last piece stopped up to cut(piece, element, rest of the run). The last
    // piece must take the rest. Each piece continues from the position the previous one reached.
    template <class Cut>
    void WalkInPieces(int64_t pieces, Cut cut) {
        for (int64_t p = 0; p < pieces; ++p) {
            for (ElementRun& elementRun : elementRuns) {
                SampleRun& rest = elementRun.run;
                if (rest.first >= rest.end) continue;
                const Element& e = layout.elements[elementRun.element];
                const int64_t end = cut(p, e, rest);
                if (end == rest.first) continue;
                SampleRun piece = rest;
                piece.end = end;
                if (layout.lines) {
                    WalkPlainLine(e, piece);
                } else {
                    WalkPlainRingRun(e, piece);
                }
                rest.first = end;
                rest.x = piece.x;
                rest.y = piece.y;
            }
        }
    }

    // Positions the random stream at sample k of an element, and returns how many draws the samples
    // skipped since `previous` took.
    void SkipTo(const Element& e, int64_t k, int64_t previous) {
        if (layout.fixedDraws) {
            own = RandomGenerator(e.randomState);
            own.Skip(static_cast<uint64_t>(k) * static_cast<uint64_t>(layout.drawsPerSample));
        } else {
            random->Skip(static_cast<uint64_t>(k - previous) * static_cast<uint64_t>(layout.farDraws));
        }
    }

    void WalkLine(const Element& e, const LinePositions& positions, const Rect& near) {
        const SampleRun run = LineRunInside(e, positions, near);
        if (run.first >= run.end) {
            // With fixed draws every element starts its own stream: nothing to skip.
            if (!layout.fixedDraws) SkipTo(e, e.samples, 0);
            return;
        }
        canvas.StartRun();
        if (plainLines) {
            SampleRun whole = run;
            WalkPlainLine(e, whole);
            return;
        }
        SkipTo(e, run.first, 0);
        const bool waves = s.pattern == 1 || s.pattern == 2;
        const float normalX = s.sinTheta;
        const float normalY = -s.cosTheta;
        float qx = run.x;
        float qy = run.y;
        for (int64_t k = run.first; k < run.end; ++k) {
            float px = qx + layout.shiftX;
            float py = qy + layout.shiftY;
            if (waves) {
                const float ax = qx - e.p0x;
                const float ay = qy - e.p0y;
                const float w = WaveOffset(std::sqrt(ax * ax + ay * ay), s.pattern, s.amplitude, s.spatialFrequency,
                                           s.phase, s.noise, *random);
                if (w != 0.0f) {
                    px += w * normalX;
                    py += w * normalY;
                }
            }
            ProcessSample(px, py, normalX, normalY, /*boundsTest=*/false);
            qx += e.stepX;
            qy += e.stepY;
        }
        if (!layout.fixedDraws) SkipTo(e, e.samples, run.end);
    }

    void WalkRing(const Element& e, const Rect& near) {
        RingRunsInside(e, s, near, runs);
        if constexpr (Canvas::kInElementOrder) {
            // Plain rings are otherwise walked in sectors; in element order, run after run.
            if (plainRings) {
                for (const SampleRun& run : runs) {
                    canvas.StartRun();
                    SampleRun piece = run;
                    WalkPlainRingRun(e, piece);
                }
                return;
            }
        }
        const float shift = layout.dotPitch / 2.0f;
        int64_t previous = 0;
        for (const SampleRun& run : runs) {
            canvas.StartRun();
            SkipTo(e, run.first, previous);
            float alpha = run.x;
            for (int64_t k = run.first; k < run.end; ++k) {
                const float r = RingRadius(e, alpha);
                if (r < 0.0f) canvas.Gap();
                if (r >= 0.0f) {
                    const float beta = alpha + s.theta;
                    float sn = 0.0f;
                    float cs = 0.0f;
                    SinCosF(beta, sn, cs);
                    float px = cs * r + s.centerX;
                    float py = sn * r + s.centerY;
                    if (s.useCircles) {
                        px += cs * shift;
                        py += sn * shift;
                    }
                    if (ring.subtype != 0) {
                        const float w = WaveOffset(RingWaveArgument(alpha, r), ring.waveType, s.amplitude,
                                                   ring.frequency, s.phase, s.noise, *random);
                        if (w != 0.0f) {
                            px += w * cs;
                            py += w * sn;
                        }
                    }
                    ProcessSample(px, py, cs, sn, /*boundsTest=*/true);
                }
                alpha = alpha + e.delta;
            }
            previous = run.end;
        }
        if (!layout.fixedDraws) SkipTo(e, e.drawn, previous);
    }

    // Lines without relief, noise or selection, the common case, walked in batches: positions first,
    // then the wave's sines for the whole batch, then the stamps. The random stream only feeds a
    // jitter of zero here (a wave offset plus a signed zero is the offset itself), so it is not drawn;
    // each element starts its own stream, so nothing after this walk depends on it either.
    // Leaves run.x and run.y at the base point of sample run.end. The loops read settings from
    // locals: stores to the batch arrays could otherwise alias them and keep the compiler from
    // computing several samples at once.
    void WalkPlainLine(const Element& e, SampleRun& run) {
        float xs[kBatch];
        float ys[kBatch];
        float angles[kBatch];
        float sines[kBatch];
        const int pattern = s.pattern;
        const bool waves = pattern == 1 || pattern == 2;
        const float normalX = s.sinTheta;
        const float normalY = -s.cosTheta;
        const float stepX = e.stepX;
        const float stepY = e.stepY;
        const float p0x = e.p0x;
        const float p0y = e.p0y;
        const float shiftX = layout.shiftX;
        const float shiftY = layout.shiftY;
        const float frequency = s.spatialFrequency;
        const float phase = s.phase;
        const float amplitude = s.amplitude;
        float qx = run.x;
        float qy = run.y;
        for (int64_t k = run.first; k < run.end; k += kBatch) {
            const int n = static_cast<int>(std::min<int64_t>(kBatch, run.end - k));
            for (int i = 0; i < n; ++i) {
                xs[i] = qx;
                ys[i] = qy;
                qx += stepX;
                qy += stepY;
            }
            if (waves) {
                for (int i = 0; i < n; ++i) {
                    const float ax = xs[i] - p0x;
                    const float ay = ys[i] - p0y;
                    angles[i] = WaveArgument(std::sqrt(ax * ax + ay * ay), frequency, phase);
                }
                SinF(angles, sines, n);
                // A wave of zero adds a signed zero, which moves no truncation: no test needed.
                for (int i = 0; i < n; ++i) {
                    const float w = WaveShape(sines[i], pattern, amplitude);
                    xs[i] = (xs[i] + shiftX) + w * normalX;
                    ys[i] = (ys[i] + shiftY) + w * normalY;
                }
            } else {
                for (int i = 0; i < n; ++i) {
                    xs[i] += shiftX;
                    ys[i] += shiftY;
                }
            }
            PlainBatch<false>(xs, ys, nullptr, n);
        }
        run.x = qx;
        run.y = qy;
    }

    // Rings and spirals without relief, noise or selection, walked sector by sector: every ring's runs in the band are
    // cut where the walk's angle crosses the sectors' edges, and the sectors are walked one after the other, each
    // ring's pieces in the order of its samples. Neighbouring rings' arcs through a sector then meet the mask rows
    // while they are still cached, as lines do in tiles. Every sample is walked once.
    void WalkPlainRingsInSectors(const Rect& near) {
        elementRuns.clear();
        for (size_t i = 0; i < layout.elements.size(); ++i) {
            const Element& e = layout.elements[i];
            if (e.pass != pass) continue;
            RingRunsInside(e, s, near, runs);
            for (const SampleRun& run : runs) elementRuns.push_back({i, run});
        }
        constexpr int kSectors = 64;
        WalkInPieces(kSectors, [&](int64_t sector, const Element& e, const SampleRun& rest) {
            if (sector == kSectors - 1) return rest.end;
            return SplitPoint(kTwoPi * static_cast<double>(sector + 1) / kSectors / static_cast<double>(e.delta), rest);
        });
    }

    // Walks samples [run.first, run.end) of a plain ring from angle run.x, in batches as plain lines
    // are: angles, then their sines and cosines, then the wave's sines, then the stamps. Leaves run.x
    // at the angle of sample run.end.
    void WalkPlainRingRun(const Element& e, SampleRun& run) {
        float alphas[kBatch];
        float betas[kBatch];
        float sines[kBatch];
        float cosines[kBatch];
        float ringRadii[kBatch];
        float waveArguments[kBatch];
        float waveSines[kBatch];
        float xs[kBatch];
        float ys[kBatch];
        bool drawn[kBatch];
        const float delta = e.delta;
        const float theta = s.theta;
        const float centerX = s.centerX;
        const float centerY = s.centerY;
        const bool circles = s.useCircles;
        const float shift = layout.dotPitch / 2.0f;
        const bool waves = ring.subtype != 0;
        const int waveType = ring.waveType;
        const float frequency = ring.frequency;
        const float phase = s.phase;
        const float amplitude = s.amplitude;
        float alpha = run.x;
        for (int64_t k = run.first; k < run.end; k += kBatch) {
            const int n = static_cast<int>(std::min<int64_t>(kBatch, run.end - k));
            for (int i = 0; i < n; ++i) {
                alphas[i] = alpha;
                alpha = alpha + delta;
            }
            for (int i = 0; i < n; ++i) betas[i] = alphas[i] + theta;
            SinCosF(betas, sines, cosines, n);
            RingRadii(e, alphas, ringRadii, drawn, n);
            for (int i = 0; i < n; ++i) {
                xs[i] = cosines[i] * ringRadii[i] + centerX;
                ys[i] = sines[i] * ringRadii[i] + centerY;
            }
            if (circles) {
                for (int i = 0; i < n; ++i) {
                    xs[i] += cosines[i] * shift;
                    ys[i] += sines[i] * shift;
                }
            }
            if (waves) {
                for (int i = 0; i < n; ++i)
                    waveArguments[i] = WaveArgument(RingWaveArgument(alphas[i], ringRadii[i]), frequency, phase);
                SinF(waveArguments, waveSines, n);
                // A wave of zero adds a signed zero, which moves no truncation: no test needed.
                for (int i = 0; i < n; ++i) {
                    const float w = WaveShape(waveSines[i], waveType, amplitude);
                    xs[i] += w * cosines[i];
                    ys[i] += w * sines[i];
                }
            }
            PlainBatch<true>(xs, ys, drawn, n);
        }
        run.x = alpha;
    }

    // The radii of a batch of samples at angles `alphas` (constant on a ring, shrinking along a
    // spiral), and whether each sample is drawn at all (a spiral ends at its centre).
    void RingRadii(const Element& e, const float* alphas, float* out, bool* drawn, int n) const {
        const float radius = e.radius;
        if (ring.spiral) {
            const float spacing = s.spacing;
            for (int i = 0; i < n; ++i) out[i] = SpiralRadius(radius, alphas[i], spacing);
        } else {
            for (int i = 0; i < n; ++i) out[i] = radius;
        }
        for (int i = 0; i < n; ++i) drawn[i] = out[i] >= 0.0f;
    }

    // The radius of a ring, or of a spiral turn at angle alpha.
    float RingRadius(const Element& e, float alpha) const {
        return ring.spiral ? SpiralRadius(e.radius, alpha, s.spacing) : e.radius;
    }

    // A spiral starting at `radius` comes closer by `spacing` each turn.
    static float SpiralRadius(float radius, float alpha, float spacing) {
        return radius - (alpha / kTwoPiF) * spacing;
    }

    // What the wave of a ring or spiral follows: the angle, or (arc-length waves) the distance along it.
    float RingWaveArgument(float alpha, float r) const {
        if (ring.subtype < 3) return alpha;
        return ring.spiral ? r * r * 0.5f * (s.solidInk ? 1.0f : 0.25f) : r * alpha;
    }

    // The stamps of a batch of plain samples at positions (xs, ys); `drawn`, when given, leaves out
    // the samples it marks false. Centres and source coordinates are converted four at a time.
    template <bool kBoundsTest>
    void PlainBatch(const float* xs, const float* ys, const bool* drawn, int n) {
        int32_t cxs[kBatch];
        int32_t cys[kBatch];
        int32_t sxs[kBatch];
        int32_t sys[kBatch];
        if (!StampCentres(xs, cxs, n) || !StampCentres(ys, cys, n)) {
            for (int i = 0; i < n; ++i) {
                if (drawn == nullptr || drawn[i]) {
                    PlainSample<kBoundsTest>(xs[i], ys[i]);
                } else {
                    targets[0].canvas.Gap();
                }
            }
            return;
        }
        const float scale = s.solidInk ? 1.0f : 0.25f;
        SourceCoordinates(xs, scale, sxs, n);
        SourceCoordinates(ys, scale, sys, n);
        if (!SkipsRepeatedCentres()) {
            for (int i = 0; i < n; ++i) {
                if (drawn == nullptr || drawn[i]) {
                    PlainSampleAt<kBoundsTest>(cxs[i], cys[i], sxs[i], sys[i], xs[i], ys[i]);
                } else {
                    targets[0].canvas.Gap();
                }
            }
            return;
        }
        // The pass's last stamp in a local for the batch (in the walker it would be read again after
        // every store to the mask): most samples of dense walks stop at the first test.
        PassTarget only = targets[0];
        for (int i = 0; i < n; ++i) {
            if (only.LastCentreIs(cxs[i], cys[i])) continue;
            if ((drawn != nullptr && !drawn[i]) || (kBoundsTest && !NearTheSource(sxs[i], sys[i]))) {
                only.canvas.Gap();
                continue;
            }
            PlainStamp(only, sxs[i], sys[i], cxs[i], cys[i], xs[i], ys[i]);
        }
        targets[0] = only;
    }

    // With four working units a pixel, every position whose centre truncates to (cx, cy) rounds to
    // the same source pixel: a sample on the last stamp's centre would read the same tone and make
    // the same stamp, which the last one already set. Densely sampled rings repeat centres most of
    // the time. A walk of several passes keeps a last stamp for each.
    bool SkipsRepeatedCentres() const { return !s.solidInk && targetCount == 1; }

    // PlainBatch for one sample, positions far out included.
    template <bool kBoundsTest>
    void PlainSample(float px, float py) {
        const int64_t cx = TruncateToInt64(static_cast<double>(px));
        const int64_t cy = TruncateToInt64(static_cast<double>(py));
        const PassTarget& only = targets[0];
        if (SkipsRepeatedCentres() && only.LastCentreIs(cx, cy)) return;
        PlainSampleAt<kBoundsTest>(cx, cy, SourceCoordinate(px), SourceCoordinate(py), px, py);
    }

    // ProcessSample without the selection and relief (rings keep their bounds test) for the sample
    // at (px, py), with stamp centre (cx, cy) and source pixel (sx, sy): the stamp follows from the
    // intensity alone, looked up in tables made with the same operations.
    template <bool kBoundsTest>
    void PlainSampleAt(int64_t cx, int64_t cy, int64_t sx, int64_t sy, float px, float py) {
        if (kBoundsTest && !NearTheSource(sx, sy)) {
            targets[0].canvas.Gap();
            return;
        }
        for (int t = 0; t < targetCount; ++t) PlainStamp(targets[t], sx, sy, cx, cy, px, py);
    }

    // Whether a stamp read at source pixel (sx, sy) may reach the image (the rings' bounds test).
    bool NearTheSource(int64_t sx, int64_t sy) const {
        const float fx = static_cast<float>(sx);
        const float fy = static_cast<float>(sy);
        return !(fx < -reach || fy < -reach || fx >= static_cast<float>(source.width) + reach ||
                 fy >= static_cast<float>(source.height) + reach);
    }

    // Where one pass of a walk stamps: its canvas, the channel its tone is read from, and the last
    // stamp it made.
    struct PassTarget {
        Canvas canvas;
        int channel = -1;
        int64_t lastX = 0;
        int64_t lastY = 0;
        int64_t lastRadius = -1;
        bool LastCentreIs(int64_t x, int64_t y) const { return x == lastX && y == lastY && lastRadius >= 0; }
    };

    void PlainStamp(PassTarget& target, int64_t sx, int64_t sy, int64_t cx, int64_t cy, float px, float py) {
        const int intensity = PlainIntensity(sx, sy, target.channel);
        float diameter = 0.0f;
        int64_t radius = 0;
        if (intensity <= 255) {
            diameter = diameters[intensity];
            radius = radii[intensity];
        } else {
            diameter = Diameter(intensity);
            radius = StampRadius(diameter);
        }
        StampUnlessHeld(target, cx, cy, diameter, radius, px, py);
    }

    // Stamps a pass's canvas unless the stamp sets nothing new. Shapes are nested (each one holds
    // every smaller one), so a stamp on the last centre that is no larger than the last one adds
    // nothing: densely sampled elements repeat centres often. A sample too light to stamp breaks
    // the element there.
    void StampUnlessHeld(PassTarget& target, int64_t cx, int64_t cy, float diameter, int64_t radius, float px,
                         float py) const {
        if (radius < 0) {
            target.canvas.Gap();
            return;
        }
        if (cx == target.lastX && cy == target.lastY && radius <= target.lastRadius) return;
        target.lastX = cx;
        target.lastY = cy;
        target.lastRadius = radius;
        target.canvas.Stamp(cx, cy, diameter, radius, px, py);
    }

    // SampleIntensity, with 8-bit pixels without opacity read directly (their opacity factor is 1).
    int PlainIntensity(int64_t sx, int64_t sy, int channel) const {
        if constexpr (sizeof(Sample) == 1) {
            if (source.planes < 4) {
                // One unsigned comparison per axis also catches negative coordinates.
                if (static_cast<uint64_t>(sx) >= static_cast<uint64_t>(source.width) ||
                    static_cast<uint64_t>(sy) >= static_cast<uint64_t>(source.height)) {
                    return 0;
                }
                const Sample* pixel = source.Pixel(sx, sy);
                if (channel >= 0) return pixel[channel];
                return std::max(pixel[0], std::max(pixel[1], pixel[2]));
            }
        }
        return SampleIntensity(source, sx, sy, channel);
    }

    float Diameter(int intensity) const {
        float diameter = reach * (ToneOf(intensity) + 0.5f);
        if (s.notBreak && diameter < 1.0f) diameter = 1.0f;
        return diameter;
    }

    float ToneOf(int intensity) const {
        const float t =
            s.invertIntensity ? 1.0f - static_cast<float>(intensity) / 255.0f : static_cast<float>(intensity) / 255.0f;
        return (t - 0.5f) * (s.contrastGain + 1.0f);
    }

    int64_t SourceCoordinate(float position) const {
        return s.solidInk ? TruncateToInt64(static_cast<double>(position) + 0.5)
                          : TruncateToInt64(static_cast<double>(position * 0.25f) + 0.5);
    }

    float Tone(int64_t sx, int64_t sy) const {
        const int intensity = SampleIntensity(source, sx, sy, intensityChannel);
        if (intensity <= 255) return tones[intensity];
        // 16-bit samples above the host's 32768 read brighter than white; no table entry for them.
        return ToneOf(intensity);
    }

    void ProcessSample(float px, float py, float normalX, float normalY, bool boundsTest) {
        int64_t sx = SourceCoordinate(px);
        int64_t sy = SourceCoordinate(py);
        if (boundsTest) {
            const float fx = static_cast<float>(sx);
            const float fy = static_cast<float>(sy);
            if (fx < -reach || fy < -reach || fx >= static_cast<float>(source.width) + reach ||
                fy >= static_cast<float>(source.height) + reach) {
                targets[0].canvas.Gap();
                return;
            }
        }
        if (c.job.mask != nullptr && !SelectionCovers(c.job, sx, sy)) {
            targets[0].canvas.Gap();
            return;
        }
        float v = Tone(sx, sy);
        if (s.relief != 0.0f || s.noise != 0.0f) {
            const float d = JitterFromDraw(random->Next(), s.noise) + v * s.relief;
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
        StampUnlessHeld(targets[0], cx, cy, diameter, StampRadius(diameter), px, py);
    }

    const WalkInputs<Sample>& c;
    const RenderSettings& s;
    const ElementLayout& layout;
    const Canvas canvas;
    const PixelView<const Sample>& source;
    const float reach;
    // Without relief, noise and selection every sample's stamp depends on its position alone.
    static bool IsPlain(const WalkInputs<Sample>& inputs) {
        const RenderSettings& settings = inputs.settings;
        return inputs.layout.fixedDraws && settings.relief == 0.0f && settings.noise == 0.0f &&
               inputs.job.mask == nullptr;
    }

    const bool plainLines;
    const bool plainRings;
    // The kind of ring the pattern draws, and its wave.
    struct RingShape {
        bool spiral = false;
        int subtype = 0;   // 0 none, 1-2 angular waves, 3-4 arc-length waves
        int waveType = 0;  // 1 sine, 2 rectified sine
        float frequency = 0.0f;
        static RingShape Of(const RenderSettings& settings) {
            RingShape shape;
            shape.spiral = IsSpiralPattern(settings.pattern);
            shape.subtype = RingSubtype(settings.pattern);
            shape.waveType = shape.subtype <= 2 ? shape.subtype : shape.subtype - 2;
            shape.frequency = shape.subtype >= 3 ? settings.spatialFrequency : settings.angularFrequency;
            return shape;
        }
    };
    const RingShape ring;
    static constexpr int kBatch = 256;  // samples a plain walk computes together
    int pass = 0;
    int intensityChannel = -1;
    float tones[256] = {};
    float diameters[256] = {};  // of a plain sample, by intensity
    int64_t radii[256] = {};
    PassTarget targets[3];  // the last stamp of the walk in targets[0]
    int targetCount = 1;
    RandomGenerator own;
    RandomGenerator* random = &own;
    std::vector<SampleRun> runs;
    struct ElementRun {
        size_t element;
        SampleRun run;
    };
    std::vector<ElementRun> elementRuns;  // the pass's runs in the band, walked in pieces
};

}  // namespace
}  // namespace render
