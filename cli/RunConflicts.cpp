#include "cli/RunConflicts.h"

#include "cli/SameFile.h"
#include "cli/VectorOptions.h"

namespace cli {

std::vector<std::string> OutputsOf(const CommandLine& line) {
    std::vector<std::string> outputs;
    for (const std::string& input : line.inputs) {
        if (!line.output.empty()) {
            outputs.push_back(line.output);
            continue;
        }
        const size_t slash = input.find_last_of('/');
        std::string name = slash == std::string::npos ? input : input.substr(slash + 1);
        if (line.vector.svgFormat) name = SvgName(name);
        outputs.push_back(line.outputDir + (line.outputDir.back() == '/' ? "" : "/") + name);
    }
    return outputs;
}

std::string SavedPresetConflict(const CommandLine& line, const std::vector<std::string>& outputs) {
    const std::string& preset = line.presetToSave;
    if (preset.empty()) return std::string();
    std::string what;
    for (const std::string& input : line.inputs)
        if (what.empty() && SameFile(preset, input)) what = "an input of this run";
    if (what.empty() && !line.selection.empty() && SameFile(preset, line.selection)) what = "the selection mask";
    if (what.empty() && !line.presetToLoad.empty() && SameFile(preset, line.presetToLoad))
        what = "the preset being read (give the options without --preset to change it in place)";
    for (const std::string& output : outputs)
        if (what.empty() && SameFile(preset, output)) what = "the output";
    if (what.empty()) return std::string();
    return preset + ": is also " + what + "; choose another name for --save-preset";
}

std::string OutputConflict(const CommandLine& line, const std::vector<std::string>& outputs, size_t index) {
    const std::string& output = outputs[index];
    if (SameFile(output, line.inputs[index])) return output + ": is the input itself; choose another output";
    for (size_t i = 0; i < line.inputs.size(); ++i)
        if (i != index && SameFile(output, line.inputs[i]))
            return output + ": is another input of this run; choose another output";
    if (!line.selection.empty() && SameFile(output, line.selection))
        return output + ": is the selection mask; choose another output";
    if (!line.presetToLoad.empty() && SameFile(output, line.presetToLoad))
        return output + ": is the preset being read; choose another output";
    for (size_t i = 0; i < index; ++i)
        if (SameFile(output, outputs[i])) return output + ": another input was already written there";
    return std::string();
}

}  // namespace cli
