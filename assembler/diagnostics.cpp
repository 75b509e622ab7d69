#include "assembler/diagnostics.h"

#include <array>
#include <utility>

namespace dravlin {

namespace {

// Texts exactly as the string table holds them, trailing blanks included.
constexpr std::array<std::pair<int, std::string_view>, 53> kMessages{{
    {1001, "can not alloc virtual memory"},
    {1002, "can not create file"},
    {1003, "can not create file mapping"},
    {1004, "can not  map view of file mapping"},
    {1005, "out of memory"},
    {1006, "write file error"},
    {2000, "one line is too long"},
    {2001, "syntax error"},
    {2002, "variable declar error"},
    {2003, "expression error"},
    {2004, "symbol redefine"},
    {2005, "lable declar error"},
    {2006, "unknow command"},
    {2007, "no segment error"},
    {2008, "error address mode"},
    {2009, "symbol declar error"},
    {2010, "section define error"},
    {2011, "segment define error"},
    {2012, "procedure define error"},
    {2013, "missing section end"},
    {2014, "missing segment end"},
    {2015, "missing procedure end"},
    {2016, "section not define"},
    {2017, "segment not define"},
    {2018, "procedure not define "},
    {2019, "undefine symbol"},
    {2020, "undefine entrypoint"},
    {2021, "macro declar error"},
    {2022, "undefine macro"},
    {2023, "undefine struct"},
    {2024, "too many argument"},
    {2025, "miss parameter error"},
    {2026, "illegal else without matching if"},
    {2027, "if with no end"},
    {2028, "missing base address"},
    {2029, "missing bank length"},
    {2030, "missing bank number"},
    {2031, "variable declar error"},
    {2032, "code not in  segment "},
    {2033, "data not in segment"},
    {2034, "Jump out of range"},
    {2035, "Can not find file"},
    {2036, "Constant  cannot be exported"},
    {2037, "Segment length over flow"},
    {3000, "Too much macro paramter "},
    {3001, "expressions syntax error"},
    {3002, "illegal number"},
    {3003, "illegal symbol"},
    {3004, "illegal structure "},
    {3005, "undefine symbol"},
    {3006, "missing parentheses "},
    {3007, "illegal address operate"},
    {3009, "divide by 0"},
}};

}  // namespace

std::string_view message_text(int id) {
    for (const auto& [message_id, text] : kMessages) {
        if (message_id == id) return text;
    }
    return {};
}

void Reporter::write(const std::string& line) {
    transcript_ += line;
    if (sink_) {
        std::fwrite(line.data(), 1, line.size(), sink_);
        std::fflush(sink_);
    }
}

void Reporter::error(int id, std::string_view file, int line, std::string_view detail) {
    std::string text(file);
    text += '(' + std::to_string(line) + ") syntax error " + std::to_string(id) + ": ";
    if (id == kMsgUndefinedSymbol) {
        text += detail;
        text += ' ';
    }
    text += message_text(id);
    if (id != kMsgUndefinedSymbol && !detail.empty()) {
        text += ": ";
        text += detail;
    }
    text += "\r\n";
    write(text);
    if (++error_count_ >= kAbortCount) throw AsmAbort{};
}

void Reporter::fatal(int id, std::string_view file, std::string_view detail) {
    std::string_view text = detail.empty() ? message_text(id) : detail;
    std::string line = "fatal error";
    if (!file.empty() && id != 1005) {
        line += ' ';
        line += file;
    }
    line += ": " + std::to_string(id) + ": ";
    line += text;
    line += "\r\n";
    write(line);
    throw AsmAbort{};
}

}  // namespace dravlin
