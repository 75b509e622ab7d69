// SECEditCore: Find Next, marking every match, and Replace All over the buffer's search.
#include "editor/find_history.h"
#include "editor/sec_edit_core.h"

namespace editor {

namespace {

SearchRequest RequestFor(const std::string& find_text, const FindSettings& settings) {
    SearchRequest request;
    request.find_text = find_text;
    request.flags = (settings.regular_expressions ? SearchRequest::kRegularExpression : 0) |
                    (settings.match_case ? SearchRequest::kMatchCase : 0) |
                    (settings.forward ? SearchRequest::kForward : 0);
    return request;
}

}  // namespace

int SECEditCore::FindNext() {
    std::vector<std::string> history = LoadFindHistory(profile(), FindHistory::kFind);
    if (history.empty() || history.front().empty()) {
        window_.OpenDialog(kCmdFind);
        return 0;
    }
    FindSettings settings = LoadFindSettings(profile());
    SearchRequest request = RequestFor(history.front(), settings);
    if (!SearchAndSelect(request, settings.wrap_search)) return DoError(kNotFound, request.find_text, redraw_);
    return 0;
}

bool SECEditCore::SearchAndSelect(SearchRequest& request, bool wrap) {
    bool forward = (request.flags & SearchRequest::kForward) != 0;
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
    if (!found && wrap) {
        // Round from the other end of the text, up to where the search began.
        at = forward ? TextPosition{edit_->GetFirstLine(), 0} : text_end;
        found = edit_->FindText(at, forward ? from : TextPosition{edit_->GetFirstLine(), 0}, request);
    }
    if (found) SelectRange(at, request.match_length, redraw_);
    return found;
}

SECEditCore::FindReply SECEditCore::OnFindReplace(const FindDialogRequest& dialog) {
    if (dialog.action == FindDialogRequest::kClose) {
        search_pass_ = false;
        match_text_.clear();
        return FindReply::kDone;
    }
    SaveFindSettings(profile(), dialog.settings);
    SaveFindHistory(profile(), FindHistory::kFind, dialog.find_text);
    if (dialog.replace_dialog) SaveFindHistory(profile(), FindHistory::kReplace, dialog.replace_text);
    SearchRequest request = RequestFor(dialog.find_text, dialog.settings);
    request.replace_text = dialog.replace_text;
    switch (dialog.action) {
        case FindDialogRequest::kMarkAll:
            MarkAllMatches(request);
            search_pass_ = false;
            return FindReply::kDone;
        case FindDialogRequest::kReplaceAll:
            if (ReplaceAll(request) > 0) {
                search_pass_ = false;
                return FindReply::kDone;
            }
            DoError(kNotFound, dialog.find_text, redraw_);
            return FindReply::kNotFound;
        case FindDialogRequest::kReplace:
            if (selecting_ && !match_text_.empty() && GetSelectionText() == match_text_) {
                std::string replacement =
                    (request.flags & SearchRequest::kRegularExpression) ? match_replacement_ : dialog.replace_text;
                if (int code = InsertString(replacement, redraw_, true)) {
                    DoError(code, redraw_);
                    return FindReply::kNotFound;
                }
                // Searching backwards goes on before the replacement, not inside it.
                if (!dialog.settings.forward) {
                    TextPosition at = CaretPosition();
                    at.index -= static_cast<int>(replacement.size());
                    SetCaretFromPosition(at);
                }
            }
            break;
        default: break;
    }
    return FindFromDialog(request, dialog.settings.wrap_search);
}

SECEditCore::FindReply SECEditCore::FindFromDialog(SearchRequest& request, bool wrap) {
    bool found = SearchAndSelect(request, wrap);
    if (found && search_pass_ && selection_start_ == pass_start_) found = false;  // round to the pass's start
    if (!found) {
        match_text_.clear();
        bool finished = search_pass_;
        search_pass_ = false;
        DoError(finished ? kFinishedSearching : kNotFound, request.find_text, redraw_);
        return finished ? FindReply::kFinished : FindReply::kNotFound;
    }
    if (!search_pass_) pass_start_ = selection_start_;
    search_pass_ = true;
    match_text_ = GetSelectionText();
    match_replacement_ =
        (request.flags & SearchRequest::kRegularExpression) ? request.replacement : request.replace_text;
    return FindReply::kFound;
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
