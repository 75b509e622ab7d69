#include "ide/shell/window_placement.h"

#include <algorithm>

#include "platform/user/styles.h"
#include "platform/user/system_api.h"

namespace shell {
namespace {

constexpr UINT kRestoreToMaximized = 0x0002;  // the window was maximised before it was minimised
constexpr int kLargestSide = 1 << 16;

bool IsMinimised(int show) { return show == SW_SHOWMINIMIZED || show == SW_MINIMIZE || show == SW_SHOWMINNOACTIVE; }

// What a stored show command opens as; -1 for a value no window takes.
int OpenedAs(int show, UINT flags) {
    if (IsMinimised(show)) return (flags & kRestoreToMaximized) ? SW_SHOWMAXIMIZED : SW_RESTORE;
    if (show == SW_SHOWNORMAL) return SW_RESTORE;
    if (show == SW_SHOWMAXIMIZED || show == SW_RESTORE || show == SW_SHOW || show == SW_SHOWNOACTIVATE ||
        show == SW_SHOWNA)
        return show;
    return -1;
}

bool Plausible(const RECT& r) {
    const long width = long(r.right) - r.left, height = long(r.bottom) - r.top;
    return width > 0 && height > 0 && width < kLargestSide && height < kLargestSide && r.left > -kLargestSide &&
           r.top > -kLargestSide && r.right < kLargestSide && r.bottom < kLargestSide;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A saved place comes back inside the screen's work area, no larger than it: a window once
// stretched past the edges (a manager moved it while maximised) must not cut off the status bar.
RECT InsideWorkArea(RECT r) {
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    r.right = std::min(r.right, r.left + (work.right - work.left));
    r.bottom = std::min(r.bottom, r.top + (work.bottom - work.top));
    return kit::user::fit_on_screen(r);
}

}  // namespace

void SaveWindowPlacement(profile::Store& store, const FramePlacement& current) {
    const WINDOWPLACEMENT& p = current.placement;
    const int show = OpenedAs(static_cast<int>(p.showCmd), p.flags);
    const char* s = kPlacementSection;
    store.WriteProfileInt(s, "length", static_cast<int>(sizeof(WINDOWPLACEMENT)));
    store.WriteProfileInt(s, "flags", static_cast<int>(p.flags));
    store.WriteProfileInt(s, "showCmd", show < 0 ? SW_RESTORE : show);
    store.WriteProfileInt(s, "MinPosX", p.ptMinPosition.x);
    store.WriteProfileInt(s, "MinPosY", p.ptMinPosition.y);
    store.WriteProfileInt(s, "NormalPosTop", p.rcNormalPosition.top);
    store.WriteProfileInt(s, "NormalPosLeft", p.rcNormalPosition.left);
    store.WriteProfileInt(s, "NormalPosRight", p.rcNormalPosition.right);
    store.WriteProfileInt(s, "NormalPosBottom", p.rcNormalPosition.bottom);
    store.WriteProfileInt(s, "WorkbookMode", current.workbook_mode ? 1 : 0);
}

int StoredShowCommand(const profile::Store& store, int fallback) {
    const int show = OpenedAs(store.GetProfileInt(kPlacementSection, "showCmd", fallback), 0);
    return show < 0 ? fallback : show;
}

FramePlacement LoadWindowPlacement(const profile::Store& store, const FramePlacement& current) {
    const char* s = kPlacementSection;
    FramePlacement result = current;
    WINDOWPLACEMENT& p = result.placement;
    p.length = sizeof(WINDOWPLACEMENT);
    p.flags = static_cast<UINT>(store.GetProfileInt(s, "flags", static_cast<int>(current.placement.flags))) &
              kRestoreToMaximized;
    const int show = OpenedAs(store.GetProfileInt(s, "showCmd", static_cast<int>(current.placement.showCmd)), p.flags);
    if (show >= 0) p.showCmd = static_cast<UINT>(show);
    p.ptMinPosition = POINT{0, 0};
    p.ptMaxPosition = POINT{0, 0};
    const RECT& now = current.placement.rcNormalPosition;
    const RECT stored{
        store.GetProfileInt(s, "NormalPosLeft", now.left), store.GetProfileInt(s, "NormalPosTop", now.top),
        store.GetProfileInt(s, "NormalPosRight", now.right), store.GetProfileInt(s, "NormalPosBottom", now.bottom)};
    // The current place is the system's own; only a saved one may have gone past the edges.
    p.rcNormalPosition = Plausible(stored) && !SameRect(stored, now) ? InsideWorkArea(stored) : now;
    result.workbook_mode = store.GetProfileInt(s, "WorkbookMode", current.workbook_mode ? 1 : 0) != 0;
    return result;
}

}  // namespace shell
