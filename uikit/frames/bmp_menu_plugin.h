#pragma once
// Frame plug-ins and bitmap menus. A plug-in shares its host window's
// messages instead of subclassing it: the host offers each message to the
// plug-in first and stops when the plug-in consumed it. SECBmpMenuPlugIn
// turns the items of every popup the frame shows into owner-drawn items with
// the command's image beside the text, and draws, measures and finds them by
// mnemonic.
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/afx/afx.h"

class SECBmpMgr;

class SECWndPlugIn : public CCmdTarget {
public:
    SECWndPlugIn() = default;
    ~SECWndPlugIn() override = default;
    SECWndPlugIn(const SECWndPlugIn&) = delete;
    SECWndPlugIn& operator=(const SECWndPlugIn&) = delete;

    BOOL PlugInTo(CWnd* host);
    void Detach() { host_ = nullptr; }
    BOOL IsAttached() const { return host_ != nullptr; }
    HWND GetHost() const { return host_; }

    // Offers a message to the plug-in: TRUE when it was consumed, with the
    // result the host returns (a stored result overrides it once).
    BOOL OfferMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void SetResult(LRESULT value) { result_override_ = true, result_value_ = value; }

protected:
    // The plug-in's handling; sets m_bHandled when it consumed the message.
    virtual LRESULT PlugInProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    BOOL m_bHandled = FALSE;
    BOOL m_bCallDefault = FALSE;

private:
    HWND host_ = nullptr;
    bool result_override_ = false;
    LRESULT result_value_ = 0;
};

// One owner-drawn item: the command, its title (with the "&" marker and an
// optional tab before the accelerator text) and its mnemonic.
class SECBmpMenuItemInfo : public CObject {
public:
    UINT m_nID = 0;
    CString m_strTitle;
    BYTE m_cMnemonic = 0;
};

// The lower-cased character after the first "&" of a title, 0 when none.
BYTE sec_menu_mnemonic(const char* title);

class SECBmpMenuPlugIn : public SECWndPlugIn {
public:
    // With `replace_radio_mark`, checked radio items without a picture show a dot.
    explicit SECBmpMenuPlugIn(BOOL replace_radio_mark = FALSE);
    ~SECBmpMenuPlugIn() override;

    // Takes another bitmap manager (a reference to it) in place of its own.
    void SetBmpMgr(SECBmpMgr* manager);
    SECBmpMgr* GetBmpMgr() const { return bmp_mgr_; }
    // Forgets the records of items and menus that are gone.
    virtual void Purge();
    // The records of a menu, in the order its items were prepared.
    const std::vector<std::unique_ptr<SECBmpMenuItemInfo>>* RecordsOf(HMENU menu) const;
    BOOL IsForeign(UINT id) const { return foreign_.count(id) != 0; }

protected:
    LRESULT PlugInProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void OnInitMenuPopup(HMENU popup, UINT index, BOOL system);
    virtual BOOL OnMeasureItem(MEASUREITEMSTRUCT* measure);
    virtual BOOL OnDrawItem(DRAWITEMSTRUCT* draw);
    virtual LRESULT OnMenuChar(UINT ch, UINT flags, HMENU menu);
    virtual void CreateMenuFont();
    virtual void CreateBoldMenuFont();
    virtual void DrawItemImage(DRAWITEMSTRUCT* draw, HDC dc, CRect& box, HBITMAP strip, UINT image);

private:
    std::map<HMENU, std::vector<std::unique_ptr<SECBmpMenuItemInfo>>> menus_;
    std::set<UINT> foreign_;
    BOOL replace_radio_mark_;
    SECBmpMgr* bmp_mgr_;
    CFont font_, bold_font_;
    HBRUSH dither_ = nullptr;
    HMENU selected_menu_ = nullptr;
    UINT selected_id_ = 0;

    SECBmpMenuItemInfo* record_of(HMENU menu, UINT_PTR data) const;
    HFONT font_for(BOOL bold);
    void draw_image(HDC dc, int x, int y, int cx, int cy, HDC source, int sx, BOOL disabled, BOOL dithered);
    void restore_items();
    void remeasure_items();
};
