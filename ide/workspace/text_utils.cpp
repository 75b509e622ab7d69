#include "ide/workspace/text_utils.h"

#include "platform/os/file.h"
#include "platform/os/path.h"
#include "platform/os/text.h"

namespace ide {

namespace {
constexpr std::size_t kMaxPath = 260;
}

bool CreateDirectoryTree(std::string_view path) {
    if (path.empty()) return true;
    if (path.size() >= kMaxPath) return false;
    std::string folder(path);
    if (IsPathSeparator(folder.back())) folder.pop_back();
    if (folder.empty()) return true;  // the root
    const os::FileInfo info = os::file_info(folder);
    if (info.exists) return info.is_directory;
    const std::size_t last = folder.find_last_of("\\/");
    const std::string parent = last == std::string::npos ? std::string() : folder.substr(0, last);
    if (!CreateDirectoryTree(parent)) return false;
    return os::create_directory(folder).ok();
}

bool HexDigitValue(char character, bool hex, std::uint32_t& value) {
    if (character >= '0' && character <= '9') {
        value = static_cast<std::uint32_t>(character - '0');
        return true;
    }
    if (!hex) return false;
    if (character >= 'a' && character <= 'f') {
        value = static_cast<std::uint32_t>(character - 'a' + 10);
        return true;
    }
    if (character >= 'A' && character <= 'F') {
        value = static_cast<std::uint32_t>(character - 'A' + 10);
        return true;
    }
    return false;
}

std::uint32_t StringToNumber(std::string_view text, std::uint32_t bound) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex) text.remove_prefix(2);
    const std::uint64_t base = hex ? 16 : 10;
    std::uint64_t value = 0;
    for (char c : text) {
        std::uint32_t digit = 0;
        if (!HexDigitValue(c, hex, digit)) break;
        const std::uint64_t next = value * base + digit;
        if (next > bound) break;
        value = next;
    }
    return static_cast<std::uint32_t>(value);
}

std::string JoinStrings(const std::vector<std::string>& list, char separator) {
    std::string out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += separator;
        out += list[i];
    }
    return out;
}

void SplitString(std::string_view text, std::vector<std::string>& list, char separator) {
    while (!text.empty()) {
        const std::size_t at = text.find(separator);
        const std::string_view piece = text.substr(0, at);
        if (!piece.empty()) list.emplace_back(piece);
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + 1);
    }
}

std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines;
    const std::string plain = os::strip_cr(text);
    for (std::size_t start = 0; start < plain.size();) {
        std::size_t end = plain.find('\n', start);
        if (end == std::string::npos) end = plain.size();
        lines.push_back(plain.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return std::string(text.substr(first, last - first + 1));
}

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

std::string FolderOf(std::string_view path) {
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string FileNameOf(std::string_view path) {
    const std::size_t last = path.find_last_of("\\/");
    std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
    if (last == std::string_view::npos && name.size() >= 2 && name[1] == ':') name.remove_prefix(2);
    return std::string(name);
}

std::string FileTitleOf(std::string_view path) {
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionOf(std::string_view path) {
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
    const std::size_t extension_size = ExtensionOf(path).size();
    std::string out(path.substr(0, path.size() - extension_size));
    out += extension;
    return out;
}

std::string WithTrailingSeparator(std::string_view folder) {
    std::string out(folder);
    if (!out.empty() && !IsPathSeparator(out.back())) out += '\\';
    return out;
}

bool IsAbsolutePath(std::string_view path) {
    if (!path.empty() && IsPathSeparator(path[0])) return true;
    return path.size() >= 2 && path[1] == ':';
}

bool SamePath(std::string_view a, std::string_view b) {
    return os::equals_ignore_case(os::map_path(a).generic_string(), os::map_path(b).generic_string());
}

}  // namespace ide

namespace ide {

std::string FindFileInFolders(std::string_view folder_list, std::string_view name) {
    std::vector<std::string> folders;
    SplitString(folder_list, folders, ';');
    for (const std::string& folder : folders) {
        std::string path = WithTrailingSeparator(folder) + std::string(name);
        if (os::file_exists(path)) return path;
    }
    return {};
}

}  // namespace ide
