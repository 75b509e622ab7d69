#pragma once
// MDI children of the toolkit's frame: SECMDIChildWnd with its own filter
// tree for caption buttons, and SECControlBarMDIChildWnd, which hosts one
// control bar in an embedded dock bar so that a docking window can live in
// the MDI area. The IDE's document frames derive from SECWorksheet (workbook.h).
#include <memory>

#include "platform/afx/afx.h"
#include "uikit/frames/bar_host.h"
#include "uikit/frames/msg_filter.h"

class SECMDIChildWnd : public CMDIChildWnd, public SECFilterHost {
    DECLARE_DYNCREATE(SECMDIChildWnd)
public:
    SECMDIChildWnd();
    ~SECMDIChildWnd() override;

    BOOL LoadFrame(UINT resource_id, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    // Bit 0 turns the caption filters on; bits 1-3 keep the buttons off.
    virtual void EnableCaptionFilters(UINT flags);
    SECMsgFilter* GetRootFilter() const override { return root_filter_.get(); }

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

class SECControlBarMDIChildWnd : public SECBarHostChild<SECMDIChildWnd> {
    DECLARE_DYNCREATE(SECControlBarMDIChildWnd)
};
