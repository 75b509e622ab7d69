#pragma once
// Writes a Module as C++ source: one function returning the module's tables.
#include <string>

#include "platform/res/resources.h"

namespace kit::res {

// `function` is the name of the generated `const kit::res::Module& function()`.
std::string module_as_cpp(const Module& module, const std::string& function, const std::string& source_name);

}  // namespace kit::res
