#include "editor/line_buffer.h"

namespace editor {

LineNumber::operator int() const {
    // The lines before this one: its left subtree, then for each ancestor reached from
    // the right, that ancestor and its left subtree.
    int number = LineBuffer::Size(left_) + 1;
    const LineNumber* node = this;
    for (const EditLine* up = parent_; up; up = up->number.parent_) {
        const LineNumber& above = up->number;
        if (above.right_ && &above.right_->number == node) number += LineBuffer::Size(above.left_) + 1;
        node = &above;
    }
    return number;
}

void LineBuffer::Update(EditLine* node) {
    LineNumber& links = node->number;
    links.size_ = 1 + Size(links.left_) + Size(links.right_);
    if (links.left_) links.left_->number.parent_ = node;
    if (links.right_) links.right_->number.parent_ = node;
}

void LineBuffer::Split(EditLine* tree, int count, EditLine*& front, EditLine*& back) {
    if (!tree) {
        front = back = nullptr;
        return;
    }
    LineNumber& links = tree->number;
    if (Size(links.left_) < count) {
        Split(links.right_, count - Size(links.left_) - 1, links.right_, back);
        front = tree;
    } else {
        Split(links.left_, count, front, links.left_);
        back = tree;
    }
    Update(tree);
}

EditLine* LineBuffer::Merge(EditLine* front, EditLine* back) {
    if (!front) return back;
    if (!back) return front;
    if (front->number.priority_ > back->number.priority_) {
        front->number.right_ = Merge(front->number.right_, back);
        Update(front);
        return front;
    }
    back->number.left_ = Merge(front, back->number.left_);
    Update(back);
    return back;
}

uint32_t LineBuffer::NextPriority() {
    // xorshift: priorities need only look random, and the same text builds the same tree.
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return random_;
}

EditLine* LineBuffer::Build(EditLine* from, int count) {
    // The lines arrive in order, so the tree is built along its right spine: each new
    // line takes as its left subtree the spine nodes of lower priority.
    std::vector<EditLine*> spine;
    EditLine* line = from;
    for (int i = 0; i < count; ++i, line = line->next) {
        LineNumber& links = line->number;
        links.left_ = links.right_ = links.parent_ = nullptr;
        links.priority_ = NextPriority();
        EditLine* below = nullptr;
        while (!spine.empty() && spine.back()->number.priority_ < links.priority_) {
            below = spine.back();
            spine.pop_back();
            // Popped spine nodes are complete: their subtrees are final.
            Update(below);
        }
        links.left_ = below;
        if (!spine.empty()) spine.back()->number.right_ = line;
        spine.push_back(line);
    }
    for (auto node = spine.rbegin(); node != spine.rend(); ++node) Update(*node);
    if (spine.empty()) return nullptr;
    spine.front()->number.parent_ = nullptr;
    return spine.front();
}

EditLine* LineBuffer::at(int number) const {
    if (!root_) return nullptr;
    if (number <= 1) return first_;
    if (number >= count()) return last_;
    EditLine* node = root_;
    for (;;) {
        int before = Size(node->number.left_);
        if (number <= before) {
            node = node->number.left_;
        } else if (number == before + 1) {
            return node;
        } else {
            number -= before + 1;
            node = node->number.right_;
        }
    }
}

void LineBuffer::Clear() {
    int removed = count();
    for (EditLine* line = first_; line;) {
        EditLine* next = line->next;
        delete line;
        line = next;
    }
    root_ = first_ = last_ = nullptr;
    if (removed > 0) Tell(1, removed, 0);
}

void LineBuffer::Assign(const std::vector<std::string>& lines) {
    Clear();
    if (lines.empty())
        InsertAfter(nullptr, std::string{});
    else
        InsertAfter(nullptr, lines);
}

void LineBuffer::Link(EditLine* before, EditLine* after) {
    if (before)
        before->next = after;
    else
        first_ = after;
    if (after)
        after->prev = before;
    else
        last_ = before;
}

EditLine* LineBuffer::InsertAfter(EditLine* anchor, std::string text) {
    return InsertAfter(anchor, std::vector<std::string>{std::move(text)});
}

EditLine* LineBuffer::InsertAfter(EditLine* anchor, const std::vector<std::string>& lines) {
    if (lines.empty()) return anchor;
    // Chain the new lines, then splice the chain into the list.
    EditLine* head = nullptr;
    EditLine* tail = nullptr;
    for (const std::string& text : lines) {
        auto* line = new EditLine(text);
        line->prev = tail;
        if (tail)
            tail->next = line;
        else
            head = line;
        tail = line;
    }
    EditLine* after = anchor ? anchor->next : first_;
    Link(anchor, head);
    Link(tail, after);

    EditLine* added = Build(head, static_cast<int>(lines.size()));
    EditLine* front = nullptr;
    EditLine* back = nullptr;
    int before = anchor ? static_cast<int>(anchor->number) : 0;
    Split(root_, before, front, back);
    root_ = Merge(Merge(front, added), back);
    root_->number.parent_ = nullptr;
    Tell(before + 1, 0, static_cast<int>(lines.size()));
    return tail;
}

void LineBuffer::Erase(EditLine* from, EditLine* to) {
    int first_number = from->number;
    int last_number = to->number;
    EditLine* front = nullptr;
    EditLine* middle = nullptr;
    EditLine* back = nullptr;
    Split(root_, first_number - 1, front, middle);
    Split(middle, last_number - first_number + 1, middle, back);
    root_ = Merge(front, back);
    if (root_) root_->number.parent_ = nullptr;

    EditLine* before = from->prev;
    EditLine* after = to->next;
    Link(before, after);
    for (EditLine* line = from; line != after;) {
        EditLine* next = line->next;
        delete line;
        line = next;
    }
    Tell(first_number, last_number - first_number + 1, 0);
}

}  // namespace editor
