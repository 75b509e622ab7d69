// Printing the editor view to PNG pages through the printer: header and footer from
// the page setup, a line longer than a page cut over the next pages, and a cancelled
// print that leaves no page behind.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "editor/page_template.h"
#include "editor/window/tests/edit_window_fixture.h"
#include "testing/temp_dir.h"

namespace editor::testing {
namespace {

int PngCount(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".png") ++count;
    return count;
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A view that cancels its print once a given page is out.
class CancellingView : public SECEditView {
public:
    UINT cancel_after = 0;
    void OnPrint(CDC* dc, CPrintInfo* info) override {
        SECEditView::OnPrint(dc, info);
        if (info->m_nCurPage == cancel_after) CancelPrinting();
    }
};

class EditPrintTest : public EditWindowTest {
protected:
    void SetUp() override {
        EditWindowTest::SetUp();
        PageSetup setup;
        setup.header = "Listing&f";
        setup.footer = "Page &p";
        SavePageSetup(profile, setup);
    }
    testing_kit::TempDir folder;
};

TEST_F(EditPrintTest, PagesCarryTheHeaderAndFooterAndTheText) {
    std::string text;
    for (int i = 1; i <= 80; ++i) text += "\tline " + std::to_string(i) + " of the listing\r\n";
    edit->LoadText(text);
    SECEditView* view = MakeView(*edit);
    CPrintInfo info;
    const int pages = view->PrintToPages(folder.path().string().c_str(), &info);
    EXPECT_EQ(pages, static_cast<int>(info.GetMaxPage()));
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(PngCount(folder.path()), pages);
    EXPECT_TRUE(
        testing_kit::matches_golden("editor/window/tests/golden/print_page2.png", ReadBytes(folder / "page-2.png")));
}

// Printing through the print dialog, which the script answers with a choice.
class DialogPrintTest : public EditPrintTest {
protected:
    void SetUp() override {
        EditPrintTest::SetUp();
        std::string text;
        for (int i = 1; i <= 80; ++i) text += "\tline " + std::to_string(i) + " of the listing\r\n";
        edit->LoadText(text);
        view = MakeView(*edit);
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        EditPrintTest::TearDown();
    }
    // Answers the print dialog with `choice` (and the page range for the pages
    // choice), noting whether it offered the selection; prints what it chose.
    int PrintChoosing(UINT choice, const char* from = "", const char* to = "") {
        kit::user::set_dialog_script([=, this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.message_box) return IDOK;
            offered_selection = IsWindowEnabled(GetDlgItem(q.dialog, CPrintDialog::kSelectionRadio));
            started_on_selection = IsDlgButtonChecked(q.dialog, CPrintDialog::kSelectionRadio) == BST_CHECKED;
            CheckRadioButton(q.dialog, CPrintDialog::kAllRadio, CPrintDialog::kSelectionRadio, choice);
            SetDlgItemText(q.dialog, CPrintDialog::kFromEdit, from);
            SetDlgItemText(q.dialog, CPrintDialog::kToEdit, to);
            return IDOK;
        });
        CPrintInfo info;
        if (!view->OnPreparePrinting(&info)) return -1;
        return view->PrintToPages(folder.path().string().c_str(), &info);
    }

    SECEditView* view = nullptr;
    bool offered_selection = false;
    bool started_on_selection = false;
};

TEST_F(DialogPrintTest, ThePageRangeChosenIsWhatPrints) {
    EXPECT_EQ(PrintChoosing(CPrintDialog::kPagesRadio, "2", "2"), 1);
    EXPECT_FALSE(offered_selection);
    // The one page printed is the second page of the whole listing.
    EXPECT_TRUE(
        testing_kit::matches_golden("editor/window/tests/golden/print_page2.png", ReadBytes(folder / "page-1.png")));
}

TEST_F(DialogPrintTest, TheSelectionIsOfferedAndPrintsItsLinesWhole) {
    view->GoToLineColumn(10, 3);
    view->BeginSelection(kStreamSelection);
    view->GoToLineColumn(21, 0);  // ends at a line's start: line 21 is not printed
    view->UpdateSelection();
    ASSERT_TRUE(view->has_selection());
    EXPECT_EQ(PrintChoosing(CPrintDialog::kSelectionRadio), 1);
    EXPECT_TRUE(offered_selection);
    EXPECT_TRUE(started_on_selection);
    EXPECT_TRUE(testing_kit::matches_golden("editor/window/tests/golden/print_selection.png",
                                            ReadBytes(folder / "page-1.png")));
    // The next print without the dialog prints everything again.
    CPrintInfo info;
    EXPECT_EQ(view->PrintToPages(folder.path().string().c_str(), &info), 2);
}

TEST_F(EditPrintTest, ALineLongerThanAPageGoesOnOverTheNextPages) {
    edit->LoadText(std::string(30000, 'x') + "\r\nend\r\n");
    // The view tells that the long line was split; the box is answered.
    display.then([&] { display.press(VK_RETURN); });
    SECEditView* view = MakeView(*edit);
    EXPECT_EQ(display.steps_left(), 0u);
    CPrintInfo info;
    const int pages = view->PrintToPages(folder.path().string().c_str(), &info);
    EXPECT_GT(pages, 1);
    EXPECT_LT(pages, 20);
    EXPECT_EQ(PngCount(folder.path()), pages);
}

TEST_F(EditPrintTest, ACancelledPrintLeavesNoPages) {
    std::string text;
    for (int i = 1; i <= 300; ++i) text += "line " + std::to_string(i) + "\r\n";
    edit->LoadText(text);
    auto* view = new CancellingView;
    view->Attach(edit.get());
    ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 200), &parent, 1));
    view->OnInitialUpdate();
    view->cancel_after = 2;
    CPrintInfo info;
    EXPECT_EQ(view->PrintToPages(folder.path().string().c_str(), &info), 0);
    EXPECT_EQ(PngCount(folder.path()), 0);
}

}  // namespace
}  // namespace editor::testing
