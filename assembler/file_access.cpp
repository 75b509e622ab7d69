#include "assembler/file_access.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace dravlin {

std::string local_path(std::string_view path) {
    std::string local(path);
    for (char& c : local) {
        if (c == '\\') c = '/';
    }
    return local;
}

bool read_whole_file(const std::string& path, std::string& contents, std::string& error_text) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error_text = std::strerror(EISDIR);
        return false;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        error_text = std::strerror(errno);
        return false;
    }
    contents.clear();
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) contents.append(buffer, count);
    if (std::ferror(file.get())) {
        error_text = std::strerror(errno);
        return false;
    }
    return true;
}

void remove_file(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

bool same_file(const std::string& a, const std::string& b) {
    std::error_code code;
    return std::filesystem::equivalent(a, b, code) && !code;
}

}  // namespace dravlin
