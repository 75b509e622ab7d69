#pragma once
// The nodes of the tree control: SECTreeNode links and walks a tree by
// parent, sibling and first-child links; SECTreeNodeX can hide one level of
// the tree from every walk; _Node is the tree control's item with its fields.
// SECSubItemTextStorage keeps the texts of the columns after the first.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/afx/byte_string.h"
#include "uikit/controls/list_types.h"

class SECListItem;

class SECTreeNode {
public:
    SECTreeNode() = default;
    virtual ~SECTreeNode();  // destroys every descendant, leaves first
    SECTreeNode(const SECTreeNode&) = delete;
    SECTreeNode& operator=(const SECTreeNode&) = delete;

    virtual SECTreeNode* GetParent() const { return parent_; }
    virtual SECTreeNode* GetNextSibling() const { return next_; }
    virtual SECTreeNode* GetPrevSibling() const { return prev_; }
    virtual SECTreeNode* GetFirstChild() const { return first_child_; }
    virtual BOOL IsExpanded() const { return FALSE; }
    virtual SECTreeNode* SetExpanded(BOOL expanded) { return this; }

    SECTreeNode* GetRawParent() const { return parent_; }
    SECTreeNode* GetRawFirstChild() const { return first_child_; }
    SECTreeNode* GetRawLastChild() const { return last_child_; }

    WORD GetDepth() const;
    SECTreeNode* GetTopNode() const;
    SECTreeNode* GetLastSibling() const;
    SECTreeNode* GetLastChild() const;
    SECTreeNode* GetFirstLeaf() const;
    SECTreeNode* GetLastDescendant() const;
    SECTreeNode* GetNextInTree() const;
    SECTreeNode* GetPrevInTree() const;
    BOOL IsAncestorOf(const SECTreeNode* node) const;
    int GetRawDepth() const;
    virtual WORD GetHiddenLevel() const { return 0; }

    // Where InsertChild links a new child: first, last, or after a given child.
    static SECTreeNode* const kFirst;
    static SECTreeNode* const kLast;
    // Links `child` (which must be unlinked); FALSE when `after` is not a child of this node.
    BOOL InsertChild(SECTreeNode* child, SECTreeNode* after);
    // Takes the node out of its parent and siblings; it keeps its own children.
    void Unlink();
    // Destroys every descendant, always a leaf at a time.
    void DeleteChildren();

private:
    SECTreeNode* parent_ = nullptr;
    SECTreeNode* next_ = nullptr;
    SECTreeNode* prev_ = nullptr;
    SECTreeNode* first_child_ = nullptr;
    SECTreeNode* last_child_ = nullptr;  // kept with the links, so appending is constant time
};

class SECTreeNodeX : public SECTreeNode {
public:
    SECTreeNode* GetParent() const override;
    SECTreeNode* GetNextSibling() const override;
    SECTreeNode* GetPrevSibling() const override;
    SECTreeNode* GetFirstChild() const override;
    WORD GetHiddenLevel() const override;
    // Meaningful on the topmost node: the level whose nodes every walk skips (0 none).
    void SetHiddenLevel(WORD level) { hidden_level_ = level; }

private:
    WORD hidden_level_ = 0;
};

// What an item's text holds: nothing, a string of its own, or "ask the owner".
struct ItemText {
    enum class Kind { none, value, callback };
    Kind kind = Kind::none;
    std::string value;

    bool is_callback() const { return kind == Kind::callback; }
    // Stores from a caller's pointer (null, LPSTR_TEXTCALLBACK or a string).
    void assign(const char* text);
    // The text as callers see it: null, LPSTR_TEXTCALLBACK or the string.
    const char* pointer() const;
    std::string_view view() const { return kind == Kind::value ? std::string_view(value) : std::string_view(); }
};

class _Node : public SECTreeNodeX {
public:
    _Node();
    BOOL IsExpanded() const override { return (item.state & TVIS_EXPANDED) != 0; }
    SECTreeNode* SetExpanded(BOOL expanded) override;

    TV_ITEM item{};  // pszText is unused: the text lives in `text`
    ItemText text;
    UINT ex_state = 0;  // TVIS_EX_MARKED, TVIS_EX_HIDDEN

    // Label measuring for the multi-line mark: the parts before and after it.
    BOOL has_mark = FALSE;
    CString before_mark;
    CString after_mark;
    int before_mark_width = 0;

    SECListItem* row = nullptr;  // the list row showing this node, if any

    _Node* parent_node() const { return static_cast<_Node*>(GetRawParent()); }
};

class SECSubItemTextStorage {
public:
    virtual ~SECSubItemTextStorage() = default;
    // Copies column `column`'s text (column >= 1) into `out`; "" and FALSE when none.
    BOOL GetText(const _Node* node, int column, char* out, int size) const;
    const CString* Find(const _Node* node, int column) const;
    // Stores a copy of `text`; FALSE for no column or LPSTR_TEXTCALLBACK, which
    // has nothing to copy (the owner cannot be asked for a stored column).
    BOOL SetText(const _Node* node, int column, const char* text);
    BOOL RemoveItem(const _Node* node);

private:
    std::unordered_map<const _Node*, std::vector<CString>> texts_;
};
