#pragma once
// The "Directories" options page: the four folder lists the IDE reads from
// the profile (tools, include files, libraries, sources), one shown at a time
// in a folder-list editor.
#include <array>
#include <string>
#include <vector>

#include "ide/build/tool_programs.h"
#include "platform/afx/afx.h"
#include "uikit/controls/list_box_editor.h"

namespace profile {
class Store;
}

namespace ide {

// kDirectoriesSection (the build's) holds them.
inline constexpr std::array<const char*, 4> kDirectoryLists = {"Executable files", "Include files", "Library files",
                                                               "Source files"};

// Tells the main window that option pages wrote the profile, so that it reloads
// the folder lists and the editor settings.
void TellMainWindowOptionsChanged();

// The folder-list editor, which tells its parent each finished edit.
class CVyrListBoxDirEditor : public SECListBoxDirEditor {
public:
    static constexpr UINT kEditJustStopped = 12;
    static constexpr UINT kEditStopped = 13;
    void OnEditingStopped(int row, const CString& old_text, const CString& new_text) override;
    void OnEditingJustStopped(int row, const CString& text) override;

private:
    void Tell(UINT code);
};

class CVyrDirPage : public CPropertyPage {
public:
    explicit CVyrDirPage(profile::Store& profile);
    // The lists as edited so far (the one on show as of the last switch or apply).
    const std::vector<std::string>& List(std::size_t index) const { return lists_[index]; }
    CVyrListBoxDirEditor& editor() { return editor_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnListChosen();
    DECLARE_MESSAGE_MAP()

private:
    void StoreRows();
    profile::Store& profile_;
    std::array<std::vector<std::string>, 4> lists_;
    std::size_t shown_ = 1;  // "Include files"
    CVyrListBoxDirEditor editor_;
};

// The page alone in a sheet over `parent`; OK and Apply write the profile.
bool RunDirectoriesDialog(CWnd* parent, profile::Store& profile);

}  // namespace ide
