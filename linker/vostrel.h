#pragma once
// Vostrel, the library maker: packs whole object files into one library.
//   Vostrel /OBJPATH <dir\> /OBJS <name>... /OUT <library>
// Messages go to standard error and to "output.msg"; any failure ends the
// run with exit code 7 and leaves an existing library as it was.
#include <string>
#include <vector>

#include "linker/tool_messages.h"

namespace linker {

inline constexpr int kVostrelFailed = 7;

int run_vostrel(const std::vector<std::string>& arguments, const Console& console);

}  // namespace linker
