// Language settings: profile keys, keywords and colours, comment delimiters, and the
// comment state of lines (cached, checked against the backward scan).
#include <gtest/gtest.h>

#include <random>

#include "editor/tests/edit_fixture.h"
#include "testing/temp_dir.h"

namespace editor {
namespace {

using testing::Fill;
using testing_kit::TempDir;

constexpr const char* kSection = "Editor\\C Files";

const char* kKeywordsIni =
    "[Keywords]\r\n"
    "while=Flow\r\n"
    "RETURN=Flow\r\n"
    "int=Nowhere\r\n"
    "#define=Pre\r\n"
    "a_very_long_keyword_name_here=Flow\r\n"
    "\r\n"
    "[Colors]\r\n"
    "Flow=1,2,3\r\n"
    "Pre=200,100\r\n";

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        profile_.WriteProfileString(kSection, "Keywords", dir_.write("lang.ini", kKeywordsIni).string());
        profile_.WriteProfileInt(kSection, "Chroma", 1);
        profile_.WriteProfileString(kSection, "Comment Start 1", "/*");
        profile_.WriteProfileString(kSection, "Comment End 1", "*/");
        profile_.WriteProfileString(kSection, "Comment Start 2", "//");
        profile_.WriteProfileInt(kSection, "Keyword", 0x00FF00);
    }

    SECEdit& Edit() {
        if (!edit_) {
            edit_ = std::make_unique<SECEdit>(profile_);
            edit_->SetSettingsSection(kSection);
            edit_->LoadSettings();
        }
        return *edit_;
    }

    // The keywords of a text, each as "word".
    std::vector<std::string> Keywords(std::string_view text) {
        std::vector<std::string> words;
        int from = 0, start = 0, end = 0;
        while (Edit().FindNextKeyword(text, &from, &start, &end))
            words.emplace_back(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
        return words;
    }

    TempDir dir_;
    MemoryProfile profile_;
    std::unique_ptr<SECEdit> edit_;
};

TEST_F(LanguageTest, SettingsComeFromTheSectionWithDefaults) {
    profile_.WriteProfileInt(kSection, "Tab size", 8);
    profile_.WriteProfileInt(kSection, "Comment", 0x7F123456);  // masked to 24 bits
    profile_.WriteProfileString(kSection, "Comment End 2", std::string(20, 'e'));
    SECEdit& edit = Edit();
    EXPECT_EQ(edit.GetTabSize(), 8);
    EXPECT_EQ(edit.keep_tabs(), 1);
    EXPECT_EQ(edit.GetInsertMode(), 1);
    EXPECT_EQ(edit.font_name(), "Courier New");
    EXPECT_EQ(edit.font_size(), 9);
    EXPECT_EQ(edit.colouring_on(), 1);
    EXPECT_EQ(edit.auto_indent(), 1);
    EXPECT_EQ(edit.comment_colour(), 0x123456u);
    EXPECT_EQ(edit.quote_colour(), RGB(255, 0, 0));
    EXPECT_EQ(edit.background_colour(), RGB(255, 255, 255));
    EXPECT_EQ(edit.comment_end(2), std::string(15, 'e'));  // delimiters are cut to 15
}

TEST_F(LanguageTest, KeywordsMatchWithoutCaseAndTakeTheirColours) {
    EXPECT_EQ(Keywords("while (x) return int; WHILE Return"),
              (std::vector<std::string>{"while", "return", "int", "WHILE", "Return"}));
    EXPECT_EQ(Keywords("whiles _while while_ a_very_long_keyword_name_here"),
              (std::vector<std::string>{"a_very_long_keyword_name_here"}));
    EXPECT_EQ(Keywords("x"), std::vector<std::string>{});
    SECEdit& edit = Edit();
    EXPECT_EQ(edit.GetColourByName("while"), RGB(1, 2, 3));
    EXPECT_EQ(edit.GetColourByName("#define"), RGB(200, 100, 0));
    EXPECT_EQ(edit.GetColourByName("int"), 0x00FF00u);  // names no colour: the keyword colour
    EXPECT_EQ(SECEdit::ParseColour("7"), RGB(7, 0, 0));
}

TEST_F(LanguageTest, CaseSensitiveKeywords) {
    profile_.WriteProfileInt(kSection, "Case", 1);
    EXPECT_EQ(Keywords("while WHILE return RETURN"), (std::vector<std::string>{"while", "RETURN"}));
}

TEST_F(LanguageTest, WordCharacterTables) {
    profile_.WriteProfileString(kSection, "Extra word chars", "#\xB0");
    profile_.WriteProfileString(kSection, "Start chars", "#");
    EXPECT_EQ(Keywords("x#define y"), (std::vector<std::string>{"#define"}));
    EXPECT_TRUE(Edit().IsWordChar(0xB0));
    EXPECT_FALSE(Edit().IsWordChar(0xB1));
    profile_.WriteProfileString(kSection, "Terminator chars", "e");
    edit_.reset();
    EXPECT_EQ(Keywords("whilex"), (std::vector<std::string>{"while"}));  // words end after "e"
}

TEST_F(LanguageTest, MissingOrEmptyKeywordsFileTurnsColouringOff) {
    profile_.WriteProfileString(kSection, "Keywords", (dir_ / "none.ini").string());
    EXPECT_EQ(Edit().colouring_on(), 0);
    EXPECT_EQ(Edit().comment_start(1), "/*");  // the other settings stay

    // A file without [Keywords] may name its section after itself.
    profile_.WriteProfileString(kSection, "Keywords", dir_.write("asm.ini", "[asm]\nLDA=x\n").string());
    edit_.reset();
    EXPECT_EQ(Edit().colouring_on(), 1);
    EXPECT_EQ(Keywords("lda #1"), (std::vector<std::string>{"lda"}));
}

TEST_F(LanguageTest, KeywordFileNameIsFoundInAnyCase) {
    dir_.write("mixed.ini", "[Keywords]\nfoo=x\n");
    profile_.WriteProfileString(kSection, "Keywords", (dir_ / "MIXED.INI").string());
    EXPECT_EQ(Keywords("foo"), (std::vector<std::string>{"foo"}));
}

TEST_F(LanguageTest, CommentStartAndEnd) {
    SECEdit& edit = Edit();
    EXPECT_EQ(edit.AddExtraCommentType("//", "x"), -1);
    EXPECT_EQ(edit.AddExtraCommentType("", "x"), -1);
    EXPECT_EQ(edit.AddExtraCommentType(";", ""), 3);
    EXPECT_EQ(edit.AddExtraCommentType("{", "}"), 4);
    EXPECT_EQ(edit.AddExtraCommentType("{", "]"), -1);
    struct Case {
        const char* text;
        int at;
        int type;
    } starts[] = {
        {"a /* b // c", 2, 1},
        {"a // b /* c", 2, 2},
        {"x = \"/*\" // real", 9, 2},  // a start inside a string keeps
                                       // the search going
        {"s = '//' ; y", 9, 3},
        {"{ comment }", 0, 4},
        {"\"{\" \"//\"", -1, 0},
        {"plain", -1, 0},
    };
    for (const Case& c : starts) {
        int type = 0;
        EXPECT_EQ(edit.FindCommentStart(c.text, &type), c.at) << c.text;
        if (c.at >= 0) {
            EXPECT_EQ(type, c.type) << c.text;
        }
    }
    EXPECT_EQ(edit.FindCommentEnd(" a */ b", 1), 5);
    EXPECT_EQ(edit.GetCommentContinues(), 0);
    EXPECT_EQ(edit.FindCommentEnd(" a b", 1), 4);
    EXPECT_EQ(edit.GetCommentContinues(), 1);
    EXPECT_EQ(edit.FindCommentEnd(" line comment", 2), 13);  // an empty end closes at the line end
    EXPECT_EQ(edit.GetCommentContinues(), 0);
    EXPECT_EQ(edit.FindCommentEnd("x } y", 4), 3);
    EXPECT_EQ(edit.FindCommentEnd("x } y", 9), 0);
}

TEST(EditorQuotes, InsideStringTest) {
    struct Case {
        const char* text;
        int position;
        bool inside;
    } cases[] = {
        {"a \"b\" c", 3, true},  {"a \"b\" c", 6, false}, {"'x' y", 1, true},
        {"\"a\\\"b\"", 4, true}, {"\"open", 2, false},    {"\"a\" \"b\"", 4, false},
    };
    for (const Case& c : cases) EXPECT_EQ(SECEdit::IsInQuotes(c.text, c.position), c.inside) << c.text;
}

// The comment state of a line by the backward scan, as the first open type.
int LiteralState(SECEdit& edit, const EditLine* line, int* type) {
    std::string_view no_line_comment;
    if (edit.IsInsideComment(line, edit.comment_start(1), edit.comment_end(1),
                             edit.comment_end(2).empty() ? edit.comment_start(2) : no_line_comment)) {
        *type = 1;
        return 1;
    }
    if (edit.IsInsideComment(line, edit.comment_start(2), edit.comment_end(2),
                             edit.comment_end(1).empty() ? edit.comment_start(1) : no_line_comment)) {
        *type = 2;
        return 1;
    }
    for (size_t i = 0; i < edit.extra_comment_types().size(); ++i) {
        const OEExtraCommentType& extra = edit.extra_comment_types()[i];
        if (edit.IsInsideComment(line, extra.start, extra.end)) {
            *type = 3 + static_cast<int>(i);
            return 1;
        }
    }
    return 0;
}

TEST_F(LanguageTest, CommentStateOfLines) {
    SECEdit& edit = Edit();
    Fill(edit,
         "int a; /* opens\r\n"          // 1
         "still inside\r\n"             // 2
         "closes */ x = 1;\r\n"         // 3
         "s = \"/*\"; // not\r\n"       // 4: a start in a string and one after a line comment
         "// /* in a line comment\r\n"  // 5
         "y; /* a */ /* b\r\n"          // 6
         "z\r\n");                      // 7
    std::vector<int> expected = {0, 1, 1, 0, 0, 0, 1};
    for (int number = 1; number <= 7; ++number) {
        int type = 0;
        EXPECT_EQ(edit.GetCommentStateAtLine(edit.GetLineByNumber(number), &type), expected[number - 1])
            << "line " << number;
    }
    // Editing a line above changes the state below it.
    edit.DeleteChars({edit.GetLineByNumber(3), 7}, 2, true);
    int type = 0;
    EXPECT_EQ(edit.GetCommentStateAtLine(edit.GetLineByNumber(4), &type), 1);
    EXPECT_EQ(type, 1);
    edit.Undo();
    EXPECT_EQ(edit.GetCommentStateAtLine(edit.GetLineByNumber(4), &type), 0);
}

TEST_F(LanguageTest, CachedCommentStateEqualsTheBackwardScan) {
    SECEdit& edit = Edit();
    edit.AddExtraCommentType("{", "}");
    edit.AddExtraCommentType("(*", "*)");
    std::mt19937 random(42);
    const char* pieces[] = {"/*", "*/", "//", "\"", "'", "\\", "{", "}", "(*", "*)", "x", " ", "\r\n", "\r\n"};
    for (int round = 0; round < 40; ++round) {
        std::string text;
        for (int i = 0; i < 120; ++i) text += pieces[random() % std::size(pieces)];
        Fill(edit, text);
        for (int edits = 0; edits < 5; ++edits) {
            for (const EditLine* line = edit.GetFirstLine(); line; line = line->next) {
                int cached_type = 0, literal_type = 0;
                int cached = edit.GetCommentStateAtLine(line, &cached_type);
                ASSERT_EQ(cached, LiteralState(edit, line, &literal_type))
                    << "round " << round << " line " << line->number;
                if (cached) {
                    ASSERT_EQ(cached_type, literal_type);
                }
            }
            // Edit somewhere and compare again: the cache must follow.
            EditLine* line = edit.GetLineByNumber(1 + static_cast<int>(random() % edit.GetLineCount()));
            const char* piece = pieces[random() % 10];
            edit.InsertText({line, static_cast<int>(random() % (edit.TextOf(line).size() + 1))}, piece, true);
        }
    }
}

}  // namespace
}  // namespace editor
