#pragma once
// SECStdBtn: one button of a customisable toolbar. It knows its command, its
// image, its style and state word and its place in the toolbar; it measures
// and draws itself through an off-screen composition, tracks its pressed
// state and answers tooltip hit tests. Derived buttons (menu buttons, the
// menu bar's icon and caption buttons) replace single steps.
#include <vector>

#include "platform/afx/afx.h"

class SECBmpMgr;
class SECStdBtn;

// Style word: the low word is the button's kind, the high word its state.
constexpr UINT TBBS_BUTTON = 0x0;
constexpr UINT TBBS_SEPARATOR = 0x1;
constexpr UINT TBBS_CHECKBOX = 0x2;
constexpr UINT TBBS_GROUP = 0x4;
constexpr UINT TBBS_DROPDOWN = 0x8;
constexpr UINT TBBS_CHECKED = 0x10000;
constexpr UINT TBBS_PRESSED = 0x20000;
constexpr UINT TBBS_DISABLED = 0x40000;
constexpr UINT TBBS_HIDDEN = 0x80000;
constexpr UINT TBBS_INDETERMINATE = 0x100000;
constexpr UINT TBBS_WRAPPED = 0x200000;
constexpr UINT TBBS_SELECTED = 0x1000000;    // chosen while the toolbar is customised
constexpr UINT TBBS_RAISED = 0x2000000;      // under the mouse in the cool look
constexpr UINT TBBS_TEXT_MENU = 0x10000000;  // a text menu button: never disabled for want of a handler

// Button types.
constexpr UINT SEC_BTN_PLAIN = 0, SEC_BTN_MENU = 3, SEC_BTN_ICON = 4, SEC_BTN_CAPTION = 5;

// Toolbar notifications a button sends to its toolbar's owner (WM_NOTIFY):
// the header, the command id, the button's index and two words of the sender.
constexpr int TBN_DROPDOWN = -710;
struct SECNMToolBar {
    NMHDR hdr;
    int iItem;
    int index;
    UINT_PTR word1, word2;
};

// What a button's class makes: each button class has one record, and
// toolbars create buttons through it.
struct SECButtonClass {
    const char* name;
    SECStdBtn* (*create)();
};

// One button a toolbar can make by command id: the class that makes it, the
// style it starts with and what a menu button shows (menu, position, title and
// the bits of the menus it belongs to).
struct SECBtnDescriptor {
    const SECButtonClass* button_class = nullptr;
    UINT id = 0;
    UINT style = 0;
    UINT_PTR menu = 0;
    int position = 0;
    CString title;
    UINT bits = 0;
};
using SECBtnDescriptors = std::vector<SECBtnDescriptor>;

// A button as a toolbar saves it: its command id (0 a separator) and its own bytes.
struct SECBtnInfo {
    UINT id = 0;
    std::vector<BYTE> data;
};

// The brush that dithers checked images: face and highlight in a checkerboard.
HBRUSH sec_create_dither_brush();

// Black text and white background on a context while monochrome masks are
// blitted through it (mask 0 takes the text colour, 1 the background), put
// back as they were when it goes.
class SECMaskColours {
public:
    explicit SECMaskColours(HDC dc)
        : dc_(dc), text_(::SetTextColor(dc, RGB(0, 0, 0))), back_(::SetBkColor(dc, RGB(255, 255, 255))) {}
    ~SECMaskColours() {
        ::SetTextColor(dc_, text_);
        ::SetBkColor(dc_, back_);
    }
    SECMaskColours(const SECMaskColours&) = delete;
    SECMaskColours& operator=(const SECMaskColours&) = delete;

private:
    HDC dc_;
    COLORREF text_, back_;
};

// The off-screen drawing context of a toolbar paint: the image, mask and
// composition memory contexts and the dither brush of checked buttons.
class SECBtnDrawData {
public:
    SECBtnDrawData();
    ~SECBtnDrawData();
    SECBtnDrawData(const SECBtnDrawData&) = delete;
    SECBtnDrawData& operator=(const SECBtnDrawData&) = delete;

    // The dither brush is made of the face and highlight colours.
    void RebuildDitherBrush();
    // Makes the composition and mask bitmaps for buttons up to `width` by `height`.
    BOOL BeginPass(HDC screen, int width, int height);
    void EndPass();
    // Selects a strip into the image context, keeping the first bitmap that was there.
    void SelectImage(HBITMAP strip);

    HDC m_hdcImage = nullptr, m_hdcMask = nullptr, m_hdcCompose = nullptr;
    HBRUSH m_hbrDither = nullptr;

private:
    HBITMAP compose_ = nullptr, mask_ = nullptr;
    HGDIOBJ old_compose_ = nullptr, old_mask_ = nullptr, old_image_ = nullptr;
    bool image_selected_ = false;
};

// What a button asks of the toolbar it sits on (SECCustomToolBar answers):
// the button sees its toolbar through this alone.
class SECBtnHost {
public:
    // The toolbar's window: buttons invalidate their rectangle in it and notify its owner.
    virtual CWnd* GetHostWnd() = 0;
    // The image size of the current button size.
    virtual CSize GetImageSize() const = 0;
    virtual BOOL IsCoolLook() const = 0;
    // The cool look with buttons drawn over the bar's background.
    virtual BOOL IsTransparent() const = 0;
    virtual BOOL InCustomizeMode() const = 0;
    virtual SECBmpMgr* GetBmpMgr() const = 0;
    virtual int IndexOf(const SECStdBtn* button) const = 0;
    // Raises the toolbar's widest-button value to a button's width.
    virtual void FitBtnWidth(int width) = 0;
    // Sets and clears style bits of the buttons with the command id on every
    // toolbar of the frame; nothing when the toolbar has no manager.
    virtual void SetFrameBtnStyle(UINT id, UINT set, UINT clear) = 0;
    virtual void UpdateHotTracking() = 0;
    // Menu buttons: the font of their text, and dropping their popup.
    virtual CFont* GetTextFont() const = 0;
    virtual void TrackButtonMenu(SECStdBtn* button, UINT_PTR menu, int position) = 0;
    // Sends a drop-down button's notification, the toolbars taking no press meanwhile. The
    // handler may close the bar, and the button with it: FALSE then, and neither may be touched.
    virtual BOOL SendDropDown(SECStdBtn* button) = 0;

protected:
    ~SECBtnHost() = default;
};

class SECStdBtn {
public:
    SECStdBtn() = default;
    virtual ~SECStdBtn() = default;
    SECStdBtn(const SECStdBtn&) = delete;
    SECStdBtn& operator=(const SECStdBtn&) = delete;

    static const SECButtonClass kClass;

    UINT m_nID = 0;
    UINT m_nImage = 0;
    UINT m_nStyle = 0;
    int m_x = -1, m_y = -1;
    int m_cx = 23, m_cy = 22;
    UINT m_nType = SEC_BTN_PLAIN;
    SECBtnHost* m_pToolBar = nullptr;  // the owning toolbar

    virtual void SetMode(UINT mode) {}
    virtual void SetStyle(UINT style) { m_nStyle = style; }
    virtual UINT GetStyle() const { return m_nStyle; }
    virtual BOOL TestStyle(UINT mask) const { return (m_nStyle & mask) == mask; }
    virtual void SetPos(int x, int y) { m_x = x, m_y = y; }
    virtual void Invalidate(BOOL erase = FALSE) const;
    // Stores the toolbar and measures the button; `record` carries what a
    // derived button needs from its descriptor (null for a plain button).
    virtual void Init(SECBtnHost* toolbar, const SECBtnDescriptor* record);
    virtual BOOL CanDrag() const { return TRUE; }
    virtual void Draw(CDC* dc, SECBtnDrawData& data);
    virtual BOOL BtnPressDown(CPoint point);
    virtual void BtnPressMouseMove(CPoint point);
    virtual void BtnPressCancel();
    // The command id when released over the button (the toolbar decides whether to send it), else 0.
    virtual UINT BtnPressUp(CPoint point);
    virtual void OnHide() {}
    virtual void OnBarStyleChange(DWORD style) {}
    // The command id, with the button's rectangle and its tip (the command's string after the newline).
    virtual int OnToolHitTest(CPoint point, CWnd::ToolHit* hit) const;
    // Code 1: data points to {bits to set, bits to clear}.
    virtual void InformBtn(UINT code, const void* data);
    virtual void AdjustSize();
    // The extra bytes the button saves with the toolbar's state.
    virtual void GetPersistData(int& count, const BYTE*& bytes) const { count = 0, bytes = nullptr; }
    virtual void SetPersistData(int count, const BYTE* bytes) {}
    virtual LRESULT SendToolbarNotify(int code, UINT_PTR word1 = 0, UINT_PTR word2 = 0);
    virtual const SECButtonClass* GetButtonClass() const { return &kClass; }

    CRect GetRect() const { return CRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
    // Inside or on the edge (x..x+cx and y..y+cy both inclusive).
    BOOL HitsButton(CPoint point) const {
        return point.x >= m_x && point.x <= m_x + m_cx && point.y >= m_y && point.y <= m_y + m_cy;
    }
    BOOL IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }
    BOOL IsHidden() const { return (m_nStyle & TBBS_HIDDEN) != 0; }

protected:
    // Fills and frames the face; x, y, cx, cy come back as the image's rectangle.
    virtual void DrawFace(SECBtnDrawData& data, BOOL flat, int& x, int& y, int& cx, int& cy, int image_width = -1);
    virtual void DrawDisabled(SECBtnDrawData& data, int x, int y, int cx, int cy);
    virtual void DrawChecked(SECBtnDrawData& data, int x, int y, int cx, int cy);
    virtual void DrawIndeterminate(SECBtnDrawData& data, int x, int y, int cx, int cy);
    virtual void DrawSelectedFrame(SECBtnDrawData& data);
    virtual void PrepareImage(SECBtnDrawData& data);
    virtual BOOL DrawSeparator(CDC* dc);
    virtual void DrawButton(SECBtnDrawData& data);
    virtual void BlitImage(int x, int y, int cx, int cy, SECBtnDrawData& data, int sx, int sy);
    virtual void DrawTransparent(CDC* dc, SECBtnDrawData& data);
    virtual void DrawSelection(SECBtnDrawData& data);
    virtual void BlitToScreen(CDC* dc, SECBtnDrawData& data);
    // The face frame of DrawFace; derived buttons that draw text in place of an image share it.
    void FrameFace(HDC dc, BOOL flat, CRect& rect, int& shift) const;
    // The mask of the image at (x, y): white where it shows face or highlight.
    void MakeMask(SECBtnDrawData& data, int x, int y, int cx, int cy) const;
    // The toolbar's image size for the current button size.
    CSize ImageSize() const;
    // The owning toolbar's window, null before the button is added.
    CWnd* host_window() const { return m_pToolBar ? m_pToolBar->GetHostWnd() : nullptr; }
};
