// host/HostRects.h: the host's rectangles, read and written in their 32-bit form whenever the
// host offers it, so that documents wider or taller than 32767 pixels are addressed correctly.
#pragma once

#include "api/HostApi.h"

#include <cstdint>

struct Rect32 {
    int32_t top = 0, left = 0, bottom = 0, right = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

bool UsesBigDocument(const host::FilterRecord& record);
Rect32 GetFilterRect(const host::FilterRecord& record);
Rect32 GetInRect(const host::FilterRecord& record);
Rect32 GetOutRect(const host::FilterRecord& record);
Rect32 GetMaskRect(const host::FilterRecord& record);
void SetInRect(host::FilterRecord& record, const Rect32& rect);
void SetOutRect(host::FilterRecord& record, const Rect32& rect);
void SetMaskRect(host::FilterRecord& record, const Rect32& rect);
