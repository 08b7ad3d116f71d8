#include "cli/SvgOutline.h"

#include <algorithm>
#include <cmath>

namespace cli {

namespace {

// std::hypot guards against overflow these coordinates cannot reach, at many times the cost.
double Distance(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

using Vec = StrokeOutliner::Vec;
using Tangents = StrokeOutliner::Tangents;

Tangents TangentsOf(double x0, double y0, double r0, double x1, double y1, double r1) {
    Tangents t;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length = Distance(dx, dy);
    t.along = {dx / length, dy / length};
    t.slope = std::clamp((r1 - r0) / length, -1.0, 1.0);
    const double side = std::sqrt(std::max(0.0, 1.0 - t.slope * t.slope));
    const Vec normal{t.along.y, -t.along.x};
    t.left = {-t.slope * t.along.x + side * normal.x, -t.slope * t.along.y + side * normal.y};
    t.right = {-t.slope * t.along.x - side * normal.x, -t.slope * t.along.y - side * normal.y};
    return t;
}

}  // namespace

StrokeOutliner::StrokeOutliner(double tolerancePixels, double joinPixels, bool dotsOnly, double halfUnitPixels)
    : tolerance(tolerancePixels), joinDistance(joinPixels), dots(dotsOnly), halfUnit(halfUnitPixels) {}

void StrokeOutliner::Outline(const render::StrokeStamp* stamps, size_t count, std::vector<OutlineCommand>& commands) {
    commands.clear();
    piece.clear();
    for (size_t i = 0; i < count; ++i) {
        const render::StrokeStamp& s = stamps[i];
        if (!std::isfinite(s.x) || !std::isfinite(s.y) || !std::isfinite(s.radius) || !(s.radius > 0.0f)) continue;
        piece.push_back({s.x, s.y, s.radius});
    }
    if (dots || jittered) {
        for (const Disc& d : piece) {
            if (d.r <= halfUnit * 1.001) {
                Point(d, commands);
            } else if (dots) {
                Circle(d, commands);
            } else {
                BowTie(d, commands);
            }
        }
        return;
    }
    Narrow();
    size_t first = 0;
    for (size_t i = 1; i <= piece.size(); ++i) {
        bool joined = false;
        if (i < piece.size()) {
            const Disc& a = piece[i - 1];
            const Disc& b = piece[i];
            const double apart = Distance(b.x - a.x, b.y - a.y);
            joined = apart <= std::max(a.r, b.r) || apart <= joinDistance;
        }
        if (!joined) {
            OutlineRun(first, i, commands);
            first = i;
        }
    }
}

void StrokeOutliner::OutlineRun(size_t first, size_t end, std::vector<OutlineCommand>& commands) {
    kept.assign(piece.begin() + static_cast<std::ptrdiff_t>(first), piece.begin() + static_cast<std::ptrdiff_t>(end));
    DropContained(kept);
    if (kept.empty()) return;
    Simplify();
    // Simplifying brings far stamps next to each other; one may now hold its neighbour.
    DropContained(simplified);
    if (simplified.size() == 1) {
        Circle(simplified.front(), commands);
        return;
    }
    Envelope(commands);
}

// A continuous element's stamps are vertical bow-ties, the part of the disc within 45 degrees of
// the vertical, so a band of them is as wide as the disc where it runs within 45 degrees of the
// horizontal and narrower beyond: running straight down, the disc's radius times cos 45 degrees.
// Each stamp's radius becomes the band's half-width in the direction the element runs there, taken
// over a few stamps either side.
void StrokeOutliner::Narrow() {
    const size_t n = piece.size();
    if (n < 2) return;
    narrowed.resize(n);
    for (size_t i = 0; i < n; ++i) {
        constexpr size_t kWindow = 2;
        const Disc& before = piece[i > kWindow ? i - kWindow : 0];
        const Disc& after = piece[i + kWindow < n ? i + kWindow : n - 1];
        const double dx = std::fabs(after.x - before.x);
        const double dy = std::fabs(after.y - before.y);
        const double length = Distance(dx, dy);
        const double reach = std::max(0.0, piece[i].r - halfUnit);
        double share = 1.0;
        if (length > 0.0 && dx < dy) share = std::min(1.0, (dx + dy) / length * 0.70710678118654752);
        narrowed[i] = reach * share + halfUnit;
    }
    for (size_t i = 0; i < n; ++i) piece[i].r = narrowed[i];
}

// Removes every disc that its neighbour holds: a held disc adds nothing to the union, and the
// tangents between a disc and one that holds it do not exist.
void StrokeOutliner::DropContained(std::vector<Disc>& discs) const {
    size_t out = 0;
    for (size_t i = 0; i < discs.size(); ++i) {
        const Disc d = discs[i];
        auto holds = [](const Disc& big, const Disc& small) {
            return Distance(big.x - small.x, big.y - small.y) + small.r <= big.r + 1e-6;
        };
        while (out > 0 && holds(d, discs[out - 1])) --out;
        if (out > 0 && holds(discs[out - 1], d)) continue;
        discs[out++] = d;
    }
    discs.resize(out);
}

// Douglas-Peucker on the centre line and its radius: a disc is left out when the stroke between its
// kept neighbours passes within the tolerance of its centre and radius.
void StrokeOutliner::Simplify() {
    const size_t n = kept.size();
    keep.assign(n, 0);
    keep[0] = 1;
    keep[n - 1] = 1;
    spans.clear();
    // Long stretches are cut into spans of a bounded length first: a stroke of steady width would
    // otherwise be scanned whole at every level of the split. Costs a kept disc every few hundred.
    constexpr size_t kLongestSpan = 256;
    for (size_t first = 0; first + 1 < n; first += kLongestSpan) {
        const size_t last = std::min(first + kLongestSpan, n - 1);
        keep[last] = 1;
        if (last - first > 1) spans.push_back({first, last});
    }
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        const Disc& a = kept[first];
        const Disc& b = kept[last];
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double lengthSquared = dx * dx + dy * dy;
        double worst = -1.0;
        size_t worstIndex = first;
        for (size_t i = first + 1; i < last; ++i) {
            const Disc& p = kept[i];
            double t = lengthSquared > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double error =
                Distance(p.x - (a.x + t * dx), p.y - (a.y + t * dy)) + std::fabs(p.r - (a.r + t * (b.r - a.r)));
            if (error > worst) {
                worst = error;
                worstIndex = i;
            }
        }
        if (worst > tolerance) {
            keep[worstIndex] = 1;
            if (worstIndex - first > 1) spans.push_back({first, worstIndex});
            if (last - worstIndex > 1) spans.push_back({worstIndex, last});
        }
    }
    simplified.clear();
    for (size_t i = 0; i < n; ++i)
        if (keep[i]) simplified.push_back(kept[i]);
}

// A stamp of a continuous element: the part of its disc within 45 degrees of the vertical, its
// waist as wide as the centre point's unit. Stamps thrown apart by noise are drawn this way, one by
// one, since the band they make is ragged where they stick out sideways.
void StrokeOutliner::BowTie(const Disc& d, std::vector<OutlineCommand>& commands) const {
    const double a = d.r * 0.70710678118654752;
    const float r = static_cast<float>(d.r);
    if (a <= halfUnit) {
        Circle(d, commands);
        return;
    }
    commands.push_back({OutlineCommand::kMove, false, 0.0f, d.x - halfUnit, d.y});
    commands.push_back({OutlineCommand::kLine, false, 0.0f, d.x - a, d.y - a});
    commands.push_back({OutlineCommand::kArc, false, r, d.x + a, d.y - a});
    commands.push_back({OutlineCommand::kLine, false, 0.0f, d.x + halfUnit, d.y});
    commands.push_back({OutlineCommand::kLine, false, 0.0f, d.x + a, d.y + a});
    commands.push_back({OutlineCommand::kArc, false, r, d.x - a, d.y + a});
    commands.push_back({OutlineCommand::kClose, false, 0.0f, 0.0, 0.0});
}

// The smallest stamp, a single point: one working unit square, as the raster sets it.
void StrokeOutliner::Point(const Disc& d, std::vector<OutlineCommand>& commands) const {
    commands.push_back({OutlineCommand::kMove, false, 0.0f, d.x - halfUnit, d.y - halfUnit});
    commands.push_back({OutlineCommand::kLine, false, 0.0f, d.x + halfUnit, d.y - halfUnit});
    commands.push_back({OutlineCommand::kLine, false, 0.0f, d.x + halfUnit, d.y + halfUnit});
    commands.push_back({OutlineCommand::kLine, false, 0.0f, d.x - halfUnit, d.y + halfUnit});
    commands.push_back({OutlineCommand::kClose, false, 0.0f, 0.0, 0.0});
}

void StrokeOutliner::Circle(const Disc& d, std::vector<OutlineCommand>& commands) {
    const float r = static_cast<float>(d.r);
    commands.push_back({OutlineCommand::kMove, false, 0.0f, d.x - d.r, d.y});
    commands.push_back({OutlineCommand::kArc, true, r, d.x + d.r, d.y});
    commands.push_back({OutlineCommand::kArc, true, r, d.x - d.r, d.y});
    commands.push_back({OutlineCommand::kClose, false, 0.0f, 0.0, 0.0});
}

// The outline of discs joined by their tangents: the left side forward, a round cap around the last
// disc, the right side backward, a round cap around the first: clockwise on the page. Outer joins
// follow their disc's arc. Inner joins meet where the two tangents cross; when they do not cross
// within both edges (edges shorter than the stroke is wide), the chord between the two tangent
// points joins them: it lies inside the disc, and the small loop it leaves is filled twice
// (nonzero winding), never left out.
void StrokeOutliner::Envelope(std::vector<OutlineCommand>& commands) {
    const std::vector<Disc>& d = simplified;
    const size_t segments = d.size() - 1;
    tangents.resize(segments);
    for (size_t i = 0; i < segments; ++i)
        tangents[i] = TangentsOf(d[i].x, d[i].y, d[i].r, d[i + 1].x, d[i + 1].y, d[i + 1].r);
    const std::vector<Tangents>& t = tangents;
    auto point = [&](size_t disc, const Vec& u) {
        return Vec{d[disc].x + d[disc].r * u.x, d[disc].y + d[disc].r * u.y};
    };
    auto line = [&](const Vec& p) { commands.push_back({OutlineCommand::kLine, false, 0.0f, p.x, p.y}); };
    auto arc = [&](size_t disc, bool large, const Vec& p) {
        commands.push_back({OutlineCommand::kArc, large, static_cast<float>(d[disc].r), p.x, p.y});
    };
    // A join is outer (convex, an arc) when the outline turns clockwise on the page from one
    // tangent point to the next: the path bends away from that side, or the stroke swells there.
    auto clockwise = [](const Vec& from, const Vec& to) { return from.x * to.y - from.y * to.x > 0.0; };
    // The join at disc j from the edge (a0, a1) that ends there to the edge (b0, b1) that leaves it.
    auto join = [&](size_t j, bool outer, const Vec& a0, const Vec& a1, const Vec& b0, const Vec& b1) {
        if (Distance(a1.x - b0.x, a1.y - b0.y) <= tolerance) {
            line(b0);
            return;
        }
        if (outer) {
            arc(j, false, b0);
            return;
        }
        const Vec p{a1.x - a0.x, a1.y - a0.y};
        const Vec q{b1.x - b0.x, b1.y - b0.y};
        const double denominator = p.x * q.y - p.y * q.x;
        if (denominator != 0.0) {
            const Vec w{b0.x - a0.x, b0.y - a0.y};
            const double s = (w.x * q.y - w.y * q.x) / denominator;
            const double u = (w.x * p.y - w.y * p.x) / denominator;
            if (s >= 0.0 && s <= 1.0 && u >= 0.0 && u <= 1.0) {
                commands.back().x = a0.x + s * p.x;  // the edge now ends where it meets the next
                commands.back().y = a0.y + s * p.y;
                return;
            }
        }
        // The chord between the two tangent points lies inside disc j, so inside the stroke.
        line(b0);
    };

    const Vec start = point(0, t[0].left);
    commands.push_back({OutlineCommand::kMove, false, 0.0f, start.x, start.y});
    line(point(1, t[0].left));
    for (size_t j = 1; j < segments; ++j) {
        join(j, clockwise(t[j - 1].left, t[j].left), point(j - 1, t[j - 1].left), point(j, t[j - 1].left),
             point(j, t[j].left), point(j + 1, t[j].left));
        line(point(j + 1, t[j].left));
    }
    arc(segments, t[segments - 1].slope > 0.0, point(segments, t[segments - 1].right));
    line(point(segments - 1, t[segments - 1].right));
    for (size_t j = segments - 1; j >= 1; --j) {
        join(j, clockwise(t[j].right, t[j - 1].right), point(j + 1, t[j].right), point(j, t[j].right),
             point(j, t[j - 1].right), point(j - 1, t[j - 1].right));
        line(point(j - 1, t[j - 1].right));
    }
    arc(0, t[0].slope < 0.0, start);
    commands.push_back({OutlineCommand::kClose, false, 0.0f, 0.0, 0.0});
}

}  // namespace cli
