// Navigator frame arithmetic: the frame marks the part of the image that the main preview
// shows; it is drawn by inverting its edge pixels, so drawing it on a fresh copy of the
// picture each time never accumulates.
#pragma once

#include "controls/NumberConversions.h"

#include <cmath>

namespace controls {

// Frame extent in navigator pixels: main preview extent / image pixels per navigator pixel,
// rounded. A scale that is not a positive number is taken as 1 (no reduction).
inline int NavigatorFrameExtent(int mainExtentPx, float scale) noexcept {
    const float s = (scale > 0.0f && std::isfinite(scale)) ? scale : 1.0f;
    return TruncToInt32(static_cast<double>(static_cast<float>(mainExtentPx) / s + 0.5f));
}

// Keeps the frame's origin on the picture: negative goes to 0, then a frame that would reach
// the last column (or row) is pulled back one pixel further than the picture requires.
// A frame larger than the picture therefore ends at a negative position.
inline int ClampFrameOrigin(int origin, int frameExtent, int imageExtent) noexcept {
    if (origin < 0) origin = 0;
    if (origin >= imageExtent - frameExtent) origin = imageExtent - frameExtent - 1;
    return origin;
}

// Visits the frame's edge pixels in drawing order: top row, bottom row, left column, right
// column, each inclusive of both ends, so every corner is visited twice. (px, py) is the
// frame's top-left corner in client pixels.
template <class Visit>
void ForEachFrameEdgePixel(int px, int py, int frameWidth, int frameHeight, Visit visit) {
    for (int x = px; x <= px + frameWidth; ++x) visit(x, py);
    for (int x = px; x <= px + frameWidth; ++x) visit(x, py + frameHeight);
    for (int y = py; y <= py + frameHeight; ++y) visit(px, y);
    for (int y = py; y <= py + frameHeight; ++y) visit(px + frameWidth, y);
}

// Right-drag positions are measured from the client edge: a pointer left of or above the
// pane counts as 0.
inline int NonNegative(int v) noexcept {
    return v < 0 ? 0 : v;
}

}  // namespace controls
