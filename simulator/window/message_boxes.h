#pragma once
// The simulator's message boxes: modal, without owner, as every failure shows them.
#include <string>

#include "simulator/strings/sim_strings.h"

namespace simwin {

// A string of the window's string table ("" when it is not there).
std::string load_text(unsigned id);
// The string in a box captioned "Error"; "Fail to Load String from Resource ID:%d !" when it is missing.
void show_resource_error(unsigned id);
// A failure of the simulator's files, captioned "Error".
void show_failure(const sim::SimFailure& failure);
void show_text_error(const std::string& text);
void show_message(const std::string& text, const std::string& caption);

}  // namespace simwin
