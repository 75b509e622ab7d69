#pragma once
// The simulator's message boxes: modal, without owner, as every failure shows them.
#include <string>

#include "simulator/strings/sim_strings.h"

namespace simwin {

// A string of the window's string table ("" when it is not there).
std::string load_text(unsigned id);
// The string in a box captioned "Error"; "Fail to Load String from Resource ID:%d !" when it is missing.
void show_resource_error(unsigned id);
// A failed system call: the string as the caption over the system's text;
// without a system text, a box captioned "System Error" says so.
void show_system_error(unsigned id, const std::string& system_text);
// A failure of the simulator's files, under its caption.
void show_failure(const sim::SimFailure& failure);
void show_text_error(const std::string& text);
void show_message(const std::string& text, const std::string& caption);

}  // namespace simwin
