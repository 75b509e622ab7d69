#pragma once
// CDockBar: the bar along one side of a frame that holds docked control bars
// in rows. Its slots are, in order, bars, placeholders (the id of a bar that
// floated away and may come back to this place) and row breaks; the first
// slot and the end of every row are breaks.
#include "platform/afx/control_bar.h"

struct CControlBarInfo;

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    struct Slot {
        enum class Kind { row_break, bar, placeholder };
        Kind kind = Kind::row_break;
        CControlBar* bar = nullptr;  // Kind::bar
        UINT id = 0;                 // Kind::placeholder
        bool operator==(const Slot& other) const { return kind == other.kind && bar == other.bar && id == other.id; }
    };

    CDockBar();
    BOOL Create(CFrameWnd* frame, DWORD style, UINT id);

    CArray<Slot> m_arrBars;
    BOOL m_bFloating = FALSE;

    // Docked bars, placeholders and breaks by slot index.
    int GetSlotCount() const { return m_arrBars.GetSize(); }
    CControlBar* GetDockedControlBar(int index) const;
    int GetDockedCount() const;
    int FindBar(const CControlBar* bar, int exclude = -1) const;
    // Docks at the end of the row whose band holds `where` (client coordinates of
    // the frame), or in a new last row when it is null or past the rows.
    void DockControlBar(CControlBar* bar, const RECT* where = nullptr);
    // Takes the bar out; with `leave_placeholder` its id stays where it was.
    BOOL RemoveControlBar(CControlBar* bar, BOOL leave_placeholder = FALSE);
    void RemovePlaceHolder(CControlBar* bar);
    // Saved placeholders carry this flag over the bar's id.
    static constexpr UINT kPlaceholderFlag = 0x10000;
    // The slots as ids for the profile: a bar's id, a placeholder's id plus
    // kPlaceholderFlag, 0 for a row break.
    void GetBarInfo(CControlBarInfo* info) override;
    // Rebuilds the slots from saved ids: a bar of the frame becomes docked here;
    // a placeholder, or an id no bar has, stays as a placeholder.
    void SetBarInfo(CControlBarInfo* info, CFrameWnd* frame) override;

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    afx_msg LRESULT OnSizeParentAndRows(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void drop_empty_rows();
    void place_rows();
    BOOL horizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
};
