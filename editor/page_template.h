#pragma once
// Page setup: the header and footer templates printed on each page, and their expansion.
#include <ctime>
#include <string>
#include <string_view>

#include "editor/profile_access.h"

namespace editor {

inline constexpr std::string_view kPageSetupSection = "PageSetup";

struct PageSetup {
    std::string header = "&f %c";
    std::string footer = "Page: &p";
    int header_time = 0;  // 0 the file's time, 1 the system time
    int footer_time = 0;
};

PageSetup LoadPageSetup(ProfileAccess& profile);
void SavePageSetup(ProfileAccess& profile, const PageSetup& setup);

// Expands a template: the first "&p" becomes the page number, the first "&f" the file
// name (empty when there is none), and the rest goes through strftime for the time.
// A "%" in the file name prints as itself.
std::string FormatPageTemplate(std::string_view page_template, const std::tm& time, const char* file_name, int page);

inline std::string FormatHeader(const PageSetup& setup, const std::tm& time, const char* file_name, int page) {
    return FormatPageTemplate(setup.header, time, file_name, page);
}
inline std::string FormatFooter(const PageSetup& setup, const std::tm& time, const char* file_name, int page) {
    return FormatPageTemplate(setup.footer, time, file_name, page);
}

}  // namespace editor
