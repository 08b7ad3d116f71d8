#include "imageio/InputBytes.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imageio {

namespace {

class Descriptor {
public:
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd; }

private:
    int fd;
};

std::string MegabytesOf(int64_t bytes) {
    return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MB";
}

// A stream has no size to ask for: read it to its end, waiting a bounded time for each piece.
// Its head is checked as soon as it is there, so that an endless stream of something else
// (/dev/zero) is refused at once rather than read up to the limit.
bool ReadStream(int fd, int64_t maxBytes, std::vector<uint8_t>& bytes, std::string& error, size_t headBytes,
                const InputBytes::HeadCheck& acceptHead) {
    uint8_t buffer[1 << 16];
    bool headChecked = !acceptHead;
    for (;;) {
        if (!headChecked && bytes.size() >= headBytes) {
            headChecked = true;
            if (!acceptHead(bytes.data(), bytes.size(), error)) return false;
        }
        pollfd wait{fd, POLLIN, 0};
        const int ready = poll(&wait, 1, kPipeWaitSeconds * 1000);
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) {
            error = "nothing arrived for " + std::to_string(kPipeWaitSeconds) + " s (a pipe nobody writes to?)";
            return false;
        }
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got < 0) {
            error = std::strerror(errno);
            return false;
        }
        if (got == 0) return headChecked || acceptHead(bytes.data(), bytes.size(), error);
        if (static_cast<int64_t>(bytes.size()) + got > maxBytes) {
            error = "more than " + MegabytesOf(maxBytes) + " arrived, more than an image may hold here";
            return false;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

}  // namespace

InputBytes::~InputBytes() {
    if (mapping != nullptr) munmap(mapping, size);
}

bool InputBytes::Open(const std::string& path, int64_t maxBytes, std::string& error, size_t headBytes,
                      const HeadCheck& acceptHead) {
    // Non-blocking, so that opening a FIFO with no writer returns at once; the wait is bounded
    // below instead.
    Descriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = "is a folder, not a file";
        return false;
    }
    if (S_ISREG(info.st_mode)) {
        if (info.st_size == 0) return true;
        if (info.st_size > maxBytes) {
            error = "the file holds " + MegabytesOf(info.st_size) + ", more than the " + MegabytesOf(maxBytes) +
                    " an image may take here";
            return false;
        }
        size = static_cast<size_t>(info.st_size);
        mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd.Get(), 0);
        if (mapping == MAP_FAILED) {
            mapping = nullptr;
            size = 0;
            error = std::strerror(errno);
            return false;
        }
        data = static_cast<const uint8_t*>(mapping);
        return true;
    }
    if (!ReadStream(fd.Get(), maxBytes, copy, error, headBytes, acceptHead)) return false;
    data = copy.data();
    size = copy.size();
    return true;
}

}  // namespace imageio
