#pragma once
// The private per-user folder where the kit's processes meet: window sockets,
// the handle counter and the records of named mappings live here.
#include <filesystem>
#include <optional>
#include <string>

namespace ipc {

// Environment variable that points the kit at another runtime folder (tests use
// it to keep their processes apart from a running kit).
inline constexpr const char* kRuntimeDirVariable = "QVKIT_RUNTIME_DIR";

// $QVKIT_RUNTIME_DIR, else $XDG_RUNTIME_DIR/qvkit, else /tmp/qvkit-<uid>. The
// folder is created with mode 0700 and must be a real folder owned by this user
// and closed to others; otherwise nothing is returned and `why` says what is wrong.
std::optional<std::filesystem::path> runtime_directory(std::string* why);

// "<what>: <strerror(errno)>", the form every ipc failure text takes.
std::string errno_text(const std::string& what);

}  // namespace ipc
