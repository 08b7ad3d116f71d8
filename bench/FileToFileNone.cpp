// The file-to-file section in trees built without engrave (engrave reads files on Linux only).
#include "bench/FileToFile.h"

#include <cstdio>

namespace bench {

void RunFileToFile(const FileToFileSettings&) {
    std::printf("\nFile to file: not in this build, which has no engrave program.\n");
}

}  // namespace bench
