// Native side of the parity check: runs the cases with the plug-in code linked in and writes
// one line per case to the file named on the command line, for the Windows run to compare.
#include "host/Platform.h"
#include "host/PluginMain.h"
#include "tests/win/parity/ParityCases.h"

#include <cstdio>
#include <fstream>

namespace {

class ObservedMessages : public parity::MessageSource {
public:
    ObservedMessages() { platform::SetMessageObserver(&ObservedMessages::Catch, this); }
    ~ObservedMessages() override { platform::SetMessageObserver(nullptr, nullptr); }
    std::vector<std::string> Drain() override { return std::move(messages); }

private:
    static void Catch(void* self, const char* text, const char* caption) {
        static_cast<ObservedMessages*>(self)->messages.push_back(std::string(caption) + ": " + text);
    }
    std::vector<std::string> messages;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s reference-file\n", argv[0]);
        return 2;
    }
    ObservedMessages messages;
    std::ofstream out(argv[1], std::ios::binary);
    for (const parity::Outcome& outcome : parity::RunAllCases(&PluginMain, messages))
        out << parity::FormatOutcome(outcome) << '\n';
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
