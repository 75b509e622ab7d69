#pragma once
// Message filters: small objects that watch one window's messages and may act
// on them before (or instead of) its default processing. Filters form a tree
// under a root the frame owns; tables of descriptors (id, parent id, class,
// flags) build the tree and switch groups of filters on and off by id. The
// caption filters sit on this: a caption-control list lays out a row of
// caption buttons right to left, and each caption control draws itself, tracks
// the mouse with capture, and posts its system command on a click.
#include <functional>
#include <memory>
#include <vector>

#include "platform/afx/afx.h"

// Result bits: handled (no default processing), consumed by a caption control, stop the dispatch.
constexpr UINT SEC_FILTER_HANDLED = 0x1;
constexpr UINT SEC_FILTER_CONSUMED = 0x7;
constexpr UINT SEC_FILTER_STOP = 0x8;
constexpr UINT SEC_FILTER_ROOT_PARENT = 0xFFFFFFFF;
// Caption-control ids of the system's buttons; ids from 4096 are the application's.
enum : int {
    SEC_CAPTION_CLOSE = 0,
    SEC_CAPTION_MIN = 1,
    SEC_CAPTION_MAX = 2,
    SEC_CAPTION_RESTORE = 3,
    SEC_CAPTION_HELP = 4,
    SEC_CAPTION_FIRST_CUSTOM = 4096
};
constexpr WPARAM SC_CONTEXTHELP_CMD = 0xF180;
constexpr DWORD WS_EX_CONTEXTHELP_STYLE = 0x00000400;
constexpr UINT WM_NCRBUTTONDBLCLK_MSG = 0x00A6;

class SECMsgFilter : public CObject {
    DECLARE_DYNCREATE(SECMsgFilter)
public:
    struct Descriptor {
        UINT id = 0;
        UINT parent_id = SEC_FILTER_ROOT_PARENT;
        CRuntimeClass* filter_class = nullptr;
        UINT flags = 0;  // bit 0: stays enabled when the table is applied with enable 0
        virtual ~Descriptor() = default;
        virtual Descriptor* Clone() const { return new Descriptor(*this); }
    };
    using DescriptorList = std::vector<std::unique_ptr<Descriptor>>;
    // Owns its descriptors.
    struct DescriptorTable {
        DescriptorList items;
        void Add(UINT id, UINT parent_id, CRuntimeClass* cls, UINT flags) {
            auto made = std::make_unique<Descriptor>();
            made->id = id, made->parent_id = parent_id, made->filter_class = cls, made->flags = flags;
            items.push_back(std::move(made));
        }
        int GetSize() const { return int(items.size()); }
    };

    SECMsgFilter() = default;
    explicit SECMsgFilter(CWnd* wnd, int id = -1) : m_nID(id), m_pWnd(wnd) {}
    ~SECMsgFilter() override;
    SECMsgFilter(const SECMsgFilter&) = delete;
    SECMsgFilter& operator=(const SECMsgFilter&) = delete;

    virtual SECMsgFilter* Clone() const;
    virtual CWnd* GetWindow() const { return m_pWnd; }
    virtual void SetWindow(CWnd* wnd, BOOL recursive = TRUE);
    virtual UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual UINT DispatchToChildren(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A child with the id at any depth up to `depth` (-1 unlimited); created as `cls` when missing and a class is given.
    virtual SECMsgFilter* FindFilter(int id, CRuntimeClass* cls = nullptr, int depth = -1);
    virtual SECMsgFilter* ApplyDescriptor(const Descriptor& descriptor, BOOL enable);
    virtual void ApplyDescriptorTable(const DescriptorTable& table, const BOOL* enable);
    virtual void ApplyDescriptorList(const DescriptorList& list, BOOL enable);
    // The message being handled (the thread's current one when `msg` is null).
    UINT ProcessCurrentMessage(const MSG* msg, LRESULT* result);

    int GetID() const { return m_nID; }
    void SetID(int id) { m_nID = id; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void Enable(BOOL enable) { m_bEnabled = enable; }
    int GetChildCount() const { return int(children_.size()); }
    SECMsgFilter* GetChild(int index) const { return children_[std::size_t(index)]; }
    void AddChild(SECMsgFilter* child) { children_.push_back(child); }

    int m_nID = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bOwnsChildren = TRUE;

protected:
    CWnd* m_pWnd = nullptr;
    std::vector<SECMsgFilter*> children_;
};

// A window whose messages pass through a filter tree it owns, as the filters
// of another window see it.
class SECFilterHost {
public:
    virtual ~SECFilterHost() = default;
    virtual SECMsgFilter* GetRootFilter() const = 0;
};

class SECNcMsgFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(SECNcMsgFilter)
};

class SECCaptionMsgFilter : public SECNcMsgFilter {
    DECLARE_DYNCREATE(SECCaptionMsgFilter)
public:
    // In window coordinates; empty for a window without a caption.
    virtual CRect GetCaptionRect() const;
    virtual CSize GetMetricButtonSize(int cx_metric, int cy_metric) const;
    virtual CSize GetButtonSize() const;
    virtual CPoint GetFirstButtonPos(const CRect& caption, CSize button) const;
};

class SECCaptionControlMsgFilter;

// The invisible child window that times a held press on a caption control.
class SECCaptionControlMsgFilterTimer : public CWnd {
public:
    SECCaptionControlMsgFilterTimer(SECCaptionControlMsgFilter* filter, int delay, CPoint point)
        : m_pFilter(filter), m_nDelay(delay), m_point(point) {}
    SECCaptionControlMsgFilter* m_pFilter;
    int m_nDelay;
    BOOL m_bTimerSet = FALSE;
    BOOL m_bFired = FALSE;
    CPoint m_point;
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();

protected:
    DECLARE_MESSAGE_MAP()
};

class SECCaptionControlMsgFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(SECCaptionControlMsgFilter)
public:
    ~SECCaptionControlMsgFilter() override;
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    virtual void Draw();
    virtual BOOL HitTest(int x, int y) const;  // a screen point
    virtual void OnPress(int x, int y);
    virtual void OnRelease(int x, int y);
    virtual void OnHoldElapsed(int x, int y);
    virtual void OnTrackMove(int x, int y);
    static constexpr int kClick = 0, kRightPress = 1, kHold = 2;
    virtual void Fire(int kind, int x, int y);
    virtual BOOL GetCommandMessage(int kind, int x, int y, HWND* window, UINT* message, WPARAM* wParam, LPARAM* lParam);
    virtual void BeginTracking(BOOL push, BOOL redraw);
    virtual void EndTracking(BOOL unpush, BOOL redraw);
    virtual void StopHoldTimer();
    virtual void StartHoldTimer(int x, int y);
    virtual BOOL IsShown(BOOL* disabled) const;
    // The state word with the id folded in, as DrawFrameControl takes it.
    UINT GetDrawState() const;

    CRect m_rect;
    UINT m_nFrameControlType = DFC_CAPTION;
    UINT m_nState = 0;  // DFCS_INACTIVE and DFCS_PUSHED
    BOOL m_bTracking = FALSE;
    int m_nHoldDelay = -1;
    SECCaptionControlMsgFilterTimer* m_pHoldTimer = nullptr;
    // Fire sends the command (waiting for it) instead of posting it.
    BOOL m_bSendCommand = FALSE;
};

class SECCaptionControlListMsgFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(SECCaptionControlListMsgFilter)
public:
    SECCaptionControlListMsgFilter();
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    virtual void LayoutButtons();
    SECMsgFilter::DescriptorTable m_controls;
};

// The caption buttons of the maximised MDI child, in the frame's menu row.
class SECCapConLstMDIMaxChildMsgFilter : public SECCaptionControlListMsgFilter {
    DECLARE_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter)
public:
    CSize GetButtonSize() const override;
    CPoint GetFirstButtonPos(const CRect& caption, CSize button) const override;
};

// The registered extended system command the caption filters send their windows.
UINT sec_syscommandex_message();

// Hands a window's message to its filter tree around the default processing:
// mouse messages go to the filters first (the default runs unless they handled
// it), painting and text messages to the default first. `base` runs the
// window's own processing. TRUE when the message was one of these.
BOOL sec_route_to_filters(SECMsgFilter& root, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                          const std::function<LRESULT()>& base);
