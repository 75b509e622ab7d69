#pragma once
// CColorDialog: asks for a colour as its red, green and blue parts (0-255).
// A test's script answers it like any template dialog: it sets the three
// edits and answers IDOK.
#include "platform/afx/wnd.h"

class CColorDialog {
public:
    enum : UINT { kRedEdit = 0x4A0, kGreenEdit = 0x4A1, kBlueEdit = 0x4A2 };
    static constexpr unsigned kTemplateId = 0x7FF3;

    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr)
        : color_(initial), parent_(parent) {}
    // IDOK with the colour chosen, IDCANCEL with the colour unchanged.
    int DoModal();
    COLORREF GetColor() const { return color_; }

private:
    COLORREF color_;
    CWnd* parent_;
};
