// The resource text form: what each statement produces, and the numbered
// diagnostics for bad input; the compiler's exit codes and atomic output.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/res/compiler/cpp_writer.h"
#include "platform/res/compiler/resource_parser.h"
#include "platform/user/accelerator_api.h"
#include "platform/user/control_styles.h"
#include "platform/user/keys.h"
#include "platform/user/menu_api.h"
#include "platform/user/styles.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

using kit::res::parse_resources;

constexpr const char* kSample = R"(# A sample of every statement.
define IDM_OPEN 100
define IDM_EXIT 0x65
strings
  60 "&Rotate"
  61 "Tab\there \"quoted\""
end
menu 1
  popup "&File"
    item IDM_OPEN "&Open...\tCtrl+O"
    separator
    item IDM_EXIT "E&xit" grayed
  end
  item 200 "&Help" help
end
accelerators 1
  ctrl "o" IDM_OPEN
  F5 300
  "q" 301
  alt shift DELETE 302
  alt "0" 303
end
dialog 107 "Exception Handler" 0 0 200 120
  font 8 "MS Sans Serif"
  defpushbutton 1007 "&Continue" 10 10 50 14
  edittext 1000 "" 10 30 100 12 readonly
  control "msctls_trackbar32" 1021 "" 10 50 100 15 tabstop
end
toolbar 128 16 15
  button IDM_OPEN
  separator
  button IDM_EXIT
end
cursor 5 hotspot 1 0
  palette
    "." none
    "#" 0x000000
  end
  rows
    ".#."
    "###"
  end
end
)";

TEST(ResourceParser, ReadsEveryStatement) {
    auto result = parse_resources(kSample, "sample");
    ASSERT_TRUE(result.ok()) << kit::res::format_diagnostic("sample.rc", result.errors.front());
    const auto& m = result.module;
    EXPECT_EQ(m.strings.at(61), "Tab\there \"quoted\"");
    ASSERT_EQ(m.menus.size(), 1u);
    const auto& file = m.menus[0].items[0];
    EXPECT_TRUE(file.popup);
    ASSERT_EQ(file.children.size(), 3u);
    EXPECT_EQ(file.children[0].id, 100u);
    EXPECT_EQ(file.children[1].flags, MF_SEPARATOR);
    EXPECT_EQ(file.children[2].id, 0x65u);
    EXPECT_EQ(file.children[2].flags, MF_GRAYED);
    EXPECT_EQ(m.menus[0].items[1].flags, MF_HELP);

    const auto& keys = m.accelerators[0].entries;
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].flags, FVIRTKEY | FCONTROL);
    EXPECT_EQ(keys[0].key, 'O');
    EXPECT_EQ(keys[1].flags, FVIRTKEY);
    EXPECT_EQ(keys[1].key, VK_F5);
    EXPECT_EQ(keys[2].flags, 0);  // a character
    EXPECT_EQ(keys[2].key, 'q');
    EXPECT_EQ(keys[3].flags, FVIRTKEY | FALT | FSHIFT);
    EXPECT_EQ(keys[4].flags, FVIRTKEY | FALT);  // Alt is a modifier too: the key, not a character
    EXPECT_EQ(keys[4].key, '0');

    const auto& d = m.dialogs[0];
    EXPECT_EQ(d.font_face, "MS Sans Serif");
    ASSERT_EQ(d.controls.size(), 3u);
    EXPECT_EQ(d.controls[0].class_name, "BUTTON");
    EXPECT_EQ(d.controls[0].style, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP);
    EXPECT_EQ(d.controls[1].style & ES_READONLY, ES_READONLY);
    EXPECT_EQ(d.controls[2].class_name, "msctls_trackbar32");

    EXPECT_EQ(m.toolbars[0].items, (std::vector<unsigned>{100, 0, 0x65}));
    const auto& cursor = m.pictures[0];
    EXPECT_EQ(cursor.width, 3);
    EXPECT_EQ(cursor.height, 2);
    EXPECT_EQ(cursor.hot_x, 1);
    EXPECT_EQ(cursor.pixels[0], 0u);           // transparent
    EXPECT_EQ(cursor.pixels[1], 0xFF000000u);  // opaque black
}

TEST(ResourceParser, BadInputGetsNumberedDiagnosticsWithLines) {
    struct Case {
        const char* text;
        int code;
        int line;
    } cases[] = {
        {"strings\n 1 \"unclosed\nend", 1004, 2},
        {"strings\n 1 \"a\"\n 1 \"b\"\nend", 3001, 3},
        {"menu 1\n item NOPE \"x\"\nend", 2001, 2},
        {"menu 70000\nend", 2002, 1},
        {"accelerators 1\n \"ab\" 5\nend", 2003, 2},
        {"dialog 1 \"d\" 0 0 -5 10\nend", 2004, 1},
        {"dialog 1 \"d\" 0 0 5 10\n ltext 7 \"a\" 0 0 1 1\n ltext 7 \"b\" 0 0 1 1\nend", 3003, 3},
        {"bitmap 1\n palette\n \".\" 0\n end\n rows\n \"..\"\n \".\"\n end\nend", 2006, 7},
        {"bitmap 1\n palette\n end\n rows\n \"x\"\n end\nend", 2007, 5},
        {"frobnicate", 1008, 1},
        {"menu 1\n popup \"x\"\n", 1006, 3},
        {"define X 1\ndefine X 2", 3002, 2},
        {"strings\n 1 \"\\q\"\nend", 1003, 2},
        {"menu 0x1G\nend", 1002, 1},
    };
    for (const auto& c : cases) {
        auto result = parse_resources(c.text, "bad");
        ASSERT_FALSE(result.ok()) << c.text;
        EXPECT_EQ(result.errors.front().code, c.code) << c.text;
        EXPECT_EQ(result.errors.front().line, c.line) << c.text;
    }
    auto result = parse_resources("menu 1\n item X \"x\"\nend\nmenu 1\nend", "two");
    EXPECT_EQ(result.errors.size(), 2u);  // parsing goes on after the first error
    EXPECT_EQ(kit::res::format_diagnostic("two.rc", result.errors[1]),
              "two.rc(4): error R3001: the menu id 1 is used twice");
}

TEST(ResourceParser, GeneratedSourceEscapesEveryByte) {
    kit::res::Module m;
    m.name = "esc";
    m.strings[1] = std::string("a\"b\\c\x01\xB9\xFA", 8);
    m.strings[2] = "(0x?\?\?\?)";  // written out, "??)" would read as a trigraph
    std::string cpp = kit::res::module_as_cpp(m, "esc_resources", "esc.rc");
    EXPECT_NE(cpp.find(R"("a\"b\\c\001\271\372")"), std::string::npos) << cpp;
    EXPECT_NE(cpp.find(R"x("(0x?\?\?\?)")x"), std::string::npos) << cpp;
}

int run_compiler(const std::filesystem::path& dir, const std::string& rc) {
    std::string command = testing_kit::program_path("kitrc").string() + " " + (dir / "in.rc").string() + " " +
                          (dir / "out.cpp").string() + " demo_resources 2>" + (dir / "err.txt").string();
    std::ofstream(dir / "in.rc") << rc;
    return WEXITSTATUS(std::system(command.c_str()));
}

TEST(ResourceCompiler, ExitCodesAndWholeOutputOnly) {
    testing_kit::TempDir dir;
    EXPECT_EQ(run_compiler(dir.path(), "strings\n 1 \"one\"\nend\n"), 0);
    EXPECT_NE(testing_kit::read_file(dir / "out.cpp").find("demo_resources"), std::string::npos);
    std::filesystem::remove(dir / "out.cpp");
    EXPECT_EQ(run_compiler(dir.path(), "strings\n 1 \"one\nend\n"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.cpp"));
    EXPECT_NE(testing_kit::read_file(dir / "err.txt").find("in.rc(2): error R1004"), std::string::npos);
    std::string bad_args = testing_kit::program_path("kitrc").string() + " only-one 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(bad_args.c_str())), 2);
}

}  // namespace
