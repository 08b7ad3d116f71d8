#include "cli/CommandLine.h"

#include <string>

namespace cli {

namespace {

using params::FieldKind;

bool IsFlag(const Setting& s) {
    return s.kind == FieldKind::kFlag32 || s.kind == FieldKind::kFlag8;
}

// A flag option switches its setting on; one whose default is on also has "--no-" to switch it
// off. A setting with a complement ("--invert") moves that field the opposite way, as the
// dialog's check box does. Null when `name` is no flag option.
const Setting* FindFlag(const std::string& name, bool& on) {
    const bool negated = name.compare(0, 3, "no-") == 0;
    const Setting* s = params::FindByOption((negated ? name.substr(3) : name).c_str());
    if (s == nullptr || !IsFlag(*s) || (negated && s->defaultValue == 0)) return nullptr;
    on = !negated;
    return s;
}

void AddFlag(const Setting& flag, bool on, CommandLine& line) {
    line.changes.push_back(SettingChange{&flag, on ? 1.0f : 0.0f});
    if (flag.complementKey != nullptr)
        line.changes.push_back(SettingChange{params::FindByKey(flag.complementKey), on ? 0.0f : 1.0f});
}

// --compression fast|default|best or a level from 0 to 12: size traded for speed when writing.
// Plain decimal digits only, as for --max-memory: no signs, spaces or hexadecimal.
bool ParseCompression(const std::string& text, int& level, std::string& error) {
    if (text == "fast") {
        level = 1;  // about a third of the default's time, about a sixth larger
    } else if (text == "default") {
        level = imageio::kDefaultCompression;
    } else if (text == "best") {
        level = imageio::kSmallestCompression;
    } else {
        const bool digits =
            !text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == std::string::npos;
        const int number = digits ? std::stoi(text) : -1;
        if (number < imageio::kFastestCompression || number > imageio::kSmallestCompression) {
            error = "--compression takes fast, default, best or a level from 0 (stored) to 12, not '" + text + "'";
            return false;
        }
        level = number;
    }
    return true;
}

bool ParseMemoryBudget(const std::string& text, int64_t& megabytes, std::string& error) {
    const bool digits = !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
    megabytes = digits ? std::stoll(text) : 0;
    if (digits && megabytes >= kMinMemoryBudgetMb && megabytes <= kMaxMemoryBudgetMb) return true;
    error = "--max-memory '" + text + "': takes a whole number of MB from " + std::to_string(kMinMemoryBudgetMb) +
            " to " + std::to_string(kMaxMemoryBudgetMb);
    return false;
}

// SVG output is chosen by the output's extension, or by --format svg for a batch.
bool CheckVectorOptions(const CommandLine& line, std::string& error) {
    const VectorOptions& v = line.vector;
    const bool svgName = !line.output.empty() && HasSvgExtension(line.output);
    if (v.svgFormat && !line.output.empty() && !svgName) {
        error = "--format svg writes SVG files: give -o a .svg name";
        return false;
    }
    if (line.sheet && (svgName || v.svgFormat)) {
        error = "--sheet writes a PNG picture, not SVG";
        return false;
    }
    if (!v.rulingOption.empty()) {
        for (const SettingChange& change : line.changes) {
            const params::Setting* s = change.setting;
            if (s != nullptr && s->key != nullptr && std::string(s->key) == "Spac") {
                error = v.rulingOption + " sets Space itself; leave out --space";
                return false;
            }
        }
    }
    return true;
}

bool Check(const CommandLine& line, std::string& error) {
    if (line.showHelp || line.showVersion || line.showList) return true;
    if (line.inputs.empty()) {
        if (!line.presetToSave.empty() && line.output.empty() && line.outputDir.empty()) return true;
        error = "no input file";
        return false;
    }
    if (line.output.empty() == line.outputDir.empty()) {
        error = "give either -o OUTPUT or -d DIR";
        return false;
    }
    if (!line.output.empty() && line.inputs.size() > 1) {
        error = "-o names one output; use -d DIR for several inputs";
        return false;
    }
    if (line.sheet && !line.selection.empty()) {
        error = "--sheet shows whole pictures and takes no --selection";
        return false;
    }
    if (line.sheet && line.output.empty()) {
        error = "--sheet writes one picture: give -o SHEET.png";
        return false;
    }
    return CheckVectorOptions(line, error);
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error) {
    line = CommandLine{};
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            line.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name=value" and "--name value" both work; short options take the next argument.
        std::string name = arg, value;
        bool hasInlineValue = false;
        if (arg.compare(0, 2, "--") == 0) {
            name = arg.substr(2);
            const size_t equals = name.find('=');
            if (equals != std::string::npos) {
                value = name.substr(equals + 1);
                name.resize(equals);
                hasInlineValue = true;
            }
        }
        auto takeValue = [&](std::string& into) {
            if (hasInlineValue) {
                into = value;
            } else if (i + 1 < args.size()) {
                into = args[++i];
            } else {
                error = arg + " needs a value";
                return false;
            }
            return true;
        };
        // An empty name would read as "not given" and the option would be dropped without a word.
        auto takeFileName = [&](std::string& into) {
            if (!takeValue(into)) return false;
            if (into.empty()) error = arg + " needs a file name, not an empty one";
            return !into.empty();
        };

        if (name == "help" || name == "-h") {
            line.showHelp = true;
        } else if (name == "version") {
            line.showVersion = true;
        } else if (name == "list") {
            line.showList = true;
        } else if (name == "quiet" || name == "-q") {
            line.quiet = true;
        } else if (name == "sheet") {
            line.sheet = true;
        } else if (name == "sheet-presets") {
            if (!takeValue(line.presetSheetFolder)) return false;
            line.sheet = true;
        } else if (name == "-o" || name == "output") {
            if (!takeFileName(line.output)) return false;
        } else if (name == "-d" || name == "output-dir") {
            if (!takeFileName(line.outputDir)) return false;
        } else if (name == "preset") {
            if (!takeFileName(line.presetToLoad)) return false;
        } else if (name == "save-preset") {
            if (!takeFileName(line.presetToSave)) return false;
        } else if (name == "selection") {
            if (!takeFileName(line.selection)) return false;
        } else if (name == "compression") {
            std::string text;
            if (!takeValue(text) || !ParseCompression(text, line.compression, error)) return false;
        } else if (name == "max-memory") {
            std::string text;
            if (!takeValue(text) || !ParseMemoryBudget(text, line.memoryBudgetMb, error)) return false;
        } else if (name == "set") {
            std::string assignment;
            SettingChange change;
            if (!takeValue(assignment) || !ParseKeyAssignment(assignment, change, error)) return false;
            line.changes.push_back(change);
        } else if (IsVectorOption(name)) {
            std::string text;
            if (!takeValue(text) || !ParseVectorOption(name, text, line.vector, error)) return false;
        } else if (bool on = false; const Setting* flag = FindFlag(name, on)) {
            if (hasInlineValue) {
                error = arg + " takes no value; use --set " + flag->key + "=VALUE";
                return false;
            }
            AddFlag(*flag, on, line);
        } else if (const Setting* setting = params::FindByOption(name.c_str());
                   setting != nullptr && !IsFlag(*setting)) {
            std::string text;
            SettingChange change;
            if (!takeValue(text) || !ParseOptionValue(*setting, text, change, error)) return false;
            line.changes.push_back(change);
        } else {
            error = "unknown option " + arg;
            return false;
        }
        if (hasInlineValue &&
            (name == "help" || name == "version" || name == "list" || name == "quiet" || name == "sheet")) {
            error = arg + " takes no value";
            return false;
        }
    }
    return Check(line, error);
}

}  // namespace cli
