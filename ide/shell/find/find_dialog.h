#pragma once
// CVYRFindInFileDlg: the modal "Find In Files" dialog. It shows the string,
// file-type and folder histories and the four options from the profile,
// switches the output bar's tab as "Output to pane 2" changes, and on Find
// checks that nothing is left empty, saves the settings and closes with the
// request to run.
#include <string>

#include "ide/shell/find/find_in_files.h"
#include "ide/shell/find/find_settings.h"
#include "platform/afx/afx.h"
#include "platform/res/resources.h"

class COutputBar;

namespace profile {
class Store;
}

const kit::res::Module& find_dialog_resources();

namespace ide {

namespace find_ids {
enum : UINT {
    kDialog = 251,
    kNullStringMessage = 135,
    kFindWhat = 1004,
    kFileTypes = 1006,
    kFolder = 1007,
    kBrowse = 1015,
    kMatchCase = 1014,
    kSubfolders = 1012,
    kOutputTo2 = 1067,
    kWholeWord = 1009,
};
}  // namespace find_ids

class CVYRFindInFileDlg : public CDialog {
public:
    // `output` may be null: then no tab is switched. `project_folder` may be empty.
    CVYRFindInFileDlg(profile::Store& profile, std::string project_folder, COutputBar* output, CWnd* parent);

    // After Find: what to search, and whether the results go to the second pane.
    const FindRequest& request() const { return request_; }
    bool output_to_2() const { return output_to_2_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnOutputTo2();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    void ShowPane(bool second);
    void Fill(UINT combo, const std::vector<std::string>& items);
    std::string Text(UINT id) const;
    std::vector<std::string> Items(UINT combo) const;
    bool Checked(UINT id) const;

    profile::Store& profile_;
    std::string project_folder_;
    COutputBar* output_;
    FindRequest request_;
    bool output_to_2_ = false;
};

}  // namespace ide
