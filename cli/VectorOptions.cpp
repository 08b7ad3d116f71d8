#include "cli/VectorOptions.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace cli {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A positive finite number, the whole text.
bool PositiveNumber(const std::string& text, double& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value) && value > 0.0;
}

// Resolutions beyond this belong to no image; it also keeps the arithmetic of sizes finite.
constexpr double kMaxDotsPerInch = 1.0e6;

}  // namespace

std::string VectorHelpText() {
    return "\n"
           "Vector output (an output named .svg, or --format svg with -d) and real sizes:\n"
           "  --format svg                     a batch's outputs are SVG files of filled outlines\n"
           "  --svg-background white|none      paint the paper, or leave it out for lasers and cutters [white]\n"
           "  --dpi N                          the input's pixels an inch [its own, else 72]\n"
           "  --lines-per-inch N               Space from a ruling at that resolution (raster too)\n"
           "  --lines-per-cm N                 the same per centimetre\n";
}

bool IsVectorOption(const std::string& name) {
    return name == "format" || name == "svg-background" || name == "dpi" || name == "lines-per-inch" ||
           name == "lines-per-cm";
}

bool ParseVectorOption(const std::string& name, const std::string& value, VectorOptions& options, std::string& error) {
    if (name == "format") {
        const std::string format = Lower(value);
        if (format == "svg") {
            options.svgFormat = true;
            return true;
        }
        error = "--format " + value + ": the only other format is svg (without it, outputs keep the input's format)";
        return false;
    }
    if (name == "svg-background") {
        const std::string background = Lower(value);
        if (background == "white" || background == "none") {
            options.svgBackground = background == "white";
            return true;
        }
        error = "--svg-background " + value + ": give white or none";
        return false;
    }
    double number = 0.0;
    if (!PositiveNumber(value, number) || (name == "dpi" && number > kMaxDotsPerInch)) {
        error = "--" + name + " " + value + ": give a positive number" +
                (name == "dpi" ? std::string(" up to 1000000") : std::string());
        return false;
    }
    if (name == "dpi") {
        options.dotsPerInch = number;
        return true;
    }
    if (!options.rulingOption.empty()) {
        error = "--" + name + ": the ruling is already given by " + options.rulingOption;
        return false;
    }
    options.linesPerInch = name == "lines-per-cm" ? number * 2.54 : number;
    options.rulingOption = "--" + name + " " + value;
    return true;
}

std::string SvgName(const std::string& inputName) {
    const size_t dot = inputName.find_last_of('.');
    return (dot == std::string::npos || dot == 0 ? inputName : inputName.substr(0, dot)) + ".svg";
}

bool HasSvgExtension(const std::string& path) {
    return path.size() >= 4 && Lower(path.substr(path.size() - 4)) == ".svg";
}

}  // namespace cli
