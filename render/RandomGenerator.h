// render/RandomGenerator.h: the render's pseudo-random stream. Its exact sequence is part of the
// picture (wave jitter, relief and noise), so it must never change.
#pragma once

#include <cstdint>

namespace render {

class RandomGenerator {
public:
    // Every render starts from seed 0 so that equal settings and images give equal pictures.
    explicit RandomGenerator(uint32_t seed = 0) : state(seed) {}

    // 0 to 32767.
    int32_t Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int32_t>((state >> 16) & 0x7FFFu);
    }

    uint32_t State() const { return state; }

    // Moves `count` draws ahead in O(log count): lets a worker start at any sample's draws without
    // drawing the ones before it.
    void Skip(uint64_t count) {
        uint32_t accMul = 1u, accAdd = 0u;
        uint32_t curMul = 214013u, curAdd = 2531011u;
        while (count != 0) {
            if ((count & 1u) != 0) {
                accMul *= curMul;
                accAdd = accAdd * curMul + curAdd;
            }
            curAdd = (curMul + 1u) * curAdd;
            curMul *= curMul;
            count >>= 1;
        }
        state = accMul * state + accAdd;
    }

private:
    uint32_t state;
};

// A jitter in [-0.25 amount, +0.25 amount) from one draw.
inline float JitterFromDraw(int32_t draw, float amount) {
    return amount * static_cast<float>(draw % 1000 - 500) / 2000.0f;
}

}  // namespace render
