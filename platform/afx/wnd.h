#pragma once
// CWnd: a C++ object attached to a window handle. Windows of the framework's
// classes are attached before their first message; other windows (controls,
// dialogs) are subclassed when wrapped. Messages go through the object's
// message map, then to the window's own procedure.
#include <exception>

#include "platform/afx/afx_messages.h"
#include "platform/afx/byte_string.h"
#include "platform/afx/cmd_target.h"
#include "platform/afx/gdi_wrappers.h"
#include "platform/afx/geometry.h"
#include "platform/user/user.h"

class CException;
class CMenu;
class CScrollBar;
class CFrameWnd;
struct CCreateContext;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;  // destroys a window still attached
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to `hwnd`, or a temporary wrapper until the next idle time.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Routes an existing window through this object: its procedure becomes the
    // framework's and the old one is called for what the map leaves.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // A child window; classes with windows of their own kind declare their own Create.
    BOOL Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CCreateContext* context = nullptr);
    BOOL CreateEx(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y, int cx, int cy,
                  HWND parent, HMENU menu_or_id, void* param = nullptr);
    BOOL CreateEx(DWORD ex_style, const char* class_name, const char* title, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void* param = nullptr);
    virtual BOOL DestroyWindow();
    // This object as a modeless dialog from a template (a child when the template says so).
    BOOL CreateDlg(const char* template_name, CWnd* parent);

    // ---- message handling ----
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();  // DefWindowProc with the message being handled
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Offered a notification this control sent its parent; TRUE when handled.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    // Called for WM_IDLEUPDATECMDUI by control bars and frames.
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {}
    static const MSG* GetCurrentMessage();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }
    // To every child (and all their descendants when `deep`); permanent objects
    // only when `permanent_only`, as the idle update does.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                  BOOL permanent_only = FALSE) const;
    // Enables or disables this window's child controls by the command handlers `target` offers.
    void UpdateDialogControls(CCmdTarget* target, BOOL disable_if_no_handler);

    // ---- tree and frames ----
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* parent) { return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr)); }
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner) { owner_ = owner ? owner->m_hWnd : nullptr; }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int id) { return int(::SetWindowLong(m_hWnd, GWL_ID, id)); }
    CWnd* GetWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetNextWindow(UINT relation = GW_HWNDNEXT) const { return GetWindow(relation); }
    BOOL IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd); }
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetTopLevelParent() const;
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

    // ---- state and geometry ----
    DWORD GetStyle() const { return DWORD(::GetWindowLong(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return DWORD(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }
    // The style with `remove` cleared and `add` set; with SWP flags the frame is recalculated.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swp_flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swp_flags = 0);
    void SetWindowText(const char* text) { ::SetWindowText(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    CString GetWindowText() const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void GetClientRect(RECT* out) const { ::GetClientRect(m_hWnd, out); }
    void GetWindowRect(RECT* out) const { ::GetWindowRect(m_hWnd, out); }
    void ClientToScreen(POINT* p) const { ::ClientToScreen(m_hWnd, p); }
    void ClientToScreen(RECT* r) const;
    void ScreenToClient(POINT* p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(RECT* r) const;
    void MapWindowPoints(CWnd* to, RECT* r) const;
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) { ::MoveWindow(m_hWnd, x, y, cx, cy, repaint); }
    void MoveWindow(const RECT* r, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
    void CenterWindow(CWnd* alternate_owner = nullptr);
    // The window rectangle for a client rectangle, by the window's styles.
    virtual void CalcWindowRect(RECT* client_rect, UINT adjust_type = 0);
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* r, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, r, erase); }
    void ValidateRect(const RECT* r) { ::ValidateRect(m_hWnd, r); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(const RECT* r = nullptr, CRgn* region = nullptr, UINT flags = RDW_INVALIDATE | RDW_ERASE);
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    int ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    // ---- scrolling ----
    // The scroll-bar control that stands for this window's bar; the base has none.
    virtual CScrollBar* GetScrollBarCtrl(int bar) const { return nullptr; }
    int GetScrollPos(int bar) const;
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    void SetScrollRange(int bar, int min, int max, BOOL redraw = TRUE);
    void GetScrollRange(int bar, int* min, int* max) const;
    BOOL SetScrollInfo(int bar, SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, SCROLLINFO* info, UINT mask = SIF_ALL);
    void ScrollWindow(int dx, int dy, const RECT* scroll = nullptr, const RECT* clip = nullptr) {
        ::ScrollWindow(m_hWnd, dx, dy, scroll, clip);
    }
    int ScrollWindowEx(int dx, int dy, const RECT* scroll, const RECT* clip, CRgn* update_region, RECT* update,
                       UINT flags) {
        return ::ScrollWindowEx(m_hWnd, dx, dy, scroll, clip,
                                update_region ? static_cast<HRGN>(update_region->GetSafeHandle()) : nullptr, update,
                                flags);
    }

    // ---- layout of control bars ----
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    // Lays out the children with ids first..last by WM_SIZEPARENT, then gives
    // what is left to `id_left_over`. In query mode nothing moves and `rect`
    // receives the area that would be left.
    void RepositionBars(UINT first, UINT last, UINT id_left_over, UINT flags = reposDefault, RECT* rect = nullptr,
                        const RECT* client = nullptr, BOOL stretch = TRUE);

    // ---- tool tips ----
    struct ToolHit {
        UINT id = 0;
        RECT rect{};
        CString text;
    };
    BOOL EnableToolTips(BOOL enable = TRUE);
    // The tool under `point` (client coordinates): its id, or -1 when none.
    virtual int OnToolHitTest(CPoint point, ToolHit* hit) const;
    // The tip text of the tool under the mouse for a mouse message; empty when none.
    CString FilterToolTipMessage(const MSG* msg);

    // ---- creation hooks ----
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow() {}
    // Called after the last message; frames and views delete themselves here.
    virtual void PostNcDestroy() {}
    virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }

    // Default handlers; a class's message map routes to them with ON_WM_ entries.
    afx_msg void OnNcDestroy();
#include "platform/afx/wnd_handlers.inc"

protected:
    WNDPROC m_pfnSuper = nullptr;
    BOOL tool_tips_enabled_ = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    HWND owner_ = nullptr;
    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
};

// The procedure of every window class the framework registers.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Hands a message to `wnd`'s WindowProc: the framework's error boundary.
LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// What the boundary does with a handler's exception: reports it (a CUserException
// was reported already), deletes a CException, and gives the message's default
// result (-1 for WM_CREATE; a WM_PAINT validates the window).
LRESULT AfxStopWndProcException(const MSG& msg, std::exception_ptr error);
LRESULT AfxProcessWndProcException(CException* e, const MSG* msg);
// Registers (once) a class served by AfxWndProc and returns its name.
const char* AfxRegisterWndClass(UINT class_style, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                HICON icon = nullptr);
// Makes the next window created on this thread attach to `wnd` before its first message.
void AfxHookWindowCreate(CWnd* wnd);
BOOL AfxUnhookWindowCreate();
// Ends the message loop's temporary wrappers of windows and drawing objects.
void AfxDeleteTempMaps();

inline CPoint AfxPointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
CScrollBar* AfxScrollBarOf(LPARAM lParam);

#include "platform/afx/wnd_message_map.h"
