#pragma once
// A source file open in Corvel: the editor's buffer, with the settings of its file
// type, loaded and saved through the framework, and the time it was last read or
// written so that a change on disk is noticed.
#include <filesystem>
#include <optional>

#include "editor/profile_access.h"
#include "ide/debugger/breakpoint_list.h"
#include "editor/sec_edit.h"
#include "platform/afx/document.h"

namespace shell {

class CVyrFrameDoc : public CDocument {
    DECLARE_DYNCREATE(CVyrFrameDoc)
public:
    CVyrFrameDoc();
    editor::SECEdit& buffer() { return buffer_; }

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const char* path) override;
    BOOL OnSaveDocument(const char* path) override;
    void OnCloseDocument() override;
    BOOL IsModified() override { return buffer_.GetModified() != 0; }
    BOOL SaveModified() override;

    // The section of the path's file type, set on the buffer and loaded.
    void ApplyEditorSettings(const std::string& path);
    // True when the file was written since this document last read or wrote it.
    bool FileChangedOnDisk() const;
    // The file as it is on disk is taken as read: no change is reported until it is written again.
    void AcceptDiskVersion() { RecordFileTime(GetPathName().str()); }
    // Reads the file again into every view; false when it cannot be read.
    bool Reload();
    // Sets `flags` on the line (1-based) and clears them on every other line; line 0
    // clears them everywhere.
    void MarkOnlyLine(int line, std::uint32_t flags);
    // The breakpoint mark on exactly the lines that have a breakpoint in the file at
    // `path` (compared without case): this document's file, named while it opens.
    void MarkBreakpointLines(const ide::CVyrBreakPointMgr& breakpoints, const std::string& path);

private:
    void RecordFileTime(const std::string& path);
    void CountBreakpointLines();
    editor::StoreProfile profile_;
    editor::SECEdit buffer_;
    std::optional<std::filesystem::file_time_type> file_time_;
};

}  // namespace shell
