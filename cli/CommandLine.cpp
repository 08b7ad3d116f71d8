#include "cli/CommandLine.h"

#include <cstdlib>

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
bool ParseCompression(const std::string& text, int& level, std::string& error) {
    if (text == "fast") {
        level = 1;  // about a third of the default's time, about a sixth larger
    } else if (text == "default") {
        level = imageio::kDefaultCompression;
    } else if (text == "best") {
        level = imageio::kSmallestCompression;
    } else {
        char* end = nullptr;
        const long number = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || number < imageio::kFastestCompression ||
            number > imageio::kSmallestCompression) {
            error = "--compression takes fast, default, best or a level from 0 (stored) to 12, not '" + text + "'";
            return false;
        }
        level = static_cast<int>(number);
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
    return true;
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
                return true;
            }
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
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
        } else if (name == "-o" || name == "output") {
            if (!takeValue(line.output)) return false;
        } else if (name == "-d" || name == "output-dir") {
            if (!takeValue(line.outputDir)) return false;
        } else if (name == "preset") {
            if (!takeValue(line.presetToLoad)) return false;
        } else if (name == "save-preset") {
            if (!takeValue(line.presetToSave)) return false;
        } else if (name == "selection") {
            if (!takeValue(line.selection)) return false;
        } else if (name == "compression") {
            std::string text;
            if (!takeValue(text) || !ParseCompression(text, line.compression, error)) return false;
        } else if (name == "set") {
            std::string assignment;
            SettingChange change;
            if (!takeValue(assignment) || !ParseKeyAssignment(assignment, change, error)) return false;
            line.changes.push_back(change);
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
