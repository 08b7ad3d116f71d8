// imageio/Progress.h: how readers and writers say how far they are (done of total, in units of
// their choosing); an empty function asks for no reports.
#pragma once

#include <cstdint>
#include <functional>

namespace imageio {

using Progress = std::function<void(int64_t done, int64_t total)>;

}  // namespace imageio
