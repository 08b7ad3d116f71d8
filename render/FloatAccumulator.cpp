#include "render/FloatAccumulator.h"

#include <cmath>
#include <cstring>

namespace render {
namespace {

constexpr size_t kMaxRuns = 1u << 14;

// 2^exponent for exponents a float's binades can need (-149..128), built from its bits.
double PowerOfTwo(int exponent) {
    const uint64_t bits = static_cast<uint64_t>(exponent + 1023) << 52;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The binade of a normal float: |x| in [2^e, 2^(e + 1)).
int BinadeExponent(float x) {
    uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return static_cast<int>((bits >> 23) & 0xFFu) - 127;
}

}  // namespace

bool FloatAccumulator::Build(float start, float step, int64_t total) {
    runs.clear();
    count = total;
    firstStuck = total;
    descending = step < 0.0f;
    int64_t k = 0;
    float x = start;
    while (k < total) {
        if (runs.size() >= kMaxRuns) {
            // Leave nothing half-described behind: callers fall back to adding.
            runs.clear();
            count = 0;
            firstStuck = 0;
            return false;
        }
        int64_t length = 1;
        double increment = 0.0;
        // Tiny and non-finite values are stepped one by one: their ulp is not the binade formula's.
        if (std::fabs(x) > 1.0e-30f && std::isfinite(x)) {
            const int exponent = BinadeExponent(x);
            const double low = PowerOfTwo(exponent);
            const double high = PowerOfTwo(exponent + 1);
            const double ulp = PowerOfTwo(exponent - 23);
            const double units = static_cast<double>(step) / ulp;
            const double rounded = std::nearbyint(units);
            if (std::fabs(units - rounded) != 0.5) {
                increment = rounded * ulp;
                const double magnitude = std::fabs(static_cast<double>(x));
                const bool away = (increment > 0.0) == (x > 0.0f);
                const double move = std::fabs(increment);
                // The exact sum lies within half an ulp of x + increment: keep a full ulp from the edges
                // so that every addition of the run rounds within this binade.
                double steps = 0.0;
                if (move == 0.0) {
                    steps = static_cast<double>(total - k);
                } else if (away) {
                    steps = std::floor((high - ulp - magnitude) / move);
                } else {
                    steps = std::floor((magnitude - ulp - low) / move);
                }
                if (steps > 0.0) {
                    const double limit = static_cast<double>(total - k - 1);
                    length = 1 + static_cast<int64_t>(steps < limit ? steps : limit);
                }
            }
        }
        runs.push_back({k, static_cast<double>(x), increment});
        if (increment == 0.0 && length > 1 && firstStuck == total) firstStuck = k;
        const float last = static_cast<float>(static_cast<double>(x) + static_cast<double>(length - 1) * increment);
        k += length;
        const float next = last + step;
        if (next == last && firstStuck == total && k < total) firstStuck = k - 1;
        x = next;
    }
    return true;
}

float FloatAccumulator::At(int64_t k) const {
    size_t lo = 0;
    size_t hi = runs.size();
    while (hi - lo > 1) {
        const size_t mid = (lo + hi) / 2;
        if (runs[mid].first <= k) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    const Run& run = runs[lo];
    return static_cast<float>(run.start + static_cast<double>(k - run.first) * run.increment);
}

template <class Predicate>
int64_t FloatAccumulator::FirstWhere(Predicate predicate) const {
    int64_t lo = 0;
    int64_t hi = count;  // predicate is false before the answer and true from it on
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (predicate(At(mid))) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

int64_t FloatAccumulator::FirstReaching(double bound) const {
    if (descending) return FirstWhere([bound](float v) { return static_cast<double>(v) <= bound; });
    return FirstWhere([bound](float v) { return static_cast<double>(v) >= bound; });
}

int64_t FloatAccumulator::FirstPassing(double bound) const {
    if (descending) return FirstWhere([bound](float v) { return static_cast<double>(v) < bound; });
    return FirstWhere([bound](float v) { return static_cast<double>(v) > bound; });
}

}  // namespace render
