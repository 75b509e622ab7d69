#pragma once
// Sections, segments and procedures: their block checks in every pass and
// their records in pass 2.
#include <string>
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

// `rest` is the text after the directive word.
void open_section(AsmContext& context, const std::string& name, std::string_view rest);
void close_section(AsmContext& context, const std::string& name, std::string_view rest);
void open_segment(AsmContext& context, const std::string& name);
void close_segment(AsmContext& context, const std::string& name, std::string_view rest);
void open_procedure(AsmContext& context, const std::string& name);
void close_procedure(AsmContext& context, const std::string& name, std::string_view rest);

// At the end of the main source: the blocks and conditionals left open.
void check_end_of_source(AsmContext& context);

}  // namespace dravlin
