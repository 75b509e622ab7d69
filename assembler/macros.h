#pragma once
// Macros: a definition is remembered by the place of its MACRO line; pass 0
// turns each call into an expansion text, which every pass assembles in
// place of the call line.
#include <string>
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

// Most parameters of a definition or arguments of a call, and LOCAL names.
inline constexpr size_t kMaxMacroParameters = 33;
inline constexpr size_t kMaxLocalNames = 51;
// An expansion text is held in a 64 KB buffer.
inline constexpr size_t kMaxExpansionSize = 64 * 1024;
// All expansions of a run together; a macro that calls itself more than once
// would otherwise grow without bound before the nesting limit stops it.
inline constexpr size_t kMaxExpansionLines = 1 << 18;

// name MACRO p1, p2, ...: pass 0 enters the name; every pass skips the body.
void define_macro(AsmContext& context, const std::string& name);

// A call of the macro at symbol `index`; `arguments` is the text after the
// macro's name.
void call_macro(AsmContext& context, int index, std::string_view arguments);

}  // namespace dravlin
