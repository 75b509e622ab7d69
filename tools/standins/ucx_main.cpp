// Stand-in for the outside C compiler:
//   ucx <input.OVP> <output.ASM> -CB x -DB x -CL x -DL x -BN x [-MB] -errout=<file>
// Writes an assembly source made of the input's "//asm " lines (the prefix
// removed), headed by the bank parameters as comments. A line holding
// "syntax_error" fails the run with "<input>(<line>) : error C2001 : syntax
// error" in the -errout file and exit code 1.
#include <string>
#include <vector>

#include "tools/standins/standin_files.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string message_file = "output.msg";
    std::string parameters;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i].rfind("-errout=", 0) == 0) {
            message_file = args[i].substr(std::string("-errout=").size());
        } else {
            parameters += " " + args[i];
        }
    }
    if (args.size() < 2) {
        standins::ReportMessage(message_file, "ucx : fatal error C1000 : usage: ucx <input> <output> [options]");
        return 1;
    }
    std::vector<std::string> lines;
    if (!standins::ReadLines(args[0], lines)) {
        standins::ReportMessage(message_file, "ucx : fatal error C1001 : can't open " + args[0]);
        return 1;
    }
    std::string text = ";" + parameters + "\n";
    const std::string prefix = "//asm ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("syntax_error") != std::string::npos) {
            standins::ReportMessage(message_file,
                                    args[0] + "(" + std::to_string(i + 1) + ") : error C2001 : syntax error");
            return 1;
        }
        if (lines[i].rfind(prefix, 0) == 0) text += lines[i].substr(prefix.size()) + "\n";
    }
    if (!standins::WriteText(args[1], text)) {
        standins::ReportMessage(message_file, "ucx : fatal error C1002 : can't write " + args[1]);
        return 1;
    }
    return 0;
}
