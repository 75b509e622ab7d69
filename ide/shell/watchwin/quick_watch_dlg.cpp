#include "ide/shell/watchwin/quick_watch_dlg.h"

#include "ide/debugger/value_display.h"
#include "ide/shell/watchwin/watch_tree.h"
#include "ide/shell/watchwin/watch_window.h"

BEGIN_MESSAGE_MAP(CQWatchDlg, CDialog)
ON_COMMAND(CQWatchDlg::kRecalculateButton, OnRecalculate)
ON_COMMAND(CQWatchDlg::kHexCheck, OnHexadecimal)
ON_COMMAND(CQWatchDlg::kAddWatchButton, OnAddWatch)
ON_COMMAND(CQWatchDlg::kCloseButton, OnCancelCommand)
END_MESSAGE_MAP()

CQWatchDlg::CQWatchDlg(StopScopeSource scope, CWatchTreeView* watches, std::function<void()> show_watches, CWnd* parent)
    : CDialog(kTemplate, parent), scope_(std::move(scope)), watches_(watches), show_watches_(std::move(show_watches)) {
    RegisterWatchWindowResources();
}

void CQWatchDlg::SetExpression(const std::string& expression, const std::string& module) {
    expression_ = expression.substr(0, kMaxExpression).c_str();
    module_ = module;
    last_evaluated_.clear();
}

BOOL CQWatchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (tree_.SubclassDlgItem(kValueTree, this)) {
        tree_.ModifyTreeStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, FALSE);
        CRect area;
        tree_.GetClientRect(&area);
        tree_.SetUpColumns(area.Width() - ::GetSystemMetrics(SM_CXVSCROLL));
    }
    UpdateData(FALSE);
    OnRecalculate();
    return TRUE;
}

void CQWatchDlg::DoDataExchange(CDataExchange* dx) {
    DDX_CBString(dx, kExpressionCombo, expression_);
    DDV_MaxChars(dx, expression_, kMaxExpression);
    DDX_Check(dx, kHexCheck, hex_);
}

void CQWatchDlg::OnRecalculate() {
    if (!UpdateData(TRUE)) return;
    const std::string expression = expression_.str();
    if (expression == last_evaluated_) return;
    tree_.DeleteAllItems();
    last_evaluated_ = expression;
    if (expression.empty()) {
        formular_.reset();
        return;
    }
    const StopScope scope = scope_ ? scope_() : StopScope{};
    formular_ = MakeFormular(scope, module_.empty() ? scope.module : module_, hex_ != 0);
    result_ = formular_->Evaluate(expression);
    result_.name = expression;
    ++evaluations_;
    ShowResult();
    // The expression goes to the top of the list of those evaluated before, once.
    HWND combo = ::GetDlgItem(m_hWnd, kExpressionCombo);
    const LRESULT found = ::SendMessage(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(expression.c_str()));
    if (found != CB_ERR) ::SendMessage(combo, CB_DELETESTRING, WPARAM(found), 0);
    ::SendMessage(combo, CB_INSERTSTRING, 0, LPARAM(expression.c_str()));
    ::SetWindowText(combo, expression.c_str());
}

void CQWatchDlg::ShowResult() {
    const ResultSnapshot before = tree_.Snapshot();
    tree_.DeleteAllItems();
    formular_->SetHexMode(hex_ != 0);
    // The kept value is described again in the radix; the expression is not evaluated again.
    if (result_.value) result_ = ide::describe_value(*formular_, *result_.value, result_.name);
    HTREEITEM root = tree_.InsertResult(nullptr, nullptr, result_, formular_, hex_ != 0);
    if (root) tree_.Restore(root, tree_.RootKey(root), before, CResultTree::Marks::none);
}

void CQWatchDlg::OnHexadecimal() {
    if (!UpdateData(TRUE) || !formular_) return;
    ShowResult();
}

void CQWatchDlg::OnAddWatch() {
    HTREEITEM root = tree_.GetRootItem();
    if (root && watches_) watches_->InsertCopy(tree_.GetItemText(root, 0).str(), tree_.GetItemText(root, 1).str());
    if (show_watches_) show_watches_();
    Release();
    EndDialog(IDOK);
}

void CQWatchDlg::OnOK() { OnRecalculate(); }

void CQWatchDlg::OnCancel() {
    Release();
    CDialog::OnCancel();
}

void CQWatchDlg::Release() {
    tree_.DropFormulars();
    formular_.reset();
}
