#pragma once
// Wrappers of the common controls: each Create makes the control of its
// class, and the members send the control's messages.
#include "platform/afx/wnd.h"
#include "platform/user/common_controls.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A tool over `rect` of `wnd` (or the whole window for a null rect) with the text or LPSTR_TEXTCALLBACK.
    BOOL AddTool(CWnd* wnd, const char* text, const RECT* rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id = 0);
    void Activate(BOOL active) { SendMessage(TTM_ACTIVATE, active); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void SetDelayTime(UINT delay_ms) { SendMessage(TTM_SETDELAYTIME, 0, LPARAM(delay_ms)); }
    int GetToolCount() const { return int(SendMessage(TTM_GETTOOLCOUNT)); }
    void Pop() { SendMessage(TTM_POP); }

private:
    TOOLINFO tool_for(CWnd* wnd, UINT_PTR id) const;
};

class CStatusBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CStatusBarCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(STATUSCLASSNAME, nullptr, style, rect, parent, id);
    }
    BOOL SetParts(int count, const int* right_edges) {
        return BOOL(SendMessage(SB_SETPARTS, WPARAM(count), reinterpret_cast<LPARAM>(right_edges)));
    }
    BOOL SetText(const char* text, int part, int type = 0) {
        return BOOL(SendMessage(SB_SETTEXT, WPARAM(part | type), reinterpret_cast<LPARAM>(text)));
    }
    CString GetText(int part) const;
    void SetSimple(BOOL simple = TRUE) { SendMessage(SB_SIMPLE, simple); }
    void SetMinHeight(int height) { SendMessage(SB_SETMINHEIGHT, WPARAM(height)); }
    BOOL GetRect(int part, RECT* out) const {
        return BOOL(SendMessage(SB_GETRECT, WPARAM(part), reinterpret_cast<LPARAM>(out)));
    }
};

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(WC_TABCONTROL, nullptr, style, rect, parent, id);
    }
    int InsertItem(int index, const char* text, int image = -1);
    BOOL DeleteItem(int index) { return BOOL(SendMessage(TCM_DELETEITEM, WPARAM(index))); }
    BOOL DeleteAllItems() { return BOOL(SendMessage(TCM_DELETEALLITEMS)); }
    int GetItemCount() const { return int(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return int(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) { return int(SendMessage(TCM_SETCURSEL, WPARAM(index))); }
    BOOL GetItemRect(int index, RECT* out) const {
        return BOOL(SendMessage(TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(out)));
    }
    // The display area for a window rectangle (larger FALSE), or the other way round.
    void AdjustRect(BOOL larger, RECT* rect) { SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect)); }
    BOOL GetItem(int index, TCITEM* item) const {
        return BOOL(SendMessage(TCM_GETITEM, WPARAM(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, TCITEM* item) {
        return BOOL(SendMessage(TCM_SETITEM, WPARAM(index), reinterpret_cast<LPARAM>(item)));
    }
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(TRACKBAR_CLASS, nullptr, style, rect, parent, id);
    }
    void SetRange(int min, int max, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGE, redraw, MAKELPARAM(min, max)); }
    int GetRangeMin() const { return int(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return int(SendMessage(TBM_GETRANGEMAX)); }
    int GetPos() const { return int(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, LPARAM(pos)); }
    int SetPageSize(int size) { return int(SendMessage(TBM_SETPAGESIZE, 0, LPARAM(size))); }
    int SetLineSize(int size) { return int(SendMessage(TBM_SETLINESIZE, 0, LPARAM(size))); }
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(PROGRESS_CLASS, nullptr, style, rect, parent, id);
    }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, WPARAM(lower), LPARAM(upper)); }
    int SetPos(int pos) { return int(SendMessage(PBM_SETPOS, WPARAM(pos))); }
    int GetPos() const { return int(SendMessage(PBM_GETPOS)); }
    int OffsetPos(int delta) { return int(SendMessage(PBM_DELTAPOS, WPARAM(delta))); }
    int SetStep(int step) { return int(SendMessage(PBM_SETSTEP, WPARAM(step))); }
    int StepIt() { return int(SendMessage(PBM_STEPIT)); }
};

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(UPDOWN_CLASS, nullptr, style, rect, parent, id);
    }
    void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, WPARAM(lower), LPARAM(upper)); }
    int SetPos32(int pos) { return int(SendMessage(UDM_SETPOS32, 0, LPARAM(pos))); }
    int GetPos32(BOOL* error = nullptr) const {
        return int(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
    }
    CWnd* SetBuddy(CWnd* buddy) {
        return FromHandle(reinterpret_cast<HWND>(
            SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
    }
    CWnd* GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
    int SetBase(int base) { return int(SendMessage(UDM_SETBASE, WPARAM(base))); }
};
