#include "cli/AtomicWrite.h"

#include "cli/SameFile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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

// The longest file name most file systems take; the temporary name must fit as well as the
// output's own.
constexpr size_t kMaxNameBytes = 255;
constexpr char kTemporaryMark[] = ".engrave-XXXXXX";

// Why `destination` (a name, links already followed) cannot be replaced by a new regular file;
// empty when it can. Fills `existing` when a file is there.
std::string PlaceProblem(const std::string& destination, struct stat& existing, bool& exists) {
    exists = stat(destination.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return "is a folder";
    // A rename replaces whatever has the name: a device or a pipe would be swapped for a plain file.
    if (exists && !S_ISREG(existing.st_mode)) return "not a regular file";
    const size_t slash = destination.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : destination.substr(0, slash);
    struct stat folderInfo {};
    if (stat(folder.c_str(), &folderInfo) != 0) return std::strerror(errno);
    if (!S_ISDIR(folderInfo.st_mode)) return std::strerror(ENOTDIR);
    if (access(folder.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
    return std::string();
}

}  // namespace

bool CheckWritable(const std::string& target, std::string& error) {
    struct stat existing {};
    bool exists = false;
    error = PlaceProblem(WriteDestination(target), existing, exists);
    return error.empty();
}

bool WriteAtomically(const std::string& requested, const FileWriter& write, std::string& error) {
    // A symbolic link keeps pointing where it did, dangling or not: the file it leads to is
    // what gets written.
    const std::string target = WriteDestination(requested);
    struct stat existing {};
    bool exists = false;
    error = PlaceProblem(target, existing, exists);
    if (!error.empty()) return false;
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    // Hidden and marked, so that a leftover from a power cut is easy to recognise; shortened
    // when the output's own name leaves no room for the mark.
    const size_t room = kMaxNameBytes - 1 - (sizeof kTemporaryMark - 1);
    if (name.size() > room) name.resize(room);
    std::string pattern = folder + "." + name + kTemporaryMark;
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
    close(fd);

    bool ok = write(temporary, error);
    // A replaced file keeps its permissions (a private 0600 stays private, a read-only one stays
    // read-only, hence after the write); a new one gets the usual ones rather than mkstemp's 0600.
    if (ok) chmod(temporary.c_str(), exists ? existing.st_mode & 07777 : UsualPermissions());
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = std::strerror(errno);
        ok = false;
    }
    if (!ok) unlink(temporary.c_str());
    gPending = 0;
    return ok;
}

void RemoveTemporaryFilesOnSignals() {
    // Every signal whose default action ends the process, except the faults of engrave's own
    // code (SEGV, BUS, FPE, ILL, ABRT), which are left to their default and to the sanitizers.
    for (int signalNumber :
         {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF, SIGXCPU, SIGPOLL}) {
        // A signal ignored by whoever started engrave (nohup, a shell in the background) stays ignored.
        if (std::signal(signalNumber, OnTerminatingSignal) == SIG_IGN) std::signal(signalNumber, SIG_IGN);
    }
    // Past a file-size limit the write then fails with EFBIG and is reported like a full disk,
    // instead of the signal ending the process with a partial file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace cli
