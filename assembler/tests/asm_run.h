#pragma once
// Runs a whole assembly in-process: a main source text, and any number of
// files it may include (written to a scratch folder that is searched like an
// include directory). The result carries the context (symbols, tables) and
// the messages in the "(line, id)" form the error fixtures use.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "assembler/context.h"
#include "assembler/output_files.h"
#include "assembler/passes.h"
#include "testing/temp_dir.h"

namespace dravlin_test {

struct AsmRun {
    std::unique_ptr<dravlin::AsmContext> context = std::make_unique<dravlin::AsmContext>();
    bool succeeded = false;
    bool aborted = false;

    const std::string& messages() const { return context->reporter.transcript(); }
    std::string object() const { return dravlin::object_file_bytes(*context); }
    std::string symbols() const { return dravlin::symbol_file_bytes(context->rows); }
    const dravlin::ObjectTables& tables() const { return context->object; }
    // The message ids reported, in order.
    std::vector<int> ids() const;
    std::vector<uint8_t> segment_code(size_t segment) const { return context->object.segments.at(segment).code; }
};

inline std::vector<int> AsmRun::ids() const {
    std::vector<int> found;
    const std::string& text = messages();
    for (size_t at = text.find("error "); at != std::string::npos; at = text.find("error ", at + 1)) {
        size_t digits = at + 6;
        if (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
            found.push_back(std::stoi(text.substr(digits)));
    }
    return found;
}

inline AsmRun assemble_text(const std::string& main, const std::map<std::string, std::string>& includes = {},
                            bool code_lines = false) {
    AsmRun run;
    testing_kit::TempDir folder;
    for (const auto& [name, text] : includes) folder.write(name, text);
    dravlin::AsmContext& context = *run.context;
    context.settings.code_lines = code_lines;
    context.search.include_directories = {folder.path().string() + "/"};
    dravlin::SourceFile source;
    source.name = "main.asm";
    source.text = main;
    context.sources.push_back(std::move(source));
    try {
        run.succeeded = dravlin::run_passes(context);
    } catch (const dravlin::AsmAbort&) {
        run.aborted = true;
    }
    return run;
}

// A source whose lines are wrapped in one section and segment.
inline std::string in_segment(const std::string& body) {
    return "main_section SECTION BASEADDRESS:4000H LENGTH:1000H BANKNUMBER:1\nmain_code SEGMENT\n" + body +
           "\nmain_code ENDSG\nmain_section ENDSC\n";
}

}  // namespace dravlin_test
