// cli/SvgOutline.h: the filled outline of a stroke: the union of the stamps along one piece of an
// element, with round ends and round outer joins, simplified within a tolerance.
#pragma once

#include "render/StrokeWalk.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cli {

// One drawing command of an outline, in pixels. An arc turns clockwise on the page (SVG's sweep
// flag 1) around a circle of `radius`.
struct OutlineCommand {
    enum Kind : uint8_t { kMove, kLine, kArc, kClose };
    Kind kind = kMove;
    bool largeArc = false;
    float radius = 0.0f;
    double x = 0.0;
    double y = 0.0;
};

class StrokeOutliner {
public:
    // `tolerance`: how far (pixels) a simplified outline may stray from the stamps' union.
    // Consecutive stamps are joined by their tangents when each one's centre lies within the larger
    // of the two, or within `joinDistance` pixels (neighbouring points of a thin line, touching at a
    // corner). Farther apart (noise, dots, steep waves), the space between them would be filled by
    // the tangents but not by the raster: they are outlined apart. `dots`: every stamp is its own dot, a full
    // disc; otherwise stamps are the raster's bow-ties (see Narrowed). `halfUnit`: half a working
    // unit in pixels, the part of a stamp's radius that its centre point covers.
    StrokeOutliner(double tolerance, double joinDistance, bool dots, double halfUnit);

    // The outlines of one piece: one closed outline per run of touching stamps, each a kMove,
    // lines and arcs, and a kClose. Together they are the piece's one path. Replaces what
    // `commands` held.
    void Outline(const render::StrokeStamp* stamps, size_t count, std::vector<OutlineCommand>& commands);

    // Noise moves every stamp sideways at random: stamps are then outlined one by one.
    void SetJittered(bool stampsJittered) { jittered = stampsJittered; }

    struct Vec {
        double x, y;
    };
    // The outer common tangents of two discs: unit vectors from each centre to its tangent point on
    // either side (the same for both discs), and the unit direction from the first to the second.
    struct Tangents {
        Vec along;
        Vec left;  // toward the left of `along` on the page (y grows downwards)
        Vec right;
        double slope = 0.0;  // (r1 - r0) / distance: below 1 in size when neither disc holds the other
    };

private:
    struct Disc {
        double x, y, r;
    };
    void OutlineRun(size_t first, size_t end, std::vector<OutlineCommand>& commands);  // of `piece`
    void Narrow();
    void DropContained(std::vector<Disc>& discs) const;
    void Simplify();
    void Envelope(std::vector<OutlineCommand>& commands);
    static void Circle(const Disc& d, std::vector<OutlineCommand>& commands);
    void BowTie(const Disc& d, std::vector<OutlineCommand>& commands) const;
    void Point(const Disc& d, std::vector<OutlineCommand>& commands) const;

    const double tolerance;
    const double joinDistance;
    const bool dots;
    const double halfUnit;
    bool jittered = false;
    std::vector<double> narrowed;
    std::vector<Disc> piece;  // the piece's stamps, narrowed
    std::vector<Disc> kept;
    std::vector<Disc> simplified;
    std::vector<char> keep;
    std::vector<std::pair<size_t, size_t>> spans;
    std::vector<Tangents> tangents;
};

}  // namespace cli
