#pragma once
// MDI children of the toolkit's frame: SECMDIChildWnd with its own filter
// tree for caption buttons, and SECControlBarMDIChildWnd, which hosts one
// control bar in an embedded dock bar so that a docking window can live in
// the MDI area. The IDE's document frames derive from SECWorksheet (workbook.h).
#include <memory>

#include "platform/afx/afx.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/msg_filter.h"

class SECMDIChildWnd : public CMDIChildWnd {
    DECLARE_DYNCREATE(SECMDIChildWnd)
public:
    SECMDIChildWnd();
    ~SECMDIChildWnd() override;

    BOOL LoadFrame(UINT resource_id, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    // Bit 0 turns the caption filters on; bits 1-3 keep the buttons off.
    virtual void EnableCaptionFilters(UINT flags);
    SECMsgFilter* GetRootFilter() const { return root_filter_.get(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // In a frame with a menu bar the child's menu shows there, not in the window.
    void OnUpdateFrameMenu(BOOL active, CWnd* activated, HMENU alternate_menu) override;
    virtual void RefreshFrameMenu(CWnd* activated);
    // The resource id of the menu the frame's menu bar shows for this child (0 outside menu-bar mode).
    UINT GetMenuBarMenuId() const { return m_nMenuBarMenuId; }
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
    afx_msg int OnMouseActivate(CWnd* top, UINT hit, UINT message);

protected:
    DECLARE_MESSAGE_MAP()
    UINT m_nMenuBarMenuId = 0;
    BOOL m_bUsesMenuBar = FALSE;  // the menu comes from the document template
    HMENU m_hSavedAltMenu = nullptr;

private:
    // Takes the activation back from a dockable frame of the main frame.
    void take_activation();
    std::unique_ptr<SECMsgFilter> root_filter_;
    SECMsgFilter::DescriptorTable filter_table_;
};

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

class SECControlBarMDIChildWnd : public SECBarHostChild<SECMDIChildWnd> {
    DECLARE_DYNCREATE(SECControlBarMDIChildWnd)
};
