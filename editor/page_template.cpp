#include "editor/page_template.h"

#include <vector>

namespace editor {
namespace {

void ReplaceFirst(std::string& text, std::string_view code, std::string_view value) {
    size_t at = text.find(code);
    if (at != std::string::npos) text.replace(at, code.size(), value);
}

// strftime into a buffer that grows until the result fits.
std::string FormatTime(const std::string& format, const std::tm& time) {
    // A marker byte at the end tells an empty result from one that did not fit.
    std::string marked = format + "|";
    for (size_t size = marked.size() * 4 + 64; size <= (1u << 24); size *= 2) {
        std::vector<char> buffer(size);
        size_t written = std::strftime(buffer.data(), size, marked.c_str(), &time);
        if (written > 0) return std::string(buffer.data(), written - 1);
    }
    return format;
}

}  // namespace

PageSetup LoadPageSetup(ProfileAccess& profile) {
    PageSetup defaults;
    return {profile.GetProfileString(kPageSetupSection, "Header", defaults.header),
            profile.GetProfileString(kPageSetupSection, "Footer", defaults.footer),
            profile.GetProfileInt(kPageSetupSection, "HeaderTime", defaults.header_time),
            profile.GetProfileInt(kPageSetupSection, "FooterTime", defaults.footer_time)};
}

void SavePageSetup(ProfileAccess& profile, const PageSetup& setup) {
    profile.WriteProfileString(kPageSetupSection, "Header", setup.header);
    profile.WriteProfileString(kPageSetupSection, "Footer", setup.footer);
    profile.WriteProfileInt(kPageSetupSection, "HeaderTime", setup.header_time);
    profile.WriteProfileInt(kPageSetupSection, "FooterTime", setup.footer_time);
}

std::string FormatPageTemplate(std::string_view page_template, const std::tm& time, const char* file_name, int page) {
    std::string text(page_template);
    ReplaceFirst(text, "&p", std::to_string(page));
    std::string escaped_name;
    for (const char* c = file_name ? file_name : ""; *c; ++c) {
        escaped_name += *c;
        if (*c == '%') escaped_name += '%';
    }
    ReplaceFirst(text, "&f", escaped_name);
    return FormatTime(text, time);
}

}  // namespace editor
