#include "cli/AtomicWrite.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

// The path a signal handler may have to remove; a fixed buffer because a handler can neither
// allocate nor read a std::string safely.
char gPendingPath[4096] = {};
volatile std::sig_atomic_t gPending = 0;

void OnTerminatingSignal(int signalNumber) {
    if (gPending != 0) unlink(gPendingPath);
    std::signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

mode_t UsualPermissions() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool WriteAtomically(const std::string& target, const FileWriter& write, std::string& error) {
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    // Hidden and marked, so that a leftover from a power cut is easy to recognise.
    std::string pattern = folder + "." + name + ".engrave-XXXXXX";
    if (pattern.size() >= sizeof gPendingPath) {
        error = "path too long";
        return false;
    }
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    gPending = 0;
    const int fd = mkstemp(path.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    std::memcpy(gPendingPath, path.data(), path.size());
    gPending = 1;
    const std::string temporary(path.data());
    fchmod(fd, UsualPermissions());
    close(fd);

    bool ok = write(temporary, error);
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = std::strerror(errno);
        ok = false;
    }
    if (!ok) unlink(temporary.c_str());
    gPending = 0;
    return ok;
}

void RemoveTemporaryFilesOnSignals() {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, OnTerminatingSignal);
}

}  // namespace cli
