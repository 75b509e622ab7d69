#pragma once
// What the stand-in C tools share: reading a source by the path the IDE
// gives (any case, either separator), writing an output, and reporting into
// the message file the way the kit's tools do, one line per message.
#include <string>
#include <string_view>
#include <vector>

namespace standins {

// The lines of the file, or false when it cannot be read.
bool ReadLines(std::string_view path, std::vector<std::string>& lines);
bool WriteText(std::string_view path, std::string_view text);

// Appends one line to the message file ("output.msg" in the current folder
// unless the tool was told another).
void ReportMessage(std::string_view message_file, std::string_view line);

}  // namespace standins
