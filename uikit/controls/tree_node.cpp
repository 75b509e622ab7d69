#include "uikit/controls/tree_node.h"

#include "uikit/controls/text_copy.h"

SECTreeNode* const SECTreeNode::kFirst = nullptr;
SECTreeNode* const SECTreeNode::kLast = reinterpret_cast<SECTreeNode*>(std::uintptr_t(1));

SECTreeNode::~SECTreeNode() { DeleteChildren(); }

WORD SECTreeNode::GetDepth() const {
    WORD depth = 0;
    for (const SECTreeNode* node = GetParent(); node; node = node->GetParent()) ++depth;
    return depth;
}

SECTreeNode* SECTreeNode::GetTopNode() const {
    const SECTreeNode* node = this;
    while (node->parent_) node = node->parent_;
    return const_cast<SECTreeNode*>(node);
}

SECTreeNode* SECTreeNode::GetLastSibling() const {
    const SECTreeNode* node = this;
    while (SECTreeNode* next = node->GetNextSibling()) node = next;
    return const_cast<SECTreeNode*>(node);
}

SECTreeNode* SECTreeNode::GetLastChild() const {
    if (GetHiddenLevel() == 0) return last_child_;
    SECTreeNode* child = GetFirstChild();
    return child ? child->GetLastSibling() : nullptr;
}

SECTreeNode* SECTreeNode::GetFirstLeaf() const {
    SECTreeNode* node = first_child_;
    if (!node) return nullptr;
    while (SECTreeNode* child = node->GetFirstChild()) node = child;
    return node;
}

SECTreeNode* SECTreeNode::GetLastDescendant() const {
    const SECTreeNode* node = this;
    while (SECTreeNode* child = node->GetLastChild()) node = child;
    return const_cast<SECTreeNode*>(node);
}

SECTreeNode* SECTreeNode::GetNextInTree() const {
    if (SECTreeNode* child = GetFirstChild()) return child;
    for (const SECTreeNode* node = this; node; node = node->GetParent())
        if (SECTreeNode* next = node->GetNextSibling()) return next;
    return nullptr;
}

SECTreeNode* SECTreeNode::GetPrevInTree() const {
    if (SECTreeNode* prev = GetPrevSibling()) return prev->GetLastDescendant();
    return GetParent();
}

BOOL SECTreeNode::IsAncestorOf(const SECTreeNode* node) const {
    // Links are followed only through live nodes: every node reached is one this tree linked.
    for (const SECTreeNode* up = node ? node->GetParent() : nullptr; up; up = up->GetParent())
        if (up == this) return TRUE;
    return FALSE;
}

int SECTreeNode::GetRawDepth() const {
    int depth = 0;
    for (const SECTreeNode* node = parent_; node; node = node->parent_) ++depth;
    return depth;
}

BOOL SECTreeNode::InsertChild(SECTreeNode* child, SECTreeNode* after) {
    if (after == kFirst) {
        child->next_ = first_child_;
        if (first_child_)
            first_child_->prev_ = child;
        else
            last_child_ = child;
        first_child_ = child;
    } else if (after == kLast || after == reinterpret_cast<SECTreeNode*>(std::uintptr_t(2))) {
        child->prev_ = last_child_;
        if (last_child_)
            last_child_->next_ = child;
        else
            first_child_ = child;
        last_child_ = child;
    } else {
        if (after->parent_ != this) return FALSE;
        child->prev_ = after;
        child->next_ = after->next_;
        if (after->next_)
            after->next_->prev_ = child;
        else
            last_child_ = child;
        after->next_ = child;
    }
    child->parent_ = this;
    return TRUE;
}

void SECTreeNode::Unlink() {
    if (parent_) {
        if (parent_->first_child_ == this) parent_->first_child_ = next_;
        if (parent_->last_child_ == this) parent_->last_child_ = prev_;
    }
    if (prev_) prev_->next_ = next_;
    if (next_) next_->prev_ = prev_;
    parent_ = next_ = prev_ = nullptr;
}

void SECTreeNode::DeleteChildren() {
    while (SECTreeNode* leaf = GetFirstLeaf()) {
        leaf->Unlink();
        delete leaf;
    }
}

// ---- hidden level ----

SECTreeNode* SECTreeNodeX::GetParent() const {
    const WORD level = GetHiddenLevel();
    SECTreeNode* parent = GetRawParent();
    if (level && GetRawDepth() == level + 1 && parent) return parent->GetRawParent();
    return parent;
}

SECTreeNode* SECTreeNodeX::GetFirstChild() const {
    const WORD level = GetHiddenLevel();
    SECTreeNode* child = GetRawFirstChild();
    if (level && GetRawDepth() == level - 1) {
        // The hidden level's children form one run: the first of them under any hidden node.
        for (SECTreeNode* hidden = child; hidden; hidden = hidden->SECTreeNode::GetNextSibling())
            if (SECTreeNode* first = hidden->GetRawFirstChild()) return first;
        return nullptr;
    }
    return child;
}

SECTreeNode* SECTreeNodeX::GetNextSibling() const {
    SECTreeNode* next = SECTreeNode::GetNextSibling();
    const WORD level = GetHiddenLevel();
    if (!level || next || GetRawDepth() != level + 1) return next;
    for (SECTreeNode* hidden = GetRawParent()->SECTreeNode::GetNextSibling(); hidden;
         hidden = hidden->SECTreeNode::GetNextSibling())
        if (SECTreeNode* first = hidden->GetRawFirstChild()) return first;
    return nullptr;
}

SECTreeNode* SECTreeNodeX::GetPrevSibling() const {
    SECTreeNode* prev = SECTreeNode::GetPrevSibling();
    const WORD level = GetHiddenLevel();
    if (!level || prev || GetRawDepth() != level + 1) return prev;
    for (SECTreeNode* hidden = GetRawParent()->SECTreeNode::GetPrevSibling(); hidden;
         hidden = hidden->SECTreeNode::GetPrevSibling())
        if (SECTreeNode* last = hidden->GetRawLastChild()) return last;
    return nullptr;
}

WORD SECTreeNodeX::GetHiddenLevel() const {
    const auto* top = dynamic_cast<const SECTreeNodeX*>(GetTopNode());
    return top ? top->hidden_level_ : 0;
}

// ---- items ----

void ItemText::assign(const char* text) {
    if (text == LPSTR_TEXTCALLBACK) {
        kind = Kind::callback;
        value.clear();
    } else if (!text) {
        kind = Kind::none;
        value.clear();
    } else {
        kind = Kind::value;
        value = text;
    }
}

const char* ItemText::pointer() const {
    switch (kind) {
        case Kind::callback: return LPSTR_TEXTCALLBACK;
        case Kind::value: return value.c_str();
        case Kind::none: break;
    }
    return nullptr;
}

_Node::_Node() {
    item.iImage = TV_NO_IMAGE;
    item.iSelectedImage = TV_NO_IMAGE;
}

SECTreeNode* _Node::SetExpanded(BOOL expanded) {
    if (expanded)
        item.state |= TVIS_EXPANDED;
    else
        item.state &= ~TVIS_EXPANDED;
    return this;
}

// ---- sub-item texts ----

const CString* SECSubItemTextStorage::Find(const _Node* node, int column) const {
    auto found = texts_.find(node);
    if (found == texts_.end() || column < 1 || std::size_t(column) > found->second.size()) return nullptr;
    return &found->second[std::size_t(column - 1)];
}

BOOL SECSubItemTextStorage::GetText(const _Node* node, int column, char* out, int size) const {
    const CString* text = Find(node, column);
    uikit::copy_text_out(out, size, text ? text->str() : std::string_view());
    return text != nullptr;
}

BOOL SECSubItemTextStorage::SetText(const _Node* node, int column, const char* text) {
    if (column < 1 || text == LPSTR_TEXTCALLBACK) return FALSE;
    auto& texts = texts_[node];
    if (texts.size() < std::size_t(column)) texts.resize(std::size_t(column));
    texts[std::size_t(column - 1)] = text;
    return TRUE;
}

BOOL SECSubItemTextStorage::RemoveItem(const _Node* node) { return texts_.erase(node) != 0; }
