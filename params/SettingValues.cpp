#include "params/SettingValues.h"

#include <cmath>

namespace params {

double StoredValue(const Setting& s, const FilterParameters& params) {
    switch (s.kind) {
        case FieldKind::kReal:
            return params.*s.real;
        case FieldKind::kFlag32:
            return (params.*s.flag32) != 0 ? 1 : 0;
        case FieldKind::kFlag8:
            return (params.*s.byte) != 0 ? 1 : 0;
        case FieldKind::kChoice:
            return params.*s.byte;
    }
    return 0;
}

void Store(const Setting& s, double storedValue, FilterParameters& params) {
    switch (s.kind) {
        case FieldKind::kReal:
            params.*s.real = static_cast<float>(storedValue);
            break;
        case FieldKind::kFlag32:
            params.*s.flag32 = storedValue != 0 ? 1 : 0;
            break;
        case FieldKind::kFlag8:
            params.*s.byte = storedValue != 0 ? 1 : 0;
            break;
        case FieldKind::kChoice:
            params.*s.byte = static_cast<uint8_t>(storedValue);
            break;
    }
}

double Shown(const Setting& s, double storedValue) {
    if (s.shownPerStored == 1.0) return storedValue;
    return std::round(storedValue * s.shownPerStored * 1e6) / 1e6;
}

float StoredFromShown(const Setting& s, double shownValue) {
    if (s.shownPerStored == 1.0) return static_cast<float>(shownValue);
    return static_cast<float>(shownValue) * static_cast<float>(1.0 / s.shownPerStored);
}

}  // namespace params
