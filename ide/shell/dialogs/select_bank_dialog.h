#pragma once
// "File insert": the user picks the bank a new file goes into.
#include <string>
#include <vector>

#include "platform/afx/afx.h"

namespace ide {

class CVyrSelBankDlg : public CDialog {
public:
    CVyrSelBankDlg(const std::vector<std::string>& names, CWnd* parent);
    // The bank chosen on OK; empty when none was selected.
    const std::string& selected() const { return selected_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    const std::vector<std::string>& names_;
    std::string selected_;
};

}  // namespace ide
