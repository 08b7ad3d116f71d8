#include "cli/Engrave.h"

#include "cli/CommandLine.h"
#include "cli/ContactSheet.h"
#include "cli/EngraveFile.h"
#include "cli/HelpText.h"
#include "cli/MemoryBudget.h"
#include "cli/PresetFiles.h"
#include "cli/PresetSheet.h"
#include "cli/ProgressBar.h"
#include "cli/RunConflicts.h"
#include "cli/SvgFile.h"
#include "cli/VectorOptions.h"

#include <cstdio>
#include <exception>
#include <new>

namespace cli {

namespace {

void Report(const std::string& message) {
    std::fprintf(stderr, "engrave: %s\n", message.c_str());
}

// One file's work; whatever it throws fails that file alone, so a batch goes on.
FileOutcome RunJob(const CommandLine& line, const EngraveJob& job, const std::vector<SheetTile>& tiles,
                   int32_t tileLimit) {
    try {
        return line.sheet                    ? MakeContactSheet(job, tiles, tileLimit)
               : HasSvgExtension(job.output) ? EngraveSvgFile(job)
                                             : EngraveFile(job);
    } catch (const std::bad_alloc&) {
        return {ExitStatus::kPluginFailed, job.input + ": out of memory while engraving it"};
    } catch (const std::exception& e) {
        return {ExitStatus::kInternal, job.input + ": internal error: " + e.what()};
    }
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

    // Every name is checked against the others before anything is read or written.
    const std::vector<std::string> outputs = OutputsOf(line);
    const std::string presetConflict = SavedPresetConflict(line, outputs);
    if (!presetConflict.empty()) {
        Report(presetConflict);
        return ToInt(ExitStatus::kUsage);
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

    const imageio::ReadLimits limits = LimitsForRun(line.memoryBudgetMb, /*hostSized=*/!line.sheet);
    // SVG outputs never pass through the host, so only the budget bounds their inputs.
    const imageio::ReadLimits svgLimits = LimitsForRun(line.memoryBudgetMb, /*hostSized=*/false);
    SelectionMask selection;
    if (!line.selection.empty() && !ReadSelectionMask(line.selection, limits, selection, error)) {
        Report(line.selection + ": " + error);
        return ToInt(ExitStatus::kBadInput);
    }

    std::vector<SheetTile> tiles;
    if (!line.presetSheetFolder.empty()) {
        if (!PresetSheetTiles(line.presetSheetFolder, settings, tiles, error)) {
            Report(error);
            return ToInt(ExitStatus::kUsage);
        }
    } else if (line.sheet) {
        tiles = PatternAndSchemaTiles(settings);
    }
    const int32_t tileLimit = line.presetSheetFolder.empty() ? kSheetTile : kPresetSheetTile;

    const bool showProgress = !line.quiet && StandardErrorIsTerminal();
    ExitStatus status = ExitStatus::kOk;
    for (size_t i = 0; i < line.inputs.size(); ++i) {
        EngraveJob job{line.inputs[i], outputs[i],        settings, line.selection.empty() ? nullptr : &selection,
                       showProgress,   line.compression,
                       !line.sheet && HasSvgExtension(outputs[i]) ? svgLimits : limits,
                       line.vector};
        const std::string conflict = OutputConflict(line, outputs, i);
        const FileOutcome outcome = conflict.empty() ? RunJob(line, job, tiles, tileLimit) : FileOutcome{ExitStatus::kUsage, conflict};
        if (!outcome.note.empty()) Report(outcome.note);
        if (outcome.status != ExitStatus::kOk) {
            Report(outcome.message);
            if (status == ExitStatus::kOk) status = outcome.status;
        }
    }
    return ToInt(status);
}

}  // namespace cli
