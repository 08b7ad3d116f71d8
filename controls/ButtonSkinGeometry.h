// Three-piece button skin: two 18 x 24 caps and a middle piece stretched between them.
#pragma once

namespace controls {

constexpr int kSkinPiecePx = 18;     // width of each cap and of the middle piece's source
constexpr int kSkinHeightPx = 24;    // height of every piece; rows below stay background
constexpr int kSkinPieceCount = 12;  // four states x three pieces
constexpr int kFirstSkinBitmapId = 123;

enum class SkinState { kNormal = 0, kDefault = 1, kHot = 2, kPressed = 3 };

struct SkinLayout {
    int leftCapX;
    int rightCapX;
    int middleX;
    int middleWidth;  // never negative: a button narrower than both caps gets no middle
};

inline SkinLayout ComputeSkinLayout(int buttonWidth) noexcept {
    SkinLayout s{};
    s.leftCapX = 0;
    s.rightCapX = buttonWidth - kSkinPiecePx;
    s.middleX = kSkinPiecePx;
    s.middleWidth = buttonWidth - 2 * kSkinPiecePx > 0 ? buttonWidth - 2 * kSkinPiecePx : 0;
    return s;
}

// A disabled button always shows the normal skin; pressing beats hovering, hovering beats
// being the default button.
inline SkinState ChooseSkin(bool isDisabled, bool isSelected, bool isHot, bool isDefault) noexcept {
    if (isDisabled) return SkinState::kNormal;
    if (isSelected) return SkinState::kPressed;
    if (isHot) return SkinState::kHot;
    if (isDefault) return SkinState::kDefault;
    return SkinState::kNormal;
}

// Offsets of the caps and the middle within the skin bitmap ids 123..134: each state takes
// three consecutive ids in the order right cap, left cap, middle.
struct SkinPieceIds {
    int left, right, middle;
};
inline SkinPieceIds SkinIdsFor(SkinState state) noexcept {
    const int base = kFirstSkinBitmapId + 3 * static_cast<int>(state);
    return {base + 1, base, base + 2};
}

// Caption drawn on a skinned push button, chosen by control id (empty for unknown ids).
inline const char* SkinnedButtonCaption(int controlId) noexcept {
    switch (controlId) {
        case 1:
            return "OK";
        case 2:
            return "Cancel";
        case 1074:
            return "Save";
        case 1078:
            return "Delete";
        case 1110:
            return "Update";
        case 1118:
            return "Save";
        case 1090:
            return "Cancel";
        case 1088:
            return "Close";
        case 1121:
            return "www.merovane.example";
        case 1174:
            return "Tutorials";
        case 1178:
            return "Get Updates";
        default:
            return "";
    }
}

// Buttons that wear the default skin when idle.
inline bool IsDefaultSkinnedButton(int controlId) noexcept {
    return controlId == 1 || controlId == 1088 || controlId == 1118;
}

// The bitmap button lets go of its hover state once the pointer leaves the client area; the
// right and bottom edges themselves still count as inside.
inline bool IsOutsideButton(int x, int y, int width, int height) noexcept {
    return x > width || y > height || x < 0 || y < 0;
}

}  // namespace controls
