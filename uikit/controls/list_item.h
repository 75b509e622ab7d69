#pragma once
// The records a list keeps: one SECListItem per row with its sub-items, and
// one SECListColumn per column.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/afx/byte_string.h"
#include "platform/afx/geometry.h"
#include "uikit/controls/tree_node.h"

class SECListSubItem {
public:
    SECListSubItem() = default;
    virtual ~SECListSubItem() = default;
    ItemText text;
    int image = 0;
    CRect cell;
};

class SECListItem {
public:
    virtual ~SECListItem() = default;
    // Sub-item k (k >= 1) is element k - 1.
    std::vector<std::unique_ptr<SECListSubItem>> sub_items;
    ItemText text;
    UINT state = 0;  // LVIS bits other than focused, selected and drop-highlighted
    int image = 0;
    LPARAM param = 0;
    int row_height = -1;  // -1: not measured
    UINT ex_state = 0;
    CRect label_rect, icon_rect, state_icon_rect;  // relative to the row's origin
    int index_hint = -1;                           // where the record last stood; checked before it is trusted
    std::uint64_t serial = 0;                      // given on insertion, never reused: tells records apart

    SECListSubItem* sub_item(int number) const {
        return number >= 1 && std::size_t(number) <= sub_items.size() ? sub_items[std::size_t(number - 1)].get()
                                                                      : nullptr;
    }
};

struct SECListColumn {
    DWORD reserved = 0;
    int fmt = LVCFMT_LEFT;
    int width = 0;
    CString heading;
    DWORD reserved2 = 0;
    int sub_item = 0;  // 0: the main column
};
