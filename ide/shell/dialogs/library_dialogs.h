#pragma once
// The library dialogs of a project: "Porperty" shows (and for an inserted
// library edits) the path of one library entry; "Select Standard Libraries"
// offers the default libraries of the profile for adding to the project.
#include <cstdint>
#include <string>
#include <vector>

#include "ide/workspace/workspace_manager.h"
#include "platform/afx/afx.h"

namespace ide {

class CVyrLibPropertyDlg : public CDialog {
public:
    // `item_data` is the library item's data word: bit 0 marks a default library.
    CVyrLibPropertyDlg(LibraryRecord& record, std::uint32_t item_data, CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPathChange();
    DECLARE_MESSAGE_MAP()

private:
    bool IsDefaultLibrary() const { return (item_data_ & 1) != 0; }

    LibraryRecord& record_;
    std::uint32_t item_data_;
};

class CVyrStdLibInsertDlg : public CDialog {
public:
    // `offered` are the default libraries, in the order the list shows them.
    CVyrStdLibInsertDlg(std::vector<std::string> offered, CWnd* parent);
    // The entries selected on OK, in list order.
    const std::vector<std::string>& chosen() const { return chosen_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::vector<std::string> offered_;
    std::vector<std::string> chosen_;
};

}  // namespace ide
