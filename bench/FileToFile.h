// bench/FileToFile.h: engrave as its users meet it, file to file on a 24-megapixel photograph,
// against GEGL's newsprint command and against decoding and encoding alone. Prints ratios
// measured in one run.
#pragma once

namespace bench {

struct FileToFileSettings {
    int runs = 3;
    bool gegl = true;
};

// Runs the engrave program of this build on the test photograph scaled up to 6000 x 4000, in a
// folder of its own under the system's temporary folder, removed afterwards.
void RunFileToFile(const FileToFileSettings& settings);

}  // namespace bench
