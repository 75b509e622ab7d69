#pragma once
// Selects a font (or the default GUI font for none) into a DC for one scope.
#include "platform/afx/afx.h"

class FontSelection {
public:
    FontSelection(CDC* dc, CFont* font) : dc_(dc) {
        old_ = dc->SelectObject(font && font->m_hObject ? font->m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
    }
    ~FontSelection() { dc_->SelectObject(old_); }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

private:
    CDC* dc_;
    HGDIOBJ old_;
};
