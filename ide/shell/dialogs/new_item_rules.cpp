#include "ide/shell/dialogs/new_item_rules.h"

#include "ide/workspace/text_utils.h"

namespace ide {

std::string FileTypeOfChoice(std::string_view entry) {
    const std::size_t open = entry.find('(');
    const std::size_t close = open == std::string_view::npos ? open : entry.find(')', open);
    if (close == std::string_view::npos) return {};
    return std::string(entry.substr(open + 1, close - open - 1));
}

std::string FileNameWithoutType(std::string_view name) { return std::string(name.substr(0, name.find('.'))); }

std::string WithSeparator(std::string_view folder) {
    std::string out(folder);
    if (!out.empty() && !IsPathSeparator(out.back())) out += '/';
    return out;
}

std::string BaseFolderOf(std::string_view location) {
    for (std::size_t i = location.size(); i > 0; --i)
        if (IsPathSeparator(location[i - 1])) return std::string(location.substr(0, i));
    return {};
}

std::string ProjectFilePath(std::string_view location, std::string_view name) {
    std::string file(name);
    if (file.find('.') == std::string::npos) file += ".PRJ";
    return WithSeparator(location) + file;
}

std::string OutputPathForMode(std::string_view path, bool library) {
    const std::size_t name_start = BaseFolderOf(path).size();
    const std::size_t dot = path.find_last_of('.');
    const std::size_t end = dot != std::string_view::npos && dot >= name_start ? dot : path.size();
    return std::string(path.substr(0, end)) + (library ? ".LIB" : ".BIN");
}

}  // namespace ide
