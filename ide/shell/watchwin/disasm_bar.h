#pragma once
// CVyrDisasmBar: the docking disassembly window: a 2-D tab window whose one
// tab, "Disassembly", is an output pane with marked lines. The debug manager
// writes into it through `Output()`; the stop's source line is drawn in
// blue, the PC's line in red, and lines at a breakpoint's address are framed
// in dark red.
#include <cstdint>
#include <set>
#include <string_view>
#include <utility>

#include "ide/debugger/disassembler.h"
#include "ide/shell/bars/info_wnd.h"
#include "ide/shell/bars/tabbed_pane_bar.h"
#include "uikit/controls/tab_wnd.h"

// The address a disassembly line starts with ("%04X: ..."), or -1.
int DisasmLineAddress(std::string_view line);

// The disassembly pane: the output pane that also frames breakpoint lines.
class CDisasmPane : public CInfoWnd {
    DECLARE_DYNAMIC(CDisasmPane)
public:
    static constexpr COLORREF kBreakpointColor = RGB(128, 0, 0);

    // Repaints only when the addresses changed (the debugger sets them at every breakpoint change and stop).
    void SetBreakAddresses(std::set<std::uint16_t> addresses);
    bool HasBreakAt(int line) const;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    std::set<std::uint16_t> breaks_;
};

class CVyrDisasmBar : public TabbedPaneBar {
    DECLARE_DYNAMIC(CVyrDisasmBar)
public:
    static constexpr UINT kPaneId = 1097;
    static constexpr UINT kTempBreakCommand = 32952;

    CVyrDisasmBar();

    CDisasmPane& Pane() { return pane_; }
    SECTabWnd& TabWnd() { return tabs_; }
    // Where the disassembler writes (the debug host's disassembly output).
    ide::DisassemblyPane& Output() { return output_; }

    void OnExtendContextMenu(CMenu* menu) override { AppendCommand(*menu, kTempBreakCommand); }

protected:
    SECTabWndBase& Tabs() override { return tabs_; }
    bool CreatePanes(const CREATESTRUCT& cs) override;

private:
    class PaneOutput final : public ide::DisassemblyPane {
    public:
        explicit PaneOutput(CDisasmPane& pane) : pane_(pane) {}
        void Clear() override { pane_.Clear(); }
        bool AddLine(std::string_view text) override { return pane_.AddLine(text) != FALSE; }
        void SetMarkLines(int first, int last, int pc) override { pane_.SetMarkLines(first, last, pc); }
        void SetBreakAddresses(std::set<std::uint16_t> addresses) override {
            pane_.SetBreakAddresses(std::move(addresses));
        }

    private:
        CDisasmPane& pane_;
    };

    SECTabWnd tabs_;
    CDisasmPane pane_;
    PaneOutput output_{pane_};
};
