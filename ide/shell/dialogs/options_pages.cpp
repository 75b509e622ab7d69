#include "ide/shell/dialogs/options_pages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/directory_page.h"
#include "platform/user/image_combo_box.h"
#include "platform/user/up_down.h"

namespace ide {

using namespace dlg;

namespace {

// No swatch has this colour: where the list would draw it, the field shows through.
constexpr COLORREF kSwatchMask = 0xFF8080;
constexpr std::array<int, 4> kCommentFields = {kCommentStart1, kCommentEnd1, kCommentStart2, kCommentEnd2};

// A number field's value kept inside its range (an empty field is the lowest).
int ReadNumber(HWND page, int id, int low, int high) {
    BOOL translated = FALSE;
    const UINT value = ::GetDlgItemInt(page, id, &translated, FALSE);
    return translated ? int(std::clamp<UINT>(value, UINT(low), UINT(high))) : low;
}

std::string ReadText(HWND page, int id) {
    char buffer[256] = "";
    ::GetDlgItemText(page, id, buffer, sizeof buffer);
    return buffer;
}

void FillFileTypes(HWND page, std::size_t selected) {
    HWND combo = ::GetDlgItem(page, kOptionFileType);
    for (const char* name : kOptionFileTypes) ::SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessage(combo, CB_SETCURSEL, WPARAM(selected), 0);
}

void SetSpinRange(HWND page, int spin, int low, int high) {
    ::SendDlgItemMessage(page, spin, UDM_SETRANGE32, WPARAM(low), LPARAM(high));
}

}  // namespace

// ---- "General" -----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CVyrEditorPage, CPropertyPage)
ON_CONTROL(CBN_SELCHANGE, kOptionFileType, OnFileTypeChosen)
END_MESSAGE_MAP()

CVyrEditorPage::CVyrEditorPage(profile::Store& profile) : CPropertyPage(kEditorOptionsPage), profile_(profile) {}

BOOL CVyrEditorPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    SetSpinRange(m_hWnd, kRecentFilesSpin, 0, kLargestRecentList);
    SetSpinRange(m_hWnd, kRecentProjectsSpin, 0, kLargestRecentList);
    SetSpinRange(m_hWnd, kTabSizeSpin, 1, kLargestTabSize);
    FillFileTypes(m_hWnd, shown_type_);
    Show(LoadEditorPageValues(profile_, ShownSection()));
    return TRUE;
}

void CVyrEditorPage::Show(const EditorPageValues& values) {
    stored_keep_tabs_ = values.keep_tabs;
    ::SetDlgItemInt(m_hWnd, kRecentFiles, UINT(values.recent_files), FALSE);
    ::SetDlgItemInt(m_hWnd, kRecentProjects, UINT(values.recent_projects), FALSE);
    ::SetDlgItemInt(m_hWnd, kTabSize, UINT(values.tab_size), FALSE);
    ::CheckDlgButton(m_hWnd, kKeepTabs, values.keep_tabs ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, kInsertSpaces, values.keep_tabs ? BST_UNCHECKED : BST_CHECKED);
    for (std::size_t i = 0; i < kCommentFields.size(); ++i)
        ::SetDlgItemText(m_hWnd, kCommentFields[i], values.comments[i].c_str());
}

EditorPageValues CVyrEditorPage::Read() const {
    EditorPageValues values;
    values.recent_files = ReadNumber(m_hWnd, kRecentFiles, 0, kLargestRecentList);
    values.recent_projects = ReadNumber(m_hWnd, kRecentProjects, 0, kLargestRecentList);
    values.tab_size = ReadNumber(m_hWnd, kTabSize, 1, kLargestTabSize);
    values.keep_tabs = ::IsDlgButtonChecked(m_hWnd, kInsertSpaces) != BST_CHECKED;
    for (std::size_t i = 0; i < kCommentFields.size(); ++i) values.comments[i] = ReadText(m_hWnd, kCommentFields[i]);
    return values;
}

BOOL CVyrEditorPage::OnApply() {
    const EditorPageValues values = Read();
    SaveEditorPageValues(profile_, ShownSection(), values);
    Show(values);  // numbers brought into their ranges show as saved
    TellMainWindowOptionsChanged();
    return CPropertyPage::OnApply();
}

BOOL CVyrEditorPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    // Choosing a file type shows its settings: that is no change.
    if (id == kOptionFileType) return CDialog::OnCommand(wParam, lParam);
    // A tabs choice is a change only when it differs from the type's stored one.
    if (id == kKeepTabs || id == kInsertSpaces) {
        if (HIWORD(wParam) == BN_CLICKED && (id == kKeepTabs) != stored_keep_tabs_) SetModified(TRUE);
        return CDialog::OnCommand(wParam, lParam);
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CVyrEditorPage::OnFileTypeChosen() {
    const LRESULT chosen = ::SendDlgItemMessage(m_hWnd, kOptionFileType, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || std::size_t(chosen) >= kOptionFileTypes.size() || std::size_t(chosen) == shown_type_) return;
    if (IsModified()) {
        CString question;
        question.LoadString(kSaveTypeQuestion);
        char text[256];
        std::snprintf(text, sizeof text, question.str().c_str(), kOptionFileTypes[shown_type_]);
        // Yes keeps the changes under the type they were made for.
        if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES) OnApply();
    }
    shown_type_ = std::size_t(chosen);
    Show(LoadEditorPageValues(profile_, ShownSection()));
    SetModified(FALSE);
}

// ---- the sample ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(FormatSample, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void FormatSample::Show(const FormatRecord& record, bool assembler) {
    record_ = record;
    assembler_ = assembler;
    if (m_hWnd) Invalidate();
}

void FormatSample::OnPaint() {
    CPaintDC dc(this);
    CRect area;
    GetClientRect(&area);
    auto shown = [](COLORREF colour) { return colour & 0x00FFFFFF; };
    dc.FillSolidRect(&area, shown(record_.background));

    LOGFONT look{};
    look.lfHeight = -(record_.font_size * dc.GetDeviceCaps(LOGPIXELSY) + 36) / 72;
    const FontStyle style = StyleFromText(record_.style);
    look.lfWeight = style.weight;
    look.lfItalic = BYTE(style.italic);
    look.lfPitchAndFamily = FIXED_PITCH;
    std::strncpy(look.lfFaceName, record_.font_name.c_str(), LF_FACESIZE - 1);
    CFont font;
    font.CreateFontIndirect(&look);
    CFont* before = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);

    struct Piece {
        SyntaxClass kind;
        const char* text;
    };
    using Line = std::array<Piece, 3>;
    static constexpr std::array<Line, 2> kC = {Line{{{SyntaxClass::keyword, "int"},
                                                     {SyntaxClass::default_text, " total = 0; "},
                                                     {SyntaxClass::comment, "/* sum */"}}},
                                               Line{{{SyntaxClass::default_text, "puts("},
                                                     {SyntaxClass::quote, "\"Hello\""},
                                                     {SyntaxClass::default_text, ");"}}}};
    static constexpr std::array<Line, 2> kAsm = {
        Line{{{SyntaxClass::keyword, "lda"}, {SyntaxClass::default_text, " #$00 "}, {SyntaxClass::comment, "; clear"}}},
        Line{{{SyntaxClass::keyword, ".byte"}, {SyntaxClass::default_text, " "}, {SyntaxClass::quote, "\"Hello\""}}}};
    int y = 2;
    for (const Line& line : assembler_ ? kAsm : kC) {
        int x = 4;
        for (const Piece& piece : line) {
            dc.SetTextColor(shown(record_.colour(piece.kind)));
            const int length = int(std::strlen(piece.text));
            dc.TextOut(x, y, piece.text, length);
            x += dc.GetTextExtent(piece.text, length).cx;
        }
        y += dc.GetTextExtent("X", 1).cy + 2;
    }
    dc.SelectObject(before);
}

// ---- "Syntax Format" -------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CVyrOptionFormatPage, CPropertyPage)
ON_CONTROL(CBN_SELCHANGE, kOptionFileType, OnFileTypeChosen)
ON_CONTROL(LBN_SELCHANGE, kSyntaxClassList, OnClassChosen)
ON_CONTROL(CBN_SELCHANGE, kClassColour, OnColourChosen)
ON_CONTROL(CBN_SELCHANGE, kBackgroundColour, OnBackgroundChosen)
ON_CONTROL(CBN_SELCHANGE, kFontName, OnFontChosen)
ON_CONTROL(CBN_SELCHANGE, kFontStyle, OnStyleChosen)
ON_CONTROL(CBN_SELCHANGE, kFontSize, OnSizeChosen)
ON_CONTROL(BN_CLICKED, kFormatDefaults, OnDefaults)
END_MESSAGE_MAP()

CVyrOptionFormatPage::CVyrOptionFormatPage(profile::Store& profile, COLORREF window_colour)
    : CPropertyPage(kFormatOptionsPage), profile_(profile), window_colour_(window_colour) {}

BOOL CVyrOptionFormatPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    FillFileTypes(m_hWnd, type_);
    HWND classes = ::GetDlgItem(m_hWnd, kSyntaxClassList);
    for (const char* name : kSyntaxClassNames) ::SendMessage(classes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessage(classes, LB_SETCURSEL, WPARAM(class_), 0);
    FillColourCombo(kClassColour);
    FillColourCombo(kBackgroundColour);
    FillFontNames();
    for (const char* style : kFontStyles)
        ::SendDlgItemMessage(m_hWnd, kFontStyle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(style));
    for (int size : FontSizes())
        ::SendDlgItemMessage(m_hWnd, kFontSize, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(std::to_string(size).c_str()));
    for (std::size_t i = 0; i < records_.size(); ++i)
        records_[i] = LoadFormat(profile_, SectionForFileType(kOptionFileTypes[i]), window_colour_);
    sample_.SubclassDlgItem(kSampleBox, this);
    ShowRecord();
    return TRUE;
}

void CVyrOptionFormatPage::FillColourCombo(int id) {
    constexpr int kWidth = 20, kHeight = 12;
    if (!swatches_.m_hImageList) {
        swatches_.Create(kWidth, kHeight, ILC_COLOR24 | ILC_MASK, int(kPalette.size()), 0);
        CClientDC screen(this);
        CDC canvas;
        canvas.CreateCompatibleDC(&screen);
        CBitmap strip;
        strip.CreateCompatibleBitmap(screen, kWidth * int(kPalette.size()), kHeight);
        CBitmap* before = canvas.SelectObject(&strip);
        for (std::size_t i = 0; i < kPalette.size(); ++i) {
            const CRect swatch(int(i) * kWidth, 0, int(i + 1) * kWidth, kHeight);
            const bool automatic = kPalette[i] == kAutomaticColour;
            canvas.FillSolidRect(&swatch, automatic ? RGB(255, 255, 255) : kPalette[i]);
            if (automatic) {  // no colour of its own: a crossed box
                ::MoveToEx(canvas, swatch.left, swatch.top, nullptr);
                ::LineTo(canvas, swatch.right, swatch.bottom);
                ::MoveToEx(canvas, swatch.left, swatch.bottom - 1, nullptr);
                ::LineTo(canvas, swatch.right, swatch.top - 1);
            }
            canvas.Draw3dRect(&swatch, RGB(0, 0, 0), RGB(0, 0, 0));
        }
        canvas.SelectObject(before);
        swatches_.Add(&strip, kSwatchMask);
    }
    HWND combo = ::GetDlgItem(m_hWnd, id);
    ::SendMessage(combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(swatches_.m_hImageList));
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = -1;
        item.pszText = const_cast<char*>(kPaletteNames[i]);
        item.iImage = item.iSelectedImage = int(i);
        ::SendMessage(combo, CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void CVyrOptionFormatPage::FillFontNames() {
    struct Listing {
        HWND combo;
    } listing{::GetDlgItem(m_hWnd, kFontName)};
    auto add = [](const LOGFONT* font, const TEXTMETRIC*, DWORD, std::intptr_t data) -> int {
        HWND combo = reinterpret_cast<Listing*>(data)->combo;
        if (IsEditorFont(*font) &&
            ::SendMessage(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(font->lfFaceName)) < 0)
            ::SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
        return 1;
    };
    LOGFONT filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    CClientDC dc(this);
    ::EnumFontFamiliesEx(dc.m_hDC, &filter, add, reinterpret_cast<std::intptr_t>(&listing), 0);
}

int CVyrOptionFormatPage::Chosen(int id) const {
    return int(::SendDlgItemMessage(m_hWnd, id, id == kSyntaxClassList ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

std::string CVyrOptionFormatPage::ChosenText(int id) const {
    const int chosen = Chosen(id);
    if (chosen < 0) return {};
    std::string text(std::size_t(::SendDlgItemMessage(m_hWnd, id, CB_GETLBTEXTLEN, WPARAM(chosen), 0)) + 1, '\0');
    ::SendDlgItemMessage(m_hWnd, id, CB_GETLBTEXT, WPARAM(chosen), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

void CVyrOptionFormatPage::ShowClassColour() {
    ::SendDlgItemMessage(m_hWnd, kClassColour, CB_SETCURSEL, WPARAM(PaletteIndex(Shown().colour(ShownClass()))), 0);
}

void CVyrOptionFormatPage::ShowFontSize() {
    HWND combo = ::GetDlgItem(m_hWnd, kFontSize);
    const std::string size = std::to_string(Shown().font_size);
    LRESULT at = ::SendMessage(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(size.c_str()));
    if (at < 0) {  // a size of the profile the list does not offer joins it in its place
        const int count = int(::SendMessage(combo, CB_GETCOUNT, 0, 0));
        int before = 0;
        for (; before < count; ++before) {
            char text[16] = "";
            ::SendMessage(combo, CB_GETLBTEXT, WPARAM(before), reinterpret_cast<LPARAM>(text));
            if (std::atoi(text) > Shown().font_size) break;
        }
        at = ::SendMessage(combo, CB_INSERTSTRING, WPARAM(before), reinterpret_cast<LPARAM>(size.c_str()));
    }
    ::SendMessage(combo, CB_SETCURSEL, WPARAM(at), 0);
}

void CVyrOptionFormatPage::ShowRecord() {
    const FormatRecord& record = Shown();
    ShowClassColour();
    ::SendDlgItemMessage(m_hWnd, kBackgroundColour, CB_SETCURSEL, WPARAM(PaletteIndex(record.background)), 0);
    ::SendDlgItemMessage(m_hWnd, kFontName, CB_SELECTSTRING, WPARAM(-1),
                         reinterpret_cast<LPARAM>(record.font_name.c_str()));
    const auto style = std::find(kFontStyles.begin(), kFontStyles.end(), record.style);
    ::SendDlgItemMessage(m_hWnd, kFontStyle, CB_SETCURSEL, WPARAM(style - kFontStyles.begin()), 0);
    ShowFontSize();
    sample_.Show(record, kOptionFileTypes[type_] == kAsmFilesType);
}

void CVyrOptionFormatPage::Changed() {
    sample_.Show(Shown(), kOptionFileTypes[type_] == kAsmFilesType);
    SetModified(TRUE);
}

BOOL CVyrOptionFormatPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Only choices that change a record mark the page (Changed); looking at a type or class does not.
    return CDialog::OnCommand(wParam, lParam);
}

void CVyrOptionFormatPage::OnFileTypeChosen() {
    const int chosen = Chosen(kOptionFileType);
    if (chosen < 0 || std::size_t(chosen) >= records_.size()) return;
    type_ = std::size_t(chosen);
    ShowRecord();
}

void CVyrOptionFormatPage::OnClassChosen() {
    const int chosen = Chosen(kSyntaxClassList);
    if (chosen < 0 || std::size_t(chosen) >= kSyntaxClassNames.size()) return;
    class_ = chosen;
    ShowClassColour();
}

void CVyrOptionFormatPage::OnColourChosen() {
    const int chosen = Chosen(kClassColour);
    if (chosen < 0) return;
    Shown().colour(ShownClass()) = kPalette[std::size_t(chosen)];
    Changed();
}

void CVyrOptionFormatPage::OnBackgroundChosen() {
    const int chosen = Chosen(kBackgroundColour);
    if (chosen < 0) return;
    Shown().background = kPalette[std::size_t(chosen)];
    Changed();
}

void CVyrOptionFormatPage::OnFontChosen() {
    const std::string name = ChosenText(kFontName);
    if (name.empty()) return;
    Shown().font_name = name.substr(0, kLongestFontName);
    Changed();
}

void CVyrOptionFormatPage::OnStyleChosen() {
    const int chosen = Chosen(kFontStyle);
    if (chosen < 0) return;
    Shown().style = kFontStyles[std::size_t(chosen)];
    Changed();
}

void CVyrOptionFormatPage::OnSizeChosen() {
    const int size = std::atoi(ChosenText(kFontSize).c_str());
    if (size <= 0) return;
    Shown().font_size = size;
    Changed();
}

void CVyrOptionFormatPage::OnDefaults() {
    records_.fill(DefaultFormat(window_colour_));
    ShowRecord();
    SetModified(TRUE);
}

BOOL CVyrOptionFormatPage::OnApply() {
    for (std::size_t i = 0; i < records_.size(); ++i)
        SaveFormat(profile_, SectionForFileType(kOptionFileTypes[i]), records_[i]);
    TellMainWindowOptionsChanged();
    return CPropertyPage::OnApply();
}

}  // namespace ide
