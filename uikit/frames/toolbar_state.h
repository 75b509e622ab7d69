#pragma once
// The saved buttons of a customisable toolbar, kept with its record in the
// docking layout: its title and, per button, the command id (0 for a
// separator) with the button's own bytes. In the profile and the key/value
// tree the buttons are one binary value "Buttons": records of a 32-bit
// little-endian id, a count byte n and n bytes, packed without gaps.
#include <optional>
#include <vector>

#include "uikit/frames/dock_state.h"
#include "uikit/frames/std_btn.h"

// More buttons than this in one saved toolbar is damage, not a toolbar.
constexpr std::size_t kSecMaxSavedButtons = 1024;

// The "Buttons" value; nothing when a button's own bytes do not fit its count byte.
std::optional<std::vector<BYTE>> sec_pack_buttons(const std::vector<SECBtnInfo>& buttons);
// The records of a "Buttons" value; nothing when a record is cut short or there are too many.
std::optional<std::vector<SECBtnInfo>> sec_unpack_buttons(const BYTE* data, std::size_t size);

class SECCustomToolBarInfoEx : public SECControlBarInfoEx {
    DECLARE_DYNAMIC(SECCustomToolBarInfoEx)
public:
    CString m_strTitle;
    std::vector<SECBtnInfo> m_buttons;

    void Serialize(CArchive& ar, SECDockState* state) override;
    // Profile: "Title" (when not empty) and "Buttons" in the bar's section.
    // Saving fails (FALSE) when the buttons cannot be packed; the title is still written.
    BOOL SaveState(const char* section) override;
    // A damaged "Buttons" value fails and leaves the record's buttons empty.
    BOOL LoadState(const char* section) override;
    // Tree: the child "ToolBarInfoEx" of the bar's node.
    BOOL SaveState(SECPersistentTreeNode* parent, SECPersistentTreeNode* node) override;
    BOOL LoadState(SECPersistentTreeNode* node) override;
};
