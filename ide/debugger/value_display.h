#pragma once
// How an evaluated value shows in the two-column result tree: one line for
// the value and, only when the user expands it, one line per member, element
// or pointed-to value. Children are built on expansion alone, so a structure
// that points to its own type never recurses on its own.
#include <string>
#include <vector>

#include "ide/debugger/formular.h"

namespace ide {

// The line of a value named `name` (the expression for a root line).
DisplayItem describe_value(const CFormular& formular, const FormularValue& value, const std::string& name);
// The lines under an expandable line.
std::vector<DisplayItem> expand_value(const CFormular& formular, const DisplayItem& item);

// The tree control the display writes into.
class ResultTree {
public:
    virtual ~ResultTree() = default;
    // Inserts a line under `parent` (0 = top level) after `after` (0 = first); returns its handle.
    virtual std::uintptr_t InsertItem(std::uintptr_t parent, std::uintptr_t after, const std::string& name,
                                      const std::string& value, bool expandable) = 0;
};

// Inserts the evaluated root line after `after` and returns it, collapsed.
std::uintptr_t FillResultTree(const DisplayItem& item, ResultTree& tree, std::uintptr_t after);

}  // namespace ide
