#include "ide/shell/watchwin/watch_tree.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CWatchTreeView, CResultTree)

BEGIN_MESSAGE_MAP(CWatchTreeView, CResultTree)
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
bool is_blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }
}  // namespace

BOOL CWatchTreeView::CreateTree(CWnd* parent, int width) {
    if (!CreateEx(0x4000003F, 0x6C00000, CRect(0, 0, 0, 0), parent, kTreeId)) return FALSE;
    SetUpColumns(width);
    AddEmptyRow();
    return TRUE;
}

bool CWatchTreeView::IsExpression(HTREEITEM item) {
    return item && LiveNode(item) && !GetParentItem(item) && item != empty_row_;
}

HTREEITEM CWatchTreeView::LastRoot() {
    HTREEITEM last = nullptr;
    for (HTREEITEM item = GetRootItem(); item; item = GetNextSiblingItem(item)) last = item;
    return last;
}

void CWatchTreeView::AddEmptyRow() {
    empty_row_ =
        InsertResult(nullptr, LastRoot(), ide::DisplayItem{kEmptyRowName, "", std::nullopt, false}, nullptr, false);
}

HTREEITEM CWatchTreeView::AddWatch(const std::string& expression) {
    HTREEITEM item =
        InsertResult(nullptr, nullptr, ide::DisplayItem{expression, "", std::nullopt, false}, nullptr, true);
    return item ? EvaluateItem(item, true) : nullptr;
}

HTREEITEM CWatchTreeView::InsertCopy(const std::string& name, const std::string& value) {
    if (!empty_row_) AddEmptyRow();
    return InsertResult(nullptr, nullptr, ide::DisplayItem{name, value, std::nullopt, false}, nullptr, false);
}

HTREEITEM CWatchTreeView::EvaluateItem(HTREEITEM item, bool hex) {
    if (!item || !LiveNode(item) || GetParentItem(item)) return nullptr;
    const std::string expression = GetItemText(item, 0).str();
    HTREEITEM previous = GetPrevSiblingItem(item);
    const bool was_empty_row = item == empty_row_;
    DeleteItem(item);
    if (was_empty_row) empty_row_ = nullptr;
    HTREEITEM result = nullptr;
    // A name edited to nothing removes the expression; the empty row stays.
    if (!is_blank(expression)) {
        const StopScope scope = Scope();
        auto formular = MakeFormular(scope, scope.module, hex);
        ide::DisplayItem line = formular->Evaluate(expression);
        line.name = expression;
        result = InsertResult(nullptr, previous, line, formular, hex);
        SelectItem(result);
    }
    if (!empty_row_) AddEmptyRow();
    return result;
}

void CWatchTreeView::RefreshWatches() { EvaluateAll(true); }

void CWatchTreeView::EvaluateAll(bool at_stop) {
    struct Watch {
        std::string expression;
        bool hex;
    };
    const ResultSnapshot before = Snapshot();
    std::vector<Watch> watches;
    for (HTREEITEM item = GetRootItem(); item; item = GetNextSiblingItem(item))
        if (item != empty_row_) watches.push_back({GetItemText(item, 0).str(), IsHexLine(item)});
    DeleteAllItems();
    empty_row_ = nullptr;
    const StopScope scope = Scope();
    HTREEITEM after = nullptr;
    for (const Watch& watch : watches) {
        auto formular = MakeFormular(scope, scope.module, watch.hex);
        ide::DisplayItem line = formular->Evaluate(watch.expression);
        line.name = watch.expression;
        after = InsertResult(nullptr, after, line, formular, watch.hex);
        Restore(after, RootKey(after), before, at_stop ? Marks::at_stop : Marks::kept);
    }
    AddEmptyRow();
    if (before.selected == RootKey(empty_row_)) SelectItem(empty_row_);
    Invalidate();
}

void CWatchTreeView::Assign(HTREEITEM item, const std::string& value) {
    const StopScope scope = Scope();
    auto formular = MakeFormular(scope, scope.module, false);
    const ide::DisplayItem result = formular->Evaluate(GetItemText(item, 0).str() + "=" + value);
    if (formular->last_error() != 0) {
        SetItemText(item, 1, result.text.c_str());
        return;
    }
    // Other expressions may show what the assignment wrote.
    EvaluateAll(false);
}

void CWatchTreeView::DeleteSelected() {
    HTREEITEM item = GetSelectedItem();
    if (!IsExpression(item)) return;
    DeleteItem(item);
    if (!GetRootItem()) AddEmptyRow();
}

BOOL CWatchTreeView::OnCommand(WPARAM wParam, LPARAM lParam) {
    auto* item = reinterpret_cast<HTREEITEM>(lParam);
    switch (LOWORD(wParam)) {
        case kEvaluateCommand:
            if (item && LiveNode(item) && !GetParentItem(item)) EvaluateItem(item, false);
            return TRUE;
        case kAssignCommand:
            if (IsExpression(item)) Assign(item, assigned_value_);
            return TRUE;
        default: return CResultTree::OnCommand(wParam, lParam);
    }
}

LRESULT CWatchTreeView::NotifyBeginLabelEdit(int item, int sub_item) {
    HTREEITEM handle = HandleOf(NodeOfRow(item));
    // Names of top-level lines and values of expressions; child lines are read-only.
    const bool editable = sub_item == 0 ? handle && !GetParentItem(handle) : IsExpression(handle);
    if (!editable) return 1;
    label_before_edit_ = GetItemText(handle, sub_item).str();
    return CResultTree::NotifyBeginLabelEdit(item, sub_item);
}

LRESULT CWatchTreeView::NotifyEndLabelEdit(int item, int sub_item, CString& text, BOOL accept) {
    CResultTree::NotifyEndLabelEdit(item, sub_item, text, accept);
    if (!accept) return 0;
    HTREEITEM handle = HandleOf(NodeOfRow(item));
    if (text.str() != label_before_edit_) {
        // The line is evaluated again once the edit has ended: it is deleted and inserted anew.
        if (sub_item == 0) SetItemText(handle, 0, text);
        if (sub_item == 1) assigned_value_ = text.str();
        PostMessage(WM_COMMAND, sub_item == 0 ? kEvaluateCommand : kAssignCommand, reinterpret_cast<LPARAM>(handle));
    }
    return 1;
}

// The name column takes the width the value column leaves; in a window squeezed
// beside the other debug windows the value column gives up its width first, so
// that the names keep their share, and takes it back as the window widens.
void CWatchTreeView::OnSize(UINT type, int cx, int cy) {
    if (GetColumnCount() >= 2 && cx > 0) {
        // A width the user dragged the column to is the one kept from then on.
        if (GetColumnWidth(1) != value_width_shown_) value_width_ = GetColumnWidth(1);
        value_width_shown_ = std::min(value_width_, cx * 60 / 100);
        SetColumnWidth(1, value_width_shown_);
    }
    CResultTree::OnSize(type, cx, cy);
}

void CWatchTreeView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    HTREEITEM selected = GetSelectedItem();
    switch (key) {
        case VK_DELETE: DeleteSelected(); return;
        case VK_RETURN:
        case VK_F2:
            if (selected && !GetParentItem(selected)) EditLabel(selected);
            return;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: CResultTree::OnKeyDown(key, repeat, flags); return;
        default: return;  // the other moving keys would leave the line being watched
    }
}

void CWatchTreeView::OnChar(UINT character, UINT repeat, UINT flags) {
    HTREEITEM selected = GetSelectedItem();
    if (character < 0x20 || character == 0x7F || !selected || GetParentItem(selected)) return;
    // Typing on a line starts editing its name with that character.
    if (CEdit* edit = EditLabel(selected)) edit->SendMessage(WM_CHAR, character, MAKELPARAM(repeat, flags));
}

void CWatchTreeView::OnLButtonDblClk(UINT flags, CPoint point) {
    UINT hit = 0;
    int column = 0;
    HTREEITEM item = HandleOf(NodeOfRow(SECListBaseC::HitTest(point, &hit, &column)));
    SECTreeBaseC::OnLButtonDblClk(flags, point);
    if (item && !GetParentItem(item)) EditLabelColumn(item, column == 1 ? 1 : 0);
}

CEdit* CWatchTreeView::EditLabelColumn(HTREEITEM item, int column) {
    const int row = item && LiveNode(item) ? RowOf(item) : -1;
    return row >= 0 ? SECListBaseC::EditLabel(row, column) : nullptr;
}
