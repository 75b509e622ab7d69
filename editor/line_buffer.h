#pragma once
// LineBuffer: the lines of one text and their index. The lines form a doubly linked list
// for walking and a balanced tree (a treap keyed by place, each node counting its
// subtree) for finding a line by number and a line's number, both in O(log n); linking
// or unlinking lines touches only the path to the root, never the lines after them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/edit_line.h"
#include "editor/line_text.h"

namespace editor {

// Told when lines come and go, so that whoever keeps places by line number (a view of
// the text) can move them with their lines.
class LineObserver {
public:
    virtual ~LineObserver() = default;
    // From line `first` on, `removed` lines went and `inserted` new ones took their place.
    virtual void OnLinesChanged(int first, int removed, int inserted) = 0;
    // After any edit of the text, when the lines hold their new bytes.
    virtual void OnTextChanged() {}
};

class LineBuffer {
public:
    LineBuffer() = default;
    ~LineBuffer() { Clear(); }
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    EditLine* first() const { return first_; }
    EditLine* last() const { return last_; }
    int count() const { return Size(root_); }
    // The line with a 1-based number: the first for numbers below 1, the last past the end.
    EditLine* at(int number) const;

    // Frees every line; the buffer is then empty.
    void Clear();
    // Replaces every line; an empty list leaves one empty line.
    void Assign(const std::vector<std::string>& lines);
    // Links new lines after `anchor` (in front of the first line when null); returns the
    // last new line, or `anchor` when there are none.
    EditLine* InsertAfter(EditLine* anchor, const std::vector<std::string>& lines);
    EditLine* InsertAfter(EditLine* anchor, std::string text);
    // Unlinks and frees the lines from `from` to `to`, both included.
    void Erase(EditLine* from, EditLine* to);

    void AddObserver(LineObserver* observer) { observers_.push_back(observer); }
    void RemoveObserver(LineObserver* observer) { std::erase(observers_, observer); }
    // Tells the observers that the text changed (its owner edits the lines' bytes).
    void TellTextChanged() const {
        for (LineObserver* observer : observers_) observer->OnTextChanged();
    }

    // The line end every line of the text carries.
    const LineEnd& line_end() const { return line_end_; }
    void set_line_end(LineEnd line_end) { line_end_ = std::move(line_end); }
    void set_line_end_type(int type) { line_end_.type = type; }
    int line_end_length() const { return static_cast<int>(line_end_.chars.size()); }
    bool EndsWithLineEnd(std::string_view text) const {
        const std::string& chars = line_end_.chars;
        return text.size() >= chars.size() && text.substr(text.size() - chars.size()) == chars;
    }
    bool HasLineEnd(const EditLine* line) const { return EndsWithLineEnd(line->text); }
    // The line's bytes without its line end.
    std::string_view TextOf(const EditLine* line) const {
        std::string_view text = line->text;
        return HasLineEnd(line) ? text.substr(0, text.size() - line_end_.chars.size()) : text;
    }

private:
    friend class LineNumber;
    static int Size(const EditLine* node) { return node ? node->number.size_ : 0; }
    static void Update(EditLine* node);
    static void Split(EditLine* tree, int count, EditLine*& front, EditLine*& back);
    static EditLine* Merge(EditLine* front, EditLine* back);
    // A tree of lines already chained by next and prev, in that order.
    EditLine* Build(EditLine* from, int count);
    uint32_t NextPriority();
    // Makes `after` follow `before` in the list; null stands for the list's ends.
    void Link(EditLine* before, EditLine* after);
    void Tell(int first, int removed, int inserted) const {
        for (LineObserver* observer : observers_) observer->OnLinesChanged(first, removed, inserted);
    }

    EditLine* root_ = nullptr;
    EditLine* first_ = nullptr;
    EditLine* last_ = nullptr;
    LineEnd line_end_;
    uint32_t random_ = 0x9E3779B9u;
    std::vector<LineObserver*> observers_;
};

}  // namespace editor
