#pragma once
// The simulator's start without its window: the command line, the skins, the
// ROM and RAM images, each failure reported with its string number. The file
// to download ("-f:") is the running device's business, not the start's. The
// window-free console front end runs this and ends.
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace sim {

// Where the simulator remembers the last skin: the profile of maker "Harnlow",
// program "Vyrsim", value "CFFileName".
std::optional<std::string> remembered_skin_name();

// Runs the start and the end of a session with the files of `program_dir`;
// messages go to `log`. Returns the exit code: 0 when everything loaded and was
// written back, 1 when a step failed.
int run_console_session(std::span<const std::string> arguments, const std::filesystem::path& program_dir,
                        const std::optional<std::string>& remembered_skin, std::ostream& log);

}  // namespace sim
