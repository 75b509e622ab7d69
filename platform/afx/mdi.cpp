#include "platform/afx/mdi.h"

#include <algorithm>
#include <vector>

#include "platform/afx/app.h"
#include "platform/afx/cmd_ui.h"
#include "platform/afx/doc_template.h"
#include "platform/afx/document.h"
#include "platform/afx/mdi_tile.h"
#include "platform/afx/menu.h"
#include "platform/afx/view.h"
#include "platform/user/accelerator_api.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace {

// Private messages between children and their client.
constexpr UINT kChildCreated = WM_USER + 0x7F0;
constexpr UINT kChildGone = WM_USER + 0x7F1;
constexpr UINT kMinimizeChild = WM_USER + 0x7F2;
// A minimized child is a captioned strip this wide along the bottom of the MDI area.
constexpr int kIconicWidth = 160;
constexpr int kMaxListed = 9;

// The window that holds the MDI children.
class MDIClient : public CWnd {
public:
    void PostNcDestroy() override { delete this; }

    afx_msg LRESULT OnChildCreated(WPARAM wParam, LPARAM) {
        children_.push_back(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    afx_msg LRESULT OnChildGone(WPARAM wParam, LPARAM) {
        HWND child = reinterpret_cast<HWND>(wParam);
        std::erase(children_, child);
        if (std::erase(iconic_, child)) arrange_iconic();
        if (active_ == child) {
            active_ = nullptr;
            if (HWND next = top_child(child)) activate(next);
        }
        refresh_menu();
        return 0;
    }
    afx_msg LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM) {
        activate(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    afx_msg LRESULT OnMDIGetActive(WPARAM, LPARAM lParam) {
        if (lParam) *reinterpret_cast<BOOL*>(lParam) = maximized_;
        return reinterpret_cast<LRESULT>(active_);
    }
    afx_msg LRESULT OnMDINext(WPARAM, LPARAM previous) {
        std::vector<HWND> order = z_order();
        if (order.size() < 2) return 0;
        if (previous) {
            activate(order.back());
        } else {
            HWND was = order.front();
            activate(order[1]);
            ::SetWindowPos(was, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        return 0;
    }
    afx_msg LRESULT OnMDICascade(WPARAM, LPARAM) {
        if (maximized_ && active_) restore(active_);
        CRect client;
        GetClientRect(&client);
        const int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
        const int width = std::max<int>(client.Width() * 2 / 3, 100),
                  height = std::max<int>(client.Height() * 2 / 3, 60);
        std::vector<HWND> order = z_order();
        std::erase_if(order, [](HWND child) { return ::IsIconic(child); });  // minimized ones keep their strips
        std::reverse(order.begin(), order.end());  // the active child ends on top, last in the cascade
        int offset = 0;
        for (HWND child : order) {
            ::SetWindowPos(child, HWND_TOP, offset, offset, width, height, SWP_NOACTIVATE);
            offset += step;
            if (offset + height > client.Height()) offset = 0;
        }
        return 1;
    }
    afx_msg LRESULT OnMDITile(WPARAM how, LPARAM) {
        if (maximized_ && active_) restore(active_);
        CRect client;
        GetClientRect(&client);
        std::vector<HWND> shown;  // the active child first, in the first cell
        for (HWND child : z_order())
            if (::IsWindowVisible(child) && !::IsIconic(child)) shown.push_back(child);
        const std::vector<CRect> cells = mdi_tile_cells(client, shown.size(), (how & MDITILE_HORIZONTAL) != 0);
        for (std::size_t i = 0; i < shown.size(); ++i)
            ::SetWindowPos(shown[i], nullptr, cells[i].left, cells[i].top, cells[i].Width(), cells[i].Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
        return 1;
    }
    afx_msg LRESULT OnMDIMaximize(WPARAM wParam, LPARAM) {
        maximize(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    afx_msg LRESULT OnMDIRestore(WPARAM wParam, LPARAM) {
        const HWND child = reinterpret_cast<HWND>(wParam);
        if (::IsIconic(child))
            restore_iconic(child);
        else
            restore(child);
        return 0;
    }
    afx_msg LRESULT OnMinimizeChild(WPARAM wParam, LPARAM) {
        minimize(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    afx_msg LRESULT OnMDIDestroy(WPARAM wParam, LPARAM) {
        HWND child = reinterpret_cast<HWND>(wParam);
        if (::IsChild(m_hWnd, child)) ::DestroyWindow(child);
        return 0;
    }
    afx_msg LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam) {
        HWND frame = ::GetParent(m_hWnd);
        HMENU old = ::GetMenu(frame);
        if (wParam && HMENU(wParam) != old) ::SetMenu(frame, reinterpret_cast<HMENU>(wParam));
        if (lParam) {
            clear_menu();
            window_menu_ = reinterpret_cast<HMENU>(lParam);
        }
        refresh_menu();
        ::DrawMenuBar(frame);
        return reinterpret_cast<LRESULT>(old);
    }
    afx_msg LRESULT OnMDIRefreshMenu(WPARAM, LPARAM) {
        refresh_menu();
        return 0;
    }
    afx_msg void OnSize(UINT type, int cx, int cy) {
        Default();
        if (maximized_ && active_) ::MoveWindow(active_, 0, 0, cx, cy, TRUE);
        keep_restored_inside();
        arrange_iconic();
    }
    // A click on the window menu's list activates that child (restoring it when minimized) and
    // gives it the keyboard, also when it was active already and the keyboard was in a bar.
    bool activate_listed(UINT id) {
        const size_t index = id - AFX_IDM_FIRST_MDICHILD;
        if (id < AFX_IDM_FIRST_MDICHILD || index >= listed_.size() || !::IsWindow(listed_[index])) return false;
        const HWND child = listed_[index];
        if (::IsIconic(child)) restore_iconic(child);
        activate(child);
        if (const HWND focus = ::GetFocus(); focus != child && !::IsChild(child, focus)) ::SetFocus(child);
        return true;
    }

    DECLARE_MESSAGE_MAP()

private:
    std::vector<HWND> z_order() const {
        std::vector<HWND> order;
        for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (std::find(children_.begin(), children_.end(), child) != children_.end()) order.push_back(child);
        return order;
    }
    HWND top_child(HWND except, bool skip_iconic = false) const {
        for (HWND child : z_order())
            if (child != except && ::IsWindowVisible(child) && !(skip_iconic && ::IsIconic(child))) return child;
        return nullptr;
    }
    void activate(HWND child) {
        if (!child || child == active_ || !::IsChild(m_hWnd, child)) return;
        HWND previous = active_;
        const bool keep_maximized = maximized_;
        if (keep_maximized && previous) restore(previous);
        active_ = child;
        ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        if (keep_maximized) maximize(child);
        if (previous && ::IsWindow(previous)) {
            ::SendMessage(previous, WM_NCACTIVATE, FALSE, 0);
            ::SendMessage(previous, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous),
                          reinterpret_cast<LPARAM>(child));
        }
        ::SendMessage(child, WM_NCACTIVATE, TRUE, 0);
        ::SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(child));
        // A minimized child's view is out of sight: the keyboard waits in the MDI area.
        if (::GetFocus() == nullptr || ::IsChild(::GetParent(m_hWnd), ::GetFocus()))
            ::SetFocus(::IsIconic(child) ? m_hWnd : child);
        refresh_menu();
    }
    void maximize(HWND child) {
        if (!child) return;
        if (::IsIconic(child)) restore_iconic(child);
        if (!maximized_ || restore_child_ != child) {
            ::GetWindowRect(child, &restore_rect_);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&restore_rect_), 2);
            restore_style_ = DWORD(::GetWindowLong(child, GWL_STYLE));
        }
        restore_child_ = child;
        maximized_ = true;
        ::SetWindowLong(child, GWL_STYLE, LONG((restore_style_ & ~(WS_CAPTION | WS_THICKFRAME)) | WS_MAXIMIZE));
        CRect client;
        GetClientRect(&client);
        ::SetWindowPos(child, HWND_TOP, 0, 0, client.Width(), client.Height(), SWP_FRAMECHANGED | SWP_NOACTIVATE);
    }
    void restore(HWND child) {
        if (!maximized_ || child != restore_child_) return;
        maximized_ = false;
        ::SetWindowLong(child, GWL_STYLE, LONG(restore_style_ & ~WS_MAXIMIZE));
        const CRect place = inside_area(restore_rect_);
        ::SetWindowPos(child, nullptr, place.left, place.top, place.Width(), place.Height(),
                       SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
        restore_child_ = nullptr;
    }
    // The restored children a smaller area cuts off are moved and cut to lie inside it.
    void keep_restored_inside() {
        for (HWND child : children_) {
            if (::IsIconic(child) || (maximized_ && child == restore_child_)) continue;
            CRect place;
            ::GetWindowRect(child, &place);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
            const CRect inside = inside_area(place);
            if (inside != place)
                ::SetWindowPos(child, nullptr, inside.left, inside.top, inside.Width(), inside.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    // A place for a restored child, moved and cut to lie inside the area: the area may have
    // shrunk since the child had it, and its caption boxes must stay in reach.
    CRect inside_area(CRect place) const {
        CRect area;
        GetClientRect(&area);
        if (area.IsRectEmpty()) return place;  // a minimized frame: no room to measure by
        const int width = std::min<int>(place.Width(), area.Width()),
                  height = std::min<int>(place.Height(), area.Height());
        const int left = std::clamp<int>(place.left, area.left, area.right - width),
                  top = std::clamp<int>(place.top, area.top, area.bottom - height);
        return CRect(left, top, left + width, top + height);
    }
    // Shrinks the child to a strip at the bottom of the area and activates the next child
    // that is not minimized; with none, the minimized one stays active.
    void minimize(HWND child) {
        if (!::IsChild(m_hWnd, child) || ::IsIconic(child)) return;
        restore(child);  // a maximized child gives its place back first
        ::ShowWindow(child, SW_MINIMIZE);
        iconic_.push_back(child);
        arrange_iconic();
        if (child != active_) return;
        if (HWND next = top_child(child, true)) {
            activate(next);
        } else if (const HWND focus = ::GetFocus(); focus == child || ::IsChild(child, focus)) {
            ::SetFocus(m_hWnd);
        }
    }
    // Gives a minimized child its place from before and activates it.
    void restore_iconic(HWND child) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (!::GetWindowPlacement(child, &placement)) return;
        std::erase(iconic_, child);
        const CRect normal = inside_area(placement.rcNormalPosition);
        // Placed while still minimized, so that the layout of its inside runs once, at its size.
        ::SetWindowPos(child, HWND_TOP, normal.left, normal.top, normal.Width(), normal.Height(), SWP_NOACTIVATE);
        ::ShowWindow(child, SW_RESTORE);
        arrange_iconic();
        if (child == active_)
            ::SetFocus(child);
        else
            activate(child);
    }
    // Lays the minimized children left to right along the bottom, in the order they were
    // minimized, starting a row above when one is full.
    void arrange_iconic() {
        if (iconic_.empty()) return;
        CRect client;
        GetClientRect(&client);
        const int per_row = std::max(1, client.Width() / kIconicWidth);
        for (size_t i = 0; i < iconic_.size(); ++i) {
            const HWND child = iconic_[i];
            CRect strip(0, 0, kIconicWidth, 0);  // a caption and the frame around no inside
            ::AdjustWindowRectEx(&strip, DWORD(::GetWindowLong(child, GWL_STYLE)), FALSE,
                                 DWORD(::GetWindowLong(child, GWL_EXSTYLE)));
            const int x = int(i % size_t(per_row)) * kIconicWidth;
            const int y = client.Height() - int(i / size_t(per_row) + 1) * strip.Height();
            ::SetWindowPos(child, nullptr, x, y, kIconicWidth, strip.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    void clear_menu() {
        if (!window_menu_ || !::IsMenu(window_menu_)) return;
        for (int i = 0; i < kMaxListed; ++i) ::DeleteMenu(window_menu_, AFX_IDM_FIRST_MDICHILD + UINT(i), MF_BYCOMMAND);
        if (listed_separator_) {
            const int last = ::GetMenuItemCount(window_menu_) - 1;
            if (last >= 0 && ::GetMenuItemID(window_menu_, last) == 0)
                ::DeleteMenu(window_menu_, UINT(last), MF_BYPOSITION);
            listed_separator_ = false;
        }
    }
    // Lists the visible children (a hidden one cannot be chosen) in the order they were made.
    void refresh_menu() {
        clear_menu();
        listed_.clear();
        for (HWND child : children_)
            if (::IsWindowVisible(child) && listed_.size() < size_t(kMaxListed)) listed_.push_back(child);
        if (!window_menu_ || !::IsMenu(window_menu_) || listed_.empty()) return;
        ::AppendMenu(window_menu_, MF_SEPARATOR, 0, nullptr);
        listed_separator_ = true;
        for (size_t i = 0; i < listed_.size(); ++i) {
            char title[256] = {};
            ::GetWindowText(listed_[i], title, sizeof title);
            const CString text = AfxFormat("&%d %s", int(i + 1), title);
            ::AppendMenu(window_menu_, MF_STRING | (listed_[i] == active_ ? MF_CHECKED : 0), AFX_IDM_FIRST_MDICHILD + i,
                         text);
        }
    }

    std::vector<HWND> children_;  // in the order they were made
    std::vector<HWND> listed_;    // the children the window menu lists, in its order
    std::vector<HWND> iconic_;    // the minimized children, in the order they were minimized
    HWND active_ = nullptr;
    bool maximized_ = false;
    HWND restore_child_ = nullptr;
    CRect restore_rect_;
    DWORD restore_style_ = 0;
    HMENU window_menu_ = nullptr;
    bool listed_separator_ = false;
};

BEGIN_MESSAGE_MAP(MDIClient, CWnd)
ON_MESSAGE(kChildCreated, OnChildCreated)
ON_MESSAGE(kChildGone, OnChildGone)
ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
ON_MESSAGE(WM_MDIGETACTIVE, OnMDIGetActive)
ON_MESSAGE(WM_MDINEXT, OnMDINext)
ON_MESSAGE(WM_MDICASCADE, OnMDICascade)
ON_MESSAGE(WM_MDITILE, OnMDITile)
ON_MESSAGE(WM_MDIMAXIMIZE, OnMDIMaximize)
ON_MESSAGE(WM_MDIRESTORE, OnMDIRestore)
ON_MESSAGE(kMinimizeChild, OnMinimizeChild)
ON_MESSAGE(WM_MDIDESTROY, OnMDIDestroy)
ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
ON_MESSAGE(WM_MDIREFRESHMENU, OnMDIRefreshMenu)
ON_WM_SIZE()
END_MESSAGE_MAP()

}  // namespace

// ---- the MDI frame ----------------------------------------------------------

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnWindowTile)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnWindowTile)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

void CMDIFrameWnd::OnSetFocus(CWnd* old) {
    if (CMDIChildWnd* child = MDIGetActive(); child && child->IsWindowVisible())
        child->SetFocus();
    else
        CFrameWnd::OnSetFocus(old);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU menu_bar) {
    const int count = menu_bar ? ::GetMenuItemCount(menu_bar) : 0;
    return count >= 2 ? ::GetSubMenu(menu_bar, count - 2) : nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(CREATESTRUCT* cs, CCreateContext*) {
    return CreateClient(cs, CMenu::FromHandle(GetWindowMenuPopup(m_hMenuDefault)));
}

BOOL CMDIFrameWnd::CreateClient(CREATESTRUCT*, CMenu* window_menu) {
    auto* client = new MDIClient;
    const char* client_class =
        AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_APPWORKSPACE));
    if (!client->CreateEx(WS_EX_CLIENTEDGE, client_class, nullptr,
                          WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), this,
                          AFX_IDW_PANE_FIRST))
        return FALSE;  // deleted by its PostNcDestroy
    m_hWndMDIClient = client->m_hWnd;
    if (window_menu) client->SendMessage(WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(window_menu->m_hMenu));
    return TRUE;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
    if (!m_hWndMDIClient) return nullptr;
    HWND active =
        reinterpret_cast<HWND>(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    CWnd* wnd = CWnd::FromHandlePermanent(active);
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(wnd) : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* child) {
    if (child) ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void CMDIFrameWnd::MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
void CMDIFrameWnd::MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int how) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, WPARAM(how), 0); }
BOOL CMDIFrameWnd::OnWindowTile(UINT id) {
    MDITile(id == ID_WINDOW_TILE_HORZ ? MDITILE_HORIZONTAL : MDITILE_VERTICAL);
    return TRUE;
}
void CMDIFrameWnd::MDIMaximize(CWnd* child) {
    if (child) ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void CMDIFrameWnd::MDIRestore(CWnd* child) {
    if (child) ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void CMDIFrameWnd::MDISetMenu(HMENU frame_menu, HMENU window_menu) {
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(frame_menu),
                  reinterpret_cast<LPARAM>(window_menu));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU alternate_menu) {
    if (CMDIChildWnd* child = MDIGetActive()) {
        child->OnUpdateFrameMenu(TRUE, child, alternate_menu);
    } else {
        HMENU menu = alternate_menu ? alternate_menu : m_hMenuDefault;
        MDISetMenu(menu, GetWindowMenuPopup(menu));
    }
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (!lParam && id >= AFX_IDM_FIRST_MDICHILD) {
        auto* client = static_cast<MDIClient*>(CWnd::FromHandlePermanent(m_hWndMDIClient));
        if (client && client->activate_listed(id)) return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

namespace {
// The MDI children's own keys, taken before any accelerator table: Ctrl+F4 closes the active
// child, Ctrl+F6 moves to the next one and Ctrl+Shift+F6 to the one before.
enum class ChildKey { none, close, next, previous };
ChildKey child_key(const MSG& msg) {
    const auto down = [](int vk) { return (::GetKeyState(vk) & 0x8000) != 0; };
    if (msg.message != WM_KEYDOWN || !down(VK_CONTROL) || down(VK_MENU)) return ChildKey::none;
    if (msg.wParam == WPARAM(VK_F4)) return ChildKey::close;
    if (msg.wParam == WPARAM(VK_F6)) return down(VK_SHIFT) ? ChildKey::previous : ChildKey::next;
    return ChildKey::none;
}
}  // namespace

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
        CMDIChildWnd* child = MDIGetActive();
        switch (child ? child_key(*msg) : ChildKey::none) {
            case ChildKey::close: child->SendMessage(WM_SYSCOMMAND, SC_CLOSE); return TRUE;
            case ChildKey::next: MDINext(); return TRUE;
            case ChildKey::previous: MDIPrev(); return TRUE;
            case ChildKey::none: break;
        }
        if (child && child->m_hAccelShared && ::TranslateAccelerator(m_hWnd, child->m_hAccelShared, msg)) return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(msg);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* cmd_ui) { cmd_ui->Enable(MDIGetActive() != nullptr); }

// ---- MDI children ---------------------------------------------------------

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SYSCOMMAND()
ON_WM_MDIACTIVATE()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageStringForward)
END_MESSAGE_MAP()

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CHILD | WS_CLIPSIBLINGS;
    cs.style &= ~WS_VISIBLE;  // shown by ActivateFrame once the view is in place
    return CFrameWnd::PreCreateWindow(cs);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    CWnd* frame = CWnd::FromHandlePermanent(::GetParent(::GetParent(m_hWnd)));
    return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(frame) : nullptr;
}

BOOL CMDIChildWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
    CString title;
    title.LoadString(resource_id);
    const int newline = title.Find('\n');
    if (newline >= 0) title = title.Left(newline);
    m_nIDHelp = resource_id;
    CWnd* main = parent ? parent : AfxGetMainWnd();
    if (!main || !main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
        PostNcDestroy();
        return FALSE;
    }
    if (context && context->m_pNewDocTemplate) {
        m_hMenuShared = context->m_pNewDocTemplate->m_hMenuShared;
        m_hAccelShared = context->m_pNewDocTemplate->m_hAccelTable;
    }
    return Create(nullptr, title, style, rectDefault, static_cast<CMDIFrameWnd*>(main), context);
}

BOOL CMDIChildWnd::Create(const char* class_name, const char* title, DWORD style, const RECT& rect,
                          CMDIFrameWnd* parent, CCreateContext* context) {
    if (!parent || !parent->m_hWndMDIClient) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = title;
    // New children step down and right from the last one, as the platform places them.
    CRect place(rect);
    if (place == rectDefault) {
        CRect client;
        ::GetClientRect(parent->m_hWndMDIClient, &client);
        int existing = 0;
        for (HWND child = ::GetTopWindow(parent->m_hWndMDIClient); child; child = ::GetWindow(child, GW_HWNDNEXT))
            ++existing;
        const int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
        const int offset = (existing * step) % std::max(client.Height() / 3, step);
        place = CRect(offset, offset, offset + std::max<int>(client.Width() * 3 / 4, 120),
                      offset + std::max<int>(client.Height() * 3 / 4, 80));
    }
    return CreateEx(0, class_name, title, style | WS_CHILD, place.left, place.top, place.Width(), place.Height(),
                    parent->m_hWndMDIClient, nullptr, context);
}

int CMDIChildWnd::OnCreate(CREATESTRUCT* cs) {
    // Whatever style the frame asked for, an MDI child keeps off the children
    // above it: one restored behind the active child must not paint over it.
    ModifyStyle(0, WS_CLIPSIBLINGS);
    ::SendMessage(::GetParent(m_hWnd), kChildCreated, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return CFrameWnd::OnCreate(cs);
}

void CMDIChildWnd::OnDestroy() {
    HWND client = ::GetParent(m_hWnd);
    CFrameWnd::OnDestroy();
    ::SendMessage(client, kChildGone, reinterpret_cast<WPARAM>(m_hWnd), 0);
    // The last child gone: the frame shows its own menu again.
    CWnd* frame = CWnd::FromHandlePermanent(::GetParent(client));
    if (frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
        auto* mdi_frame = static_cast<CMDIFrameWnd*>(frame);
        if (!mdi_frame->MDIGetActive()) {
            mdi_frame->OnUpdateFrameMenu(nullptr);
            mdi_frame->OnUpdateFrameTitle(TRUE);
        }
    }
}

void CMDIChildWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this)) return;
    if (doc) doc->PreCloseFrame(this);
    MDIDestroy();
}

// Maximizing, minimizing and restoring go through the MDI area, which keeps the maximized
// child and lays out the minimized ones.
void CMDIChildWnd::OnSysCommand(UINT id, LPARAM) {
    CMDIFrameWnd* frame = GetMDIFrame();
    BOOL maximized = FALSE;
    const bool this_maximized = frame && frame->MDIGetActive(&maximized) == this && maximized;
    const UINT command = id & 0xFFF0;
    if (frame && command == SC_MAXIMIZE) {
        if (!this_maximized) MDIMaximize();
        return;
    }
    if (frame && command == SC_MINIMIZE) {
        ::SendMessage(::GetParent(m_hWnd), kMinimizeChild, reinterpret_cast<WPARAM>(m_hWnd), 0);
        return;
    }
    if (frame && command == SC_RESTORE && (this_maximized || IsIconic())) {
        MDIRestore();
        return;
    }
    Default();
}

void CMDIChildWnd::MDIActivate() {
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIActivate(this);
}

void CMDIChildWnd::MDIDestroy() {
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize() {
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore() {
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIRestore(this);
}

void CMDIChildWnd::ActivateFrame(int command) {
    ShowWindow(command == -1 ? SW_SHOW : command);
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL active, CWnd*, HMENU alternate_menu) {
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame) return;
    HMENU menu = alternate_menu ? alternate_menu : active && m_hMenuShared ? m_hMenuShared : frame->m_hMenuDefault;
    frame->MDISetMenu(menu, frame->GetWindowMenuPopup(menu));
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd* activated, CWnd*) {
    if (activate) {
        OnUpdateFrameMenu(TRUE, activated, nullptr);
        if (CView* view = GetActiveView()) view->OnActivateView(TRUE, view, view);
    } else if (!activated) {
        OnUpdateFrameMenu(FALSE, nullptr, nullptr);
    }
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(TRUE);
}

int CMDIChildWnd::OnMouseActivate(CWnd* top, UINT hit, UINT message) {
    const int result = int(Default());
    if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT) MDIActivate();
    return result;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL add_to_title) {
    CDocument* doc = GetActiveDocument();
    if (add_to_title && doc && GetWindowText() != doc->GetTitle()) {
        SetWindowText(doc->GetTitle());
        ::SendMessage(::GetParent(m_hWnd), WM_MDIREFRESHMENU, 0, 0);
    }
    // The main caption names the active child's document: a document renamed in place
    // (a new file taking its path) renames it there too.
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->MDIGetActive() == this) frame->OnUpdateFrameTitle(TRUE);
}

CWnd* CMDIChildWnd::GetMessageBar() {
    CMDIFrameWnd* frame = GetMDIFrame();
    return frame ? frame->GetMessageBar() : nullptr;
}

LRESULT CMDIChildWnd::OnSetMessageStringForward(WPARAM wParam, LPARAM lParam) {
    CMDIFrameWnd* frame = GetMDIFrame();
    return frame ? frame->SendMessage(WM_SETMESSAGESTRING, wParam, lParam) : 0;
}
