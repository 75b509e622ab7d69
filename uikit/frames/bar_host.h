#pragma once
// A control bar living in the MDI area: the MDI child that hosts it holds an
// embedded dock bar and lets the bar fill it.
#include "platform/afx/afx.h"
#include "uikit/frames/dock_bar.h"

// What an MDI child that hosts one control bar holds and does: the embedded
// dock bar (part of the main frame's docking), the bar filling the child, and
// closing that hides the bar instead of destroying it. The plain bar child and
// the workbook's bar sheet are both one.
class SECBarHost {
public:
    SECBarHost() : m_wndDockBar(TRUE, TRUE) {}
    virtual ~SECBarHost() = default;
    SECDockBar m_wndDockBar;
    // The one bar it hosts, or null.
    CControlBar* GetHostedBar() const;
    virtual CMDIChildWnd* GetHostFrame() = 0;

protected:
    // The steps of the child's handlers; host_close is FALSE when the child should close as usual.
    static void host_pre_create(CREATESTRUCT& cs);
    BOOL host_create_client();
    void host_size(UINT type, int cx, int cy);
    BOOL host_close();
    void host_window_pos_changed(const WINDOWPOS* pos);
};

// The bar host behind an MDI child, or null.
inline SECBarHost* sec_bar_host(CWnd* wnd) { return dynamic_cast<SECBarHost*>(wnd); }

// An MDI child class that is a bar host: the steps above run in its creation
// and in its handling of WM_SIZE, WM_CLOSE and WM_WINDOWPOSCHANGED.
template <class Base>
class SECBarHostChild : public Base, public SECBarHost {
public:
    CMDIChildWnd* GetHostFrame() override { return this; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        if (!Base::PreCreateWindow(cs)) return FALSE;
        host_pre_create(cs);
        return TRUE;
    }
    BOOL OnCreateClient(CREATESTRUCT*, CCreateContext*) override { return host_create_client(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_SIZE: host_size(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); break;
            case WM_CLOSE:
                if (host_close()) return 0;
                break;
            case WM_WINDOWPOSCHANGED: host_window_pos_changed(reinterpret_cast<const WINDOWPOS*>(lParam)); break;
            case WM_SHOWWINDOW: {
                // Shown or hidden, the child comes into or leaves the frame's window list.
                const LRESULT result = Base::WindowProc(message, wParam, lParam);
                ::PostMessage(::GetParent(this->m_hWnd), WM_MDIREFRESHMENU, 0, 0);
                return result;
            }
            default: break;
        }
        return Base::WindowProc(message, wParam, lParam);
    }
};
