#pragma once
// CQWatchDlg: "Quick Watch": evaluates one C expression while the target is
// stopped, shows its value as an expandable tree in decimal or hexadecimal,
// and copies the result into the watch window.
#include <functional>
#include <memory>
#include <string>

#include "ide/shell/watchwin/result_tree.h"
#include "ide/shell/watchwin/stop_scope.h"
#include "platform/afx/afx.h"

class CWatchTreeView;

class CQWatchDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 263;
    static constexpr int kExpressionCombo = 1075;
    static constexpr int kValueTree = 1071;
    static constexpr int kRecalculateButton = 1073;
    static constexpr int kAddWatchButton = 1039;
    static constexpr int kCloseButton = 1042;
    static constexpr int kHexCheck = 1077;
    static constexpr int kMaxExpression = 200;

    // `watches` receives Add Watch; `show_watches` shows its bar.
    CQWatchDlg(StopScopeSource scope, CWatchTreeView* watches, std::function<void()> show_watches,
               CWnd* parent = nullptr);

    void SetExpression(const std::string& expression, const std::string& module);

    CResultTree& Tree() { return tree_; }
    // How many evaluations ran (Recalculate with an unchanged expression runs none).
    int evaluations() const { return evaluations_; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnRecalculate();
    afx_msg void OnHexadecimal();
    afx_msg void OnAddWatch();
    DECLARE_MESSAGE_MAP()

private:
    void ShowResult();
    void Release();

    StopScopeSource scope_;
    CWatchTreeView* watches_;
    std::function<void()> show_watches_;
    CString expression_;
    int hex_ = 0;
    std::string module_;
    std::string last_evaluated_;
    CResultTree tree_;
    std::shared_ptr<ide::CFormular> formular_;
    ide::DisplayItem result_;
    int evaluations_ = 0;
};
