// Fuzz target: two views of one buffer take turns at random clicks, selections (stream
// and column), typing, Enter, Tab, Delete, Backspace, drags within a view and drops
// from the other view. After every step the text must equal a plain model (lines of
// bytes edited by the rules the user sees) and every caret and selection of both views
// must lie on the text; at the end undo gives back the loaded text and redo the edited.
//
// Input: a length byte and that many bytes choosing the text's characters, then the
// steps, each an operation byte followed by its arguments.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "testing/fuzz_byte_source.h"
#include "editor/profile_access.h"
#include "editor/sec_edit_core.h"

namespace {

using editor::CaretPlace;
using editor::SECEditCore;
using testing_kit::ByteSource;

constexpr int kTab = 4;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlockTag = "*SECEdit Column Block*";
constexpr int kCharWidth = 8, kLineHeight = 16, kColumns = 40, kRows = 10;
constexpr int kGutter = kLineHeight;
// Copies can double the text: beyond this size they are skipped, so a run stays short.
constexpr size_t kLargestText = 4000;
constexpr int kMostSteps = 400;

[[noreturn]] void Fail() { std::abort(); }

// A window that keeps the clipboard and nothing else.
class QuietWindow : public editor::EditCoreWindow {
public:
    void InvalidateAll() override {}
    void InvalidateRows(int, int) override {}
    void ScrollRows(int) override {}
    void PlaceCaret(int, int) override {}
    void SetScrollRange(editor::ScrollBar, int, int, int) override {}
    void SetScrollPosition(editor::ScrollBar, int) override {}
    void ShowMessage(int, const std::string&) override {}
    bool GetClipboardText(std::string& text) override {
        text = clipboard_;
        return !clipboard_.empty();
    }
    bool SetClipboardText(const std::string& text) override {
        clipboard_ = text;
        return true;
    }
    void NotifyOtherViews(editor::ViewHint) override {}
    void OpenDialog(int) override {}
    bool IsPrimaryButtonDown() override { return false; }

private:
    std::string clipboard_;
};

// The text as the user sees it: lines of bytes, tabs reaching the next stop of 4.
struct Model {
    std::vector<std::string> lines{std::string{}};
    bool ends = false;  // the last line has a line end

    std::string Text() const {
        std::string text;
        for (size_t i = 0; i < lines.size(); ++i) {
            text += lines[i];
            if (i + 1 < lines.size() || ends) text += kLineEnd;
        }
        return text;
    }
    std::string& At(int line) { return lines[static_cast<size_t>(line - 1)]; }
    int Count() const { return static_cast<int>(lines.size()); }

    static int Column(std::string_view text, int index) {
        int column = 0;
        for (int i = 0; i < index; ++i)
            column +=
                i < static_cast<int>(text.size()) && text[static_cast<size_t>(i)] == '\t' ? kTab - column % kTab : 1;
        return column;
    }
    // The bytes whose end column is not past `column`; past the text, one byte a column.
    static int Index(std::string_view text, int column) {
        int reached = 0;
        for (int i = 0; i < static_cast<int>(text.size()); ++i) {
            int width = text[static_cast<size_t>(i)] == '\t' ? kTab - reached % kTab : 1;
            if (reached + width > column) return i;
            reached += width;
        }
        return static_cast<int>(text.size()) + std::max(0, column - reached);
    }
    static int Width(std::string_view text) { return Column(text, static_cast<int>(text.size())); }
    // A column on a character's first column, or past the text.
    static bool OnCharacter(std::string_view text, int column) {
        int index = Index(text, column);
        return index >= static_cast<int>(text.size()) || Column(text, index) == column;
    }

    // Fills the line up to a display column (tabs, then spaces); the column's index.
    int Pad(int line, int column) {
        std::string& text = At(line);
        int width = Width(text);
        if (column <= width) return Index(text, column);
        text.append(static_cast<size_t>((column - width) / kTab), '\t');
        text.append(static_cast<size_t>(std::max(0, column - Width(text))), ' ');
        return static_cast<int>(text.size());
    }
    void Insert(int line, int index, std::string_view text) {
        std::string tail = At(line).substr(static_cast<size_t>(index));
        At(line).resize(static_cast<size_t>(index));
        std::vector<std::string> pieces;
        size_t from = 0;
        for (size_t end; (end = text.find(kLineEnd, from)) != std::string_view::npos; from = end + kLineEnd.size())
            pieces.emplace_back(text.substr(from, end - from));
        pieces.emplace_back(text.substr(from));
        pieces.back() += tail;
        At(line) += pieces[0];
        lines.insert(lines.begin() + line, pieces.begin() + 1, pieces.end());
    }
    void Join(int line) {
        At(line) += At(line + 1);
        lines.erase(lines.begin() + line);
    }
    // Text positions of two places, in text order, indexes clipped to their lines.
    void Positions(CaretPlace a, CaretPlace b, int& line_a, int& index_a, int& line_b, int& index_b) {
        auto clipped = [&](CaretPlace p) {
            return std::min(Index(At(p.line), p.column), static_cast<int>(At(p.line).size()));
        };
        line_a = a.line, index_a = clipped(a), line_b = b.line, index_b = clipped(b);
        if (line_b < line_a || (line_a == line_b && index_b < index_a)) {
            std::swap(line_a, line_b);
            std::swap(index_a, index_b);
        }
    }
    std::string StreamText(CaretPlace a, CaretPlace b) {
        int la, ia, lb, ib;
        Positions(a, b, la, ia, lb, ib);
        if (la == lb) return At(la).substr(static_cast<size_t>(ia), static_cast<size_t>(ib - ia));
        std::string text = At(la).substr(static_cast<size_t>(ia)) + std::string(kLineEnd);
        for (int line = la + 1; line < lb; ++line) text += At(line) + std::string(kLineEnd);
        return text + At(lb).substr(0, static_cast<size_t>(ib));
    }
    void DeleteStream(CaretPlace a, CaretPlace b) {
        int la, ia, lb, ib;
        Positions(a, b, la, ia, lb, ib);
        At(la) = At(la).substr(0, static_cast<size_t>(ia)) + At(lb).substr(static_cast<size_t>(ib));
        lines.erase(lines.begin() + la, lines.begin() + lb);
    }
    // A column block's columns, each corner's column taken on its own line.
    void Span(CaretPlace a, CaretPlace b, int& left, int& right) {
        int column_a = Column(At(a.line), Index(At(a.line), a.column));
        int column_b = Column(At(b.line), Index(At(b.line), b.column));
        left = std::min(column_a, column_b);
        right = std::max(column_a, column_b);
    }
    std::string BlockText(CaretPlace a, CaretPlace b) {
        int left, right;
        Span(a, b, left, right);
        std::string text;
        for (int line = std::min(a.line, b.line); line <= std::max(a.line, b.line); ++line) {
            if (line > std::min(a.line, b.line)) text += kLineEnd;
            std::string expanded;
            for (char byte : At(line))
                expanded.append(byte == '\t' ? kTab - Width(expanded) % kTab : 1, byte == '\t' ? ' ' : byte);
            std::string piece = static_cast<size_t>(left) < expanded.size()
                                    ? expanded.substr(static_cast<size_t>(left), static_cast<size_t>(right - left))
                                    : std::string{};
            piece.resize(static_cast<size_t>(right - left), ' ');
            text += piece;
        }
        return text;
    }
    void DeleteBlock(CaretPlace a, CaretPlace b) {
        int left, right;
        Span(a, b, left, right);
        for (int line = std::min(a.line, b.line); line <= std::max(a.line, b.line); ++line) {
            std::string& text = At(line);
            int size = static_cast<int>(text.size());
            int from = std::min(Index(text, left), size), to = std::min(Index(text, right), size);
            if (to > from) text.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
        }
    }
    void InsertBlock(CaretPlace at, std::string_view block) {
        std::vector<std::string> rows;
        size_t from = 0;
        for (size_t end; (end = block.find(kLineEnd, from)) != std::string_view::npos; from = end + kLineEnd.size())
            rows.emplace_back(block.substr(from, end - from));
        if (from < block.size()) rows.emplace_back(block.substr(from));
        if (rows.empty()) return;
        int column = Column(At(at.line), Index(At(at.line), at.column));
        size_t width = rows[0].size();
        for (size_t i = 0; i < rows.size(); ++i) {
            int line = at.line + static_cast<int>(i);
            if (line > Count()) {
                lines.emplace_back();
                ends = false;
            }
            std::string piece = rows[i].substr(0, width);
            piece.resize(width, ' ');
            int index = Pad(line, column);
            At(line).insert(static_cast<size_t>(index), piece);
        }
    }

    // What the editor's clipboard and drags carry for a selection.
    std::string Transfer(int mode, CaretPlace start, CaretPlace end) {
        if (start == end) return {};
        if (mode == editor::kStreamSelection) return StreamText(start, end);
        std::string block = BlockText(start, end);
        return block.empty() ? block : std::string(kBlockTag) + std::string(kLineEnd) + block;
    }
    void Delete(int mode, CaretPlace start, CaretPlace end) {
        if (start == end) return;
        if (mode == editor::kStreamSelection)
            DeleteStream(start, end);
        else
            DeleteBlock(start, end);
    }
    // Text arriving at a place: a tagged block as a block, else as a string or lines,
    // the line padded out to the place first.
    void Arrive(CaretPlace at, std::string_view text) {
        if (text.size() > kBlockTag.size() && text.starts_with(kBlockTag)) {
            std::string_view block = text.substr(kBlockTag.size() + kLineEnd.size());
            if (block.find(kLineEnd) != std::string_view::npos) return InsertBlock(at, block);
            text = block;
        }
        if (text.empty()) return;
        Insert(at.line, Pad(at.line, at.column), text);
    }
    // A view's selection moved (or copied) to a place, as a drag does it.
    // Whether a place lies on selected text: a stream selection's span stops at each
    // line's text, a block's covers its columns on every row.
    bool OnSelectedText(int mode, CaretPlace start, CaretPlace end, CaretPlace place) {
        if (place.line < std::min(start.line, end.line) || place.line > std::max(start.line, end.line)) return false;
        int from = std::min(start.column, end.column), to = std::max(start.column, end.column);
        if (mode != editor::kColumnSelection) {
            const int length = Width(At(place.line));
            from = place.line == start.line ? std::min(start.column, length) : 0;
            to = place.line == end.line ? std::min(end.column, length) : length;
        }
        return to > from && place.column >= from && place.column < to;
    }

    void Move(int mode, CaretPlace start, CaretPlace end, CaretPlace target, bool copy) {
        auto before = [](CaretPlace a, CaretPlace b) {
            return a.line < b.line || (a.line == b.line && a.column < b.column);
        };
        bool column = mode == editor::kColumnSelection;
        bool inside = column ? target.line >= start.line && target.line <= end.line && target.column >= start.column &&
                                   target.column <= end.column
                             : !before(target, start) && !before(end, target);
        if (copy ? OnSelectedText(mode, start, end, target) : inside) return;
        std::string text = Transfer(mode, start, end);
        bool later = column ? target.line > end.line || target.column > end.column : before(end, target);
        if (copy || later) {
            Arrive(target, text);
            if (!copy) Delete(mode, start, end);
        } else {
            Delete(mode, start, end);
            Arrive(target, text);
        }
    }
};

struct View {
    QuietWindow window;
    SECEditCore core{window};
};

// Every caret and selection of a view lies on the text.
void CheckPlaces(const SECEditCore& core, Model& model) {
    auto line_ok = [&](int line) { return line >= 1 && line <= model.Count(); };
    CaretPlace caret = core.caret();
    if (!line_ok(caret.line) || !line_ok(core.top_line()) || caret.column < 0) Fail();
    if (!Model::OnCharacter(model.At(caret.line), caret.column)) Fail();
    if (!core.has_selection()) return;
    CaretPlace start = core.selection_start(), end = core.selection_end();
    if (!line_ok(start.line) || !line_ok(end.line)) Fail();
    if (start.line > end.line) Fail();
    if (core.selection_mode() == editor::kColumnSelection) {
        if (start.column > end.column) Fail();
        return;
    }
    if (start.line == end.line && start.column > end.column) Fail();
    for (CaretPlace place : {start, end, caret}) {
        const std::string& text = model.At(place.line);
        if (place.column > Model::Width(text) || !Model::OnCharacter(text, place.column)) Fail();
    }
}

CaretPlace PointPlace(const SECEditCore& core, ByteSource& ops, int* x = nullptr, int* y = nullptr) {
    int px = kGutter + ops.Next(kColumns) * kCharWidth + 1;
    int py = ops.Next(kRows) * kLineHeight + 2;
    if (x) *x = px;
    if (y) *y = py;
    return core.PlaceFromPoint(px, py);
}

void Step(View (&views)[2], editor::SECEdit& edit, Model& model, ByteSource& ops) {
    View& view = views[ops.Next(2)];
    View& other = &view == &views[0] ? views[1] : views[0];
    SECEditCore& core = view.core;
    const bool selecting = core.has_selection();
    const int mode = core.selection_mode();
    const CaretPlace start = core.selection_start(), end = core.selection_end();
    CaretPlace caret = core.caret();
    // Typing over a selection takes it away first; the caret goes to its start.
    auto take_selection = [&] {
        if (!selecting || start == end) return;
        model.Delete(mode, start, end);
        caret = start;
    };
    static const int kMoves[] = {editor::kCmdUp,   editor::kCmdDown, editor::kCmdLeft,     editor::kCmdRight,
                                 editor::kCmdHome, editor::kCmdEnd,  editor::kCmdWordLeft, editor::kCmdWordRight};
    static const int kExtends[] = {editor::kCmdSelectUp,       editor::kCmdSelectDown,     editor::kCmdSelectLeft,
                                   editor::kCmdSelectRight,    editor::kCmdSelectHome,     editor::kCmdSelectEnd,
                                   editor::kCmdSelectWordLeft, editor::kCmdSelectWordRight};
    switch (ops.Next(12)) {
        case 0: {  // a click
            int x, y;
            PointPlace(core, ops, &x, &y);
            core.ClearSelection(true);
            core.CaretFromPoint(x, y);
            break;
        }
        case 1: {  // a mouse selection, Alt making it a column block
            int mode_wanted = ops.Next(2) ? editor::kColumnSelection : editor::kStreamSelection;
            int x1, y1, x2, y2;
            PointPlace(core, ops, &x1, &y1);
            PointPlace(core, ops, &x2, &y2);
            core.ClearSelection(true);
            core.CaretFromPoint(x1, y1);
            core.BeginSelection(mode_wanted);
            core.CaretFromPoint(x2, y2);
            core.UpdateSelection();
            core.ClearEmptySelection();
            break;
        }
        case 2: core.OnCommand(kExtends[ops.Next(8)]); break;
        case 3: core.OnCommand(kMoves[ops.Next(8)]); break;
        case 4: {
            char typed = "xy #\""[ops.Next(5)];
            take_selection();
            model.At(caret.line).insert(static_cast<size_t>(model.Pad(caret.line, caret.column)), 1, typed);
            core.ProcessChar(static_cast<unsigned char>(typed));
            break;
        }
        case 5: {  // Enter: a selection goes to the clipboard first
            take_selection();
            const std::string& text = model.At(caret.line);
            int at = std::min(Model::Index(text, caret.column), static_cast<int>(text.size()));
            model.Insert(caret.line, at, kLineEnd);
            core.ProcessChar('\r');
            break;
        }
        case 6:  // Tab: a stream selection's lines are indented, a column block refuses
            if (!selecting) {
                model.At(caret.line).insert(static_cast<size_t>(model.Pad(caret.line, caret.column)), 1, '\t');
            } else if (mode == editor::kStreamSelection) {
                int last = end.column > 0 ? end.line : std::max(start.line, end.line - 1);
                for (int line = start.line; line <= last; ++line) model.At(line).insert(0, 1, '\t');
            }
            core.OnCommand(editor::kCmdTab);
            break;
        case 7: {  // Delete
            if (selecting) {
                model.Delete(mode, start, end);
            } else {
                const std::string& text = model.At(caret.line);
                int index = Model::Index(text, caret.column);
                if (index < static_cast<int>(text.size())) {
                    model.At(caret.line).erase(static_cast<size_t>(index), 1);
                } else if (caret.line < model.Count()) {
                    model.Pad(caret.line, caret.column);
                    model.Join(caret.line);
                }
            }
            core.OnCommand(editor::kCmdDelete);
            break;
        }
        case 8: {  // Backspace
            if (selecting) {
                model.Delete(mode, start, end);
            } else if (caret.column == 0) {
                if (caret.line > 1) model.Join(caret.line - 1);
            } else {
                int index = Model::Index(model.At(caret.line), caret.column);
                if (index <= static_cast<int>(model.At(caret.line).size()))
                    model.At(caret.line).erase(static_cast<size_t>(index - 1), 1);
            }
            core.OnCommand(editor::kCmdBackspace);
            break;
        }
        case 9: {  // the selection dragged within the view; a copy with Ctrl
            CaretPlace target = PointPlace(core, ops);
            bool copy = ops.Next(2);
            if (!selecting || (copy && edit.GetAllText().size() > kLargestText)) break;
            model.Move(mode, start, end, target, copy);
            core.MoveSelection(target, copy, true);
            break;
        }
        case 10: {  // the other view's selection dropped here
            CaretPlace target = PointPlace(core, ops);
            bool move = ops.Next(2);
            const SECEditCore& source = other.core;
            if (!source.has_selection() || (!move && edit.GetAllText().size() > kLargestText)) break;
            const std::string text = other.core.GetTransferText();
            if (move) {
                model.Move(source.selection_mode(), source.selection_start(), source.selection_end(), target, false);
            } else {
                CaretPlace at{target.line, target.column};
                if (!Model::OnCharacter(model.At(at.line), at.column))
                    at.column = Model::Column(model.At(at.line), Model::Index(model.At(at.line), at.column));
                model.Arrive(at, text);
            }
            core.DropText(text, target, &other.core, move, true);
            break;
        }
        case 11: core.ProcessChar(27); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteSource input(data, size);
    std::string text;
    Model model;
    for (int count = input.Next(64); count > 0; --count) {
        int pick = input.Next(6);
        if (pick == 5) {
            text += kLineEnd;
            model.lines.emplace_back();
        } else {
            text += "ab \tc"[pick];
            model.lines.back() += "ab \tc"[pick];
        }
    }
    // A text ending with its line end is that many lines, the last one ended.
    if (model.lines.size() > 1 && model.lines.back().empty()) {
        model.lines.pop_back();
        model.ends = true;
    }

    editor::MemoryProfile profile;
    profile.WriteProfileInt("", "Autoindent", 0);
    editor::SECEdit edit(profile);
    edit.LoadSettings();
    edit.SetTabSize(kTab);
    edit.set_keep_tabs(1);
    edit.LoadText(text);
    if (edit.GetAllText() != model.Text()) Fail();
    View views[2];
    for (View& view : views) {
        view.core.Attach(&edit);
        view.core.SetCellSize(kCharWidth, kLineHeight);
        view.core.SetClientSize(kGutter + kColumns * kCharWidth, kRows * kLineHeight);
        view.core.InitView();
    }
    for (int step = 0; step < kMostSteps && !input.empty(); ++step) {
        Step(views, edit, model, input);
        if (edit.GetAllText() != model.Text()) Fail();
        for (View& view : views) CheckPlaces(view.core, model);
    }

    const std::string edited = edit.GetAllText();
    if (edit.GetUndoLog().top() >= editor::UndoLog::kCapacity) return 0;  // history was trimmed
    while (edit.Undo()) {
    }
    if (edit.GetAllText() != text) Fail();
    while (edit.Redo()) {
    }
    if (edit.GetAllText() != edited) Fail();
    return 0;
}
