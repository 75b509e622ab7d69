#pragma once
// CResultTree: the two-column tree ("Name", "Value") that shows evaluated
// expressions. Each line keeps the value behind it, so the lines under a
// structure, array or pointer are built only when the user expands it; a
// value whose text differs from the one shown at the previous stop is drawn
// in red.
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "ide/debugger/formular.h"
#include "uikit/controls/tree_base.h"

// What the tree showed, by path (a root's key, then the names below it): each
// line's value text and the lines that were expanded.
struct ResultSnapshot {
    std::unordered_map<std::string, std::string> texts;
    std::unordered_set<std::string> expanded;
    std::unordered_set<std::string> changed;
    std::string selected;
};

class CResultTree : public SECTreeCtrl {
    DECLARE_DYNAMIC(CResultTree)
public:
    static constexpr COLORREF kChangedColor = RGB(255, 0, 0);

    // The names of the two columns and the list options of the debugger's trees.
    void SetUpColumns(int width);

    // Inserts a line under `parent` after `after` (null: first). `formular`
    // made the value (an evaluation's computed types live in it) and expands
    // it, in the radix `hex`; null leaves the line without children.
    HTREEITEM InsertResult(HTREEITEM parent, HTREEITEM after, const ide::DisplayItem& item,
                           std::shared_ptr<ide::CFormular> formular, bool hex);
    // Forgets every evaluator, and so every reference into the target: lines
    // not yet expanded stay without children.
    void DropFormulars();
    // Builds the children of an expandable line once; true when it has any.
    bool BuildChildren(HTREEITEM item);

    // The key of a root line: its place and its name, so equal names stay apart.
    std::string RootKey(HTREEITEM root);
    ResultSnapshot Snapshot();
    // How Restore marks lines: not at all; at a stop, those whose text differs
    // from the one they had; after an edit, those too and those marked before.
    enum class Marks { none, at_stop, kept };
    // Expands and selects again below `item` (path `key`) what was expanded and selected.
    void Restore(HTREEITEM item, const std::string& key, const ResultSnapshot& before, Marks marks);

    void SetChanged(HTREEITEM item, bool changed);
    bool IsChanged(HTREEITEM item) const;
    bool IsHexLine(HTREEITEM item) const;

protected:
    LRESULT NotifyItemExpanding(_Node* node, UINT code) override;
    void GetItemColors(SECListPaintContext* pc) override;
    void OnDeleteItem(_Node* node) override;

private:
    void SnapshotBelow(HTREEITEM item, const std::string& key, ResultSnapshot& out);

    struct Line {
        ide::DisplayItem item;
        std::shared_ptr<ide::CFormular> formular;
        bool hex = false;
        bool built = false;
        bool changed = false;
    };
    Line* LineOf(HTREEITEM item);
    const Line* LineOf(HTREEITEM item) const;

    std::unordered_map<std::uintptr_t, Line> lines_;
};
