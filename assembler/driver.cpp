#include "assembler/driver.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "assembler/context.h"
#include "assembler/file_access.h"
#include "assembler/output_files.h"
#include "assembler/passes.h"

namespace dravlin {

namespace {

using MessageFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

MessageFile create_message_file() {
    MessageFile file(std::fopen("output.msg", "w+b"), &std::fclose);
    if (!file) std::fputs("INVALID_OUTPUT_HANDLE\n", stderr);
    return file;
}

void open_main_source(AsmContext& context) {
    context.search.include_directories = context.settings.include_directories;
    if (const char* variable = std::getenv("include")) context.search.include_variable = variable;
    SourceFile source;
    std::string error_text;
    const std::string& name = context.settings.source_path;
    if (!open_source(name, context.search, source, error_text)) {
        context.reporter.fatal(kMsgCannotCreateFile, name, error_text);
    }
    context.sources.push_back(std::move(source));
}

bool names_a_source(const AsmContext& context, const std::string& path) {
    for (const SourceFile& source : context.sources) {
        if (same_file(source.path, path)) return true;
    }
    return false;
}

// An output that would overwrite a source is refused before anything runs.
void refuse_outputs_naming_sources(AsmContext& context, const OutputPaths& outputs) {
    for (const std::string* output : {&outputs.object, &outputs.symbols}) {
        if (names_a_source(context, *output)) {
            context.reporter.fatal(kMsgWriteFileError, *output, "the output would replace a source");
        }
    }
}

// Removes the outputs of this run, so that no object from an earlier run
// survives for a later link to take. An output that names a source is kept.
void discard_outputs(const AsmContext& context, const OutputPaths& outputs) {
    for (const std::string* output : {&outputs.object, &outputs.symbols}) {
        if (!names_a_source(context, *output)) remove_file(*output);
    }
}

void write_output(AsmContext& context, const std::string& path, const std::string& bytes) {
    std::string error_text;
    if (!write_whole_file(path, bytes, error_text)) context.reporter.fatal(kMsgWriteFileError, path, error_text);
}

// The debug-symbol file and the object file, each written whole or not at all;
// neither when a count outgrows its field in the files.
void write_outputs(AsmContext& context, const OutputPaths& outputs) {
    std::string limit = format_limit_passed(context);
    if (!limit.empty()) context.reporter.fatal(kMsgWriteFileError, outputs.object, limit);
    write_output(context, outputs.symbols, symbol_file_bytes(context.rows));
    write_output(context, outputs.object, object_file_bytes(context));
}

}  // namespace

int assemble(const std::vector<std::string>& args) {
    std::optional<RunSettings> settings = parse_command_line(args);
    if (!settings) {
        std::fputs("Please Enter FileName to the compiler\n", stdout);
        return -1;
    }
    OutputPaths outputs = output_paths(*settings);
    MessageFile messages = create_message_file();
    auto context = std::make_unique<AsmContext>();
    context->settings = *settings;
    context->reporter.set_sink(messages.get());
    bool succeeded = false;
    try {
        try {
            open_main_source(*context);
            refuse_outputs_naming_sources(*context, outputs);
            discard_outputs(*context, outputs);
            succeeded = run_passes(*context);
            if (succeeded) write_outputs(*context, outputs);
        } catch (const std::bad_alloc&) {
            // The tables grow with the source: only a machine out of memory stops them.
            context->reporter.fatal(kMsgAllocFailed, {});
        }
    } catch (const AsmAbort&) {
        discard_outputs(*context, outputs);
        return 1;
    }
    messages.reset();
    std::printf("%s.obj %d error(s), 0 warning(s)\n", outputs.base.c_str(), context->reporter.error_count());
    if (!succeeded) {
        discard_outputs(*context, outputs);
        return -1;
    }
    return 0;
}

}  // namespace dravlin
