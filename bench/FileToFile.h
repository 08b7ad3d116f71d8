// bench/FileToFile.h: engrave as its users meet it, file to file on a 24-megapixel photograph,
// against GEGL's newsprint command and against decoding and encoding alone. Prints ratios
// measured in one run.
#pragma once

#include <string>

namespace bench {

struct FileToFileSettings {
    std::string engrave;  // the engrave program
    std::string photo;    // a PNG photograph, scaled up to 6000 x 4000
    std::string folder;   // where the inputs and outputs go (removed afterwards)
    int runs = 3;
    bool gegl = true;
};

void RunFileToFile(const FileToFileSettings& settings);

}  // namespace bench
