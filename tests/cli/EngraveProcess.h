// tests/cli/EngraveProcess.h: runs the built engrave as a separate process, as users run it.
#pragma once

#include <string>
#include <vector>

namespace cli_test {

struct ProcessResult {
    int status = -1;   // exit status; -1 when the process did not exit normally
    int signal = 0;    // the signal that ended it, if one did
    long peakKiB = 0;  // the process's peak resident memory
    std::string out;   // standard output
    std::string err;   // standard error (the terminal's text when run on one)
};

struct ProcessOptions {
    long maxFileBytes = -1;       // >= 0: files may grow no larger (stands in for a full disk)
    bool fileSizeSignal = false;  // with maxFileBytes: leave SIGXFSZ to its default, as a shell does
    bool onTerminal = false;      // standard error (and output) on a pseudo-terminal
    std::string standardInput;    // what the process reads on standard input (a pipe; at most 64 KiB)
    long maxAddressSpace = -1;    // >= 0: the process's memory, so that large allocations fail
};

ProcessResult RunEngrave(const std::vector<std::string>& args, const ProcessOptions& options = {});

// A fresh folder, removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string Path(const std::string& name) const { return path + "/" + name; }
    // Names of the entries, hidden ones included, sorted.
    std::vector<std::string> Entries() const;

private:
    std::string path;
};

}  // namespace cli_test
