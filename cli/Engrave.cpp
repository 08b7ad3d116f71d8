#include "cli/Engrave.h"

#include "cli/CommandLine.h"
#include "cli/ContactSheet.h"
#include "cli/EngraveFile.h"
#include "cli/HelpText.h"
#include "cli/PresetFiles.h"
#include "cli/ProgressBar.h"

#include <cstdio>
#include <set>
#include <utility>

#include <sys/stat.h>

namespace cli {

namespace {

void Report(const std::string& message) {
    std::fprintf(stderr, "engrave: %s\n", message.c_str());
}

std::string OutputFor(const CommandLine& line, const std::string& input) {
    if (!line.output.empty()) return line.output;
    const size_t slash = input.find_last_of('/');
    const std::string name = slash == std::string::npos ? input : input.substr(slash + 1);
    return line.outputDir + (line.outputDir.back() == '/' ? "" : "/") + name;
}

// Two names for one file: writing the output would destroy the input it is read from.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace

int Engrave(const std::vector<std::string>& args) {
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(args, line, error)) {
        Report(error);
        std::fprintf(stderr, "Try 'engrave --help'.\n");
        return ToInt(ExitStatus::kUsage);
    }
    if (line.showHelp || line.showVersion || line.showList) {
        std::fputs(line.showHelp      ? HelpText().c_str()
                   : line.showVersion ? VersionText().c_str()
                                      : ListText().c_str(),
                   stdout);
        return std::fflush(stdout) == 0 ? ToInt(ExitStatus::kOk) : ToInt(ExitStatus::kWriteFailed);
    }

    FilterParameters settings = DefaultParameters();
    if (!line.presetToLoad.empty() && !LoadPreset(line.presetToLoad, settings, error)) {
        Report(line.presetToLoad + ": " + error);
        return ToInt(ExitStatus::kUsage);
    }
    ApplyChanges(line.changes, settings);
    if (!line.presetToSave.empty() && !SavePreset(line.presetToSave, settings, error)) {
        Report(line.presetToSave + ": cannot write: " + error);
        return ToInt(ExitStatus::kWriteFailed);
    }

    SelectionMask selection;
    if (!line.selection.empty() && !ReadSelectionMask(line.selection, selection, error)) {
        Report(line.selection + ": " + error);
        return ToInt(ExitStatus::kBadInput);
    }

    const bool showProgress = !line.quiet && StandardErrorIsTerminal();
    ExitStatus status = ExitStatus::kOk;
    std::set<std::string> outputsWritten;
    for (const std::string& input : line.inputs) {
        EngraveJob job{input,        OutputFor(line, input), settings, line.selection.empty() ? nullptr : &selection,
                       showProgress, line.compression};
        FileOutcome outcome;
        if (SameFile(job.input, job.output))
            outcome = {ExitStatus::kUsage, job.output + ": is the input itself; choose another output"};
        else if (!outputsWritten.insert(job.output).second)
            outcome = {ExitStatus::kUsage, job.output + ": another input was already written there"};
        else
            outcome = line.sheet ? MakeContactSheet(job) : EngraveFile(job);
        if (outcome.status != ExitStatus::kOk) {
            Report(outcome.message);
            if (status == ExitStatus::kOk) status = outcome.status;
        }
    }
    return ToInt(status);
}

}  // namespace cli
