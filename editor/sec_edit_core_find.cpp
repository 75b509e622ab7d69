// SECEditCore: Find Next, marking every match, and Replace All over the buffer's search.
#include "editor/find_history.h"
#include "editor/sec_edit_core.h"

namespace editor {

int SECEditCore::FindNext() {
    std::vector<std::string> history = LoadFindHistory(profile_, FindHistory::kFind);
    if (history.empty() || history.front().empty()) {
        window_.OpenDialog(kCmdFind);
        return 0;
    }
    FindSettings settings = LoadFindSettings(profile_);
    SearchRequest request;
    request.find_text = history.front();
    request.flags = (settings.regular_expressions ? SearchRequest::kRegularExpression : 0) |
                    (settings.match_case ? SearchRequest::kMatchCase : 0) |
                    (settings.forward ? SearchRequest::kForward : 0);
    bool forward = settings.forward;
    if (selecting_) {
        caret_ = forward ? selection_end_ : selection_start_;
        ClearSelection(redraw_);
        EnsureCaretVisible();
    }
    TextPosition from = CaretPosition();
    EditLine* last = edit_->GetLastLine();
    TextPosition text_end{last, static_cast<int>(edit_->TextOf(last).size())};
    TextPosition at = from;
    bool found = edit_->FindText(at, forward ? text_end : from, request);
    if (!found && settings.wrap_search) {
        // Round from the other end of the text, up to where the search began.
        at = forward ? TextPosition{edit_->GetFirstLine(), 0} : text_end;
        found = edit_->FindText(at, forward ? from : TextPosition{edit_->GetFirstLine(), 0}, request);
    }
    if (!found) return DoError(kNotFound, request.find_text, redraw_);
    SelectRange(at, request.match_length, redraw_);
    return 0;
}

int SECEditCore::MarkAllMatches(SearchRequest request) {
    request.flags |= SearchRequest::kForward;
    EditLine* last = edit_->GetLastLine();
    TextPosition text_end{last, static_cast<int>(edit_->TextOf(last).size())};
    int marked = 0;
    TextPosition at{edit_->GetFirstLine(), 0};
    while (at.line && edit_->FindText(at, text_end, request)) {
        if (!(at.line->flags & kLineBookmark)) {
            at.line->flags |= kLineBookmark;
            ++edit_->bookmark_count;
            ++marked;
        }
        // The rest of a marked line adds nothing: go on at the next line.
        at = {at.line->next, 0};
    }
    if (edit_->bookmark_count > 0) {
        caret_ = {};
        top_ = 1;
        StepBookmark(true);
    }
    window_.InvalidateAll();
    return marked;
}

int SECEditCore::ReplaceAll(SearchRequest request) {
    ClearSelection(false);
    int replaced = edit_->ReplaceAll(request);
    if (replaced > 0) TextEdited(redraw_, kHintLineDeleted);
    return replaced;
}

}  // namespace editor
