// Collecting a frame's docking layout, checking a saved one against the frame
// and applying it whole, and the three forms of the layout as a whole.
#include "uikit/frames/dock_state.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

#include "uikit/frames/bar_host.h"
#include "uikit/frames/control_bar.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/dock_context.h"
#include "uikit/frames/dock_site.h"
#include "uikit/frames/frame_bar.h"

IMPLEMENT_DYNAMIC(SECDockState, CDockState)

namespace {

constexpr int kMaxSavedSize = 32767;  // a saved size past this is clamped, not laid out

bool is_dock_bar_id(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_FLOAT; }

CSize screen_size() { return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }

SECControlBar* as_sec(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(bar) : nullptr;
}

CDockBar* as_dock_bar(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(CDockBar)) ? static_cast<CDockBar*>(bar) : nullptr;
}

// The bar manager a toolkit frame keeps.
SECControlBarManager* manager_of(CFrameWnd* frame) {
    SECDockSite* site = sec_dock_site(frame);
    return site ? site->GetControlBarManager() : nullptr;
}

// A toolkit frame whose bars can live in its MDI area.
bool is_mdi_site(CFrameWnd* frame) {
    SECDockSite* site = sec_dock_site(frame);
    return site && site->IsMDISite();
}

// A dock bar outside the frame's own four: the body of a floating frame or of a bar-hosting MDI child.
bool is_outer_dock_bar(CDockBar* dock_bar, CFrameWnd* frame) { return dock_bar && dock_bar->GetParent() != frame; }

CFrameWnd* frame_of_outer(CDockBar* dock_bar) {
    CWnd* parent = dock_bar ? dock_bar->GetParent() : nullptr;
    return parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(parent) : nullptr;
}

bool is_mdi_child_dock_bar(CDockBar* dock_bar) {
    return dock_bar->IsKindOf(RUNTIME_CLASS(SECDockBar)) && static_cast<SECDockBar*>(dock_bar)->m_bMDIChild;
}

// Moves a window rectangle into an area: whole when it fits, else its top-left corner.
CPoint inside(const CRect& window, const CRect& area) {
    CPoint at = window.TopLeft();
    at.x = std::max<int>(area.left, std::min<int>(at.x, area.right - window.Width()));
    at.y = std::max<int>(area.top, std::min<int>(at.y, area.bottom - window.Height()));
    return at;
}

// A saved window's size brought between the smallest a window can be sized to and the area.
CSize size_within(const CRect& window, const CRect& area) {
    const auto fit = [](std::int64_t low, std::int64_t high, int smallest, int largest) {
        return int(std::clamp<std::int64_t>(high - low, smallest, std::max(smallest, largest)));
    };
    return CSize(fit(window.left, window.right, ::GetSystemMetrics(SM_CXMIN), area.Width()),
                 fit(window.top, window.bottom, ::GetSystemMetrics(SM_CYMIN), area.Height()));
}

CPoint onto_screen(const CRect& window) {
    CRect work;
    if (!::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0) || work.IsRectEmpty())
        work = CRect(CPoint(0, 0), screen_size());
    return inside(window, work);
}

os::Status fault(const std::string& text) { return os::plain_error(text); }

std::string bar_name(const SECControlBarInfo& info) {
    return "bar " + std::to_string(info.m_nBarID) +
           (info.m_strClassName.IsEmpty() ? std::string() : " (" + std::string(info.m_strClassName) + ")");
}

}  // namespace

// ---- the bar's own record --------------------------------------------------------------

void SECControlBar::GetBarInfo(SECControlBarInfo* info) {
    CControlBar::GetBarInfo(info);
    info->m_nBarID &= kSecMaxBarID;
    if (m_pDockContext && m_pDockContext->m_uMRUDockID) {
        info->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        info->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        info->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        info->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
    info->m_szHorzDock = m_szHorzDock, info->m_szVertDock = m_szVertDock, info->m_szFloat = m_szFloat;
    info->m_dwPrevDockStyle = m_dwPrevDockStyle;
    info->m_dwDockStyle = m_dwDockStyle;
    info->m_fPctWidth = m_fPctWidth;
    info->m_dwStyle = m_dwStyle;
    info->m_dwExStyle = m_dwExStyle;
    if (m_pManager || info->m_pManager) {
        SECControlBarManager* manager = info->m_pManager ? info->m_pManager : m_pManager;
        info->m_nTypeID = manager->GetBarTypeID(this);
    }
    if (m_pDockContext) info->m_bPrevFloating = static_cast<SECDockContext*>(m_pDockContext)->m_bWasFloating;
    info->m_strClassName = GetRuntimeClass()->m_lpszClassName;
    info->m_strWindowName = GetWindowText();
    GetBarInfoEx(info);
}

void SECControlBar::SetBarInfo(SECControlBarInfo* info, CFrameWnd* frame) {
    if (info->m_nMRUWidth != 32767) m_sizeMRU.cx = int(info->m_nMRUWidth);
    m_szHorzDock = info->m_szHorzDock, m_szVertDock = info->m_szVertDock, m_szFloat = info->m_szFloat;
    m_dwPrevDockStyle = info->m_dwPrevDockStyle;
    m_dwDockStyle = info->m_dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    if (m_pDockContext) m_pDockContext->m_dwDockStyle = m_dwDockStyle;
    m_fPctWidth = m_fSavedPctWidth = info->m_fPctWidth;
    // Where a bar sits (its side, floating or not) is the dock bars' to say.
    const DWORD placed = m_pDockBar ? CBRS_ALIGN_ANY | CBRS_FLOATING : 0;
    m_dwStyle = (m_dwStyle & (~CBRS_ALL | placed)) | (info->m_dwStyle & CBRS_ALL & ~placed);
    if (info->m_bDocking && m_pDockContext) {
        m_pDockContext->m_uMRUDockID = info->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = info->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = info->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = info->m_ptMRUFloatPos;
    }
    if (m_pDockContext) static_cast<SECDockContext*>(m_pDockContext)->m_bWasFloating = info->m_bPrevFloating;
    if (info->m_pInfoEx) SetBarInfoEx(info, frame);
    // The dock bars place the bar; the framework's part shows or hides it.
    CControlBar::SetBarInfo(info, frame);
}

BOOL SECControlBar::CreateBarFromInfo(CFrameWnd* frame, SECControlBarInfo* info) {
    return Create(frame, info->m_strWindowName, WS_CHILD | (info->m_dwStyle & CBRS_ALL), info->m_dwExStyle,
                  info->m_nBarID);
}

// ---- the whole layout ----------------------------------------------------------------------

SECDockState::~SECDockState() { Clear(); }

void SECDockState::Clear() {
    for (int i = 0; i < m_arrBarInfo.GetSize(); ++i) delete GetInfo(i);
    m_arrBarInfo.RemoveAll();
}

CRuntimeClass* SECDockState::FindRuntimeClass(const char* name) {
    return name && *name ? CRuntimeClass::FromName(name) : nullptr;
}

void SECDockState::SaveState(const char* profile) {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    int saved = 0;
    for (int i = 0; i < GetInfoCount(); ++i) saved += GetInfo(i)->SaveState(profile, saved) ? 1 : 0;
    const CString summary = AfxFormat("%s-Summary", profile);
    const CSize screen = screen_size();
    app->WriteProfileInt(summary, "Bars", saved);
    app->WriteProfileInt(summary, "ScreenCX", screen.cx);
    app->WriteProfileInt(summary, "ScreenCY", screen.cy);
}

os::Status SECDockState::LoadState(const char* profile) {
    Clear();
    CWinApp* app = AfxGetApp();
    if (!app) return fault("there is no application profile");
    const CString summary = AfxFormat("%s-Summary", profile);
    const int bars = int(app->GetProfileInt(summary, "Bars", 0));
    if (bars < 0 || bars > kSecMaxSavedBars) return fault("it claims " + std::to_string(bars) + " bars");
    m_sizeSavedScreen =
        CSize(int(app->GetProfileInt(summary, "ScreenCX", 0)), int(app->GetProfileInt(summary, "ScreenCY", 0)));
    for (int i = 0; i < bars; ++i) {
        SECControlBarInfo* info = CreateBarInfo(m_pManager);
        add(info);
        if (os::Status loaded = info->LoadState(profile, i, this); !loaded) {
            Clear();
            return loaded;
        }
    }
    return {};
}

BOOL SECDockState::SaveState(SECPersistentTreeNode* parent) {
    SECPersistentTreeNode* node = parent ? parent->AddChild("DockState") : nullptr;
    if (!node) return FALSE;
    int saved = 0;
    for (int i = 0; i < GetInfoCount(); ++i) saved += GetInfo(i)->SaveState(node, saved) ? 1 : 0;
    const CSize screen = screen_size();
    node->SetIntValue("Bars", saved);
    node->SetIntValue("ScreenCX", screen.cx);
    node->SetIntValue("ScreenCY", screen.cy);
    return TRUE;
}

os::Status SECDockState::LoadState(SECPersistentTreeNode* root) {
    Clear();
    SECPersistentTreeNode* node = root ? root->FindChildNode("DockState") : nullptr;
    if (!node) return fault("no layout was saved there");
    int bars = 0, cx = 0, cy = 0;
    node->GetIntValue("Bars", &bars, 0);
    node->GetIntValue("ScreenCX", &cx, 0);
    node->GetIntValue("ScreenCY", &cy, 0);
    if (bars < 0 || bars > kSecMaxSavedBars) return fault("it claims " + std::to_string(bars) + " bars");
    m_sizeSavedScreen = CSize(cx, cy);
    for (int i = 0; i < bars; ++i) {
        SECPersistentTreeNode* child = node->FindChildNode(AfxFormat("Bar-%d", i));
        if (!child) continue;  // a bar left out when saving
        SECControlBarInfo* info = CreateBarInfo(m_pManager);
        add(info);
        if (os::Status loaded = info->LoadState(child, this); !loaded) {
            Clear();
            return loaded;
        }
    }
    return {};
}

void SECDockState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        const CSize screen = screen_size();
        int saved = 0;
        for (int i = 0; i < GetInfoCount(); ++i) saved += GetInfo(i)->IsWorthSaving() ? 1 : 0;
        ar << kPlacementVersion << LONG(screen.cx) << LONG(screen.cy) << WORD(saved);
        for (int i = 0; i < GetInfoCount(); ++i)
            if (GetInfo(i)->IsWorthSaving()) GetInfo(i)->Serialize(ar, this);
        return;
    }
    Clear();
    DWORD version = 0;
    ar >> version;
    if (version == 0 || version > kPlacementVersion) AfxThrowArchiveException(CArchiveException::badSchema);
    m_dwVersion = version;
    if (version > 1) {
        LONG cx = 0, cy = 0;
        ar >> cx >> cy;
        m_sizeSavedScreen = CSize(cx, cy);
    }
    WORD count = 0;
    ar >> count;
    if (count > kSecMaxSavedBars) AfxThrowArchiveException(CArchiveException::badSchema);
    for (WORD i = 0; i < count; ++i) {
        SECControlBarInfo* info = CreateBarInfo(m_pManager);
        add(info);
        info->Serialize(ar, this);
    }
    m_dwVersion = kPlacementVersion;
}

os::Status SECDockState::LoadState(CArchive& ar) {
    try {
        Serialize(ar);
    } catch (CArchiveException* error) {
        const bool short_input = error->m_cause == CArchiveException::endOfFile;
        error->Delete();
        Clear();
        return fault(short_input ? "a record is cut short" : "a count or version is out of range");
    }
    return {};
}

// ---- from the frame --------------------------------------------------------------------

void SECDockState::GetFrameState(CFrameWnd* frame) {
    Clear();
    if (!frame) return;
    if (!m_pManager) m_pManager = manager_of(frame);
    std::vector<CDockBar*> outer;
    const auto record_dock_bar = [&](CDockBar* dock_bar) {
        SECControlBarInfo* info = CreateBarInfo(m_pManager);
        dock_bar->GetBarInfo(static_cast<CControlBarInfo*>(info));
        info->m_nBarID = UINT(dock_bar->GetDlgCtrlID()) & kSecMaxBarID;
        info->m_bDockBar = TRUE;
        info->m_dwStyle = dock_bar->m_dwStyle;
        info->m_strClassName = dock_bar->GetRuntimeClass()->m_lpszClassName;
        if (CFrameWnd* host = is_outer_dock_bar(dock_bar, frame) ? frame_of_outer(dock_bar) : nullptr) {
            info->m_bFloating = TRUE;
            info->m_bVisible = TRUE;  // its bars say whether the frame shows
            info->m_bHorz = (dock_bar->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
            if (is_mdi_child_dock_bar(dock_bar)) {
                info->m_bMDIChild = TRUE;
                info->m_pointPos = CPoint(0, 0);
                info->m_wpMDIChild.length = sizeof(WINDOWPLACEMENT);
                ::GetWindowPlacement(host->m_hWnd, &info->m_wpMDIChild);
            } else {
                CRect place;
                host->GetWindowRect(&place);
                info->m_pointPos = place.TopLeft();
            }
        }
        add(info);
    };
    for (POSITION p = frame->m_listControlBars.GetHeadPosition(); p;) {
        auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(p));
        if (!bar->m_hWnd) continue;
        if (CDockBar* dock_bar = as_dock_bar(bar)) {
            if (dock_bar->IsKindOf(RUNTIME_CLASS(SECDockBar))) record_dock_bar(dock_bar);
            continue;
        }
        SECControlBar* sec = as_sec(bar);
        if (!sec) continue;
        SECControlBarInfo* info = CreateBarInfo(m_pManager);
        sec->GetBarInfo(info);
        add(info);
        // A floating frame that holds a dockable frame is the application's to make again.
        CDockBar* holder = bar->m_pDockBar;
        if (is_outer_dock_bar(holder, frame) && !bar->IsKindOf(RUNTIME_CLASS(SECFrameBar)) &&
            std::find(outer.begin(), outer.end(), holder) == outer.end())
            outer.push_back(holder);
    }
    for (CDockBar* dock_bar : outer) record_dock_bar(dock_bar);
}

void SECDockState::RemoveStaleIDs() {
    for (int i = 0; i < GetInfoCount(); ++i) {
        const SECControlBarInfo* bar = GetInfo(i);
        if (bar->m_bDockBar) continue;
        const UINT placeholder = bar->m_nBarID | CDockBar::kPlaceholderFlag;
        for (int j = 0; j < GetInfoCount(); ++j) {
            SECControlBarInfo* dock = GetInfo(j);
            if (!dock->m_bDockBar || (!dock->m_bFloating && dock->m_nBarID == bar->m_uMRUDockID)) continue;
            for (int k = dock->m_arrBarID.GetSize() - 1; k >= 0; --k)
                if (dock->m_arrBarID[k] == placeholder) dock->m_arrBarID.RemoveAt(k);
        }
    }
    for (int j = 0; j < GetInfoCount(); ++j) {
        CUIntArray& ids = GetInfo(j)->m_arrBarID;
        // Taking entries out (rather than zeroing them) keeps the rows as they were.
        for (int k = ids.GetSize() - 1; k >= 0; --k) {
            bool repeat = false;
            for (int m = 0; m < k && !repeat; ++m) repeat = ids[k] != 0 && ids[m] == ids[k];
            if (repeat) ids.RemoveAt(k);
        }
        while (ids.GetSize() > 0 && ids[ids.GetUpperBound()] == 0) ids.RemoveAt(ids.GetUpperBound());
        if (ids.GetSize() > 0) ids.Add(0);
    }
}

// ---- onto the frame ------------------------------------------------------------------------

void SECDockState::skip_bars_not_made_here(CFrameWnd* frame) {
    std::set<UINT> skipped;
    for (int i = GetInfoCount() - 1; i >= 0; --i) {
        const SECControlBarInfo* info = GetInfo(i);
        if (info->m_bDockBar || frame->GetControlBar(info->m_nBarID)) continue;
        // A document window's bar comes only with its document's frame, under an id of that moment; an
        // id another window of the frame has (the MDI area's, which document bars once took) names no
        // bar of this frame.
        CRuntimeClass* cls = FindRuntimeClass(info->m_strClassName);
        const bool document_bar = cls && cls->IsDerivedFrom(RUNTIME_CLASS(SECFrameBar));
        if (!document_bar && !frame->GetDlgItem(int(info->m_nBarID))) continue;
        skipped.insert(info->m_nBarID);
        delete info;
        m_arrBarInfo.RemoveAt(i);
    }
    if (skipped.empty()) return;
    // Nor do the rows keep a place for it; the row breaks left over fold together as the rows are read.
    for (int j = 0; j < GetInfoCount(); ++j) {
        CUIntArray& ids = GetInfo(j)->m_arrBarID;
        for (int k = ids.GetSize() - 1; k >= 0; --k)
            if (ids[k] != 0 && skipped.count(ids[k] & ~CDockBar::kPlaceholderFlag)) ids.RemoveAt(k);
    }
}

os::Status SECDockState::check(CFrameWnd* frame) const {
    if (GetInfoCount() > kSecMaxSavedBars)
        return fault("it holds more than " + std::to_string(kSecMaxSavedBars) + " bars");
    std::set<UINT> ids, docked;
    for (int i = 0; i < GetInfoCount(); ++i) {
        const SECControlBarInfo& info = *GetInfo(i);
        const std::string name = bar_name(info);
        CRuntimeClass* cls = FindRuntimeClass(info.m_strClassName);
        if (!info.m_strClassName.IsEmpty() && !cls) return fault(name + ": no such class");
        if (info.m_bDockBar || is_dock_bar_id(info.m_nBarID)) {
            if (!info.m_bDockBar || !is_dock_bar_id(info.m_nBarID) ||
                (info.m_bFloating != (info.m_nBarID == AFX_IDW_DOCKBAR_FLOAT)))
                return fault(name + ": a dock bar id on something else, or the reverse");
            if (cls && !cls->IsDerivedFrom(RUNTIME_CLASS(CDockBar))) return fault(name + ": not a dock bar class");
            if (info.m_bMDIChild && !is_mdi_site(frame))
                return fault(name + ": an MDI child's dock bar for a frame without MDI children");
            if (!info.m_bFloating && !as_dock_bar(frame->GetControlBar(info.m_nBarID)))
                return fault(name + ": the frame has no such dock bar");
            if (!info.m_bFloating && !ids.insert(info.m_nBarID).second) return fault(name + ": saved twice");
            for (int k = 0; k < info.m_arrBarID.GetSize(); ++k) {
                const UINT slot = info.m_arrBarID[k];
                const UINT id = slot & ~CDockBar::kPlaceholderFlag;
                if (slot == 0) continue;
                if (id == 0 || id > kSecMaxBarID || is_dock_bar_id(id))
                    return fault(name + ": a docked bar's id is out of range");
                if (!(slot & CDockBar::kPlaceholderFlag) && !docked.insert(id).second)
                    return fault(name + ": bar " + std::to_string(id) + " is docked twice");
            }
            continue;
        }
        if (info.m_nBarID == 0 || info.m_nBarID > kSecMaxBarID) return fault(name + ": its id is out of range");
        if (!ids.insert(info.m_nBarID).second) return fault(name + ": its id is used twice");
        if (cls && !cls->IsDerivedFrom(RUNTIME_CLASS(SECControlBar)))
            return fault(name + ": the class is not a docking window");
        if (CControlBar* existing = frame->GetControlBar(info.m_nBarID)) {
            if (cls ? !existing->IsKindOf(cls) : !as_sec(existing))
                return fault(name + ": the frame has a bar of another class with that id");
        } else if (!m_pManager && !(cls && cls->m_pfnCreateObject)) {
            return fault(name + ": it cannot be made");
        }
        if (info.m_szFloat.cx > kMaxSavedSize || info.m_szFloat.cy > kMaxSavedSize ||
            info.m_szHorzDock.cx > kMaxSavedSize || info.m_szHorzDock.cy > kMaxSavedSize ||
            info.m_szVertDock.cx > kMaxSavedSize || info.m_szVertDock.cy > kMaxSavedSize || info.m_fPctWidth > 1000.0f)
            return fault(name + ": a size is out of range");
    }
    return {};
}

CControlBar* SECDockState::CreateBarFromClassName(const char* class_name, CFrameWnd* frame, SECControlBarInfo* info) {
    CRuntimeClass* cls = FindRuntimeClass(class_name);
    if (!cls || !cls->m_pfnCreateObject || !cls->IsDerivedFrom(RUNTIME_CLASS(SECControlBar))) return nullptr;
    auto* bar = static_cast<SECControlBar*>(cls->CreateObject());
    if (!bar) return nullptr;
    const BOOL made = bar->CreateBarFromInfo(frame, info);
    if (!made) {
        delete bar;
        return nullptr;
    }
    bar->m_bAutoDelete = TRUE;
    bar->SetWindowText(info->m_strWindowName);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    if (m_pCreatedBars) m_pCreatedBars->AddTail(bar);
    return bar;
}

os::Status SECDockState::create_missing_bars(CFrameWnd* frame, CPtrList& made) {
    for (int i = 0; i < GetInfoCount(); ++i) {
        SECControlBarInfo* info = GetInfo(i);
        info->m_pBar = nullptr;
        if (info->m_bDockBar && info->m_bFloating) {
            CFrameWnd* host = nullptr;
            if (info->m_bMDIChild) {
                SECBarHost* child = sec_dock_site(frame)->CreateControlBarMDIChild();
                if (child) info->m_pBar = &child->m_wndDockBar, host = child->GetHostFrame();
            } else if (CMiniDockFrameWnd* floating =
                           frame->CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT)) {
                info->m_pBar = &floating->m_wndDockBar, host = floating;
            }
            if (!host) return fault(bar_name(*info) + ": its floating frame cannot be made");
            made.AddTail(host);
            continue;
        }
        info->m_pBar = frame->GetControlBar(info->m_nBarID);
        if (info->m_pBar) continue;
        info->m_pBar = m_pManager ? m_pManager->CreateBar(info) : nullptr;
        if (!info->m_pBar) info->m_pBar = CreateBarFromClassName(info->m_strClassName, frame, info);
        if (!info->m_pBar) return fault(bar_name(*info) + ": it cannot be made");
        made.AddTail(info->m_pBar);
    }
    return {};
}

void SECDockState::apply_bar_styles() {
    for (int i = 0; i < GetInfoCount(); ++i) {
        SECControlBarInfo* info = GetInfo(i);
        if (SECControlBar* sec = as_sec(info->m_pBar); sec && !info->m_bDockBar)
            sec->SetExBarStyle(info->m_dwExStyle, FALSE);
        CDockBar* dock_bar = info->m_bDockBar ? as_dock_bar(info->m_pBar) : nullptr;
        if (!dock_bar) continue;
        if (dock_bar->IsKindOf(RUNTIME_CLASS(SECDockBar))) {
            auto* sec_dock = static_cast<SECDockBar*>(dock_bar);
            sec_dock->m_bRowsChanged = TRUE;
            for (int k = 0; k < dock_bar->GetSlotCount(); ++k)
                if (CControlBar* bar = dock_bar->GetDockedControlBar(k)) sec_dock->m_arrRedraw.Add(bar);
        }
        if (!info->m_bFloating || info->m_bMDIChild) continue;
        CFrameWnd* host = frame_of_outer(dock_bar);
        if (!host) continue;
        host->SetWindowPos(nullptr, info->m_pointPos.x, info->m_pointPos.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        bool any_visible = false;
        for (int k = 0; k < dock_bar->GetSlotCount(); ++k)
            if (CControlBar* bar = dock_bar->GetDockedControlBar(k)) any_visible = any_visible || bar->IsVisible();
        host->RecalcLayout();
        // A layout saved on a larger screen, or with a monitor since removed, comes back where it can be seen.
        CRect place;
        host->GetWindowRect(&place);
        const CPoint on_screen = onto_screen(place);
        if (on_screen != place.TopLeft())
            host->SetWindowPos(nullptr, on_screen.x, on_screen.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        host->ShowWindow(any_visible ? SW_SHOWNA : SW_HIDE);
    }
}

void SECDockState::restore_mdi_placements() {
    for (int i = 0; i < GetInfoCount(); ++i) {
        SECControlBarInfo* info = GetInfo(i);
        CDockBar* dock_bar = info->m_bMDIChild ? as_dock_bar(info->m_pBar) : nullptr;
        CFrameWnd* host = frame_of_outer(dock_bar);
        if (!host) continue;
        WINDOWPLACEMENT placement = info->m_wpMDIChild;
        placement.length = sizeof placement;
        // An empty place keeps the size the child was made with; the child comes back inside the MDI
        // area, where it can be reached, as a floating frame comes back onto the screen.
        CRect normal(placement.rcNormalPosition);
        if (normal.IsRectEmpty()) {
            WINDOWPLACEMENT made{};
            made.length = sizeof made;
            ::GetWindowPlacement(host->m_hWnd, &made);
            normal = CRect(normal.TopLeft(), CRect(made.rcNormalPosition).Size());
        }
        CRect area;
        ::GetClientRect(::GetParent(host->m_hWnd), &area);
        normal = CRect(normal.TopLeft(), size_within(normal, area));
        normal.OffsetRect(inside(normal, area) - normal.TopLeft());
        placement.rcNormalPosition = normal;
        ::SetWindowPlacement(host->m_hWnd, &placement);
        host->RecalcLayout();
        host->ShowWindow(SW_SHOWNA);
    }
}

os::Status SECDockState::SetFrameState(CFrameWnd* frame) {
    if (!frame || !frame->m_hWnd) return fault("there is no frame");
    if (!m_pManager) m_pManager = manager_of(frame);
    skip_bars_not_made_here(frame);
    if (os::Status checked = check(frame); !checked) return checked;
    CPtrList made;
    if (os::Status created = create_missing_bars(frame, made); !created) {
        // Nothing of the layout is applied: what was made for it goes again.
        for (POSITION p = made.GetHeadPosition(); p;) static_cast<CWnd*>(made.GetNext(p))->DestroyWindow();
        if (m_pCreatedBars) m_pCreatedBars->RemoveAll();
        return created;
    }
    // Floating frames the layout leaves empty go once it is applied.
    std::vector<CFrameWnd*> old_floating;
    for (POSITION p = frame->m_listControlBars.GetHeadPosition(); p;) {
        auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(p));
        CFrameWnd* host = is_outer_dock_bar(bar->m_pDockBar, frame) ? frame_of_outer(bar->m_pDockBar) : nullptr;
        if (host && std::find(old_floating.begin(), old_floating.end(), host) == old_floating.end())
            old_floating.push_back(host);
    }
    // Bars take their sizes and styles first; the dock bars then place them in their rows.
    for (int i = 0; i < GetInfoCount(); ++i) {
        SECControlBarInfo* info = GetInfo(i);
        if (info->m_bDockBar) continue;
        if (SECControlBar* sec = as_sec(info->m_pBar)) {
            sec->SetBarInfo(info, frame);
        } else {
            info->m_pBar->SetBarInfo(static_cast<CControlBarInfo*>(info), frame);
        }
    }
    for (int i = 0; i < GetInfoCount(); ++i) {
        SECControlBarInfo* info = GetInfo(i);
        if (!info->m_bDockBar) continue;
        auto* dock_bar = static_cast<CDockBar*>(info->m_pBar);
        dock_bar->SetBarInfo(static_cast<CControlBarInfo*>(info), frame);
        if (!info->m_bFloating || info->m_bMDIChild) continue;
        for (int k = 0; k < dock_bar->GetSlotCount(); ++k)
            if (CControlBar* bar = dock_bar->GetDockedControlBar(k)) bar->m_dwStyle |= CBRS_FLOATING;
    }
    apply_bar_styles();
    // Floating frames and bar children left without a bar go: those the layout emptied and those it
    // made for rows of placeholders only.
    for (POSITION p = made.GetHeadPosition(); p;) {
        auto* window = static_cast<CWnd*>(made.GetNext(p));
        if (window->IsKindOf(RUNTIME_CLASS(CFrameWnd))) old_floating.push_back(static_cast<CFrameWnd*>(window));
    }
    for (CFrameWnd* host : old_floating) {
        SECBarHost* bar_host = sec_bar_host(host);
        CDockBar* body = host->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))
                             ? &static_cast<CMiniDockFrameWnd*>(host)->m_wndDockBar
                         : bar_host ? &bar_host->m_wndDockBar
                                    : nullptr;
        if (!body || body->GetDockedCount() > 0) continue;
        for (int i = 0; i < GetInfoCount(); ++i)
            if (GetInfo(i)->m_pBar == body) GetInfo(i)->m_pBar = nullptr;
        host->DestroyWindow();
    }
    frame->RecalcLayout(TRUE);
    if (is_mdi_site(frame)) restore_mdi_placements();
    frame->DelayRecalcLayout();
    return {};
}

// ---- the frames' part ------------------------------------------------------------------------

os::Status sec_load_bar_state(CFrameWnd* frame, SECControlBarManager* manager, const char* profile) {
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd) app->m_pMainWnd = frame;
    SECDockState state(manager);
    os::Status result = state.LoadState(profile);
    if (result && state.GetInfoCount() > 0) result = state.SetFrameState(frame);
    if (result) return result;
    return os::plain_error("The saved window layout \"" + std::string(profile) + "\" is damaged (" +
                           result.error().text + "); the default layout is used.");
}

void sec_save_bar_state(CFrameWnd* frame, SECControlBarManager* manager, const char* profile) {
    SECDockState state(manager);
    state.GetFrameState(frame);
    state.RemoveStaleIDs();
    state.SaveState(profile);
}
