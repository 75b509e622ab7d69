#pragma once
// Mossrel's command line, as the IDE builds it:
//   /OBJPATH <dir\> /OBJS <name>... [/LIBS <lib>...] /NAME <display> /OUT <image>
//   [/FILEHEAD <ver>] [/AUTO] [-W2]
// Every argument but the display name is upper-cased (absolute paths stay as
// given). "/AUTO" right after the output path sets the (unused) auto flag and
// "-W2" two places after it stops the echo of messages to standard error; the
// IDE's "/FILEHEAD" pair stands in those places, so from its line neither is taken.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace linker {

struct LinkSettings {
    std::string object_directory;
    std::vector<std::string> object_paths;   // joined with the directory
    std::vector<std::string> library_paths;  // as given
    std::string display_name;                // as typed
    std::string output_path;
    std::string output_base;  // between the last separator and the last '.' of the output path
    bool auto_flag = false;
    bool echo = true;
};

// The usage errors, numbered as the linker's message table numbers them.
enum class LinkUsageError {
    MissingObjectName = 0,
    MissingOutputName = 1,
    MissingObjectPath = 3,
    MissingDisplayName = 6,
};

std::variant<LinkSettings, LinkUsageError> parse_link_command_line(const std::vector<std::string>& arguments);

std::string_view usage_error_text(LinkUsageError error);

// The file name of `path` without its extension ("DEBUG\GAME.LKE" gives "GAME").
std::string output_base_name(std::string_view path);

}  // namespace linker
