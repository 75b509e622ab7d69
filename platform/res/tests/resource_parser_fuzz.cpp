// Any bytes given to the resource parser end in a module or diagnostics, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/res/compiler/cpp_writer.h"
#include "platform/res/compiler/resource_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto result = kit::res::parse_resources(text, "fuzz");
    if (result.ok()) (void)kit::res::module_as_cpp(result.module, "fuzz_resources", "fuzz.rc");
    return 0;
}
