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
    afx_msg void OnDestroy();

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<SECMsgFilter> root_filter_;
    SECMsgFilter::DescriptorTable filter_table_;
};

class SECControlBarMDIChildWnd : public SECMDIChildWnd {
    DECLARE_DYNCREATE(SECControlBarMDIChildWnd)
public:
    SECControlBarMDIChildWnd() : m_wndDockBar(TRUE, TRUE) {}
    SECDockBar m_wndDockBar;
    // The one bar it hosts, or null.
    CControlBar* GetHostedBar() const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context) override;
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);

protected:
    DECLARE_MESSAGE_MAP()
};
