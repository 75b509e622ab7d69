#include "source_generator.h"

#include <fstream>
#include <vector>

namespace dravlin_bench {

namespace {

constexpr int kIncludeFiles = 40;
constexpr int kSegments = 8;
constexpr int kCallsPerSegment = 250;  // each call a macro with a LOCAL label
constexpr int kLabelsPerSegment = 150;

// The body of macro `m` of include file `f`, as plain lines; `local` names
// its LOCAL label in this expansion.
std::vector<std::string> macro_body(int f, const std::string& local, int argument) {
    return {
        "LDX #" + std::to_string(argument),
        local + ":",
        "LDA " + std::to_string(16 + f),
        "CLC",
        "ADC #" + std::to_string(f + 1),
        "STA " + std::to_string(32 + f) + ",X",
        "DEX",
        "BNE " + local,
    };
}

long line_count(const std::string& text) {
    long count = 0;
    for (char c : text) count += c == '\n';
    return count;
}

void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

GeneratedSources generate_sources(const std::filesystem::path& folder) {
    GeneratedSources out;
    // Include files: a few constants and one macro each.
    for (int f = 0; f < kIncludeFiles; ++f) {
        std::string text = "; include " + std::to_string(f) + "\n";
        text += "K" + std::to_string(f) + " EQU " + std::to_string(f * 3) + "\n";
        text += "op" + std::to_string(f) + " MACRO n\nLOCAL again\n";
        for (const std::string& line : macro_body(f, "again", -1)) {
            std::string copy = line == "LDX #-1" ? "LDX #n" : line;
            text += (copy.back() == ':' ? "" : "        ") + copy + "\n";
        }
        text += "ENDM\n";
        write_file(folder / ("inc" + std::to_string(f) + ".inc"), text);
        out.macro_main += "#INCLUDE \"inc" + std::to_string(f) + ".inc\"\n";
        out.macro_lines += line_count(text);
    }
    out.plain_64tass = "\t* = $4000\n";
    int local_number = 0;
    for (int s = 0; s < kSegments; ++s) {
        std::string section = "sec" + std::to_string(s);
        std::string header = section + " SECTION BASEADDRESS:4000H LENGTH:4000H BANKNUMBER:" + std::to_string(s + 1) +
                             "\ncode SEGMENT\n";
        out.macro_main += header;
        out.plain_dravlin += header;
        for (int c = 0; c < kCallsPerSegment; ++c) {
            int f = (c * 7 + s) % kIncludeFiles;
            int argument = 1 + c % 9;
            if (c % 2 == 0) {
                std::string label = "L" + std::to_string(s) + "_" + std::to_string(c);
                out.macro_main += label + ":\n";
                out.plain_dravlin += label + ":\n";
                out.plain_64tass += label + "\n";
            }
            out.macro_main += "        op" + std::to_string(f) + " " + std::to_string(argument) + "\n";
            out.macro_lines += static_cast<long>(macro_body(f, "", 0).size());  // the expansion's lines
            std::string local = "q" + std::to_string(local_number++);
            for (const std::string& line : macro_body(f, local, argument)) {
                bool label = line.back() == ':';
                out.plain_dravlin += (label ? "" : "        ") + line + "\n";
                out.plain_64tass += label ? line.substr(0, line.size() - 1) + "\n" : "\t" + line + "\n";
            }
        }
        for (int l = 0; l < kLabelsPerSegment; l += 2) {
            std::string jump = "        JMP L" + std::to_string(s) + "_" + std::to_string(l) + "\n";
            out.macro_main += jump;
            out.plain_dravlin += jump;
            out.plain_64tass += "\tJMP L" + std::to_string(s) + "_" + std::to_string(l) + "\n";
        }
        std::string footer = "code ENDSG\n" + section + " ENDSC\n";
        out.macro_main += footer;
        out.plain_dravlin += footer;
    }
    out.macro_lines += line_count(out.macro_main);
    out.plain_lines = line_count(out.plain_dravlin);
    return out;
}

}  // namespace dravlin_bench
