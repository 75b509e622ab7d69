#include "ide/shell/source_doc.h"

#include <strings.h>

#include "editor/edit_line.h"
#include "editor/result_codes.h"
#include "ide/shell/editor_settings.h"
#include "ide/shell/frame_app.h"
#include "platform/afx/app.h"
#include "platform/afx/view.h"

namespace shell {

IMPLEMENT_DYNCREATE(CVyrFrameDoc, CDocument)

CVyrFrameDoc::CVyrFrameDoc() : profile_(AfxGetApp()->GetProfileStore()), buffer_(profile_) {}

void CVyrFrameDoc::ApplyEditorSettings(const std::string& path) {
    buffer_.SetSettingsSection(SettingsSectionFor(path));
    buffer_.LoadSettings();
}

BOOL CVyrFrameDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return FALSE;
    ApplyEditorSettings(GetPathName().str());
    return TRUE;
}

BOOL CVyrFrameDoc::OnOpenDocument(const char* path) {
    if (!CDocument::OnOpenDocument(path)) return FALSE;
    ApplyEditorSettings(path);
    if (buffer_.ReadFile(path) != 0) return FALSE;
    RecordFileTime(path);
    SetModifiedFlag(FALSE);
    if (ide::CVyrWorkspaceManager* workspace = CorvelApp()->workspace())
        MarkBreakpointLines(workspace->GetBreakPoints(), path);
    return TRUE;
}

BOOL CVyrFrameDoc::OnSaveDocument(const char* path) {
    // Every save path comes here, so each failed save is told once.
    if (const int code = buffer_.WriteFile(path); code != 0) {
        ReportFileFailure(path, editor::FailureReason(code).c_str(), TRUE);
        return FALSE;
    }
    RecordFileTime(path);
    return TRUE;
}

void CVyrFrameDoc::OnCloseDocument() {
    file_time_.reset();
    CDocument::OnCloseDocument();
}

BOOL CVyrFrameDoc::SaveModified() {
    SetModifiedFlag(buffer_.GetModified() != 0);
    return CDocument::SaveModified();
}

void CVyrFrameDoc::RecordFileTime(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        file_time_.reset();
    else
        file_time_ = time;
}

bool CVyrFrameDoc::FileChangedOnDisk() const {
    if (!file_time_) return false;
    std::error_code error;
    const auto time = std::filesystem::last_write_time(GetPathName().str(), error);
    return !error && *file_time_ < time;
}

bool CVyrFrameDoc::Reload() {
    const std::string path = GetPathName().str();
    buffer_.FreeAll();
    buffer_.Init();
    ApplyEditorSettings(path);
    const bool read = buffer_.ReadFile(path) == 0;
    RecordFileTime(path);
    UpdateAllViews(nullptr);
    return read;
}

void CVyrFrameDoc::MarkOnlyLine(int line, std::uint32_t flags) {
    int number = 1;
    for (editor::EditLine* each = buffer_.GetFirstLine(); each; each = each->next, ++number)
        each->flags = number == line ? each->flags | flags : each->flags & ~flags;
    if (flags & editor::kLineBreakpoint) CountBreakpointLines();
    UpdateAllViews(nullptr);
}

// Remove All BreakPoints is enabled by the buffer's count, which marks set here must keep.
void CVyrFrameDoc::CountBreakpointLines() {
    int count = 0;
    for (editor::EditLine* each = buffer_.GetFirstLine(); each; each = each->next)
        if (each->flags & editor::kLineBreakpoint) ++count;
    buffer_.breakpoint_count = count;
}

void CVyrFrameDoc::MarkBreakpointLines(const ide::CVyrBreakPointMgr& breakpoints, const std::string& path) {
    std::vector<bool> marked;
    for (int i = 0; i < breakpoints.GetCount(); ++i) {
        const formats::BreakPointRecord* record = breakpoints.GetBreakPoint(i);
        if (!record || ::strcasecmp(record->source_path, path.c_str()) != 0) continue;
        if (marked.size() <= record->line) marked.resize(std::size_t(record->line) + 1);
        marked[record->line] = true;
    }
    std::size_t number = 1;
    for (editor::EditLine* each = buffer_.GetFirstLine(); each; each = each->next, ++number) {
        const bool breakpoint = number < marked.size() && marked[number];
        each->flags = breakpoint ? each->flags | editor::kLineBreakpoint : each->flags & ~editor::kLineBreakpoint;
    }
    CountBreakpointLines();
    UpdateAllViews(nullptr);
}

}  // namespace shell
