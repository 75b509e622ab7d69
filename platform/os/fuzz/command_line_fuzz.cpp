// Command lines and wildcard patterns come from project files and users:
// any bytes must split and match without crashing or taking long. The input
// is a pattern, a NUL byte and a name; the whole input is also split.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/os/dir.h"
#include "platform/os/process.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t total = 0;
    for (const std::string& arg : os::split_command_line(input)) total += arg.size();
    if (total > input.size()) std::abort();  // splitting never adds characters

    const std::size_t nul = input.find('\0');
    if (nul != std::string_view::npos) (void)os::wildcard_match(input.substr(0, nul), input.substr(nul + 1));
    return 0;
}
