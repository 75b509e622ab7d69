// Stand-in for the outside C preprocessor:
//   ovp <source.C> <output.OVP> [-I "folder"]... [-W]
// Copies the source to the output; a line "#error <text>" fails the run with
// "<source>(<line>) : error : <text>" in "output.msg" and exit code 2.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/standins/standin_files.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2) {
        standins::ReportMessage("output.msg", "ovp : fatal error : usage: ovp <source> <output> [-I folder]... [-W]");
        return 2;
    }
    std::vector<std::string> lines;
    if (!standins::ReadLines(args[0], lines)) {
        standins::ReportMessage("output.msg", "ovp : fatal error : can't open source " + args[0]);
        return 2;
    }
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("#error", 0) == 0) {
            standins::ReportMessage("output.msg", args[0] + "(" + std::to_string(i + 1) +
                                                      ") : error : " + lines[i].substr(std::string("#error").size()));
            return 2;
        }
        text += lines[i] + "\n";
    }
    if (!standins::WriteText(args[1], text)) {
        standins::ReportMessage("output.msg", "ovp : fatal error : can't write " + args[1]);
        return 2;
    }
    return 0;
}
