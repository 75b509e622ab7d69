#pragma once
// Structures: a STRUC definition's member list (pass 0) and variables of a
// structure type.
#include <string>

#include "assembler/context.h"

namespace dravlin {

// name STRUC, its member lines and ENDS: pass 0 builds the member list and
// enters the type; passes 1 and 2 only skip the body, the type being complete.
void define_structure(AsmContext& context, const std::string& name);

// var typename, `type` being the structure type's symbol index: reserves the
// structure's size at the location counter.
void structure_variable(AsmContext& context, const std::string& name, int type);

}  // namespace dravlin
