#pragma once
// CVyrRegWndBar: the docking register bar: a 2-D tab window holding two
// identical register panes, "Registers 1" and "Registers 2". Its context
// menu adds "Clear".
#include <array>
#include <cstdint>

#include "ide/shell/memwin/register_wnd.h"
#include "uikit/controls/tab_wnd.h"
#include "uikit/frames/control_bar.h"

class CVyrRegWndBar : public SECControlBar {
    DECLARE_DYNAMIC(CVyrRegWndBar)
public:
    static constexpr UINT kTabWndId = 0xE900;
    static constexpr UINT kFirstPaneId = 3095;
    static constexpr DWORD kPaneStyle = 0x50001044;
    static constexpr UINT kClearCommand = 32913;
    static constexpr std::array<const char*, 2> kLabels{"Registers 1", "Registers 2"};

    CVyrRegWndBar();

    CRegisterWnd& Pane(int index) { return panes_[std::size_t(index)]; }
    SECTabWnd& TabWnd() { return tabs_; }

    // The debug window services, for both panes.
    void SetRegisterBlock(std::uint8_t* block);
    void DropTargetMemory() { SetRegisterBlock(nullptr); }
    void TakeSnapshot();
    void ShowStopped();

    void OnExtendContextMenu(CMenu* menu) override;

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    SECTabWnd tabs_;
    std::array<CRegisterWnd, 2> panes_;
};
