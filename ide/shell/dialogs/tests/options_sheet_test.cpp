// The "Options" sheet driven by keys and clicks: what a first start shows, the
// profile written only on OK or Apply, changes kept or dropped when the file
// type changes, and the format page's colours, fonts and defaults.
#include "ide/shell/dialogs/options_sheet.h"
#include "ide/shell/dialogs/tests/dialog_fixture.h"
#include "platform/profile/store.h"
#include <cctype>

namespace ide::testing {
namespace {

using namespace dlg;

constexpr int kFormatPageIndex = 2;

class OptionsSheet : public DialogFixture {
protected:
    bool checked(int id) const { return ::IsDlgButtonChecked(page(), id) == BST_CHECKED; }
    int chosen(int id) const { return int(::SendMessage(item(id), CB_GETCURSEL, 0, 0)); }
    std::string chosen_text(int id) const {
        const int index = chosen(id);
        if (index < 0) return "";
        char text[64] = "";
        ::SendMessage(item(id), CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // As the user picks an entry of a list or combo box with the mouse.
    void choose(int id, int index, bool list = false) {
        ::SendMessage(item(id), list ? LB_SETCURSEL : CB_SETCURSEL, WPARAM(index), 0);
        ::SendMessage(page(), WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(item(id)));
    }
    void alt(char letter) {
        display.chord(VK_MENU, std::toupper(static_cast<unsigned char>(letter)));
        deliver_input();
    }
    void next_page() {
        display.chord(VK_CONTROL, VK_TAB);
        deliver_input();
    }
    bool apply_enabled() const { return ::IsWindowEnabled(::GetDlgItem(sheet()->m_hWnd, ID_APPLY_NOW)); }
    CVyrOptionFormatPage& format_page() {
        return *static_cast<CVyrOptionFormatPage*>(sheet()->GetPage(kFormatPageIndex));
    }
    // Answers the file-type question with `answer`, noting what it asked.
    void answer_questions(int answer) {
        kit::user::set_dialog_script([this, answer](const kit::user::DialogQuestion& question) {
            questions.push_back(question.text);
            return std::optional<LONG_PTR>(answer);
        });
    }
    std::vector<std::string> questions;
};

TEST_F(OptionsSheet, AFirstStartShowsTheDefaults) {
    display.then([&] {
        EXPECT_EQ(::GetWindowTextLength(sheet()->m_hWnd), 7);  // "Options"
        EXPECT_EQ(::GetDlgItem(sheet()->m_hWnd, 9), nullptr);  // no Help button
        EXPECT_EQ(text(kRecentFiles), "4");
        EXPECT_EQ(text(kRecentProjects), "4");
        EXPECT_EQ(text(kTabSize), "4");
        EXPECT_TRUE(checked(kKeepTabs));
        EXPECT_FALSE(checked(kInsertSpaces));
        for (int id : {kCommentStart1, kCommentEnd1, kCommentStart2, kCommentEnd2}) EXPECT_EQ(text(id), "");
        EXPECT_EQ(chosen_text(kOptionFileType), kCFilesType);
        EXPECT_FALSE(apply_enabled());
        shoot(sheet()->m_hWnd, "options_general");
        display.click(item(kKeepTabs), POINT{4, 4});  // already the choice: no change
        deliver_input();
        EXPECT_FALSE(apply_enabled());
        next_page();
        next_page();
        EXPECT_EQ(sheet()->GetActiveIndex(), kFormatPageIndex);
        EXPECT_EQ(chosen_text(kFontName), "Courier New");
        EXPECT_EQ(chosen_text(kFontStyle), "Regular");
        EXPECT_EQ(chosen_text(kFontSize), "10");
        EXPECT_EQ(::SendMessage(item(kSyntaxClassList), LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(chosen(kClassColour), 16);  // the defaults are automatic colours
        EXPECT_FALSE(apply_enabled());
        shoot(sheet()->m_hWnd, "options_format");
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(RunOptionsSheet(&owner, profile));
    EXPECT_FALSE(profile.HasValue("Settings", "nMaxFile"));
}

TEST_F(OptionsSheet, OkWritesTheEditorPageUnderTheShownType) {
    display.then([&] {
        alt('t');
        display.type("8");
        alt('i');
        alt('r');
        display.type("//");
        alt('w');
        display.type("9");
        deliver_input();
        EXPECT_TRUE(checked(kInsertSpaces));
        EXPECT_TRUE(apply_enabled());
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(RunOptionsSheet(&owner, profile));
    EXPECT_EQ(profile.GetProfileInt(kCFilesSection, "Tab size", 0), 8);
    EXPECT_EQ(profile.GetProfileInt(kCFilesSection, "Keep Tabs", -1), 0);
    EXPECT_EQ(profile.GetProfileString(kCFilesSection, "Comment Start 1"), "//");
    EXPECT_EQ(profile.GetProfileInt("Settings", "nMaxProject", 0), 9);
    EXPECT_EQ(profile.GetProfileInt("Settings", "nMaxFile", 0), 4);
    EXPECT_FALSE(profile.HasValue(kAsmFilesSection, "Tab size"));
}

TEST_F(OptionsSheet, NumbersOutsideTheirRangesAreBroughtIntoThem) {
    display.then([&] {
        type_into(kTabSize, "99");
        type_into(kRecentFiles, "40");
        type_into(kRecentProjects, "");
        display.press(VK_DELETE);
        display.click(::GetDlgItem(sheet()->m_hWnd, ID_APPLY_NOW), POINT{4, 4});
        deliver_input();
        EXPECT_EQ(text(kTabSize), "32");
        EXPECT_FALSE(apply_enabled());
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(sheet()->m_hWnd, IDOK));  // the keyboard still works the sheet
        display.press(VK_ESCAPE);                                      // what Apply wrote stays
    });
    EXPECT_FALSE(RunOptionsSheet(&owner, profile));
    EXPECT_EQ(profile.GetProfileInt(kCFilesSection, "Tab size", 0), 32);
    EXPECT_EQ(profile.GetProfileInt("Settings", "nMaxFile", 0), 16);
    EXPECT_EQ(profile.GetProfileInt("Settings", "nMaxProject", -1), 0);
}

TEST_F(OptionsSheet, ChangingTheFileTypeAsksWhetherToKeepTheChanges) {
    profile.WriteProfileInt(kAsmFilesSection, "Tab size", 6);
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        profile.WriteProfileInt(kCFilesSection, "Tab size", 4);
        questions.clear();
        display.then([&] {
            type_into(kTabSize, "5");
            answer_questions(answer);
            choose(kOptionFileType, 1);
            EXPECT_EQ(questions, std::vector<std::string>{"Do you want save change with C files(.c;.h) type!"});
            EXPECT_EQ(text(kTabSize), "6");  // the Asm files' own
            EXPECT_FALSE(apply_enabled());
            questions.clear();
            choose(kOptionFileType, 0);  // nothing changed since: no question
            EXPECT_TRUE(questions.empty());
            EXPECT_EQ(text(kTabSize), answer == IDYES ? "5" : "4");
            display.press(VK_ESCAPE);
        });
        EXPECT_FALSE(RunOptionsSheet(&owner, profile));
        EXPECT_EQ(profile.GetProfileInt(kCFilesSection, "Tab size", 0), answer == IDYES ? 5 : 4);
        EXPECT_EQ(profile.GetProfileInt(kAsmFilesSection, "Tab size", 0), 6);
    }
}

TEST_F(OptionsSheet, CancelAfterChangesOnEveryPageWritesNothing) {
    display.then([&] {
        type_into(kTabSize, "2");
        next_page();
        next_page();
        choose(kFontSize, 0);
        EXPECT_TRUE(apply_enabled());
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(RunOptionsSheet(&owner, profile));
    EXPECT_FALSE(profile.HasValue(kCFilesSection, "Tab size"));
    EXPECT_FALSE(profile.HasValue(kCFilesSection, "Font Size"));
}

TEST_F(OptionsSheet, FormatPageStoresColoursAndFontsPerFileType) {
    constexpr COLORREF kOdd = 0x123456;  // in no palette entry
    profile.WriteProfileInt(kCFilesSection, "Keyword", int(kOdd));
    profile.WriteProfileInt(kCFilesSection, "Comment", int(kOdd));
    display.then([&] {
        sheet()->SetActivePage(kFormatPageIndex);
        choose(kSyntaxClassList, 2, true);  // "Keyword"
        EXPECT_EQ(chosen(kClassColour), 16);
        EXPECT_FALSE(apply_enabled());      // looking changes nothing
        choose(kSyntaxClassList, 3, true);  // "Quote"
        choose(kClassColour, 12);           // navy
        choose(kBackgroundColour, 3);
        choose(kFontStyle, 3);
        shoot(sheet()->m_hWnd, "options_format_changed");
        choose(kOptionFileType, 1);
        EXPECT_EQ(chosen(kClassColour), 16);  // the Asm files' own quote colour
        choose(kFontSize, 4);                 // 12
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(RunOptionsSheet(&owner, profile));
    EXPECT_EQ(COLORREF(profile.GetProfileInt(kCFilesSection, "Keyword", 0)), kOdd);  // not picked: kept
    EXPECT_EQ(COLORREF(profile.GetProfileInt(kCFilesSection, "Comment", 0)), kOdd);
    EXPECT_EQ(COLORREF(profile.GetProfileInt(kCFilesSection, "Quote", 0)), 0x800000u);
    EXPECT_EQ(COLORREF(profile.GetProfileInt(kCFilesSection, "Background", 0)), 0xC0C0C0u);
    EXPECT_EQ(profile.GetProfileInt(kCFilesSection, "Font Weight", 0), 700);
    EXPECT_EQ(profile.GetProfileInt(kCFilesSection, "Font Italic", 0), 1);
    EXPECT_EQ(profile.GetProfileInt(kCFilesSection, "Font Size", 0), 10);
    EXPECT_EQ(profile.GetProfileInt(kAsmFilesSection, "Font Size", 0), 12);
    EXPECT_EQ(profile.GetProfileInt(kAsmFilesSection, "Font Weight", 0), 400);
}

TEST_F(OptionsSheet, DefaultResetsBothTypesAndPickingAutomaticWritesIt) {
    profile.WriteProfileString(kAsmFilesSection, "Font Name", "Kit Test Cells");
    profile.WriteProfileInt(kAsmFilesSection, "Font Size", 13);  // not in the list
    profile.WriteProfileInt(kCFilesSection, "Default Text", 0x00FF00);
    display.then([&] {
        sheet()->SetActivePage(kFormatPageIndex);
        choose(kOptionFileType, 1);
        EXPECT_EQ(chosen_text(kFontName), "Kit Test Cells");
        EXPECT_EQ(chosen_text(kFontSize), "13");
        alt('d');
        EXPECT_EQ(chosen_text(kFontName), "Courier New");
        EXPECT_EQ(chosen_text(kFontSize), "10");
        EXPECT_TRUE(apply_enabled());
        choose(kOptionFileType, 0);
        EXPECT_EQ(chosen(kClassColour), 16);
        choose(kClassColour, 16);
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(RunOptionsSheet(&owner, profile));
    EXPECT_EQ(profile.GetProfileString(kAsmFilesSection, "Font Name"), "Courier New");
    EXPECT_EQ(profile.GetProfileInt(kAsmFilesSection, "Font Size", 0), 10);
    EXPECT_EQ(COLORREF(profile.GetProfileInt(kCFilesSection, "Default Text", 0)), kAutomaticColour);
}

TEST_F(OptionsSheet, TheFontListHoldsOnlyFixedPitchFaces) {
    display.then([&] {
        sheet()->SetActivePage(kFormatPageIndex);
        std::vector<std::string> names;
        for (int i = 0; i < int(::SendMessage(item(kFontName), CB_GETCOUNT, 0, 0)); ++i) {
            char name[LF_FACESIZE] = "";
            ::SendMessage(item(kFontName), CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(name));
            names.emplace_back(name);
        }
        for (const char* proportional : {"Arial", "Times New Roman", "MS Sans Serif", "Helvetica"})
            EXPECT_EQ(std::count(names.begin(), names.end(), proportional), 0) << proportional;
        EXPECT_EQ(std::count(names.begin(), names.end(), "Kit Test Cells"), 1);
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(RunOptionsSheet(&owner, profile));
}

}  // namespace
}  // namespace ide::testing
