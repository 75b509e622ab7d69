#pragma once
// The assembler's few file operations, kept in one place so that they can
// move onto the platform layer's file services with one edit.
#include <string>
#include <string_view>

namespace dravlin {

// A path as the IDE writes it ("DEBUG\x.asm") turned into a local one.
std::string local_path(std::string_view path);

// Reads a whole file. On failure returns false with the system's text.
bool read_whole_file(const std::string& path, std::string& contents, std::string& error_text);

// Removes a file if it exists; a missing file is no failure.
void remove_file(const std::string& path);

// True when both paths name the same existing file.
bool same_file(const std::string& a, const std::string& b);

}  // namespace dravlin
