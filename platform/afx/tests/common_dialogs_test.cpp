// The common dialogs answered by a test's script, as the IDE's tests answer them.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"
#include "platform/gdi/png_writer.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "testing/temp_dir.h"

namespace {

// Answers template dialogs by filling edits and ending them with `result`; message boxes get No.
void answer_with(std::vector<std::pair<int, std::string>> edits, LONG_PTR result, std::vector<std::string>* boxes) {
    kit::user::set_dialog_script([=](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) {
            if (boxes) boxes->push_back(q.text);
            return IDNO;
        }
        for (const auto& [id, text] : edits) SetDlgItemText(q.dialog, id, text.c_str());
        return result;
    });
}

using CommonDialogsTest = AfxTest;

TEST_F(CommonDialogsTest, FileDialogTakesTheNameTheScriptGives) {
    testing_kit::TempDir dir;
    const std::string existing = (dir.path() / "a.note").string();
    { CFile(existing.c_str(), CFile::modeCreate | CFile::modeWrite); }

    answer_with({{0x480, existing}}, IDOK, nullptr);
    CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST);
    EXPECT_EQ(open.DoModal(), IDOK);
    EXPECT_STREQ(open.GetPathName(), existing.c_str());
    EXPECT_STREQ(open.GetFileName(), "a.note");
    EXPECT_STREQ(open.GetFileTitle(), "a");

    std::vector<std::string> boxes;
    answer_with({{0x480, (dir.path() / "missing.note").string()}}, IDOK, &boxes);
    EXPECT_EQ(CFileDialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST).DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.size(), 1u);

    // Saving adds the default extension and asks before replacing (answered No here).
    answer_with({{0x480, (dir.path() / "report").string()}}, IDOK, nullptr);
    CFileDialog save(FALSE, "note");
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_STREQ(save.GetFileExt(), "note");
    boxes.clear();
    answer_with({{0x480, existing}}, IDOK, &boxes);
    EXPECT_EQ(CFileDialog(FALSE, "note").DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.size(), 1u);

    answer_with({{0x480, "   "}}, IDOK, nullptr);  // no name is no answer
    EXPECT_EQ(CFileDialog(TRUE).DoModal(), IDCANCEL);
}

TEST_F(CommonDialogsTest, SeveralQuotedNamesAreChosenInOrderWhenAllowed) {
    testing_kit::TempDir dir;
    const std::string a = dir.write("a.asm", "x").string(), b = dir.write("b c.asm", "x").string();
    const auto chosen = [](CFileDialog& dialog) {
        std::vector<std::string> paths;
        for (POSITION at = dialog.GetStartPosition(); at;) paths.push_back(dialog.GetNextPathName(at).str());
        return paths;
    };
    const DWORD flags = OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT;
    answer_with({{0x480, "\"" + b + "\"  \"" + a + "\""}}, IDOK, nullptr);
    CFileDialog several(TRUE, nullptr, nullptr, flags);
    ASSERT_EQ(several.DoModal(), IDOK);
    EXPECT_EQ(chosen(several), (std::vector<std::string>{b, a}));
    EXPECT_STREQ(several.GetPathName(), b.c_str());

    // One name needs no quotes, even with a space in it.
    answer_with({{0x480, b}}, IDOK, nullptr);
    CFileDialog one(TRUE, nullptr, nullptr, flags);
    ASSERT_EQ(one.DoModal(), IDOK);
    EXPECT_EQ(chosen(one), std::vector<std::string>{b});

    // A missing name among them refuses all of them.
    std::vector<std::string> boxes;
    answer_with({{0x480, "\"" + a + "\" \"" + (dir.path() / "gone.asm").string() + "\""}}, IDOK, &boxes);
    EXPECT_EQ(CFileDialog(TRUE, nullptr, nullptr, flags).DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.size(), 1u);

    // Without the flag the text is one name, quotes and all.
    answer_with({{0x480, "\"" + a + "\""}}, IDOK, &boxes);
    EXPECT_EQ(CFileDialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST).DoModal(), IDCANCEL);
}

// Pressing OK (not a script's answer) ends the dialog once its answer is taken.
TEST_F(CommonDialogsTest, PressingOkEndsTheFileAndColourDialogsAndAMissingFileKeepsItOpen) {
    testing_kit::TempDir dir;
    const std::string existing = dir.write("a.note", "x").string();
    int boxes = 0;
    bool open_after_refusal = false;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) {
            ++boxes;
            return IDOK;
        }
        if (q.template_id == CFileDialog::kTemplateId) {
            SetDlgItemText(q.dialog, 0x480, (dir.path() / "missing.note").c_str());
            SendMessage(q.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            open_after_refusal = IsWindow(q.dialog);
            SetDlgItemText(q.dialog, 0x480, existing.c_str());
        } else {
            SetDlgItemText(q.dialog, CColorDialog::kBlueEdit, "7");
        }
        SendMessage(q.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return std::nullopt;
    });
    CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST);
    EXPECT_EQ(open.DoModal(), IDOK);
    EXPECT_STREQ(open.GetPathName(), existing.c_str());
    EXPECT_TRUE(open_after_refusal);
    EXPECT_EQ(boxes, 1);

    CColorDialog color(RGB(1, 2, 3));
    EXPECT_EQ(color.DoModal(), IDOK);
    EXPECT_EQ(color.GetColor(), RGB(1, 2, 7));
}

TEST_F(CommonDialogsTest, ColorDialogBoundsEachPart) {
    answer_with({{CColorDialog::kRedEdit, "10"}, {CColorDialog::kGreenEdit, "300"}, {CColorDialog::kBlueEdit, "x"}},
                IDOK, nullptr);
    CColorDialog dialog(RGB(1, 2, 3));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 255, 3));

    answer_with({{CColorDialog::kRedEdit, "99"}}, IDCANCEL, nullptr);
    CColorDialog cancelled(RGB(4, 5, 6));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(4, 5, 6));
}

// A folder with two subfolders and a file, for the folder chooser.
struct FolderFixture {
    testing_kit::TempDir dir;
    FolderFixture() {
        std::filesystem::create_directories(dir / "alpha" / "inner");
        std::filesystem::create_directories(dir / "beta");
        dir.write("note.txt", "x");
    }
    std::string operator/(const char* name) const { return (dir / name).string(); }
};

std::vector<std::string> list_rows(HWND dialog, int id) {
    std::vector<std::string> rows;
    const auto count = SendDlgItemMessage(dialog, id, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        char text[256] = {};
        SendDlgItemMessage(dialog, id, LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

std::string item_text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

TEST_F(CommonDialogsTest, FolderDialogShowsTheSubfoldersAndTakesTheFolderTheScriptGives) {
    FolderFixture folders;
    std::vector<std::string> rows, shown;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        char caption[64] = {};
        GetWindowText(q.dialog, caption, sizeof caption);
        shown.push_back(caption);
        shown.push_back(item_text(q.dialog, CFolderDialog::kPathEdit));
        rows = list_rows(q.dialog, CFolderDialog::kFolderList);
        SetDlgItemText(q.dialog, CFolderDialog::kPathEdit, (folders / "alpha/").c_str());  // a trailing slash is tidied
        return IDOK;
    });
    CFolderDialog dialog("Include Folder", folders.dir.path().c_str());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.GetFolderPath(), (folders / "alpha").c_str());
    EXPECT_EQ(shown, (std::vector<std::string>{"Include Folder", folders.dir.path().string()}));
    EXPECT_EQ(rows, (std::vector<std::string>{"..", "alpha", "beta"}));  // files are not listed
}

TEST_F(CommonDialogsTest, FolderDialogCancelledOrGivenNoFolderKeepsItsPath) {
    FolderFixture folders;
    struct Case {
        const char* what;
        std::string typed;
        LONG_PTR answer;
        size_t messages;
    };
    const Case cases[] = {
        {"cancelled", folders / "beta", IDCANCEL, 0},
        {"missing folder", folders / "missing", IDOK, 1},
        {"a file", folders / "note.txt", IDOK, 1},
        {"empty", "  ", IDOK, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> boxes;
        answer_with({{CFolderDialog::kPathEdit, c.typed}}, c.answer, &boxes);
        CFolderDialog dialog(nullptr, folders.dir.path().c_str());
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << c.what;
        EXPECT_STREQ(dialog.GetFolderPath(), folders.dir.path().c_str()) << c.what;
        ASSERT_EQ(boxes.size(), c.messages) << c.what;
        if (c.messages) {
            EXPECT_NE(boxes[0].find("The folder does not exist."), std::string::npos) << boxes[0];
        }
    }
}

TEST_F(CommonDialogsTest, FolderDialogStartsAtTheCurrentFolderWhenTheInitialOneIsMissing) {
    FolderFixture folders;
    testing_kit::ScopedCwd cwd(folders.dir.path() / "beta");
    EXPECT_STREQ(CFolderDialog(nullptr, (folders / "gone").c_str()).GetFolderPath(), (folders / "beta").c_str());
    EXPECT_STREQ(CFolderDialog().GetFolderPath(), (folders / "beta").c_str());
}

// The user's way through: OK on a missing folder keeps the dialog open; a double click enters a folder.
TEST_F(CommonDialogsTest, FolderDialogIsWalkedByDoubleClicksAndRefusesAMissingFolderInPlace) {
    FolderFixture folders;
    std::vector<std::string> boxes, after_refusal, entered, went_up;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) {
            boxes.push_back(q.text);
            return IDOK;
        }
        const auto press = [&](int id, WORD code) { SendMessage(q.dialog, WM_COMMAND, MAKEWPARAM(id, code), 0); };
        const auto double_click = [&](int row) {
            SendDlgItemMessage(q.dialog, CFolderDialog::kFolderList, LB_SETCURSEL, WPARAM(row), 0);
            press(CFolderDialog::kFolderList, LBN_DBLCLK);
        };
        SetDlgItemText(q.dialog, CFolderDialog::kPathEdit, (folders / "missing").c_str());
        press(IDOK, BN_CLICKED);
        after_refusal = {IsWindow(q.dialog) ? "open" : "closed"};
        double_click(1);  // "alpha"
        entered = list_rows(q.dialog, CFolderDialog::kFolderList);
        entered.push_back(item_text(q.dialog, CFolderDialog::kPathEdit));
        double_click(1);  // "inner"
        double_click(0);  // ".." back to alpha
        went_up = {item_text(q.dialog, CFolderDialog::kPathEdit)};
        press(IDOK, BN_CLICKED);
        return std::nullopt;  // the dialog has ended itself
    });
    CFolderDialog dialog(nullptr, folders.dir.path().c_str());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(after_refusal, std::vector<std::string>{"open"});
    EXPECT_EQ(entered, (std::vector<std::string>{"..", "inner", folders / "alpha"}));
    EXPECT_EQ(went_up, std::vector<std::string>{folders / "alpha"});
    EXPECT_STREQ(dialog.GetFolderPath(), (folders / "alpha").c_str());
}

TEST_F(CommonDialogsTest, FolderDialogSnapshot) {
    FolderFixture folders;
    bool shown = false;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        // The scratch folder's name changes from run to run; the edit shows a fixed path instead.
        SetDlgItemText(q.dialog, CFolderDialog::kPathEdit, "/home/dev/project");
        ShowWindow(q.dialog, SW_SHOW);
        EXPECT_TRUE(testing_kit::matches_painted_golden(q.dialog, "platform/afx/tests/golden/folder_dialog.png"));
        shown = true;
        return IDCANCEL;
    });
    CFolderDialog(nullptr, folders.dir.path().c_str()).DoModal();
    EXPECT_TRUE(shown);
}

TEST_F(CommonDialogsTest, PageSetupGivesBackMarginsHeaderAndFooter) {
    std::vector<std::string> shown;
    answer_with({{CPageSetupDialog::kLeftEdit, "750"},
                 {CPageSetupDialog::kBottomEdit, " 0 "},
                 {CPageSetupDialog::kHeaderEdit, "&f %c"},
                 {CPageSetupDialog::kFooterEdit, "Page: &p"}},
                IDOK, nullptr);
    CPageSetupDialog dialog;
    dialog.m_rtMargin = CRect(1, 2, 3, 4);
    dialog.m_strHeader = "old header";
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_rtMargin, CRect(750, 2, 3, 0));
    EXPECT_STREQ(dialog.m_strHeader, "&f %c");
    EXPECT_STREQ(dialog.m_strFooter, "Page: &p");
}

TEST_F(CommonDialogsTest, PageSetupCancelledOrGivenABadMarginKeepsItsValues) {
    const std::pair<std::string, LONG_PTR> cases[] = {
        {"500", IDCANCEL}, {"10001", IDOK}, {"-1", IDOK}, {"12x", IDOK}, {"", IDOK}, {"99999999999999999999", IDOK},
    };
    for (const auto& [margin, answer] : cases) {
        std::vector<std::string> boxes;
        answer_with({{CPageSetupDialog::kTopEdit, margin}, {CPageSetupDialog::kHeaderEdit, "new"}}, answer, &boxes);
        CPageSetupDialog dialog;
        dialog.m_strHeader = "kept";
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << margin;
        EXPECT_EQ(dialog.m_rtMargin, CRect(1000, 1000, 1000, 1000)) << margin;
        EXPECT_STREQ(dialog.m_strHeader, "kept") << margin;
        EXPECT_EQ(boxes.size(), answer == IDOK ? 1u : 0u) << margin;
    }
}

// Answers the print dialog: checks `choice`, sets the edits, ends with `result`; message boxes are counted.
void answer_print(int choice, std::vector<std::pair<int, std::string>> edits, LONG_PTR result, int* boxes) {
    kit::user::set_dialog_script([=](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) {
            ++*boxes;
            return IDOK;
        }
        if (choice) CheckRadioButton(q.dialog, CPrintDialog::kAllRadio, CPrintDialog::kSelectionRadio, choice);
        for (const auto& [id, text] : edits) SetDlgItemText(q.dialog, id, text.c_str());
        return result;
    });
}

TEST_F(CommonDialogsTest, PrintDialogGivesBackTheRangeTheSelectionAndTheCopies) {
    int boxes = 0;
    answer_print(CPrintDialog::kPagesRadio,
                 {{CPrintDialog::kFromEdit, "2"}, {CPrintDialog::kToEdit, "3"}, {CPrintDialog::kCopiesEdit, "4"}}, IDOK,
                 &boxes);
    CPrintDialog range;
    range.m_pd.nMaxPage = 5;
    ASSERT_EQ(range.DoModal(), IDOK);
    EXPECT_TRUE(range.PrintRange());
    EXPECT_FALSE(range.PrintAll());
    EXPECT_EQ(range.GetFromPage(), 2);
    EXPECT_EQ(range.GetToPage(), 3);
    EXPECT_EQ(range.GetCopies(), 4);

    answer_print(CPrintDialog::kSelectionRadio, {}, IDOK, &boxes);
    CPrintDialog selection(PD_ALLPAGES);
    ASSERT_EQ(selection.DoModal(), IDOK);
    EXPECT_TRUE(selection.PrintSelection());

    // With nothing selected the choice cannot be the selection.
    answer_print(CPrintDialog::kSelectionRadio, {}, IDOK, &boxes);
    CPrintDialog nothing_selected(PD_PAGENUMS | PD_NOSELECTION);
    ASSERT_EQ(nothing_selected.DoModal(), IDOK);
    EXPECT_TRUE(nothing_selected.PrintAll());
    EXPECT_EQ(boxes, 0);
}

TEST_F(CommonDialogsTest, PrintDialogCancelledOrGivenABadRangeKeepsItsChoice) {
    struct Case {
        const char* what;
        std::string from, to, copies;
        LONG_PTR answer;
        int messages;
    };
    const Case cases[] = {
        {"cancelled", "2", "3", "2", IDCANCEL, 0},
        {"first after last", "3", "2", "1", IDOK, 1},
        {"below the first page", "0", "2", "1", IDOK, 1},
        {"beyond the last page", "1", "6", "1", IDOK, 1},
        {"no copies", "1", "2", "0", IDOK, 1},
        {"too many copies", "1", "2", "1000", IDOK, 1},
    };
    for (const Case& c : cases) {
        int boxes = 0;
        answer_print(
            CPrintDialog::kPagesRadio,
            {{CPrintDialog::kFromEdit, c.from}, {CPrintDialog::kToEdit, c.to}, {CPrintDialog::kCopiesEdit, c.copies}},
            c.answer, &boxes);
        CPrintDialog dialog;
        dialog.m_pd.nMaxPage = 5;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << c.what;
        EXPECT_TRUE(dialog.PrintAll()) << c.what;
        EXPECT_EQ(dialog.GetCopies(), 1) << c.what;
        EXPECT_EQ(boxes, c.messages) << c.what;
    }
}

}  // namespace
