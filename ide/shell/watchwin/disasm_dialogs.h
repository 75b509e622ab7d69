#pragma once
// The disassembly window's two small dialogs: the address range to
// disassemble, and the address of a temporary breakpoint.
#include <cstdint>

#include "platform/afx/afx.h"

// "Disassembly": a start and an end address, converted by the caller.
class CVyrDisasmInputDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 260;
    static constexpr int kStartEdit = 1062;
    static constexpr int kEndEdit = 1064;

    explicit CVyrDisasmInputDlg(CWnd* parent = nullptr);

    CString m_start;
    CString m_end;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};

// "Add Disassembly BreakPoint": one address of at most eight characters.
class CVyrDisasmAddBPDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 272;
    static constexpr int kAddressEdit = 1114;
    static constexpr int kMaxChars = 8;

    explicit CVyrDisasmAddBPDlg(CWnd* parent = nullptr);

    // The text as a number: decimal, or hexadecimal after "0x"; never above 0xFFFF.
    std::uint32_t GetAddress() const;

    CString m_address;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
};
