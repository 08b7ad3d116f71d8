// Whatever ends engrave while it writes (a signal, a file-size limit), no partial or temporary
// file is left, and a limit is reported as a failed write rather than a silent death.
#include "cli/AtomicWrite.h"
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

// In a child process: start an atomic write whose writer has written part of the file when
// `signalNumber` arrives. Returns the signal that ended the child (0 if none did).
int SignalDuringWrite(const std::string& target, int signalNumber) {
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        cli::RemoveTemporaryFilesOnSignals();
        std::string error;
        cli::WriteAtomically(
            target,
            [&](const std::string& path, std::string&) {
                std::ofstream(path) << std::string(100000, 'x');
                raise(signalNumber);
                return true;
            },
            error);
        _exit(0);
    }
    int raw = 0;
    waitpid(pid, &raw, 0);
    return WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
}

TEST(EngraveSignals, EverySignalThatEndsTheProcessRemovesThePartialFile) {
    cli_test::TempFolder folder;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU}) {
        EXPECT_EQ(SignalDuringWrite(folder.Path("out.png"), signalNumber), signalNumber) << strsignal(signalNumber);
        EXPECT_TRUE(folder.Entries().empty()) << strsignal(signalNumber);
    }
}

TEST(EngraveSignals, AFileSizeLimitIsAFailedWriteWithItsReason) {
    cli_test::TempFolder folder;
    cli_test::WriteFile(folder.Path("in.png"), cli_test::MakeRaster(ColorModel::kRgb, 3, 16, 320, 240),
                        FileFormat::kPng);
    cli_test::WriteFile(folder.Path("in.tif"), cli_test::MakeRaster(ColorModel::kCmyk, 4, 16, 200, 150),
                        FileFormat::kTiff);
    cli_test::ProcessOptions limited;
    limited.maxFileBytes = 16 * 1024;  // `ulimit -f 16`, the signal left to its default as a shell does
    limited.fileSizeSignal = true;
    for (const char* name : {"in.png", "in.tif"}) {
        const std::string out = folder.Path(std::string("out") + (name + 2));
        const auto run = cli_test::RunEngrave({folder.Path(name), "-o", out}, limited);
        EXPECT_EQ(run.status, 5) << name << " signal " << run.signal;
        EXPECT_NE(run.err.find(out + ": cannot write: File too large"), std::string::npos) << run.err;
    }
    limited.maxFileBytes = 100;
    const auto preset = cli_test::RunEngrave({"--save-preset", folder.Path("p.kzv")}, limited);
    EXPECT_EQ(preset.status, 5) << "signal " << preset.signal;
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"in.png", "in.tif"}));
}

}  // namespace
