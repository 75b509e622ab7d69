// The picture a person sees, checked against a full repaint of the same state.
#include <algorithm>
#include <sstream>

#include "platform/display/headless.h"
#include "platform/gdi/win_rect.h"
#include "platform/user/user.h"

namespace kit::display {

namespace {

// The deepest visible window of `top_level` over a point of its picture.
HWND window_at(HWND top_level, POINT in_picture) {
    RECT frame;
    GetWindowRect(top_level, &frame);
    const POINT screen{frame.left + in_picture.x, frame.top + in_picture.y};
    HWND found = top_level;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (HWND child = GetWindow(found, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r;
            if (!IsWindowVisible(child) || !GetWindowRect(child, &r) || !PtInRect(&r, screen)) continue;
            found = child;
            deeper = true;
            break;
        }
    }
    return found;
}

std::string describe_window(HWND hwnd) {
    char name[64] = {};
    GetClassName(hwnd, name, int(sizeof name));
    std::ostringstream out;
    out << "a window of class \"" << name << "\"";
    if (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) out << " (id " << GetDlgCtrlID(hwnd) << ")";
    return out.str();
}

// Where two pictures of one window differ, in words; empty when they do not.
std::string describe_difference(const gdi::Surface& seen, const gdi::Surface& repainted, HWND top_level) {
    if (seen.width() != repainted.width() || seen.height() != repainted.height()) {
        std::ostringstream out;
        out << "the picture shown is " << seen.width() << "x" << seen.height() << " but a full repaint is "
            << repainted.width() << "x" << repainted.height();
        return out.str();
    }
    RECT box{repainted.width(), repainted.height(), 0, 0};
    long count = 0;
    for (int y = 0; y < repainted.height(); ++y) {
        for (int x = 0; x < repainted.width(); ++x) {
            if (seen.at(x, y) == repainted.at(x, y)) continue;
            ++count;
            box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
        }
    }
    if (count == 0) return {};
    HWND under = window_at(top_level, POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    RECT frame;
    GetWindowRect(top_level, &frame);
    POINT corners[2] = {{frame.left + box.left, frame.top + box.top}, {frame.left + box.right, frame.top + box.bottom}};
    ScreenToClient(under, &corners[0]);
    ScreenToClient(under, &corners[1]);
    std::ostringstream out;
    out << "stale pixels: " << count << " pixels painted only by a full repaint, within (" << box.left << "," << box.top
        << ")-(" << box.right << "," << box.bottom << ") of the window's picture, over " << describe_window(under)
        << " at client (" << corners[0].x << "," << corners[0].y << ")-(" << corners[1].x << "," << corners[1].y
        << "): whatever changed there did not invalidate it";
    return out.str();
}

}  // namespace

gdi::Surface painted_snapshot(HWND top_level, std::string* stale, gdi::Surface* seen_out) {
    // What the windows marked invalid is painted, as the message loop would,
    // over the picture they showed last; a paint may mark more, so twice.
    UpdateWindow(top_level);
    UpdateWindow(top_level);
    const gdi::Surface seen = compose(top_level);
    RedrawWindow(top_level, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    UpdateWindow(top_level);
    gdi::Surface repainted = compose(top_level);
    if (stale) *stale = describe_difference(seen, repainted, top_level);
    if (seen_out) *seen_out = seen;
    return repainted;
}

}  // namespace kit::display
