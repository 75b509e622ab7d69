// simrun: runs the simulator core without a window, for tests and scripts.
// Exit codes: 0 the run was made and reported; 1 an output could not be
// written or the download could not start; 2 a bad command line or input.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "platform/os/file.h"
#include "tools/simrun/report.h"
#include "tools/simrun/session.h"
#include "tools/simrun/simrun_options.h"

namespace {

// Numbered diagnostics: 1 command line, 2 input files and set-up, 3 outputs, 4 download.
int Fail(int number, const std::string& message, int exitCode) {
    std::cerr << "simrun: error " << number << ": " << message << "\n";
    return exitCode;
}

// The input of this run that `output` would replace (any spelling, a link or a
// hard link), or an empty string.
std::string InputNamedBy(const std::string& output, const simrun::Options& options) {
    const auto identity = os::file_identity(output);
    if (!identity) return {};
    for (const std::string* input : {&options.rom, &options.loader, &options.download}) {
        if (!input->empty() && os::file_identity(*input) == identity) return *input;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    simrun::ParseResult parsed = simrun::ParseOptions(arguments);
    if (!parsed.error.empty()) {
        std::cerr << simrun::kUsage;
        return Fail(1, parsed.error, 2);
    }
    const simrun::Options& options = parsed.options;

    if (!options.lcdPbm.empty()) {
        if (std::string input = InputNamedBy(options.lcdPbm, options); !input.empty())
            return Fail(3, options.lcdPbm + ": the output would replace the input " + input, 1);
    }

    simrun::Session session;
    if (std::string error = session.Start(options, std::cout); !error.empty()) return Fail(2, error, 2);
    bool reached = false;
    simcpu::RunResult result = session.Run(reached);

    std::cout << "result " << static_cast<int>(result) << "\n";
    if (options.untilPc) std::cout << (reached ? "reached" : "not reached") << "\n";
    if (options.dumpRegisters) std::cout << simrun::RegisterLine(session.core());
    for (const simrun::MemoryDump& dump : options.dumps) std::cout << simrun::MemoryLines(session.core(), dump);
    if (options.lcdText) std::cout << session.LcdText();
    if (!options.lcdPbm.empty()) {
        if (auto written = os::write_file(options.lcdPbm, session.LcdPbm()); !written) {
            return Fail(3, written.error().text, 1);
        }
    }
    if (!session.downloadError().empty()) return Fail(4, session.downloadError(), 1);
    return 0;
}
