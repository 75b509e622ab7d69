// The file and colour dialogs answered by a test's script, as the IDE's tests answer them.
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"
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

TEST_F(CommonDialogsTest, ColorDialogBoundsEachPart) {
    answer_with({{CColorDialog::kRedEdit, "10"}, {CColorDialog::kGreenEdit, "300"}, {CColorDialog::kBlueEdit, "x"}}, IDOK,
                nullptr);
    CColorDialog dialog(RGB(1, 2, 3));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 255, 3));

    answer_with({{CColorDialog::kRedEdit, "99"}}, IDCANCEL, nullptr);
    CColorDialog cancelled(RGB(4, 5, 6));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(4, 5, 6));
}

}  // namespace
