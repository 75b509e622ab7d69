#pragma once
// The table of opened sources (the main source, then each included file in
// opening order; the index is the source index) and the search for a name.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravlin {

enum class FoundBy : uint8_t {
    Expansion = 1,  // a macro expansion held in memory
    AsGiven = 2,
    IncludeDirectory = 3,
    IncludeVariable = 4,  // the "include" environment variable
};

struct SourceFile {
    FoundBy found_by = FoundBy::AsGiven;
    std::string name;    // as given, without the directory the search added; a macro's name
    std::string path;    // where it was opened
    std::string text;    // the whole file
    int line_count = 0;  // known once a pass has read it to its end
    bool is_expansion() const { return found_by == FoundBy::Expansion; }
};

// The folders searched after the name itself; the "include" variable's value
// is read once by the driver.
struct SearchPath {
    std::vector<std::string> include_directories;
    std::string include_variable;
};

// Opens `name` as given, else under each include directory, else under the
// "include" variable (prefixes joined without a separator). On failure
// returns false with the system's text for the name as given.
bool open_source(std::string_view name, const SearchPath& search, SourceFile& source, std::string& error_text);

}  // namespace dravlin
