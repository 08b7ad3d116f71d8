#include "render/NearRanges.h"

#include "render/FloatAccumulator.h"

#include <algorithm>
#include <cmath>

namespace render {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Interval {
    double lo;
    double hi;
};

// Adds [lo, hi] (any real angles with hi - lo <= 2 pi) as pieces of [0, 2 pi].
void AddWrapped(double lo, double hi, std::vector<Interval>& out) {
    if (hi - lo >= kTwoPi) {
        out.push_back({0.0, kTwoPi});
        return;
    }
    const double shift = std::floor(lo / kTwoPi) * kTwoPi;
    lo -= shift;
    hi -= shift;
    if (hi <= kTwoPi) {
        out.push_back({lo, hi});
    } else {
        out.push_back({lo, kTwoPi});
        out.push_back({0.0, hi - kTwoPi});
    }
}

// Angles phi in [0, 2 pi] where center + radius x cos(phi) (or sin) lies in [lo, hi].
std::vector<Interval> AnglesWithin(double center, double radius, double lo, double hi, bool sine) {
    std::vector<Interval> out;
    const double a = (lo - center) / radius;
    const double b = (hi - center) / radius;
    if (b < -1.0 || a > 1.0) return out;
    if (a <= -1.0 && b >= 1.0) {
        out.push_back({0.0, kTwoPi});
        return out;
    }
    const double ca = std::max(a, -1.0);
    const double cb = std::min(b, 1.0);
    if (sine) {
        const double p = std::asin(ca);
        const double q = std::asin(cb);
        AddWrapped(p, q, out);
        AddWrapped(kPi - q, kPi - p, out);
    } else {
        const double p = std::acos(cb);
        const double q = std::acos(ca);
        AddWrapped(p, q, out);
        AddWrapped(-q, -p, out);
    }
    return out;
}

std::vector<Interval> Intersect(const std::vector<Interval>& a, const std::vector<Interval>& b) {
    std::vector<Interval> out;
    for (const Interval& i : a)
        for (const Interval& j : b) {
            const double lo = std::max(i.lo, j.lo);
            const double hi = std::min(i.hi, j.hi);
            if (lo <= hi) out.push_back({lo, hi});
        }
    return out;
}

}  // namespace

LinePositions DescribeLine(const Element& line) {
    LinePositions positions;
    positions.described =
        positions.x.Build(line.p0x, line.stepX, line.samples) && positions.y.Build(line.p0y, line.stepY, line.samples);
    return positions;
}

SampleRun LineRunInside(const Element& line, const LinePositions& positions, const Rect& rect) {
    SampleRun run;
    const FloatAccumulator& ax = positions.x;
    const FloatAccumulator& ay = positions.y;
    if (!positions.described) {
        run.end = line.samples;  // walk it all
        run.x = line.p0x;
        run.y = line.p0y;
        return run;
    }
    auto range = [](const FloatAccumulator& acc, double lo, double hi, int64_t& first, int64_t& end) {
        first = acc.FirstReaching(acc.Descending() ? hi : lo);
        end = acc.FirstPassing(acc.Descending() ? lo : hi);
    };
    int64_t fx = 0, ex = 0, fy = 0, ey = 0;
    range(ax, rect.x0, rect.x1, fx, ex);
    range(ay, rect.y0, rect.y1, fy, ey);
    run.first = std::max(fx, fy);
    run.end = std::max(run.first, std::min(ex, ey));
    if (run.first < run.end) {
        run.x = ax.At(run.first);
        run.y = ay.At(run.first);
    }
    return run;
}

void RingRunsInside(const Element& ring, const RenderSettings& s, const Rect& rect, std::vector<SampleRun>& runs) {
    runs.clear();
    const double radius = static_cast<double>(ring.radius);
    // A spiral turn's radius falls by up to S along the turn: widen the rectangle by that much.
    const double grow = IsSpiralPattern(s.pattern) ? static_cast<double>(s.spacing) : 0.0;
    const std::vector<Interval> xs =
        AnglesWithin(static_cast<double>(s.centerX), radius, rect.x0 - grow, rect.x1 + grow, /*sine=*/false);
    if (xs.empty()) return;
    const std::vector<Interval> ys =
        AnglesWithin(static_cast<double>(s.centerY), radius, rect.y0 - grow, rect.y1 + grow, /*sine=*/true);
    std::vector<Interval> phis = Intersect(xs, ys);
    if (phis.empty()) return;

    // Sample angles are beta = alpha + theta rounded to float: allow for that rounding.
    const double theta = static_cast<double>(s.theta);
    const double slack = 4.0 * std::ldexp(1.0, std::ilogb(std::fabs(theta) + 8.0) - 23) + 1.0e-6;
    std::vector<Interval> alphas;
    for (const Interval& phi : phis) AddWrapped(phi.lo - theta - slack, phi.hi - theta + slack, alphas);
    std::sort(alphas.begin(), alphas.end(), [](const Interval& a, const Interval& b) { return a.lo < b.lo; });

    FloatAccumulator alpha;
    if (!alpha.Build(0.0f, ring.delta, ring.drawn)) {
        runs.push_back({0, ring.drawn, 0.0f, 0.0f});
        return;
    }
    for (const Interval& a : alphas) {
        int64_t first = alpha.FirstReaching(a.lo);
        const int64_t end = alpha.FirstPassing(a.hi);
        if (!runs.empty() && first < runs.back().end) first = runs.back().end;
        if (first >= end) continue;
        if (!runs.empty() && first == runs.back().end) {
            runs.back().end = end;
        } else {
            runs.push_back({first, end, alpha.At(first), 0.0f});
        }
    }
}

}  // namespace render
