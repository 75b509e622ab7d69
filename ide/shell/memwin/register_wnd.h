#pragma once
// CRegisterWnd: one register pane. It draws the four register lines and the
// operand line from the simulator's 16-byte register block (values that
// changed since the target last ran in red) and, while the target is
// stopped, lets the user type over registers and toggle flags in the block.
// The block lies in the simulator's memory: DropTargetMemory forgets it
// before that memory goes away.
#include <array>
#include <cstdint>

#include "ide/debugger/register_model.h"
#include "platform/afx/afx.h"

class CRegisterWnd : public CWnd {
    DECLARE_DYNAMIC(CRegisterWnd)
public:
    // SetColor's indexes.
    enum ColourIndex { kStaticText = 1, kChangedValue = 2, kBackground = 3, kUnchangedValue = 4 };
    static constexpr UINT kUndoCommand = 0xE12B;

    CRegisterWnd();
    ~CRegisterWnd() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The block as the debug manager maps it; takes a snapshot.
    void SetRegisterBlock(std::uint8_t* block);
    void DropTargetMemory() { SetRegisterBlock(nullptr); }
    // Before the target runs: values to compare with; editing ends.
    void TakeSnapshot();
    // After a stop: editing allowed; repaints.
    void ShowStopped();

    void SetFont(const LOGFONT& font);
    // Index as ColourIndex; any other index is refused with a warning.
    void SetColor(int index, COLORREF colour);

    const ide::RegisterModel& Model() const { return model_; }
    int CharWidth() const { return char_width_; }
    int LineHeight() const { return line_height_; }

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT character, UINT repeat, UINT flags);
    afx_msg void OnUndo();
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    DECLARE_MESSAGE_MAP()

private:
    void MakeFont();
    void PlaceCaret();
    void Changed();

    ide::RegisterModel model_;
    LOGFONT font_desc_{};
    CFont font_;
    int char_width_ = 8;
    int line_height_ = 16;
    bool has_focus_ = false;
    COLORREF static_colour_ = RGB(0, 0, 0);
    COLORREF unchanged_colour_ = RGB(0, 0, 0);
    COLORREF changed_colour_ = RGB(255, 0, 0);
    COLORREF background_;
};
