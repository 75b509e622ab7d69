// Header and footer templates, checked against strftime in the C locale.
#include "editor/page_template.h"

#include <gtest/gtest.h>

namespace editor {
namespace {

std::string Strftime(const char* format, const std::tm& time) {
    char buffer[256];
    size_t length = std::strftime(buffer, sizeof buffer, format, &time);
    return std::string(buffer, length);
}

TEST(EditorPageTemplate, ExpandsPageFileAndTime) {
    std::tm time{};
    time.tm_year = 126;
    time.tm_mon = 11;
    time.tm_mday = 10;
    time.tm_hour = 14;
    time.tm_min = 5;
    time.tm_sec = 9;
    time.tm_wday = 4;
    PageSetup defaults;
    EXPECT_EQ(FormatHeader(defaults, time, "main.c", 3), "main.c " + Strftime("%c", time));
    EXPECT_EQ(FormatFooter(defaults, time, "main.c", 3), "Page: 3");
    struct Case {
        const char* page_template;
        const char* file_name;
        std::string expanded;
    } cases[] = {
        {"&p of &p", "f", "7 of &p"},                        // only the first code is replaced
        {"[&f]", nullptr, "[]"},                             // no file name: empty
        {"100%% &f", "x", "100% x"},                         // a doubled percent prints one
        {"%Y-%m-%d &f", "50%off.c", "2026-12-10 50%off.c"},  // a percent in the name stays as it is
        {"&f", "&p.c", "&p.c"},
        {"", "x", ""},
        {"%H:%M:%S %A", "x", Strftime("%H:%M:%S %A", time)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatPageTemplate(c.page_template, time, c.file_name, 7), c.expanded) << c.page_template;
    std::string long_template(5000, 'x');
    EXPECT_EQ(FormatPageTemplate(long_template + "%Y", time, nullptr, 1), long_template + "2026");
}

TEST(EditorPageTemplate, SettingsRoundTripWithDefaults) {
    MemoryProfile profile;
    PageSetup loaded = LoadPageSetup(profile);
    EXPECT_EQ(loaded.header, "&f %c");
    EXPECT_EQ(loaded.footer, "Page: &p");
    EXPECT_EQ(loaded.header_time, 0);
    loaded.footer = "- &p -";
    loaded.header_time = 1;
    SavePageSetup(profile, loaded);
    EXPECT_EQ(profile.GetProfileString("PageSetup", "Footer", ""), "- &p -");
    EXPECT_EQ(LoadPageSetup(profile).header_time, 1);
}

}  // namespace
}  // namespace editor
