#pragma once
// The options sheet's own pages: "General" (recent lists, tabs and comment
// markers of a file type) and "Syntax Format" (colours and font of each file
// type). Both write the profile only on OK or Apply, then tell the main window
// to apply the settings to the open documents.
#include <array>

#include "ide/shell/dialogs/options_settings.h"
#include "platform/afx/afx.h"

namespace profile {
class Store;
}

namespace ide {

class CVyrEditorPage : public CPropertyPage {
public:
    explicit CVyrEditorPage(profile::Store& profile);

protected:
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnFileTypeChosen();
    DECLARE_MESSAGE_MAP()

private:
    void Show(const EditorPageValues& values);
    EditorPageValues Read() const;
    const char* ShownSection() const { return SectionForFileType(kOptionFileTypes[shown_type_]); }
    profile::Store& profile_;
    std::size_t shown_type_ = 0;
    bool stored_keep_tabs_ = true;  // of the type on show, as loaded or last applied
};

// The "Sample" box: a few lines drawn in a file type's font and colours.
class FormatSample : public CWnd {
public:
    void Show(const FormatRecord& record, bool assembler);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    FormatRecord record_;
    bool assembler_ = false;
};

class CVyrOptionFormatPage : public CPropertyPage {
public:
    // `window_colour`: the system's, which the default background follows.
    CVyrOptionFormatPage(profile::Store& profile, COLORREF window_colour);
    const FormatRecord& Record(std::size_t type) const { return records_[type]; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnFileTypeChosen();
    afx_msg void OnClassChosen();
    afx_msg void OnColourChosen();
    afx_msg void OnBackgroundChosen();
    afx_msg void OnFontChosen();
    afx_msg void OnStyleChosen();
    afx_msg void OnSizeChosen();
    afx_msg void OnDefaults();
    DECLARE_MESSAGE_MAP()

private:
    void FillColourCombo(int id);
    void FillFontNames();
    void ShowRecord();
    void ShowClassColour();
    void ShowFontSize();
    void Changed();
    int Chosen(int id) const;
    std::string ChosenText(int id) const;
    FormatRecord& Shown() { return records_[type_]; }
    SyntaxClass ShownClass() const { return static_cast<SyntaxClass>(class_); }

    profile::Store& profile_;
    COLORREF window_colour_;
    std::array<FormatRecord, 2> records_;  // by file type
    std::size_t type_ = 0;
    int class_ = 0;
    CImageList swatches_;
    FormatSample sample_;
};

}  // namespace ide
