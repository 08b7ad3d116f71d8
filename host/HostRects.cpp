#include "host/HostRects.h"

namespace {

Rect32 From16(const host::Rect& r) {
    return Rect32{r.top, r.left, r.bottom, r.right};
}
Rect32 From32(const host::VRect& r) {
    return Rect32{r.top, r.left, r.bottom, r.right};
}

// A 16-bit rectangle can only hold coordinates up to 32767; hosts without the 32-bit block do
// not offer larger documents, so the narrowing only matters for malformed rectangles.
host::Rect To16(const Rect32& r) {
    return host::Rect{static_cast<int16_t>(r.top), static_cast<int16_t>(r.left), static_cast<int16_t>(r.bottom),
                      static_cast<int16_t>(r.right)};
}
host::VRect To32(const Rect32& r) {
    return host::VRect{r.top, r.left, r.bottom, r.right};
}

}  // namespace

bool UsesBigDocument(const host::FilterRecord& record) {
    return record.bigDocumentData != nullptr && record.bigDocumentData->PluginUsing32BitCoordinates != 0;
}

Rect32 GetFilterRect(const host::FilterRecord& record) {
    return UsesBigDocument(record) ? From32(record.bigDocumentData->filterRect32) : From16(record.filterRect);
}
Rect32 GetInRect(const host::FilterRecord& record) {
    return UsesBigDocument(record) ? From32(record.bigDocumentData->inRect32) : From16(record.inRect);
}
Rect32 GetOutRect(const host::FilterRecord& record) {
    return UsesBigDocument(record) ? From32(record.bigDocumentData->outRect32) : From16(record.outRect);
}
Rect32 GetMaskRect(const host::FilterRecord& record) {
    return UsesBigDocument(record) ? From32(record.bigDocumentData->maskRect32) : From16(record.maskRect);
}

void SetInRect(host::FilterRecord& record, const Rect32& rect) {
    if (UsesBigDocument(record))
        record.bigDocumentData->inRect32 = To32(rect);
    else
        record.inRect = To16(rect);
}
void SetOutRect(host::FilterRecord& record, const Rect32& rect) {
    if (UsesBigDocument(record))
        record.bigDocumentData->outRect32 = To32(rect);
    else
        record.outRect = To16(rect);
}
void SetMaskRect(host::FilterRecord& record, const Rect32& rect) {
    if (UsesBigDocument(record))
        record.bigDocumentData->maskRect32 = To32(rect);
    else
        record.maskRect = To16(rect);
}
