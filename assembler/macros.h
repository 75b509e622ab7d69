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
// All expansions of a run together hold at most this many bytes for every
// byte of the files read, and at least kLeastExpansionBytes: a macro that
// calls itself more than once would otherwise grow without bound before the
// nesting limit stops it. Memory stays in proportion to the source.
inline constexpr size_t kExpansionBytesPerFileByte = 64;
inline constexpr size_t kLeastExpansionBytes = size_t{16} << 20;
// What an expansion costs besides its text: its source and include records.
inline constexpr size_t kExpansionRecordBytes = 256;

// name MACRO p1, p2, ...: pass 0 enters the name; every pass skips the body.
void define_macro(AsmContext& context, const std::string& name);

// A call of the macro at symbol `index`; `arguments` is the text after the
// macro's name.
void call_macro(AsmContext& context, int index, std::string_view arguments);

}  // namespace dravlin
