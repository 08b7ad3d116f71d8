// cli/VectorOptions.h: the options of vector output and of line ruling in real units, which only
// make sense once the image's resolution is known.
#pragma once

#include <string>

namespace cli {

struct VectorOptions {
    bool svgFormat = false;     // --format svg: a batch's outputs are SVG files
    bool svgBackground = true;  // --svg-background white|none
    double dotsPerInch = 0.0;   // --dpi N; 0: the input's own resolution
    double linesPerInch = 0.0;  // --lines-per-inch N, or --lines-per-cm N converted; 0: not given
    std::string rulingOption;   // the ruling as the user gave it, for messages ("--lines-per-cm 40")
};

// True when `name` (without "--") is one of these options; all take a value.
bool IsVectorOption(const std::string& name);

// Reads the value of option `name`. False with a message naming what is accepted.
bool ParseVectorOption(const std::string& name, const std::string& value, VectorOptions& options, std::string& error);

// The --help lines of these options.
std::string VectorHelpText();

// True when `path` ends in ".svg", in any case.
bool HasSvgExtension(const std::string& path);

// A batch's SVG output name for an input's file name: its extension replaced by ".svg".
std::string SvgName(const std::string& inputName);

}  // namespace cli
