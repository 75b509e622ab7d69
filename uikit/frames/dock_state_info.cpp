// One bar's record of a saved layout in its three forms: the profile section,
// the tree node and the archive record. Reading checks sizes and counts as it
// goes; what a record claims is never trusted for an allocation.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "uikit/frames/dock_state.h"

IMPLEMENT_DYNAMIC(SECControlBarInfoEx, CObject)

namespace {

// The relative size as saved: millionths, truncated.
CString pct_text(float pct) { return AfxFormat("%d", int(double(pct) * 1000000.0)); }

float pct_from_text(const CString& text) {
    const double pct = std::atoi(text) * 0.000001;
    return pct > 0.0 ? float(pct) : 0.0f;
}

int not_negative(int value) { return value < 0 ? 0 : value; }

// A coordinate no screen has is damage: it is pulled into the range a window can take before
// anything adds to it or scales it.
constexpr int kMaxSavedCoordinate = 32767;

int saved_coordinate(int value) { return std::clamp(value, -kMaxSavedCoordinate - 1, kMaxSavedCoordinate); }

CPoint saved_point(CPoint point) { return CPoint(saved_coordinate(point.x), saved_coordinate(point.y)); }

CRect saved_rect(const CRect& rect) {
    return CRect(saved_coordinate(rect.left), saved_coordinate(rect.top), saved_coordinate(rect.right),
                 saved_coordinate(rect.bottom));
}

// No bar is wider than the largest coordinate; a larger saved width (or a negative one) means none.
UINT saved_width(UINT width) { return std::min<UINT>(width, kMaxSavedCoordinate); }

// A window placement as eleven little-endian 32-bit words, whatever the host's layout.
void placement_to_bytes(const WINDOWPLACEMENT& wp, BYTE* out) {
    const std::int32_t words[11] = {std::int32_t(wp.length),   std::int32_t(wp.flags),    std::int32_t(wp.showCmd),
                                    wp.ptMinPosition.x,        wp.ptMinPosition.y,        wp.ptMaxPosition.x,
                                    wp.ptMaxPosition.y,        wp.rcNormalPosition.left,  wp.rcNormalPosition.top,
                                    wp.rcNormalPosition.right, wp.rcNormalPosition.bottom};
    for (int i = 0; i < 11; ++i)
        for (int b = 0; b < 4; ++b) out[i * 4 + b] = BYTE(std::uint32_t(words[i]) >> (8 * b));
}

WINDOWPLACEMENT placement_from_bytes(const BYTE* in) {
    std::int32_t words[11];
    for (int i = 0; i < 11; ++i)
        words[i] = std::int32_t(std::uint32_t(in[i * 4]) | std::uint32_t(in[i * 4 + 1]) << 8 |
                                std::uint32_t(in[i * 4 + 2]) << 16 | std::uint32_t(in[i * 4 + 3]) << 24);
    WINDOWPLACEMENT wp{};
    wp.length = UINT(words[0]), wp.flags = UINT(words[1]), wp.showCmd = UINT(words[2]);
    wp.ptMinPosition = saved_point(CPoint(words[3], words[4]));
    wp.ptMaxPosition = saved_point(CPoint(words[5], words[6]));
    wp.rcNormalPosition = saved_rect(CRect(words[7], words[8], words[9], words[10]));
    return wp;
}

os::Status damaged(const char* what, const CString& where) { return os::plain_error(std::string(where) + ": " + what); }

// The sizes as a record holds them, with the limits a restored bar accepts.
void sizes_read(SECControlBarInfo& info) {
    info.m_szFloat = CSize(not_negative(info.m_szFloat.cx), not_negative(info.m_szFloat.cy));
    info.m_szHorzDock =
        CSize(info.m_szHorzDock.cx < 1 ? 0 : info.m_szHorzDock.cx, info.m_szHorzDock.cy < 1 ? 0 : info.m_szHorzDock.cy);
    info.m_szVertDock = CSize(not_negative(info.m_szVertDock.cx), not_negative(info.m_szVertDock.cy));
}

}  // namespace

BOOL SECControlBarInfo::IsWorthSaving() const {
    return !(m_bDockBar && m_bVisible && !m_bFloating && m_pointPos == CPoint(-1, -1) && m_arrBarID.GetSize() <= 1);
}

void SECControlBarInfo::MakeInfoEx() {
    m_pInfoEx.reset(m_nTypeID && m_pManager ? m_pManager->CreateBarInfo(this) : nullptr);
}

// ---- the profile ------------------------------------------------------------------

BOOL SECControlBarInfo::SaveState(const char* profile, int index) {
    if (!CControlBarInfo::SaveState(profile, index)) return FALSE;
    CWinApp* app = AfxGetApp();
    const CString section = AfxFormat("%s-Bar%d", profile, index);
    app->WriteProfileInt(section, "Style", int(m_dwStyle));
    app->WriteProfileInt(section, "ExStyle", int(m_dwExStyle));
    app->WriteProfileInt(section, "PrevFloating", m_bPrevFloating);
    app->WriteProfileInt(section, "MDIChild", m_bMDIChild);
    if (m_bMDIChild) {
        BYTE bytes[kSecPlacementSize];
        placement_to_bytes(m_wpMDIChild, bytes);
        app->WriteProfileBinary(section, "MDIChildWindowPlacement", bytes, kSecPlacementSize);
    }
    app->WriteProfileString(section, "PctWidth", pct_text(m_fPctWidth));
    app->WriteProfileInt(section, "MRUFloatCX", m_szFloat.cx);
    app->WriteProfileInt(section, "MRUFloatCY", m_szFloat.cy);
    app->WriteProfileInt(section, "MRUHorzDockCX", m_szHorzDock.cx);
    app->WriteProfileInt(section, "MRUHorzDockCY", m_szHorzDock.cy);
    app->WriteProfileInt(section, "MRUVertDockCX", m_szVertDock.cx);
    app->WriteProfileInt(section, "MRUVertDockCY", m_szVertDock.cy);
    app->WriteProfileInt(section, "MRUDockingState", int(m_dwPrevDockStyle));
    app->WriteProfileInt(section, "DockingStyle", int(m_dwDockStyle));
    app->WriteProfileInt(section, "TypeID", int(m_nTypeID));
    app->WriteProfileString(section, "ClassName", m_strClassName);
    app->WriteProfileString(section, "WindowName", m_strWindowName);
    app->WriteProfileInt(section, "ResourceID", int(m_nResourceID));
    if (m_pInfoEx) m_pInfoEx->SaveState(section);
    return TRUE;
}

os::Status SECControlBarInfo::LoadState(const char* profile, int index, SECDockState* state) {
    CWinApp* app = AfxGetApp();
    const CString section = AfxFormat("%s-Bar%d", profile, index);
    // The framework's reader bounds the count quietly; a count past the limit is damage.
    const int slots = int(app->GetProfileInt(section, "Bars", 0));
    if (slots < 0 || slots > kSecMaxSavedBarSlots) return damaged("its count of docked bars is out of range", section);
    if (!CControlBarInfo::LoadState(profile, index, state)) return damaged("it has no bar id", section);
    m_pointPos = saved_point(m_pointPos);
    m_nMRUWidth = saved_width(m_nMRUWidth);
    m_rectMRUDockPos = saved_rect(m_rectMRUDockPos);
    m_ptMRUFloatPos = saved_point(m_ptMRUFloatPos);
    m_dwStyle = app->GetProfileInt(section, "Style", 0);
    m_dwExStyle = app->GetProfileInt(section, "ExStyle", 0);
    m_bPrevFloating = app->GetProfileInt(section, "PrevFloating", 0) != 0;
    m_bMDIChild = app->GetProfileInt(section, "MDIChild", 0) != 0;
    if (m_bMDIChild) {
        std::vector<BYTE> bytes;
        if (!app->GetProfileBinary(section, "MDIChildWindowPlacement", bytes) || bytes.size() != kSecPlacementSize)
            return damaged("its window placement is not 44 bytes", section);
        m_wpMDIChild = placement_from_bytes(bytes.data());
    }
    m_fPctWidth = pct_from_text(app->GetProfileString(section, "PctWidth", "0"));
    m_szFloat =
        CSize(int(app->GetProfileInt(section, "MRUFloatCX", 0)), int(app->GetProfileInt(section, "MRUFloatCY", 0)));
    m_szHorzDock = CSize(int(app->GetProfileInt(section, "MRUHorzDockCX", 0)),
                         int(app->GetProfileInt(section, "MRUHorzDockCY", 0)));
    m_szVertDock = CSize(int(app->GetProfileInt(section, "MRUVertDockCX", 0)),
                         int(app->GetProfileInt(section, "MRUVertDockCY", 0)));
    sizes_read(*this);
    m_dwPrevDockStyle = app->GetProfileInt(section, "MRUDockingState", int(m_dwPrevDockStyle));
    m_dwDockStyle = app->GetProfileInt(section, "DockingStyle", int(m_dwDockStyle));
    m_nTypeID = app->GetProfileInt(section, "TypeID", 0);
    m_strClassName = app->GetProfileString(section, "ClassName", "");
    m_strWindowName = app->GetProfileString(section, "WindowName", "");
    m_nResourceID = app->GetProfileInt(section, "ResourceID", int(m_nResourceID));
    MakeInfoEx();
    if (m_pInfoEx && !m_pInfoEx->LoadState(section)) return damaged("its extra state cannot be read", section);
    return {};
}

// ---- the tree ---------------------------------------------------------------------

BOOL SECControlBarInfo::SaveState(SECPersistentTreeNode* parent, int index) {
    if (!parent || !IsWorthSaving()) return FALSE;
    SECPersistentTreeNode* node = parent->AddChild(AfxFormat("Bar-%d", index));
    if (!node) return FALSE;
    node->SetIntValue("BarID", int(m_nBarID));
    node->SetBoolValue("Visible", m_bVisible);
    node->SetBoolValue("Horz", m_bHorz);
    node->SetBoolValue("Floating", m_bFloating);
    node->SetIntValue("XPos", m_pointPos.x);
    node->SetIntValue("YPos", m_pointPos.y);
    node->SetIntValue("MRUWidth", int(m_nMRUWidth));
    node->SetBoolValue("Docking", m_bDocking);
    node->SetIntValue("MRUDockID", int(m_uMRUDockID));
    node->SetIntValue("MRUDockLeftPos", m_rectMRUDockPos.left);
    node->SetIntValue("MRUDockTopPos", m_rectMRUDockPos.top);
    node->SetIntValue("MRUDockRightPos", m_rectMRUDockPos.right);
    node->SetIntValue("MRUDockBottomPos", m_rectMRUDockPos.bottom);
    node->SetIntValue("MRUFloatStyle", int(m_dwMRUFloatStyle));
    node->SetIntValue("MRUFloatXPos", m_ptMRUFloatPos.x);
    node->SetIntValue("MRUFloatYPos", m_ptMRUFloatPos.y);
    if (m_bDockBar) {
        node->SetIntValue("Bars", m_arrBarID.GetSize());
        for (int i = 0; i < m_arrBarID.GetSize(); ++i) node->SetIntValue(AfxFormat("Bar#%d", i), int(m_arrBarID[i]));
    }
    node->SetIntValue("Style", int(m_dwStyle));
    node->SetIntValue("ExStyle", int(m_dwExStyle));
    node->SetBoolValue("PrevFloating", m_bPrevFloating);
    node->SetBoolValue("MDIChild", m_bMDIChild);
    if (m_bMDIChild) {
        BYTE bytes[kSecPlacementSize];
        placement_to_bytes(m_wpMDIChild, bytes);
        node->SetBinaryValue("MDIChildWindowPlacement", bytes, kSecPlacementSize);
    }
    node->SetStringValue("PctWidth", pct_text(m_fPctWidth));
    node->SetIntValue("MRUFloatCX", m_szFloat.cx);
    node->SetIntValue("MRUFloatCY", m_szFloat.cy);
    node->SetIntValue("MRUHorzDockCX", m_szHorzDock.cx);
    node->SetIntValue("MRUHorzDockCY", m_szHorzDock.cy);
    node->SetIntValue("MRUVertDockCX", m_szVertDock.cx);
    node->SetIntValue("MRUVertDockCY", m_szVertDock.cy);
    node->SetIntValue("MRUDockingState", int(m_dwPrevDockStyle));
    node->SetIntValue("DockingStyle", int(m_dwDockStyle));
    node->SetIntValue("TypeID", int(m_nTypeID));
    node->SetStringValue("ClassName", m_strClassName);
    node->SetStringValue("WindowName", m_strWindowName);
    node->SetIntValue("ResourceID", int(m_nResourceID));
    if (m_pInfoEx) m_pInfoEx->SaveState(parent, node);
    return TRUE;
}

os::Status SECControlBarInfo::LoadState(SECPersistentTreeNode* node, SECDockState* state) {
    const CString where = node ? "node " + node->GetName() : CString("a missing node");
    if (!node) return damaged("it is missing", where);
    const auto get_int = [node](const char* key, int fallback) {
        int value = fallback;
        node->GetIntValue(key, &value, fallback);
        return value;
    };
    const auto get_bool = [node](const char* key, BOOL fallback) {
        BOOL value = fallback;
        node->GetBoolValue(key, &value, fallback);
        return value;
    };
    m_nBarID = UINT(get_int("BarID", 0));
    if (m_nBarID == 0) return damaged("it has no bar id", where);
    m_bVisible = get_bool("Visible", TRUE);
    m_bHorz = get_bool("Horz", TRUE);
    m_bFloating = get_bool("Floating", FALSE);
    m_pointPos = saved_point(CPoint(get_int("XPos", -1), get_int("YPos", -1)));
    if (state && m_pointPos.x != -1 && m_pointPos.y != -1) m_pointPos = state->ScalePoint(m_pointPos);
    m_nMRUWidth = saved_width(UINT(get_int("MRUWidth", 32767)));
    m_bDocking = get_bool("Docking", FALSE);
    m_uMRUDockID = UINT(get_int("MRUDockID", 0));
    m_rectMRUDockPos = saved_rect(CRect(get_int("MRUDockLeftPos", 0), get_int("MRUDockTopPos", 0),
                                        get_int("MRUDockRightPos", 0), get_int("MRUDockBottomPos", 0)));
    m_dwMRUFloatStyle = DWORD(get_int("MRUFloatStyle", 0));
    m_ptMRUFloatPos = saved_point(CPoint(get_int("MRUFloatXPos", 0), get_int("MRUFloatYPos", 0)));
    const int slots = get_int("Bars", 0);
    if (slots < 0 || slots > kSecMaxSavedBarSlots) return damaged("its count of docked bars is out of range", where);
    m_bDockBar = slots > 0;
    m_arrBarID.RemoveAll();
    for (int i = 0; i < slots; ++i) m_arrBarID.Add(UINT(get_int(AfxFormat("Bar#%d", i), 0)));
    m_dwStyle = DWORD(get_int("Style", 0));
    m_dwExStyle = DWORD(get_int("ExStyle", 0));
    m_bPrevFloating = get_bool("PrevFloating", FALSE);
    m_bMDIChild = get_bool("MDIChild", FALSE);
    if (m_bMDIChild) {
        BYTE* bytes = nullptr;
        UINT count = 0;
        const UINT got = node->GetBinaryValue("MDIChildWindowPlacement", &bytes, &count);
        const std::unique_ptr<BYTE[]> owned(bytes);
        if (got != PTN_OK || count != kSecPlacementSize) return damaged("its window placement is not 44 bytes", where);
        m_wpMDIChild = placement_from_bytes(bytes);
    }
    CString pct;
    node->GetStringValue("PctWidth", pct, "0");
    m_fPctWidth = pct_from_text(pct);
    m_szFloat = CSize(get_int("MRUFloatCX", 0), get_int("MRUFloatCY", 0));
    m_szHorzDock = CSize(get_int("MRUHorzDockCX", 0), get_int("MRUHorzDockCY", 0));
    m_szVertDock = CSize(get_int("MRUVertDockCX", 0), get_int("MRUVertDockCY", 0));
    sizes_read(*this);
    m_dwPrevDockStyle = DWORD(get_int("MRUDockingState", int(m_dwPrevDockStyle)));
    m_dwDockStyle = DWORD(get_int("DockingStyle", int(m_dwDockStyle)));
    m_nTypeID = UINT(get_int("TypeID", 0));
    node->GetStringValue("ClassName", m_strClassName, "");
    node->GetStringValue("WindowName", m_strWindowName, "");
    m_nResourceID = UINT(get_int("ResourceID", int(m_nResourceID)));
    MakeInfoEx();
    if (m_pInfoEx && !m_pInfoEx->LoadState(node)) return damaged("its extra state cannot be read", where);
    return {};
}

// ---- the archive ------------------------------------------------------------------

void SECControlBarInfo::Serialize(CArchive& ar, SECDockState* state) {
    const auto scaled = [state](CPoint point) { return state ? state->ScalePoint(point) : point; };
    const auto size_io = [&ar](CSize& size) {
        if (ar.IsStoring()) {
            ar << LONG(size.cx) << LONG(size.cy);
        } else {
            LONG cx = 0, cy = 0;
            ar >> cx >> cy;
            size = CSize(cx, cy);
        }
    };
    if (ar.IsStoring()) {
        ar << DWORD(m_nBarID) << DWORD(m_bVisible) << DWORD(m_bFloating) << DWORD(m_bHorz);
        ar << LONG(m_pointPos.x) << LONG(m_pointPos.y);
        ar << DWORD(m_nMRUWidth) << DWORD(m_bDocking);
        if (m_bDocking) {
            ar << DWORD(m_uMRUDockID) << LONG(m_rectMRUDockPos.left) << LONG(m_rectMRUDockPos.top)
               << LONG(m_rectMRUDockPos.right) << LONG(m_rectMRUDockPos.bottom) << DWORD(m_dwMRUFloatStyle)
               << LONG(m_ptMRUFloatPos.x) << LONG(m_ptMRUFloatPos.y);
        }
        ar << DWORD(m_dwStyle) << DWORD(m_dwExStyle) << DWORD(m_bPrevFloating) << DWORD(m_bMDIChild);
        if (m_bMDIChild) {
            BYTE bytes[kSecPlacementSize];
            placement_to_bytes(m_wpMDIChild, bytes);
            ar.Write(bytes, kSecPlacementSize);
        }
        ar << pct_text(m_fPctWidth);
        size_io(m_szFloat), size_io(m_szHorzDock), size_io(m_szVertDock);
        ar << DWORD(m_dwPrevDockStyle) << DWORD(m_dwDockStyle) << DWORD(m_nTypeID);
        if (m_pInfoEx) m_pInfoEx->Serialize(ar, state);
        ar << WORD(m_arrBarID.GetSize());
        for (int i = 0; i < m_arrBarID.GetSize(); ++i) ar << DWORD(m_arrBarID[i]);
        return;
    }
    DWORD id = 0, visible = 0, floating = 0, horz = 0, mru_width = 0, docking = 0;
    LONG x = 0, y = 0;
    ar >> id >> visible >> floating >> horz >> x >> y >> mru_width >> docking;
    m_nBarID = id, m_bVisible = visible != 0, m_bFloating = floating != 0, m_bHorz = horz != 0;
    m_pointPos = saved_point(CPoint(x, y));
    if (m_pointPos != CPoint(-1, -1)) m_pointPos = scaled(m_pointPos);
    m_nMRUWidth = saved_width(mru_width), m_bDocking = docking != 0;
    if (m_bDocking) {
        DWORD dock_id = 0, float_style = 0;
        LONG l = 0, t = 0, r = 0, b = 0, fx = 0, fy = 0;
        ar >> dock_id >> l >> t >> r >> b >> float_style >> fx >> fy;
        m_uMRUDockID = dock_id;
        const CPoint top_left = scaled(saved_point(CPoint(l, t))), bottom_right = scaled(saved_point(CPoint(r, b)));
        m_rectMRUDockPos = CRect(top_left.x, top_left.y, bottom_right.x, bottom_right.y);
        m_dwMRUFloatStyle = float_style;
        m_ptMRUFloatPos = scaled(saved_point(CPoint(fx, fy)));
    }
    DWORD prev_floating = 0, mdi_child = 0, prev_dock = 0, dock = 0, type = 0;
    ar >> m_dwStyle >> m_dwExStyle >> prev_floating >> mdi_child;
    m_bPrevFloating = prev_floating != 0, m_bMDIChild = mdi_child != 0;
    // Archives before the placement was kept leave the child the size it is made with.
    if (m_bMDIChild && (!state || state->m_dwVersion >= SECDockState::kPlacementVersion)) {
        BYTE bytes[kSecPlacementSize];
        if (ar.Read(bytes, kSecPlacementSize) != kSecPlacementSize)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        m_wpMDIChild = placement_from_bytes(bytes);
    }
    CString pct;
    ar >> pct;
    m_fPctWidth = pct_from_text(pct);
    size_io(m_szFloat), size_io(m_szHorzDock), size_io(m_szVertDock);
    sizes_read(*this);
    ar >> prev_dock >> dock >> type;
    m_dwPrevDockStyle = prev_dock, m_dwDockStyle = dock, m_nTypeID = type;
    MakeInfoEx();
    if (m_pInfoEx) m_pInfoEx->Serialize(ar, state);
    WORD slots = 0;
    ar >> slots;
    if (slots > kSecMaxSavedBarSlots) AfxThrowArchiveException(CArchiveException::badSchema);
    m_bDockBar = slots > 0;
    m_arrBarID.RemoveAll();
    for (WORD i = 0; i < slots; ++i) {
        DWORD slot = 0;
        ar >> slot;
        m_arrBarID.Add(slot);
    }
}
