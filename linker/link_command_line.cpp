#include "linker/link_command_line.h"

#include "linker/tool_arguments.h"

namespace linker {
namespace {

bool is_link_keyword(std::string_view argument) {
    return is_keyword(argument, {"/OBJPATH", "/OBJ", "/OBJS", "/LIBS", "/NAME", "/OUT", "/AUTO", "/FILEHEAD"});
}

// An object name with a drive ("C:\X.OBJ") is used as it stands.
std::string object_path(std::string_view directory, std::string_view name) {
    if (name.size() >= 2 && name[1] == ':') return std::string(name);
    return join_object_path(directory, name);
}

class ArgumentCursor {
public:
    explicit ArgumentCursor(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    bool at_end() const { return next_ >= arguments_.size(); }
    std::string_view peek(std::size_t ahead = 0) const {
        return next_ + ahead < arguments_.size() ? std::string_view(arguments_[next_ + ahead]) : std::string_view();
    }
    bool take_keyword(std::initializer_list<std::string_view> keywords) {
        if (at_end() || !is_keyword(peek(), keywords)) return false;
        ++next_;
        return true;
    }
    // The next argument when it is a value (not a keyword).
    bool take_value(std::string& into, bool keep_case = false) {
        if (at_end() || is_link_keyword(peek())) return false;
        into = keep_case ? std::string(peek()) : tool_argument(peek());
        ++next_;
        return true;
    }

private:
    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
};

}  // namespace

std::string output_base_name(std::string_view path) {
    const auto separator = path.find_last_of("\\/");
    const auto start = separator == std::string_view::npos ? 0 : separator + 1;
    auto name = path.substr(start);
    const auto dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::variant<LinkSettings, LinkUsageError> parse_link_command_line(const std::vector<std::string>& arguments) {
    LinkSettings settings;
    ArgumentCursor cursor(arguments);

    if (!cursor.take_keyword({"/OBJPATH"}) || !cursor.take_value(settings.object_directory))
        return LinkUsageError::MissingObjectPath;

    if (!cursor.take_keyword({"/OBJ", "/OBJS"})) return LinkUsageError::MissingObjectName;
    for (std::string name; cursor.take_value(name);)
        settings.object_paths.push_back(object_path(settings.object_directory, name));
    if (settings.object_paths.empty()) return LinkUsageError::MissingObjectName;

    if (cursor.take_keyword({"/LIBS"}))
        for (std::string library; cursor.take_value(library);) settings.library_paths.push_back(library);

    if (!cursor.take_keyword({"/NAME"}) || !cursor.take_value(settings.display_name, /*keep_case=*/true))
        return LinkUsageError::MissingDisplayName;

    if (!cursor.take_keyword({"/OUT"}) || !cursor.take_value(settings.output_path))
        return LinkUsageError::MissingOutputName;
    settings.output_base = output_base_name(settings.output_path);
    if (settings.output_base.empty()) return LinkUsageError::MissingOutputName;

    settings.auto_flag = upper_case(cursor.peek(0)) == "/AUTO";
    settings.echo = upper_case(cursor.peek(1)) != "-W2";
    return settings;
}

std::string_view usage_error_text(LinkUsageError error) {
    switch (error) {
        case LinkUsageError::MissingObjectName: return "\nMissing OBJ file Name in command Line\r\n";
        case LinkUsageError::MissingOutputName: return "\nMissing output file Name in command Line\r\n";
        case LinkUsageError::MissingObjectPath: return "\nMissing OBJ file path in command Line\r\n";
        case LinkUsageError::MissingDisplayName: return "\nMissing file Name display on Simulater in command Line\r\n";
    }
    return {};
}

}  // namespace linker
