// render/FloatAccumulator.h: random access into a float accumulated by repeated addition
// (x0, x0 + s, (x0 + s) + s, ...), rounding included, without performing the additions.
#pragma once

#include <cstdint>
#include <vector>

namespace render {

// Within one binade every addition of the same step rounds by the same amount, so the sequence is a
// run of exact arithmetic progressions; only binade crossings and rounding ties are stepped one by
// one. Values are bit-identical to performing the float additions in order.
class FloatAccumulator {
public:
    // Describes x_k for k in [0, count). Returns false when the sequence breaks into too many runs to
    // be worth describing (callers then perform the additions themselves).
    bool Build(float start, float step, int64_t count);

    float At(int64_t k) const;

    // First k in [0, count) where the value is >= bound (ascending sequences) or <= bound (descending
    // ones); count when there is none. The sequence is monotone because the step's sign is fixed.
    int64_t FirstReaching(double bound) const;
    // First k in [0, count) where the value has passed the bound strictly (> for ascending, < for
    // descending); count when there is none.
    int64_t FirstPassing(double bound) const;

    // First k whose successor equals it (the step no longer moves the value), or count.
    int64_t FirstStuck() const { return firstStuck; }
    int64_t Count() const { return count; }
    bool Descending() const { return descending; }

private:
    struct Run {
        int64_t first;  // index of the first element
        double start;
        double increment;
    };
    template <class Predicate>
    int64_t FirstWhere(Predicate predicate) const;

    std::vector<Run> runs;
    int64_t count = 0;
    int64_t firstStuck = 0;
    bool descending = false;
};

}  // namespace render
