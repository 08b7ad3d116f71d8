// bench/ProcessRun.h: runs a command as a child process and measures it as its user meets it.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ProcessTiming {
    bool ok = false;         // started and exited with status 0
    double wallSeconds = 0;  // from fork to exit
    double cpuSeconds = 0;   // user and system time of the child, all its threads
    double peakMiB = 0;      // the child's largest resident size
};

// Runs `argv` (argv[0] looked up in PATH) with its output discarded.
ProcessTiming RunProcess(const std::vector<std::string>& argv);

}  // namespace bench
