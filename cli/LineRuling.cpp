#include "cli/LineRuling.h"

#include "params/SettingTable.h"

#include <cmath>
#include <cstdio>

namespace cli {

namespace {

std::string Format(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

}  // namespace

bool ApplyRuling(const VectorOptions& options, double dotsPerInch, FilterParameters& settings, std::string& error) {
    if (options.linesPerInch <= 0.0) return true;
    const params::Setting& space = *params::FindByKey("Spac");
    // Space is measured in quarter pixels.
    const double wanted = 4.0 * dotsPerInch / options.linesPerInch;
    if (wanted >= space.minStored && wanted <= space.maxStored) {
        settings.space = static_cast<float>(wanted);
        return true;
    }
    const double nearest = wanted < space.minStored ? space.minStored : space.maxStored;
    const bool perCm = options.rulingOption.find("-cm") != std::string::npos;
    const double nearestRuling = 4.0 * dotsPerInch / nearest / (perCm ? 2.54 : 1.0);
    error = options.rulingOption + " at " + Format(dotsPerInch) + " pixels an inch needs Space " + Format(wanted) +
            ", outside " + Format(space.minStored) + " to " + Format(space.maxStored) + "; the nearest allowed is " +
            Format(nearestRuling) + (perCm ? " lines per cm" : " lines per inch") + " (Space " + Format(nearest) + ")";
    return false;
}

}  // namespace cli
