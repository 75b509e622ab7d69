#include "assembler/driver.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "assembler/context.h"
#include "assembler/file_access.h"
#include "assembler/line_records.h"
#include "assembler/output_files.h"
#include "assembler/passes.h"

namespace dravlin {

namespace {

using MessageFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

MessageFile create_message_file() {
    constexpr const char* kName = "output.msg";
    MessageFile file(output_refusal(kName).empty() ? std::fopen(kName, "w+b") : nullptr, &std::fclose);
    if (!file) std::fputs("INVALID_OUTPUT_HANDLE\n", stderr);
    return file;
}

void open_main_source(AsmContext& context) {
    context.search.include_directories = context.settings.include_directories;
    if (const char* variable = std::getenv("include")) context.search.include_variable = variable;
    count_source_file(context);
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
        if (!source.is_expansion() && same_file(source.path, path)) return true;
    }
    return false;
}

// An output that would overwrite a source, or that names no file this run
// may replace, is refused before anything is written, and again before the
// outputs are written, when every included source is known.
void refuse_unwritable_outputs(AsmContext& context, const OutputPaths& outputs) {
    for (const std::string* output : {&outputs.object, &outputs.symbols}) {
        if (names_a_source(context, *output)) {
            context.reporter.fatal(kMsgWriteFileError, *output, "the output would replace a source");
        }
        if (std::string refusal = output_refusal(*output); !refusal.empty()) {
            context.reporter.fatal(kMsgWriteFileError, *output, refusal);
        }
    }
}

// Whether the path ends as Dravlin names its own outputs.
bool has_output_extension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos) return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == "obj" || extension == "sym";
}

// Removes the outputs of a failed run, so that no object from an earlier run
// survives for a later link to take. An output that names a source is kept;
// when the run stopped before every include was read, an output could still
// name an include not reached, so only one named as Dravlin names its
// outputs is removed.
void discard_outputs(const AsmContext& context, const OutputPaths& outputs) {
    for (const std::string* output : {&outputs.object, &outputs.symbols}) {
        if (names_a_source(context, *output)) continue;
        if (context.all_sources_read || has_output_extension(*output)) remove_stale_output(*output);
    }
}

template <class Writer>
void write_output(AsmContext& context, const std::string& path, Writer put) {
    OutputFile file(path);
    put(file);
    std::string error_text;
    if (!file.finish(error_text)) context.reporter.fatal(kMsgWriteFileError, path, error_text);
}

// The debug-symbol file and the object file, each written whole or not at all;
// neither when a count outgrows its field in the files.
void write_outputs(AsmContext& context, const OutputPaths& outputs) {
    std::string limit = format_limit_passed(context);
    if (!limit.empty()) context.reporter.fatal(kMsgWriteFileError, outputs.object, limit);
    refuse_unwritable_outputs(context, outputs);
    write_output(context, outputs.symbols, [&](ByteSink& out) { put_symbol_file(context.rows, out); });
    write_output(context, outputs.object, [&](ByteSink& out) { put_object_file(context, out); });
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
            refuse_unwritable_outputs(*context, outputs);
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
