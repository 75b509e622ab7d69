#include "uikit/frames/sys_command.h"

#include <algorithm>
#include <memory>

#include "uikit/frames/doc_templates.h"
#include "uikit/frames/frame_bar.h"

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxMsgFilter, SECMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMsgFilter, SECCaptionControlMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIMaxChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxCaptionNCRDBLClkFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter, SECNcMsgFilter)
IMPLEMENT_DYNCREATE(ScxContextMenuFilter, SECMsgFilter)

namespace {

// What a handler answers: handled, consumed and stop.
constexpr UINT kAnswered = 15;
// The ids of the child's own button and right double-click filters.
constexpr int kChildButtonFilter = 258, kChildDoubleClickFilter = 259;

CFrameWnd* frame_of(HWND hwnd) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(wnd) : nullptr;
}

// The frame's active MDI child when it is maximised, a toolkit child, and has filter `id` enabled.
CMDIChildWnd* maximised_child_with(CWnd* frame, int id) {
    auto* mdi = dynamic_cast<CMDIFrameWnd*>(frame);
    BOOL maximised = FALSE;
    CMDIChildWnd* child = mdi ? mdi->MDIGetActive(&maximised) : nullptr;
    auto* host = dynamic_cast<SECFilterHost*>(child);
    if (!host || !(maximised || child->IsZoomed())) return nullptr;
    SECMsgFilter* filter = host->GetRootFilter()->FindFilter(id, nullptr, -1);
    return filter && filter->IsEnabled() ? child : nullptr;
}

// The bar that hosts a dockable frame, or null.
SECFrameBar* hosting_bar(CFrameWnd* window) {
    CWnd* parent = window && window->m_hWnd ? window->GetParent() : nullptr;
    return parent && parent->IsKindOf(RUNTIME_CLASS(SECFrameBar)) ? static_cast<SECFrameBar*>(parent) : nullptr;
}

// The application's main frame as the docking site with an MDI area that document frames dock in.
struct MainSite {
    CFrameWnd* frame = nullptr;
    SECDockSite* site = nullptr;
    explicit operator bool() const { return site != nullptr; }
};
MainSite main_site() {
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    SECDockSite* site = sec_dock_site(frame);
    if (!site || !site->IsMDISite()) return {};
    return {frame, site};
}

struct Side {
    UINT state, dock_bar_id;
    DWORD align;
};
constexpr Side kSides[] = {{SCX_STATE_DOCKED_TOP, AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
                           {SCX_STATE_DOCKED_LEFT, AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
                           {SCX_STATE_DOCKED_RIGHT, AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
                           {SCX_STATE_DOCKED_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP}};

// Where a bar docks on a side when the command names no place: a row of its own, first at the top and
// left, last at the right and bottom.
SECDockPos default_position(UINT state) {
    return state == SCX_STATE_DOCKED_TOP || state == SCX_STATE_DOCKED_LEFT ? SECDockPos{1, 0, 3} : SECDockPos{0, 0, 4};
}
const SECDockSize kDefaultDockSize{1.0f, 150, 0};

// The bars of docked document windows take ids past the toolbars'.
constexpr UINT kFirstDocumentBarId = 0xE900;

// The document a frame shows.
CDocument* document_of(CFrameWnd* window) {
    CView* view = window ? window->GetActiveView() : nullptr;
    return view ? view->GetDocument() : nullptr;
}

// The frame of the document's newest view: the one a template switch has just made.
CFrameWnd* newest_frame_of(CDocument* doc) {
    CView* newest = nullptr;
    for (POSITION at = doc ? doc->GetFirstViewPosition() : nullptr; at;) newest = doc->GetNextView(at);
    return newest ? newest->GetParentFrame() : nullptr;
}

// A dockable frame of the template's dockable class with a new view of the document, docked at the left.
CFrameWnd* make_docked_frame(const MainSite& main, CDocument* doc, SECMultiDocTemplate* doc_template) {
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = doc_template->m_pViewClass;
    context.m_pNewDocTemplate = doc_template;
    CFrameWnd* frame = main.site->CreateDockableFrame(doc_template->m_pDockableFrameClass, doc->GetTitle(),
                                                      FindUnusedBarID(main.frame, kFirstDocumentBarId), &context);
    if (!frame) return nullptr;
    frame->InitialUpdateFrame(doc, TRUE);
    main.site->DockControlBarEx(hosting_bar(frame), default_position(SCX_STATE_DOCKED_LEFT), AFX_IDW_DOCKBAR_LEFT,
                                kDefaultDockSize);
    main.frame->RecalcLayout(TRUE);
    return frame;
}

void move_and_size(CWnd* window, const SysCommandRecord& record) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!(record.flags & SCX_USE_POSITION)) flags |= SWP_NOMOVE;
    if (!(record.flags & SCX_USE_SIZE)) flags |= SWP_NOSIZE;
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        window->SetWindowPos(nullptr, record.x, record.y, record.cx, record.cy, flags);
}

}  // namespace

UINT GetStateClass(UINT state) {
    if (state >= SCX_STATE_MDICHILD && state <= SCX_STATE_RESTORED) return SCX_STATE_MDICHILD;
    if (state >= SCX_STATE_DOCKED && state <= SCX_STATE_DOCKED_BOTTOM) return SCX_STATE_DOCKED;
    return state == SCX_STATE_FLOATING ? SCX_STATE_FLOATING : SCX_STATE_NONE;
}

LRESULT SendSysCommandEx(HWND window, UINT command, SysCommandRecord& record) {
    return ::SendMessage(window, sec_syscommandex_message(), command, reinterpret_cast<LPARAM>(&record));
}

// ---- ScxMsgFilter -----------------------------------------------------------------------------

UINT ScxMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* record = reinterpret_cast<SysCommandRecord*>(lParam);
    if (message != sec_syscommandex_message() || !record) return 0;
    const UINT command = UINT(wParam) & 0xFFF0;
    if (!m_bCopy && UsesWorkingCopy(command)) {
        // The command may rebuild this window's filters: a copy carries it out.
        std::unique_ptr<SECMsgFilter> copy(Clone());
        auto* worker = dynamic_cast<ScxMsgFilter*>(copy.get());
        if (!worker) return 0;
        worker->m_bCopy = TRUE;
        const UINT answer = worker->OnMessage(message, wParam, lParam, result);
        return (answer & SEC_FILTER_HANDLED) ? answer | SEC_FILTER_STOP : answer;
    }
    if (!::IsWindow(record->window)) return 0;
    HWND repaint = nullptr;
    if (record->flags & SCX_USE_POSITION) {
        repaint = record->window;
        // A maximised child's caption is drawn by its MDI frame.
        auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(repaint));
        if (child && child->IsZoomed() && child->GetMDIFrame()) repaint = child->GetMDIFrame()->m_hWnd;
    }
    LRESULT local = 0;
    LRESULT* out = result ? result : &local;
    UINT answer = 0;
    switch (command) {
        case SCX_SWITCHSTATE: answer = OnSwitchState(*record, out); break;
        case SCX_QUERYSTATEMENU: answer = OnQueryStateMenu(*record, out); break;
        case SCX_SHOWSTATEMENU: answer = OnShowStateMenu(*record, out); break;
        default: break;
    }
    if (repaint && ::IsWindow(repaint)) ::SendMessage(repaint, WM_NCPAINT, 1, 0);
    return answer;
}

SECMultiDocTemplate* ScxMsgFilter::FindTemplate(const SysCommandRecord& record, CRuntimeClass* cls) {
    CFrameWnd* frame = frame_of(record.window);
    CView* view = frame ? frame->GetActiveView() : nullptr;
    CDocument* doc = view ? view->GetDocument() : nullptr;
    CWinApp* app = AfxGetApp();
    if (!doc || !app) return nullptr;
    for (POSITION at = app->GetFirstDocTemplatePosition(); at;) {
        CDocTemplate* doc_template = app->GetNextDocTemplate(at);
        if (!doc_template || (cls && !doc_template->IsKindOf(cls))) continue;
        for (POSITION d = doc_template->GetFirstDocPosition(); d;)
            if (doc_template->GetNextDoc(d) == doc) return dynamic_cast<SECMultiDocTemplate*>(doc_template);
    }
    return nullptr;
}

UINT ScxMsgFilter::GetWindowState(CFrameWnd* window, SECMultiDocTemplate*, const SysCommandRecord&) {
    if (auto* child = dynamic_cast<CMDIChildWnd*>(window)) {
        BOOL maximised = FALSE;
        CMDIFrameWnd* frame = child->GetMDIFrame();
        if (child->IsZoomed() || (frame && frame->MDIGetActive(&maximised) == child && maximised))
            return SCX_STATE_MAXIMIZED;
        return child->IsIconic() ? SCX_STATE_MINIMIZED : SCX_STATE_RESTORED;
    }
    if (SECFrameBar* bar = hosting_bar(window)) {
        if (bar->IsFloating()) return SCX_STATE_FLOATING;
        for (const Side& side : kSides)
            if ((bar->m_dwStyle & CBRS_ALIGN_ANY) == (side.align & CBRS_ALIGN_ANY)) return side.state;
    }
    return SCX_STATE_NONE;
}

UINT ScxMsgFilter::GetDefaultTarget(CFrameWnd*, UINT state, const SysCommandRecord&) {
    return GetStateClass(state) == SCX_STATE_MDICHILD ? SCX_STATE_DOCKED : SCX_STATE_MDICHILD;
}

UINT ScxMsgFilter::OnSwitchState(SysCommandRecord& record, LRESULT* result) {
    *result = 0;
    SECMultiDocTemplate* doc_template = FindTemplate(record, RUNTIME_CLASS(SECMultiDocTemplate));
    CFrameWnd* window = frame_of(record.window);
    if (!doc_template || !window) return kAnswered;
    const UINT current = GetWindowState(window, doc_template, record);
    UINT target = record.target;
    if (target == SCX_STATE_DEFAULT || target == SCX_STATE_DEFAULT - 1)
        target = GetDefaultTarget(window, current, record);
    BOOL switched = FALSE;
    switch (GetStateClass(target)) {
        case SCX_STATE_MDICHILD: switched = MakeMDIChild(window, current, target, doc_template, record); break;
        case SCX_STATE_DOCKED: switched = MakeDocked(window, current, target, doc_template, record); break;
        case SCX_STATE_FLOATING: switched = MakeFloating(window, current, target, doc_template, record); break;
        default: break;
    }
    *result = switched;
    return kAnswered;
}

BOOL ScxMsgFilter::TemplateToggle(CFrameWnd* window, SECMultiDocTemplate* doc_template) {
    CDocument* doc = document_of(window);
    const MainSite main = main_site();
    if (!doc || !doc_template || !main) return FALSE;
    // The new frame comes first, so that the document always keeps a view.
    CFrameWnd* made = nullptr;
    if (window->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        made = make_docked_frame(main, doc, doc_template);
    } else if (SECFrameBar* bar = hosting_bar(window)) {
        made = doc_template->CreateNewFrame(doc, nullptr);
        if (made) doc_template->InitialUpdateFrame(made, doc, TRUE);
        if (made) main.frame->ShowControlBar(bar, FALSE, FALSE);
    }
    if (!made) return FALSE;
    // The old frame goes once this command is over: the command's record and the filters carrying it
    // out may live in it.
    window->ShowWindow(SW_HIDE);
    window->PostMessage(WM_CLOSE);
    return TRUE;
}

BOOL ScxMsgFilter::MakeMDIChild(CFrameWnd* window, UINT current, UINT target, SECMultiDocTemplate* doc_template,
                                const SysCommandRecord& record) {
    if (!window->GetActiveView()) return FALSE;
    if (GetStateClass(current) != SCX_STATE_MDICHILD) {
        // A docked or floating frame becomes an MDI child through its template first.
        CDocument* doc = document_of(window);
        if (!TemplateToggle(window, doc_template)) return FALSE;
        window = newest_frame_of(doc);
        current = window ? GetWindowState(window, doc_template, record) : SCX_STATE_NONE;
        if (GetStateClass(current) != SCX_STATE_MDICHILD) return FALSE;
    }
    auto* child = dynamic_cast<CMDIChildWnd*>(window);
    CMDIFrameWnd* frame = child ? child->GetMDIFrame() : nullptr;
    if (!child || !frame) return FALSE;
    if (target != SCX_STATE_MDICHILD && current != target) {
        if (target == SCX_STATE_MAXIMIZED) frame->MDIMaximize(child);
        if (target == SCX_STATE_RESTORED) {
            if (current == SCX_STATE_MAXIMIZED || current == SCX_STATE_MINIMIZED) frame->MDIRestore(child);
            child->ShowWindow(SW_SHOWNORMAL);
        }
        // Through the MDI area, which lays out its minimized children.
        if (target == SCX_STATE_MINIMIZED) child->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    }
    if (target != SCX_STATE_MAXIMIZED) move_and_size(child, record);
    return TRUE;
}

BOOL ScxMsgFilter::MakeDocked(CFrameWnd* window, UINT current, UINT target, SECMultiDocTemplate* doc_template,
                              const SysCommandRecord& record) {
    if (!window->GetActiveView()) return FALSE;
    const UINT current_class = GetStateClass(current);
    const bool placed = (record.flags & (SCX_USE_POSITION | SCX_USE_SIZE)) != 0;
    const bool default_side = (target == SCX_STATE_NONE || target == SCX_STATE_DOCKED) && !placed;
    if (current_class == SCX_STATE_MDICHILD) {
        // The template makes a docked frame of the document; a side asked for is taken after.
        CDocument* doc = document_of(window);
        if (!TemplateToggle(window, doc_template)) return FALSE;
        if (default_side) return TRUE;
        window = newest_frame_of(doc);
        if (!window || GetStateClass(GetWindowState(window, doc_template, record)) != SCX_STATE_DOCKED) return FALSE;
    } else if (default_side) {
        return current_class == SCX_STATE_FLOATING && ToggleDockingAtRecord(window, record);
    }
    const MainSite main = main_site();
    SECControlBar* bar = hosting_bar(window);
    if (!main || !bar) return FALSE;
    const Side* side = &kSides[0];
    for (const Side& each : kSides)
        if (each.state == target) side = &each;
    // The side's alignment, keeping the bar's other border bits.
    bar->m_dwStyle = (bar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | side->align;
    SECDockPos position = default_position(side->state);
    SECDockSize size = kDefaultDockSize;
    if ((record.flags & SCX_USE_POSITION) && record.dock_position) position = *record.dock_position;
    if ((record.flags & SCX_USE_SIZE) && record.dock_size) size = *record.dock_size;
    main.site->DockControlBarEx(bar, position, side->dock_bar_id, size);
    main.frame->RecalcLayout(TRUE);
    return TRUE;
}

BOOL ScxMsgFilter::MakeFloating(CFrameWnd* window, UINT current, UINT target, SECMultiDocTemplate* doc_template,
                                const SysCommandRecord& record) {
    if ((target != SCX_STATE_NONE && target != SCX_STATE_FLOATING) || !window->GetActiveView()) return FALSE;
    switch (GetStateClass(current)) {
        case SCX_STATE_DOCKED: return ToggleDockingAtRecord(window, record);
        case SCX_STATE_FLOATING:
            if (CWnd* floating = hosting_bar(window) ? hosting_bar(window)->GetParentFrame() : nullptr)
                move_and_size(floating, record);
            return TRUE;
        case SCX_STATE_MDICHILD: {
            // Docked first, then floated where the MDI child was.
            if (window->IsIconic()) window->ShowWindow(SW_RESTORE);
            CRect was;
            window->GetWindowRect(&was);
            CDocument* doc = document_of(window);
            if (!MakeDocked(window, current, SCX_STATE_NONE, doc_template, SysCommandRecord{})) return FALSE;
            CFrameWnd* docked = newest_frame_of(doc);
            if (!docked || GetStateClass(GetWindowState(docked, doc_template, record)) != SCX_STATE_DOCKED)
                return FALSE;
            SysCommandRecord at = record;
            if (!(at.flags & SCX_USE_POSITION)) at.x = was.left, at.y = was.top;
            if (!(at.flags & SCX_USE_SIZE)) at.cx = was.Width(), at.cy = was.Height();
            at.flags |= SCX_USE_POSITION | SCX_USE_SIZE;
            return MakeFloating(docked, SCX_STATE_DOCKED, SCX_STATE_FLOATING, doc_template, at);
        }
        default: return FALSE;
    }
}

BOOL ScxMsgFilter::ToggleDockingAtRecord(CFrameWnd* window, const SysCommandRecord& record) {
    SECControlBar* bar = hosting_bar(window);
    CDockContext* context = bar ? bar->m_pDockContext : nullptr;
    if (!context) return FALSE;
    const CPoint saved = context->m_ptMRUFloatPos;
    if (record.flags & SCX_USE_POSITION) context->m_ptMRUFloatPos = CPoint(record.x, record.y);
    if (record.flags & SCX_USE_SIZE) bar->m_szFloat = CSize(record.cx, record.cy);
    context->ToggleDocking();
    if (record.flags & SCX_USE_POSITION) context->m_ptMRUFloatPos = saved;
    return TRUE;
}

HMENU ScxMsgFilter::BuildStateMenu(CWnd*, UINT state) {
    const UINT current_class = GetStateClass(state);
    HMENU menu = ::CreatePopupMenu();
    const auto add = [](HMENU to, UINT id, const char* text, bool checked) {
        ::AppendMenu(to, MF_STRING | (checked ? MF_CHECKED : 0), id, text);
    };
    add(menu, SCX_STATE_DOCKED, "&Docked", current_class == SCX_STATE_DOCKED);
    add(menu, SCX_STATE_FLOATING, "&Floating", current_class == SCX_STATE_FLOATING);
    add(menu, SCX_STATE_MDICHILD, "&MDI Child", current_class == SCX_STATE_MDICHILD);
    ::AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    HMENU sides = ::CreatePopupMenu();
    add(sides, SCX_STATE_DOCKED_TOP, "&Top", state == SCX_STATE_DOCKED_TOP);
    add(sides, SCX_STATE_DOCKED_LEFT, "&Left", state == SCX_STATE_DOCKED_LEFT);
    add(sides, SCX_STATE_DOCKED_BOTTOM, "&Bottom", state == SCX_STATE_DOCKED_BOTTOM);
    add(sides, SCX_STATE_DOCKED_RIGHT, "&Right", state == SCX_STATE_DOCKED_RIGHT);
    ::AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sides), "D&ocked to");
    HMENU child = ::CreatePopupMenu();
    add(child, SCX_STATE_MINIMIZED, "Mi&nimized", state == SCX_STATE_MINIMIZED);
    add(child, SCX_STATE_MAXIMIZED, "Ma&ximized", state == SCX_STATE_MAXIMIZED);
    add(child, SCX_STATE_RESTORED, "&Restored", state == SCX_STATE_RESTORED);
    ::AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(child), "MD&I Child as");
    return menu;
}

HMENU ScxMsgFilter::GetStateMenu(const SysCommandRecord& record) {
    SECMultiDocTemplate* doc_template = FindTemplate(record, RUNTIME_CLASS(SECMultiDocTemplate));
    CFrameWnd* window = frame_of(record.window);
    if (!doc_template || !window) return nullptr;
    return BuildStateMenu(window, GetWindowState(window, doc_template, record));
}

UINT ScxMsgFilter::OnQueryStateMenu(SysCommandRecord& record, LRESULT* result) {
    record.menu = GetStateMenu(record);
    *result = record.menu != nullptr;
    return kAnswered;
}

HMENU ScxMsgFilter::RequestStateMenu(const SysCommandRecord& record) {
    if (record.menu) return record.menu;
    SysCommandRecord query = record;
    query.flags &= ~SCX_USE_POSITION;
    return SendSysCommandEx(record.window, SCX_QUERYSTATEMENU, query) ? query.menu : nullptr;
}

UINT ScxMsgFilter::TrackStateMenu(HMENU menu, const SysCommandRecord& record) {
    POINT at{record.x, record.y};
    if (at.x < 0) {
        // Centred in the window's client area.
        RECT client;
        ::GetClientRect(record.window, &client);
        at = POINT{client.right / 2, client.bottom / 2};
        ::ClientToScreen(record.window, &at);
    }
    return UINT(
        ::TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, at.x, at.y, 0, record.window, nullptr));
}

LRESULT ScxMsgFilter::SendSwitchState(UINT state, const SysCommandRecord& record) {
    SysCommandRecord command = record;
    command.target = state;
    command.menu = nullptr;
    return SendSysCommandEx(record.window, SCX_SWITCHSTATE, command);
}

UINT ScxMsgFilter::OnShowStateMenu(SysCommandRecord& record, LRESULT* result) {
    *result = 0;
    HMENU menu = RequestStateMenu(record);
    if (!menu) return kAnswered;
    // A cancelled menu gives 0, which switches nothing.
    const UINT chosen = TrackStateMenu(menu, record);
    if (chosen) SendSwitchState(chosen, record);
    if (menu != record.menu) ::DestroyMenu(menu);
    return kAnswered;
}

// ---- the caption button -----------------------------------------------------------------------

ScxButtonMsgFilter::ScxButtonMsgFilter() {
    m_nFrameControlType = 3;
    m_nState = 2;
    m_nHoldDelay = 400;
    // The command record lives in the filter: the command is sent, not posted.
    m_bSendCommand = TRUE;
}

UINT ScxButtonMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    UINT answer = SECCaptionControlMsgFilter::OnMessage(message, wParam, lParam, result);
    if ((message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_LBUTTONUP) &&
        (answer & SEC_FILTER_HANDLED))
        answer |= SEC_FILTER_STOP;
    return answer;
}

BOOL ScxButtonMsgFilter::IsShown(BOOL* disabled) const {
    *disabled = FALSE;
    return TRUE;
}

void ScxButtonMsgFilter::Draw() {
    CWnd* wnd = GetWindow();
    if (!wnd || !wnd->m_hWnd || m_rect.IsRectEmpty()) return;
    HDC dc = ::GetWindowDC(wnd->m_hWnd);
    if (!dc) return;
    const bool pushed = (m_nState & DFCS_PUSHED) != 0;
    CRect r = m_rect;
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_3DLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    CDC* out = CDC::FromHandle(dc);
    out->Draw3dRect(&r, pushed ? dark : highlight, pushed ? highlight : dark);
    r.DeflateRect(1, 1);
    out->Draw3dRect(&r, pushed ? shadow : light, pushed ? face : shadow);
    r.DeflateRect(1, 1);
    out->FillSolidRect(&r, face);
    // The glyph: a small window (frame and title strip) beside a docked strip, on an 8 x 8 grid.
    const COLORREF ink = ::GetSysColor(COLOR_BTNTEXT);
    const auto cell = [&](int x0, int y0, int x1, int y1) {
        out->FillSolidRect(r.left + r.Width() * x0 / 8, r.top + r.Height() * y0 / 8,
                           std::max(1, r.Width() * (x1 - x0) / 8), std::max(1, r.Height() * (y1 - y0) / 8), ink);
    };
    cell(1, 1, 5, 2);
    cell(1, 1, 2, 7);
    cell(4, 1, 5, 7);
    cell(1, 6, 5, 7);
    cell(6, 1, 7, 7);
    ::ReleaseDC(wnd->m_hWnd, dc);
}

BOOL ScxButtonMsgFilter::GetCommandMessage(int kind, int x, int y, HWND* window, UINT* message, WPARAM* wParam,
                                           LPARAM* lParam) {
    CWnd* target = GetTargetWindow();
    CWnd* wnd = GetWindow();
    if (!target || !wnd) return FALSE;
    m_record = SysCommandRecord{};
    m_record.window = target->m_hWnd;
    CRect window_rect;
    wnd->GetWindowRect(&window_rect);
    CRect button = m_rect;
    button.OffsetRect(window_rect.left, window_rect.top);
    m_record.button = button;
    if (kind == kClick) {
        *wParam = SCX_SWITCHSTATE;
        m_record.target = SCX_STATE_DEFAULT;
        m_record.x = x, m_record.y = y;
    } else {
        *wParam = SCX_SHOWSTATEMENU;
        // At the button's lower-left corner on the screen.
        m_record.x = button.left, m_record.y = button.bottom;
        if (kind == kHold) m_record.flags |= SCX_USE_POSITION;
    }
    *window = target->m_hWnd;
    *message = sec_syscommandex_message();
    *lParam = reinterpret_cast<LPARAM>(&m_record);
    return TRUE;
}

UINT ScxButtonMDIChildMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* wnd = GetWindow();
    if (wnd && wnd->IsZoomed()) return 0;
    return ScxButtonMsgFilter::OnMessage(message, wParam, lParam, result);
}

BOOL ScxButtonMDIChildMsgFilter::IsShown(BOOL* disabled) const {
    *disabled = FALSE;
    CWnd* wnd = GetWindow();
    return !(wnd && wnd->IsZoomed());
}

CWnd* ScxButtonMDIMaxChildMsgFilter::GetTargetWindow() const {
    return maximised_child_with(GetWindow(), kChildButtonFilter);
}

UINT ScxButtonMDIMaxChildMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (!GetTargetWindow()) return 0;
    // The maximised child's button sits in the menu row: presses count there.
    if ((message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN) && wParam == WPARAM(HTMENU))
        wParam = WPARAM(HTCAPTION);
    else if (message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN)
        return 0;
    return ScxButtonMsgFilter::OnMessage(message, wParam, lParam, result);
}

UINT ScxCaptionNCRDBLClkFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* wnd = GetWindow();
    if (message != WM_NCRBUTTONDBLCLK_MSG || wParam != WPARAM(HTCAPTION) || !wnd)
        return SECCaptionMsgFilter::OnMessage(message, wParam, lParam, result);
    SysCommandRecord record;
    record.window = wnd->m_hWnd;
    record.target = SCX_STATE_DEFAULT;
    SendSysCommandEx(wnd->m_hWnd, SCX_SWITCHSTATE, record);
    return kAnswered;
}

UINT ScxNCRDBLClkMDIMaxChildMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CMDIChildWnd* child =
        message == WM_NCRBUTTONDBLCLK_MSG ? maximised_child_with(GetWindow(), kChildDoubleClickFilter) : nullptr;
    if (!child || wParam != WPARAM(HTMENU)) return SECNcMsgFilter::OnMessage(message, wParam, lParam, result);
    SysCommandRecord record;
    record.window = child->m_hWnd;
    record.target = SCX_STATE_DEFAULT;
    SendSysCommandEx(child->m_hWnd, SCX_SWITCHSTATE, record);
    return kAnswered;
}

UINT ScxContextMenuFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
    CWnd* wnd = GetWindow();
    if (message != WM_NCRBUTTONUP || wParam != WPARAM(HTCAPTION) || !wnd) return 0;
    SysCommandRecord record;
    record.window = wnd->m_hWnd;
    record.x = GET_X_LPARAM(lParam), record.y = GET_Y_LPARAM(lParam);
    SendSysCommandEx(wnd->m_hWnd, SCX_SHOWSTATEMENU, record);
    return kAnswered;
}

}  // namespace nsSysCommandEx
