#include "assembler/driver.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "assembler/context.h"
#include "assembler/file_access.h"
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
    SearchPath search;
    search.include_directories = context.settings.include_directories;
    if (const char* variable = std::getenv("include")) search.include_variable = variable;
    SourceFile source;
    std::string error_text;
    const std::string& name = context.settings.source_path;
    if (!open_source(name, search, source, error_text)) {
        context.reporter.fatal(kMsgCannotCreateFile, name, error_text);
    }
    context.sources.push_back(std::move(source));
}

// The output that would overwrite a source, or null.
const std::string* output_naming_source(const AsmContext& context, const OutputPaths& outputs) {
    for (const SourceFile& source : context.sources) {
        if (same_file(source.path, outputs.object)) return &outputs.object;
        if (same_file(source.path, outputs.symbols)) return &outputs.symbols;
    }
    return nullptr;
}

// A failed or aborted run leaves no object behind that a later link could take.
void discard_outputs(const OutputPaths& outputs) {
    remove_file(outputs.object);
    remove_file(outputs.symbols);
}

// True when every pass succeeded.
bool run_passes(AsmContext& context) {
    for (int pass = 0; pass <= 2; ++pass) {
        if (!run_pass(context, pass)) return false;
    }
    return true;
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
    bool keep_outputs = false;
    bool succeeded = false;
    try {
        open_main_source(*context);
        if (const std::string* output = output_naming_source(*context, outputs)) {
            keep_outputs = true;
            context->reporter.fatal(kMsgWriteFileError, *output, "the output would replace a source");
        }
        succeeded = run_passes(*context);
    } catch (const AsmAbort&) {
        if (!keep_outputs) discard_outputs(outputs);
        return 1;
    }
    messages.reset();
    std::printf("%s.obj %d error(s), 0 warning(s)\n", outputs.base.c_str(), context->reporter.error_count());
    if (!succeeded) {
        discard_outputs(outputs);
        return -1;
    }
    return 0;
}

}  // namespace dravlin
