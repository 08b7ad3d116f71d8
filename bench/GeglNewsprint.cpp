#include "bench/GeglNewsprint.h"

#include "bench/Timing.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {
namespace {

bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

}  // namespace

GeglTiming TimeGeglNewsprint(const SyntheticImage& image, int runs) {
    GeglTiming timing;
    if (!Run("command -v gegl > /dev/null 2>&1")) return timing;
    const std::string input = "mv_bench_gegl_in.ppm";
    const std::string output = "mv_bench_gegl_out.ppm";
    if (!WritePpm(image, input.c_str())) return timing;
    const std::string plain = "gegl " + input + " -o " + output + " > /dev/null 2>&1";
    const std::string newsprint = "gegl " + input + " -o " + output +
                                  " -- gegl:newsprint color-model=black-on-white pattern=line period=5 aa-samples=16"
                                  " > /dev/null 2>&1";
    std::vector<double> totals;
    std::vector<double> plains;
    bool ok = true;
    for (int i = 0; i < runs && ok; ++i) {
        Stopwatch a;
        ok = Run(newsprint);
        totals.push_back(a.Seconds());
        Stopwatch b;
        ok = ok && Run(plain);
        plains.push_back(b.Seconds());
    }
    std::remove(input.c_str());
    std::remove(output.c_str());
    if (!ok) return timing;
    timing.available = true;
    timing.totalSeconds = Median(totals);
    timing.loadSaveSeconds = Median(plains);
    return timing;
}

}  // namespace bench
