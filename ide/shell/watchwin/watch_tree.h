#pragma once
// CWatchTreeView: the watch window's tree of C expressions. Each top-level
// line is an expression the user keeps ("Name") with its value ("Value");
// the last one is always the empty row, typed into to add an expression.
// Every stop of the target re-evaluates them all, keeps what was expanded
// expanded and draws values that changed since the previous stop in red.
// Names are edited in place (double click, Enter, or typing on the line);
// so are the values of expressions, which are assigned to the target.
#include <string>

#include "ide/shell/watchwin/result_tree.h"
#include "ide/shell/watchwin/stop_scope.h"

class CWatchTreeView : public CResultTree {
    DECLARE_DYNAMIC(CWatchTreeView)
public:
    static constexpr UINT kTreeId = 61446;
    static constexpr UINT kEvaluateCommand = 1025;  // posted with the line after its name was edited
    static constexpr UINT kAssignCommand = 1026;    // posted with the line after its value was edited
    static constexpr const char* kEmptyRowName = "    ";

    void SetScopeSource(StopScopeSource source) { scope_ = std::move(source); }

    // Creates the tree in `parent` with its columns and the empty row.
    BOOL CreateTree(CWnd* parent, int width);
    HTREEITEM EmptyRow() const { return empty_row_; }
    bool IsExpression(HTREEITEM item);

    // Adds `expression` as the first line and evaluates it in hexadecimal.
    HTREEITEM AddWatch(const std::string& expression);
    // Adds a line with these texts as the first line, without children.
    HTREEITEM InsertCopy(const std::string& name, const std::string& value);
    // Evaluates every expression again after a stop, marking what changed.
    void RefreshWatches();
    // Evaluates one line again in place; `hex` picks the radix.
    HTREEITEM EvaluateItem(HTREEITEM item, bool hex);
    // Starts editing a line's name (column 0) or an expression's value (column 1).
    CEdit* EditLabelColumn(HTREEITEM item, int column);
    // Deletes a selected expression line (not the empty row, not a child line).
    void DeleteSelected();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT NotifyBeginLabelEdit(int item, int sub_item) override;
    LRESULT NotifyEndLabelEdit(int item, int sub_item, CString& text, BOOL accept) override;
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT character, UINT repeat, UINT flags);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void AddEmptyRow();
    HTREEITEM LastRoot();
    // Re-evaluates every expression; with `at_stop`, marks what changed.
    void EvaluateAll(bool at_stop);
    void Assign(HTREEITEM item, const std::string& value);
    StopScope Scope() const { return scope_ ? scope_() : StopScope{}; }

    StopScopeSource scope_;
    HTREEITEM empty_row_ = nullptr;
    std::string label_before_edit_;
    std::string assigned_value_;
    int value_width_ = 0;         // the value column's width as set up or dragged
    int value_width_shown_ = -1;  // as narrowed to the window
};
