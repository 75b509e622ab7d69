#pragma once
// CMemWnd: one memory view of the memory bar. It draws target memory as a
// hex and character grid (changed bytes red, bytes it cannot write blue),
// and turns keys, clicks, the tab window's scroll bars and typed characters
// into calls of its grid model; typed bytes go into target memory at once
// through the view's image. The image points into the simulator's memory:
// DropTargetMemory forgets it before that memory goes away.
#include <cstdint>
#include <memory>

#include "ide/debugger/mem_image.h"
#include "ide/debugger/mem_view_model.h"
#include "platform/afx/afx.h"
#include "platform/os/result.h"

class CMemWnd : public CWnd {
    DECLARE_DYNAMIC(CMemWnd)
public:
    static constexpr COLORREF kChangedColour = RGB(255, 0, 0);
    static constexpr COLORREF kReadOnlyColour = RGB(0, 0, 255);

    CMemWnd();
    ~CMemWnd() override;

    // Creates the view as a visible child (WS_CHILD | WS_VISIBLE or-ed in).
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // A new image over the simulator's views when both are there (a new run).
    void SetTargetMemory(const ide::TargetViews& views);
    // Before the simulator's memory is unmapped: no pointer into it survives.
    void DropTargetMemory();
    // After a stop: marks what changed and repaints; FALSE without an image.
    BOOL RefreshFromTarget();
    // Before the target runs: the values the next stop is compared with.
    BOOL SnapshotTarget();
    // The address shown first; an address outside the 64 KB is refused.
    os::Status SetAddress(std::uint32_t address);

    // One grid row at pixel row `y` for `address`, straight onto `dc`.
    void DrawRow(CDC& dc, int y, std::uint32_t address);

    const ide::MemViewModel& View() const { return view_; }
    const ide::CMemImage* Image() const { return image_.get(); }
    int CharWidth() const { return char_width_; }
    int RowHeight() const { return row_height_; }

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT character, UINT repeat, UINT flags);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    DECLARE_MESSAGE_MAP()

private:
    // The tab window's bar (SB_HORZ, SB_VERT) while this view is its active tab.
    CScrollBar* TabBar(int bar) const;
    void UpdateScrollBars();
    void Apply(const ide::MemViewEffect& effect);
    void DrawTyped(std::uint16_t address);
    void PlaceCaret();
    int Pan() const { return view_.pan() * char_width_; }

    ide::MemViewModel view_;
    std::unique_ptr<ide::CMemImage> image_;
    CFont font_;
    int char_width_ = 8;
    int row_height_ = 16;
    bool has_focus_ = false;
};
