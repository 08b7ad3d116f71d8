// presets/PresetReader.h: loads a preset file (text, or the older binary layout) into the record.
#pragma once

#include "params/FilterParameters.h"

#include <streambuf>
#include <string>

// Opens `path` for binary reading and reads it as below. False when it cannot be opened.
bool PresetReader(const std::string& path, FilterParameters& params);

// True when the first line is a known header, whatever the body holds; the fields the body
// carries have then been overwritten, exactly as read (no clamping), the last of repeated keys
// winning and missing keys keeping their values. False (record untouched) for any other file.
// `in` must be seekable: an unknown first line is read again as a binary header.
bool PresetReader(std::streambuf& in, FilterParameters& params);

// Applies one body line (as LineReader returns it) to the record; lines without a known key
// are ignored, a known key without a number stores 0.
void ApplyPresetLine(const char* line, FilterParameters& params);
