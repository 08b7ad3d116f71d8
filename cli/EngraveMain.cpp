// engrave: the command-line host of the Merovane II plug-in.
#include "cli/AtomicWrite.h"
#include "cli/Engrave.h"
#include "cli/ExitStatus.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    cli::RemoveTemporaryFilesOnSignals();
    try {
        return cli::Engrave(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "engrave: out of memory\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "engrave: internal error: %s\n", e.what());
    }
    return cli::ToInt(cli::ExitStatus::kInternal);
}
