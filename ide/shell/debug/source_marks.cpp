#include "ide/shell/debug/source_marks.h"

#include <algorithm>
#include <cstring>

#include "editor/edit_line.h"
#include "ide/debugger/debug_manager.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/source_doc.h"
#include "platform/afx/doc_template.h"
#include "platform/os/text.h"

namespace shell {

namespace {

std::string PathOf(CVyrFrameDoc& doc) { return doc.GetPathName().str(); }

std::vector<std::uint32_t> ManagerLines(const ide::CVyrDebugMgr& manager, const std::string& path) {
    std::vector<std::uint32_t> lines;
    for (int i = 0; i < manager.GetBreakPointCount(); ++i) {
        const formats::BreakPointRecord* record = manager.GetBreakPoint(i);
        const std::string_view record_path(record->source_path,
                                           strnlen(record->source_path, sizeof record->source_path));
        if (os::equals_ignore_case(record_path, path)) lines.push_back(record->line);
    }
    return lines;
}

bool Contains(const std::vector<std::uint32_t>& lines, std::uint32_t line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

std::vector<CVyrFrameDoc*> OpenSourceDocuments() {
    std::vector<CVyrFrameDoc*> documents;
    CDocTemplate* source_template = CorvelApp()->source_template();
    if (!source_template) return documents;
    for (POSITION position = source_template->GetFirstDocPosition(); position;)
        if (auto* doc = dynamic_cast<CVyrFrameDoc*>(source_template->GetNextDoc(position))) documents.push_back(doc);
    return documents;
}

std::vector<std::uint32_t> MarkedBreakpointLines(CVyrFrameDoc& doc) {
    std::vector<std::uint32_t> lines;
    std::uint32_t number = 1;
    for (editor::EditLine* line = doc.buffer().GetFirstLine(); line; line = line->next, ++number)
        if (line->flags & editor::kLineBreakpoint) lines.push_back(number);
    return lines;
}

void SetFileBreakPoints(ide::CVyrDebugMgr& manager, const std::string& path, const std::vector<std::uint32_t>& lines) {
    for (const std::uint32_t line : ManagerLines(manager, path))
        if (!Contains(lines, line)) manager.RemoveBreakPoint(line, path);
    const std::vector<std::uint32_t> known = ManagerLines(manager, path);
    for (const std::uint32_t line : lines)
        if (!Contains(known, line)) manager.AddBreakPoint(line, path);
}

void CollectOpenDocumentBreakpoints(ide::CVyrDebugMgr& manager) {
    for (CVyrFrameDoc* doc : OpenSourceDocuments())
        SetFileBreakPoints(manager, PathOf(*doc), MarkedBreakpointLines(*doc));
}

void MarkBreakpointLines(const ide::CVyrDebugMgr& manager) {
    for (CVyrFrameDoc* doc : OpenSourceDocuments()) {
        const std::vector<std::uint32_t> lines = ManagerLines(manager, PathOf(*doc));
        bool changed = false;
        int marked = 0;
        std::uint32_t number = 1;
        for (editor::EditLine* line = doc->buffer().GetFirstLine(); line; line = line->next, ++number) {
            const bool mark = Contains(lines, number);
            const std::uint32_t flags =
                mark ? line->flags | editor::kLineBreakpoint : line->flags & ~editor::kLineBreakpoint;
            changed |= flags != line->flags;
            line->flags = flags;
            marked += mark ? 1 : 0;
        }
        // The editor counts its marks for Remove All BreakPoints' enabling.
        doc->buffer().breakpoint_count = marked;
        if (changed) doc->UpdateAllViews(nullptr);
    }
}

}  // namespace shell
