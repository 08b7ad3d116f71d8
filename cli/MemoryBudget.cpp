#include "cli/MemoryBudget.h"

#include "cli/HostImageConversion.h"

#include <string>

namespace cli {

namespace {
// The program itself, its libraries and the plug-in's fixed tables.
constexpr int64_t kFixedBytes = int64_t{32} << 20;
}  // namespace

int64_t EstimatedRunBytes(const imageio::ImageHeader& header) {
    const int64_t sampleBytes = header.depth == 16 ? 2 : 1;
    // Grey travels as RGB; its opacity, if any, as a fourth plane.
    const int64_t hostPlanes = header.model == imageio::ColorModel::kGrey ? header.channels + 2 : header.channels;
    const int64_t pixels = int64_t{header.width} * header.height;
    return kFixedBytes + pixels * (5 * hostPlanes * sampleBytes + 2 * header.channels * sampleBytes);
}

imageio::ReadLimits LimitsForRun(int64_t budgetMb, bool hostSized) {
    imageio::ReadLimits limits;
    limits.maxBytes = budgetMb << 20;
    limits.approve = [budgetMb, hostSized](const imageio::ImageHeader& header, std::string& error) {
        if (hostSized && (header.width > kMaxHostSide || header.height > kMaxHostSide)) {
            error = std::to_string(header.width) + " x " + std::to_string(header.height) + " pixels is larger than " +
                    std::to_string(kMaxHostSide) + " pixels across or down, which the host cannot address";
            return false;
        }
        const int64_t neededMb = (EstimatedRunBytes(header) + (1 << 20) - 1) >> 20;
        if (neededMb <= budgetMb) return true;
        error = "too large: engraving " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                " pixels needs about " + std::to_string(neededMb) + " MB, more than the " + std::to_string(budgetMb) +
                " MB allowed (--max-memory)";
        return false;
    };
    return limits;
}

}  // namespace cli
