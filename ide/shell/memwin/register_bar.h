#pragma once
// CVyrRegWndBar: the docking register bar: a 2-D tab window holding two
// identical register panes, "Registers 1" and "Registers 2". Its context
// menu adds "Clear".
#include <array>
#include <cstdint>

#include "ide/shell/bars/tabbed_pane_bar.h"
#include "ide/shell/memwin/register_wnd.h"
#include "uikit/controls/tab_wnd.h"

class CVyrRegWndBar : public TabbedPaneBar {
    DECLARE_DYNAMIC(CVyrRegWndBar)
public:
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

    void OnExtendContextMenu(CMenu* menu) override { AppendCommand(*menu, kClearCommand); }
    // Wide enough in a row to show every register line, with the bar's own edges and scroll bar.
    int MinDockedLength(bool horizontal) const override;

protected:
    SECTabWndBase& Tabs() override { return tabs_; }
    bool CreatePanes(const CREATESTRUCT& cs) override;

private:
    SECTabWnd tabs_;
    std::array<CRegisterWnd, 2> panes_;
};
