// Colour runs of C and assembly sources with the shipped keywords files, checked
// against goldens that show each expanded line over a row of class letters:
// k keyword, s string, c comment, and "." plain text.
#include "editor/line_colours.h"

#include <gtest/gtest.h>

#include "editor/tests/edit_fixture.h"
#include "testing/golden.h"

namespace editor {
namespace {

std::string ClassRows(SECEdit& edit) {
    std::string out;
    for (const EditLine* line = edit.GetFirstLine(); line; line = line->next) {
        ColouredLine coloured = ColourLine(edit, line);
        std::string classes(coloured.text.size(), '?');
        for (const ColourRun& run : coloured.runs) {
            char letter = run.colour_class == kClassKeyword   ? 'k'
                          : run.colour_class == kClassString  ? 's'
                          : run.colour_class == kClassComment ? 'c'
                                                              : '.';
            for (int at = run.start; at < run.end; ++at) classes[static_cast<size_t>(at)] = letter;
        }
        out += coloured.text + "\n" + classes + "\n";
    }
    return out;
}

struct Language {
    const char* keywords;
    const char* comment_start1;
    const char* comment_end1;
    const char* comment_start2;
};

std::string ColourRowsOf(const Language& language, const std::string& source) {
    MemoryProfile profile;
    profile.WriteProfileString("L", "Keywords", testing_kit::program_path(language.keywords).string());
    profile.WriteProfileInt("L", "Chroma", 1);
    profile.WriteProfileInt("L", "Tab size", 4);
    profile.WriteProfileString("L", "Comment Start 1", language.comment_start1);
    profile.WriteProfileString("L", "Comment End 1", language.comment_end1);
    profile.WriteProfileString("L", "Comment Start 2", language.comment_start2);
    profile.WriteProfileString("L", "Extra word chars", "#");
    profile.WriteProfileString("L", "Start chars", "#");
    SECEdit edit(profile);
    edit.SetSettingsSection("L");
    edit.LoadSettings();
    testing::Fill(edit, source);
    return ClassRows(edit);
}

TEST(EditorLineColours, CSource) {
    const std::string source =
        "/* A block comment\r\n"
        "   that runs on, with int inside */ static int count;\r\n"
        "int main(void) {\r\n"
        "\tchar *s = \"say \\\"if\\\" /* not */\";  // while here\r\n"
        "\tchar c = '\\'';\r\n"
        "\treturn s[0] == 'x' ? 1 : 0; /* one */ /* two\r\n"
        "\t   still two */ for (;;) break;\r\n"
        "\tputs(\"open string with if\r\n"
        "}\r\n";
    EXPECT_TRUE(testing_kit::matches_golden("editor/tests/golden/colours_c.txt",
                                            ColourRowsOf({"c.ini", "/*", "*/", "//"}, source)));
}

TEST(EditorLineColours, AssemblySource) {
    const std::string source =
        "; start-up code\r\n"
        "\tORG $8000\r\n"
        "start:\tlda #$01\t\t; one\r\n"
        "\tsta $0200,x\r\n"
        "\tDB \"lda ; in a string\", 0\r\n"
        "loop:\tbne loop\r\n"
        "#include \"defs.inc\"\r\n";
    EXPECT_TRUE(testing_kit::matches_golden("editor/tests/golden/colours_asm.txt",
                                            ColourRowsOf({"asm.ini", ";", "", ""}, source)));
}

TEST(EditorLineColours, ColouringOffIsOnePlainRun) {
    SECEdit edit;
    testing::Fill(edit, "int x; /* c */\r\n\r\n");
    ColouredLine coloured = ColourLine(edit, edit.GetFirstLine());
    ASSERT_EQ(coloured.runs.size(), 1u);
    EXPECT_EQ(coloured.runs[0].end, 14);
    EXPECT_EQ(coloured.runs[0].colour, edit.text_colour());
    EXPECT_TRUE(ColourLine(edit, edit.GetLineByNumber(2)).runs.empty());  // a line of only its line end
}

}  // namespace
}  // namespace editor
