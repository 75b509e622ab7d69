#include "assembler/source_files.h"

#include "assembler/file_access.h"

namespace dravlin {

namespace {

bool try_open(std::string path, FoundBy found_by, SourceFile& source, std::string& error_text) {
    if (!read_whole_file(path, source.text, error_text)) return false;
    source.found_by = found_by;
    source.path = std::move(path);
    return true;
}

}  // namespace

bool open_source(std::string_view name, const SearchPath& search, SourceFile& source, std::string& error_text) {
    source.name.assign(name);
    std::string local(name);
    if (try_open(local, FoundBy::AsGiven, source, error_text)) return true;
    std::string first_error = error_text;
    for (const std::string& directory : search.include_directories) {
        if (try_open(directory + local, FoundBy::IncludeDirectory, source, error_text)) return true;
    }
    if (!search.include_variable.empty() &&
        try_open(search.include_variable + local, FoundBy::IncludeVariable, source, error_text)) {
        return true;
    }
    error_text = first_error;
    return false;
}

}  // namespace dravlin
