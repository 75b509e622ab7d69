#pragma once
// File access for the buffer: whole-file reads, safe writes, and name lookups.
#include <filesystem>
#include <string>
#include <string_view>

namespace editor {

// Reads a whole file; returns 0 or the system error number.
int ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Writes the bytes to a temporary file beside the target and renames it over the
// target, so a failed write leaves the old file as it was. The target keeps its
// permissions. Returns 0 or the system error number.
int WriteFileSafely(const std::filesystem::path& path, std::string_view bytes);

// True when the file exists and nobody may write it.
bool IsReadOnlyFile(const std::filesystem::path& path);

// The path itself when it exists, else the entry of its folder whose name differs
// only in case, else the path unchanged.
std::filesystem::path ResolveNameCase(const std::filesystem::path& path);

// The folder of the running program.
std::filesystem::path ProgramDirectory();

}  // namespace editor
