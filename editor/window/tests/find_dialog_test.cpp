// The Find, Replace and Page Setup dialogs of the editor view, filled in and pressed
// by script: case, regular expressions, the unused whole-word box, replacing one match
// at a time, Replace All as one undo step, Mark All, the end of a search pass, and the
// page's header and footer kept in the profile.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "editor/page_template.h"
#include "editor/window/tests/edit_window_fixture.h"

namespace editor::testing {
namespace {

const char kText[] =
    "alpha Beta beta\r\n"
    "\tgamma beta\r\n"
    "delta\r\n";

class FindDialogTest : public EditWindowTest {
protected:
    void SetUp() override {
        EditWindowTest::SetUp();
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.message_box) {
                messages.push_back(q.text);
                return IDOK;
            }
            if (answer_page_setup) return answer_page_setup(q.dialog);
            return std::nullopt;
        });
        edit->LoadText(kText);
        view = MakeView(*edit);
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        EditWindowTest::TearDown();
    }

    // Opens the Find or Replace dialog and fills in its find and replace texts.
    HWND Open(int command, const char* find, const char* replace = "") {
        view->OnCommand(command);
        pump();
        EXPECT_NE(view->find_dialog(), nullptr);
        HWND dialog = view->find_dialog()->m_hWnd;
        SetDlgItemText(dialog, CFindReplaceDialog::kFindEdit, find);
        SetDlgItemText(dialog, CFindReplaceDialog::kReplaceEdit, replace);
        return dialog;
    }
    void Press(HWND dialog, UINT button) {
        SendMessage(dialog, WM_COMMAND, button, 0);
        pump();
    }
    static void Check(HWND dialog, UINT box) { CheckDlgButton(dialog, box, BST_CHECKED); }
    std::string Line(int number) { return std::string(edit->TextOf(edit->GetLineByNumber(number))); }
    std::string Selected() { return view->GetSelectionText(); }
    // A picture of a dialog, which is a window of its own.
    void ShootDialog(HWND dialog, const std::string& golden) {
        EXPECT_TRUE(testing_kit::matches_painted_golden(dialog, "editor/window/tests/golden/" + golden + ".png"));
    }

    SECEditView* view = nullptr;
    std::vector<std::string> messages;
    std::function<std::optional<LONG_PTR>(HWND)> answer_page_setup;
};

TEST_F(FindDialogTest, FindNextHonoursCaseAndClosesTheFindDialog) {
    HWND dialog = Open(kCmdFind, "beta");
    Press(dialog, IDOK);
    EXPECT_EQ(view->selection_start(), (CaretPlace{1, 6}));  // case-blind: "Beta" first
    EXPECT_EQ(view->find_dialog(), nullptr);

    view->GoToLineColumn(1, 0);
    dialog = Open(kCmdFind, "beta");
    Check(dialog, CFindReplaceDialog::kMatchCase);
    Press(dialog, IDOK);
    EXPECT_EQ(view->selection_start(), (CaretPlace{1, 11}));
    EXPECT_EQ(profile.GetProfileString(kFindSection, "Find1", ""), "beta");
    EXPECT_EQ(profile.GetProfileInt(kFindSection, "Match case", 0), 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FindDialogTest, TabsBeforeAMatchSelectTheMatchedText) {
    view->GoToLineColumn(2, 0);
    HWND dialog = Open(kCmdFind, "beta");
    Press(dialog, IDOK);
    EXPECT_EQ(Selected(), "beta");
    EXPECT_EQ(view->selection_start().line, 2);
}

TEST_F(FindDialogTest, WholeWordIsNotOfferedAndChangesNothing) {
    HWND dialog = Open(kCmdFind, "lph");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, CFindReplaceDialog::kWholeWord)));
    Check(dialog, CFindReplaceDialog::kWholeWord);
    Press(dialog, IDOK);
    EXPECT_EQ(Selected(), "lph");
}

TEST_F(FindDialogTest, RegularExpressionsMatchAtTheLineEnd) {
    HWND dialog = Open(kCmdFind, "b[a-z]+$");
    Check(dialog, OEFindDlg::kRegularExpressions);
    Press(dialog, IDOK);
    EXPECT_EQ(view->selection_start(), (CaretPlace{1, 11}));
    EXPECT_EQ(profile.GetProfileInt(kFindSection, "Regular expressions", 0), 1);
}

TEST_F(FindDialogTest, ReplaceTakesOneMatchAtATimeAndEndsThePass) {
    HWND dialog = Open(kCmdReplace, "beta", "B");
    Check(dialog, CFindReplaceDialog::kMatchCase);
    Press(dialog, IDOK);  // Find Next selects the first match
    EXPECT_EQ(view->selection_start(), (CaretPlace{1, 11}));
    Press(dialog, CFindReplaceDialog::kReplace);
    EXPECT_EQ(Line(1), "alpha Beta B");
    EXPECT_EQ(Selected(), "beta");  // the next match waits
    EXPECT_EQ(view->selection_start().line, 2);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, CFindReplaceDialog::kReplace)));
    Press(dialog, CFindReplaceDialog::kReplace);
    EXPECT_EQ(Line(2), "\tgamma B");
    // Nothing is left: the pass is over and the dialog goes.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Finished searching for 'beta'.");
    EXPECT_EQ(view->find_dialog(), nullptr);
    EXPECT_EQ(profile.GetProfileString(kFindSection, "Replace1", ""), "B");
}

TEST_F(FindDialogTest, ATextFoundOnceEndsThePassWhenFoundAgain) {
    HWND dialog = Open(kCmdReplace, "gamma");
    Check(dialog, OEFindDlg::kWrapSearch);
    Press(dialog, IDOK);
    EXPECT_EQ(Selected(), "gamma");
    Press(dialog, IDOK);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Finished searching for 'gamma'.");
}

TEST_F(FindDialogTest, NotFoundKeepsTheDialogWithReplaceDisabled) {
    HWND dialog = Open(kCmdReplace, "zeta", "");
    Press(dialog, IDOK);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "The string 'zeta' was not found.");
    ASSERT_NE(view->find_dialog(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, CFindReplaceDialog::kReplace)));
    EXPECT_EQ(profile.GetProfileString(kFindSection, "Replace1", ""), kEmptyReplaceEntry);
    Press(dialog, IDCANCEL);
    EXPECT_EQ(view->find_dialog(), nullptr);
}

TEST_F(FindDialogTest, ReplaceAllIsOneUndoStep) {
    HWND dialog = Open(kCmdReplace, "(b)eta", "\\1ETA");
    Check(dialog, OEFindDlg::kRegularExpressions);
    Press(dialog, CFindReplaceDialog::kReplaceAll);
    EXPECT_EQ(Line(1), "alpha BETA bETA");
    EXPECT_EQ(Line(2), "\tgamma bETA");
    EXPECT_EQ(view->find_dialog(), nullptr);
    view->OnCommand(kCmdUndo);
    EXPECT_EQ(Line(1), "alpha Beta beta");
    EXPECT_EQ(Line(2), "\tgamma beta");

    dialog = Open(kCmdReplace, "zeta", "x");
    Press(dialog, CFindReplaceDialog::kReplaceAll);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "The string 'zeta' was not found.");
    EXPECT_EQ(Line(1), "alpha Beta beta");
}

TEST_F(FindDialogTest, MarkAllBookmarksEveryLineWithAMatch) {
    HWND dialog = Open(kCmdFind, "ta");
    Press(dialog, OEFindDlg::kMarkAll);
    EXPECT_TRUE(edit->GetLineByNumber(1)->flags & kLineBookmark);
    EXPECT_TRUE(edit->GetLineByNumber(2)->flags & kLineBookmark);
    EXPECT_TRUE(edit->GetLineByNumber(3)->flags & kLineBookmark);
    EXPECT_EQ(view->find_dialog(), nullptr);
}

TEST_F(FindDialogTest, AskingAgainBringsTheOpenDialogForward) {
    Open(kCmdFind, "x");
    OEFindDlg* first = view->find_dialog();
    view->OnCommand(kCmdReplace);
    EXPECT_EQ(view->find_dialog(), first);
    EXPECT_FALSE(first->IsReplace());
}

// The dialogs as the user sees them: the whole-word box hidden, the editor's own
// boxes and buttons, the options the script set.
TEST_F(FindDialogTest, TheDialogsLookAsTheirGoldens) {
    HWND dialog = Open(kCmdFind, "beta");
    Check(dialog, CFindReplaceDialog::kMatchCase);
    pump();
    ShootDialog(dialog, "find_dialog");
    Press(dialog, IDCANCEL);

    dialog = Open(kCmdReplace, "(b)eta", "\\1ETA");
    Check(dialog, OEFindDlg::kRegularExpressions);
    Check(dialog, OEFindDlg::kWrapSearch);
    Press(dialog, IDOK);  // a match found: Replace and Replace All come on
    ShootDialog(dialog, "replace_dialog");
}

// A session typed into the dialogs, step by step, and what each step left: the text,
// the selection, the undo history's position, the messages and whether a dialog is open.
TEST_F(FindDialogTest, AScriptedSessionGivesItsGoldenTranscript) {
    struct Step {
        const char* what;
        int command;  // kCmdFind or kCmdReplace: the dialog to use; kCmdUndo: undo instead
        const char* find;
        const char* replace;
        std::vector<UINT> boxes;
        UINT button;
        bool from_start = false;  // the caret goes to the start of the text first
    };
    const UINT kCase = CFindReplaceDialog::kMatchCase, kRegex = OEFindDlg::kRegularExpressions,
               kWord = CFindReplaceDialog::kWholeWord, kWrap = OEFindDlg::kWrapSearch;
    const Step steps[] = {
        {"find beta in any case", kCmdFind, "beta", "", {}, IDOK, true},
        {"find beta with its case", kCmdFind, "beta", "", {kCase}, IDOK, true},
        {"whole word (not offered) still finds inside a word", kCmdFind, "lph", "", {kWord}, IDOK, true},
        {"a regular expression at the end of a line", kCmdFind, "b[a-z]+$", "", {kRegex}, IDOK, true},
        {"find for replacing, with case", kCmdReplace, "beta", "B", {kCase}, IDOK, true},
        {"replace it and find the next", kCmdReplace, "beta", "B", {kCase}, CFindReplaceDialog::kReplace},
        {"undo the replacement", kCmdUndo, "", "", {}, 0},
        {"replace all by a regular expression",
         kCmdReplace,
         "(b)eta",
         "\\1ETA",
         {kRegex},
         CFindReplaceDialog::kReplaceAll},
        {"one undo takes all the replacements back", kCmdUndo, "", "", {}, 0},
        {"replace all of what is not there", kCmdReplace, "zeta", "x", {kWrap}, CFindReplaceDialog::kReplaceAll},
        {"mark all", kCmdFind, "ta", "", {}, OEFindDlg::kMarkAll},
    };
    std::ostringstream transcript;
    for (const Step& step : steps) {
        messages.clear();
        if (step.from_start) {
            view->ClearSelection(true);
            view->GoToLineColumn(1, 0);
        }
        if (step.command == kCmdUndo) {
            view->OnCommand(kCmdUndo);
        } else {
            OEFindDlg* open = view->find_dialog();
            HWND dialog = open && open->IsReplace() == (step.command == kCmdReplace) ? open->m_hWnd : nullptr;
            if (!dialog) {
                if (open) Press(open->m_hWnd, IDCANCEL);
                dialog = Open(step.command, step.find, step.replace);
            }
            SetDlgItemText(dialog, CFindReplaceDialog::kFindEdit, step.find);
            SetDlgItemText(dialog, CFindReplaceDialog::kReplaceEdit, step.replace);
            for (UINT box : {kCase, kRegex, kWord, kWrap})
                CheckDlgButton(dialog, box,
                               std::find(step.boxes.begin(), step.boxes.end(), box) != step.boxes.end()
                                   ? BST_CHECKED
                                   : BST_UNCHECKED);
            Press(dialog, step.button);
        }
        transcript << "# " << step.what << "\n";
        for (int i = 1; i <= edit->GetLineCount(); ++i)
            transcript << (edit->GetLineByNumber(i)->flags & kLineBookmark ? "  * " : "    ") << Line(i) << "\n";
        if (view->has_selection())
            transcript << "  selection " << view->selection_start().line << ":" << view->selection_start().column << "-"
                       << view->selection_end().line << ":" << view->selection_end().column << " \"" << Selected()
                       << "\"\n";
        else
            transcript << "  no selection, caret " << view->caret().line << ":" << view->caret().column << "\n";
        transcript << "  undo position " << edit->GetUndoLog().position() << "\n";
        for (const std::string& message : messages) transcript << "  message: " << message << "\n";
        transcript << "  dialog " << (view->find_dialog() ? "open" : "closed") << "\n";
    }
    EXPECT_TRUE(testing_kit::matches_golden("editor/window/tests/golden/find_session.txt", transcript.str()));
}

TEST_F(FindDialogTest, PageSetupKeepsTheHeaderAndFooterOnlyWhenAccepted) {
    // The dialog is filled in the same way each time and answered with `result`.
    auto fill_and_answer = [](LONG_PTR result) {
        return [result](HWND dialog) -> std::optional<LONG_PTR> {
            char header[64];
            GetDlgItemText(dialog, CPageSetupDialog::kHeaderEdit, header, sizeof header);
            EXPECT_STREQ(header, "&f %c");
            SetDlgItemText(dialog, CPageSetupDialog::kHeaderEdit, "Listing &f");
            SetDlgItemText(dialog, CPageSetupDialog::kFooterEdit, "- &p -");
            SetDlgItemText(dialog, CPageSetupDialog::kLeftEdit, "500");
            return result;
        };
    };
    answer_page_setup = fill_and_answer(IDCANCEL);
    view->OnCommand(kCmdPageSetup);
    EXPECT_EQ(LoadPageSetup(profile).header, "&f %c");
    EXPECT_EQ(view->page_margins().left, 1000);

    answer_page_setup = fill_and_answer(IDOK);
    view->OnCommand(kCmdPageSetup);
    EXPECT_EQ(LoadPageSetup(profile).header, "Listing &f");
    EXPECT_EQ(LoadPageSetup(profile).footer, "- &p -");
    EXPECT_EQ(view->page_margins().left, 500);
}

}  // namespace
}  // namespace editor::testing
