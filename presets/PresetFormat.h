// presets/PresetFormat.h: the fixed texts and limits of preset files.
#pragma once

#include <cstddef>

// First line of a text preset; files use a bare line feed, never a carriage return.
constexpr char kPresetHeaderLine[] = "Zantrove Merovane\n";

// First bytes of the older binary presets: this text and its terminating NUL byte.
constexpr char kLegacyPresetHeader[] = "Vel Tandor";

// Line buffers, terminator included. Written files stay far below both; longer lines are cut.
constexpr size_t kHeaderLineCapacity = 256;
constexpr size_t kBodyLineCapacity = 1024;

// A value's number text is read up to this many characters; the rest of the token is dropped.
constexpr size_t kNumberTokenMaxChars = 64;
