#include "controls/SharedResources.h"

#include <initializer_list>

namespace controls {
namespace {

struct Resources {
    int references = 0;
    HINSTANCE instance = nullptr;
    HFONT fontEditSmall = nullptr;
    HFONT fontButton = nullptr;
    HFONT fontLight = nullptr;
    HBRUSH backgroundBrush = nullptr;
    HBITMAP skin[kSkinPieceCount] = {};
};

// One dialog at a time on the host's UI thread, so plain module data is enough.
Resources gResources;

HFONT MakeArial(int height, int weight) noexcept {
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, PROOF_QUALITY, 0, "Arial");
}

void DeleteAll() noexcept {
    for (HBITMAP& bitmap : gResources.skin) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        bitmap = nullptr;
    }
    for (HFONT* font : {&gResources.fontEditSmall, &gResources.fontButton, &gResources.fontLight}) {
        if (*font != nullptr) DeleteObject(*font);
        *font = nullptr;
    }
    if (gResources.backgroundBrush != nullptr) DeleteObject(gResources.backgroundBrush);
    gResources.backgroundBrush = nullptr;
}

}  // namespace

bool AcquireSharedResources(HINSTANCE instance) noexcept {
    if (gResources.references > 0) {
        ++gResources.references;
        return true;
    }
    gResources.instance = instance;
    gResources.fontEditSmall = MakeArial(12, FW_BOLD);
    gResources.fontButton = MakeArial(14, FW_BOLD);
    gResources.fontLight = MakeArial(15, FW_THIN);
    gResources.backgroundBrush = CreateSolidBrush(kBackgroundColor);
    if (!gResources.fontEditSmall || !gResources.fontButton || !gResources.fontLight || !gResources.backgroundBrush) {
        DeleteAll();
        gResources.instance = nullptr;
        return false;
    }
    for (int i = 0; i < kSkinPieceCount; ++i) {
        gResources.skin[i] = LoadBitmapA(instance, MAKEINTRESOURCEA(kFirstSkinBitmapId + i));
    }
    gResources.references = 1;
    return true;
}

void ReleaseSharedResources() noexcept {
    if (gResources.references == 0) return;
    if (--gResources.references > 0) return;
    DeleteAll();
    gResources.instance = nullptr;
}

HFONT FontEditSmall() noexcept {
    return gResources.fontEditSmall;
}
HFONT FontButton() noexcept {
    return gResources.fontButton;
}
HFONT FontLight() noexcept {
    return gResources.fontLight;
}
HBRUSH BackgroundBrush() noexcept {
    return gResources.backgroundBrush;
}
HINSTANCE ControlsInstance() noexcept {
    return gResources.instance;
}

HBITMAP SkinBitmap(int resourceId) noexcept {
    const int index = resourceId - kFirstSkinBitmapId;
    if (index < 0 || index >= kSkinPieceCount) return nullptr;
    return gResources.skin[index];
}

}  // namespace controls
