#include "params/SettingTable.h"

#include <cstring>

namespace params {

namespace {

constexpr bool SameText(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

constexpr size_t Length(const char* text) {
    size_t n = 0;
    while (text[n] != '\0') ++n;
    return n;
}

// The descriptor type each kind of field has always been written with.
constexpr ScriptType TypeFor(FieldKind kind) {
    switch (kind) {
        case FieldKind::kReal:
            return ScriptType::kUnitFloat;
        case FieldKind::kChoice:
            return ScriptType::kInteger;
        case FieldKind::kFlag32:
        case FieldKind::kFlag8:
            return ScriptType::kBoolean;
    }
    return ScriptType::kNone;
}

constexpr bool RowIsWhole(const Setting& s) {
    const bool fieldSet = (s.kind == FieldKind::kReal && s.real != nullptr) ||
                          (s.kind == FieldKind::kFlag32 && s.flag32 != nullptr) ||
                          ((s.kind == FieldKind::kFlag8 || s.kind == FieldKind::kChoice) && s.byte != nullptr);
    const bool keyed =
        s.key == nullptr ? s.scriptType == ScriptType::kNone : Length(s.key) == 4 && s.scriptType == TypeFor(s.kind);
    const bool choices = (s.kind == FieldKind::kChoice) == (s.choices != nullptr && s.choiceCount > 0);
    const bool preset = (s.presetLine == 0) == (s.presetComment == nullptr) && (s.presetLine == 0 || s.key != nullptr);
    const bool option = (s.option == nullptr) == (s.optionPlace == 0);
    const bool range = !s.limited || (s.minStored <= s.defaultValue && s.defaultValue <= s.maxStored);
    return fieldSet && keyed && choices && preset && option && range && s.label != nullptr && s.field != nullptr;
}

// Fields, keys, control ids and option names name one row each; preset lines and option places run
// 1, 2, 3... without gaps, so every reader finds each row once.
constexpr bool TableIsWhole() {
    for (size_t i = 0; i < kSettingCount; ++i) {
        const Setting& a = kSettings[i];
        if (!RowIsWhole(a)) return false;
        if (a.presetLine < 0 || a.presetLine > static_cast<int>(kPresetLineCount)) return false;
        if (a.optionPlace < 0 || a.optionPlace > static_cast<int>(kOptionCount)) return false;
        for (size_t j = i + 1; j < kSettingCount; ++j) {
            const Setting& b = kSettings[j];
            if (a.key != nullptr && b.key != nullptr && SameText(a.key, b.key)) return false;
            if (a.option != nullptr && b.option != nullptr && SameText(a.option, b.option)) return false;
            if (a.controlId != 0 && a.controlId == b.controlId) return false;
            if ((a.real != nullptr && a.real == b.real) || (a.flag32 != nullptr && a.flag32 == b.flag32) ||
                (a.byte != nullptr && a.byte == b.byte))
                return false;
            if (a.presetLine != 0 && a.presetLine == b.presetLine) return false;
            if (a.optionPlace != 0 && a.optionPlace == b.optionPlace) return false;
        }
    }
    return true;
}
#ifndef MV_SANITIZE_BUILD
static_assert(TableIsWhole(), "a setting row is incomplete or repeats another row's field, key, line, place or id");
#endif

template <typename Match>
const Setting* FindRow(Match match) {
    for (const Setting& s : kSettings)
        if (match(s)) return &s;
    return nullptr;
}

}  // namespace

const Setting* FindByKey(const char* key) {
    return FindRow([key](const Setting& s) { return s.key != nullptr && std::strcmp(s.key, key) == 0; });
}

const Setting* FindByCode(uint32_t code) {
    return FindRow([code](const Setting& s) { return s.key != nullptr && FourCharCode(s.key) == code; });
}

const Setting* FindByOption(const char* option) {
    return FindRow([option](const Setting& s) { return s.option != nullptr && std::strcmp(s.option, option) == 0; });
}

const Setting* FindByControl(int controlId) {
    return controlId == 0 ? nullptr : FindRow([controlId](const Setting& s) { return s.controlId == controlId; });
}

const Setting* PresetRow(int line) {
    return line == 0 ? nullptr : FindRow([line](const Setting& s) { return s.presetLine == line; });
}

const Setting* OptionRow(int place) {
    return place == 0 ? nullptr : FindRow([place](const Setting& s) { return s.optionPlace == place; });
}

}  // namespace params
