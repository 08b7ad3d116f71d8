#include "cli/SameFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

// The links the system itself follows before giving up with ELOOP.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// An absolute name for a file that may not exist: its folder resolved, its own name kept.
std::string ResolvedPlace(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    char* resolved = realpath(folder.c_str(), nullptr);
    if (resolved == nullptr) return path;
    std::string place = resolved;
    std::free(resolved);
    return place + (place.back() == '/' ? "" : "/") + name;
}

}  // namespace

std::string WriteDestination(const std::string& name) {
    std::string path = name;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t length = readlink(path.c_str(), target.data(), PATH_MAX);
        if (length <= 0) return name;
        const std::string next(target.data(), static_cast<size_t>(length));
        path = next[0] == '/' ? next : FolderOf(path) + next;
    }
    return name;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    const bool firstExists = stat(a.c_str(), &first) == 0;
    const bool secondExists = stat(b.c_str(), &second) == 0;
    if (firstExists && secondExists) return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    if (firstExists || secondExists) return false;
    return ResolvedPlace(WriteDestination(a)) == ResolvedPlace(WriteDestination(b));
}

}  // namespace cli
