#include "tests/cli/EngraveProcess.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace cli_test {

namespace {

void ReadAll(int fdOut, int fdErr, std::string& out, std::string& err) {
    std::vector<pollfd> fds;
    if (fdOut >= 0) fds.push_back({fdOut, POLLIN, 0});
    fds.push_back({fdErr, POLLIN, 0});
    char buffer[4096];
    while (!fds.empty()) {
        if (poll(fds.data(), fds.size(), -1) < 0) break;
        for (size_t i = 0; i < fds.size();) {
            if (fds[i].revents == 0) {
                ++i;
                continue;
            }
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {  // end of file; a pseudo-terminal reports EIO once the child has gone
                fds.erase(fds.begin() + static_cast<long>(i));
                continue;
            }
            (fds[i].fd == fdOut ? out : err).append(buffer, static_cast<size_t>(n));
            ++i;
        }
    }
}

[[noreturn]] void ExecEngrave(const std::vector<std::string>& args, const ProcessOptions& options) {
    if (options.maxFileBytes >= 0) {
        // A file-size limit makes writes fail as a full disk does; the signal it raises is ignored,
        // so the write call reports the error instead of ending the process.
        const rlimit limit{static_cast<rlim_t>(options.maxFileBytes), static_cast<rlim_t>(options.maxFileBytes)};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, options.fileSizeSignal ? SIG_DFL : SIG_IGN);
    }
    if (options.maxAddressSpace >= 0) {
        const rlimit limit{static_cast<rlim_t>(options.maxAddressSpace), static_cast<rlim_t>(options.maxAddressSpace)};
        setrlimit(RLIMIT_AS, &limit);
    }
    std::vector<char*> argv;
    std::string program = MV_ENGRAVE_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies(args);
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

void Wait(pid_t pid, ProcessResult& result) {
    int raw = 0;
    rusage usage{};
    if (wait4(pid, &raw, 0, &usage) != pid) return;
    result.peakKiB = usage.ru_maxrss;
    if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) result.signal = WTERMSIG(raw);
}

// Standard input as a pipe already holding everything the process will read.
int InputPipe(const std::string& bytes) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    if (!bytes.empty() && write(fds[1], bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        close(fds[0]);
        close(fds[1]);
        return -1;
    }
    close(fds[1]);
    return fds[0];
}

}  // namespace

ProcessResult RunEngrave(const std::vector<std::string>& args, const ProcessOptions& options) {
    ProcessResult result;
    if (options.onTerminal) {
        int master = -1;
        const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
        if (pid == 0) ExecEngrave(args, options);
        if (pid < 0) return result;
        ReadAll(-1, master, result.out, result.err);
        close(master);
        Wait(pid, result);
        return result;
    }
    const int input = options.standardInput.empty() ? -1 : InputPipe(options.standardInput);
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return result;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        if (input >= 0) dup2(input, STDIN_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        close(outPipe[1]);
        close(errPipe[1]);
        ExecEngrave(args, options);
    }
    if (input >= 0) close(input);
    close(outPipe[1]);
    close(errPipe[1]);
    ReadAll(outPipe[0], errPipe[0], result.out, result.err);
    close(outPipe[0]);
    close(errPipe[0]);
    Wait(pid, result);
    return result;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "engrave-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

std::vector<std::string> TempFolder::Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace cli_test
