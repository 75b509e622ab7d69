#pragma once
// The most-recently-used file list: newest first, no duplicates (names
// compared without case), stored in the profile as "File1".."FileN" under
// "Recent File List".
#include "platform/afx/byte_string.h"
#include "platform/afx/collections.h"

class CCmdUI;

class CRecentFileList {
public:
    CRecentFileList(UINT first_command, const char* section, const char* entry_format, int size);

    int GetSize() const { return size_; }
    int GetCount() const { return names_.GetSize(); }
    const CString& operator[](int index) const { return names_[index]; }
    void Add(const char* path);
    void Remove(int index);
    void ReadList();  // from the application's profile
    void WriteList();
    // Rewrites the menu item of the first command and those after it with the list.
    void UpdateMenu(CCmdUI* cmd_ui);

private:
    UINT first_command_;
    CString section_;
    CString entry_format_;
    int size_;
    CStringArray names_;
};
