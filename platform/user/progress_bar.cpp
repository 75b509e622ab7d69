// The progress bar ("msctls_progress32"): a bar filled from its minimum to its position.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/user/common_controls.h"
#include "platform/user/controls.h"
#include "platform/user/paint_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

struct ProgressState : WindowExtra {
    int min = 0, max = 100, pos = 0, step = 10;
};

LRESULT progress_proc(HWND hwnd, ProgressState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    auto move_to = [&](int pos) {
        int old = s.pos;
        s.pos = std::clamp(pos, s.min, std::max(s.min, s.max));
        InvalidateRect(hwnd, nullptr, TRUE);
        return LRESULT(old);
    };
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
            RECT edge = r;
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
            if (s.max > s.min) {
                RECT done{1, 1, 1 + int((long long)(r.right - 2) * (s.pos - s.min) / (s.max - s.min)), r.bottom - 1};
                FillRect(dc, &done, GetSysColorBrush(COLOR_HIGHLIGHT));
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case PBM_SETRANGE: {
            LRESULT old = LRESULT(MAKELONG(WORD(s.min), WORD(s.max)));
            s.min = LOWORD(std::uintptr_t(lParam));
            s.max = HIWORD(std::uintptr_t(lParam));
            move_to(s.pos);
            return old;
        }
        case PBM_SETRANGE32:
            s.min = int(wParam);
            s.max = int(lParam);
            move_to(s.pos);
            return 0;
        case PBM_SETPOS: return move_to(int(wParam));
        case PBM_DELTAPOS: return move_to(s.pos + int(wParam));
        case PBM_SETSTEP: {
            int old = s.step;
            s.step = int(wParam);
            return old;
        }
        case PBM_STEPIT: {
            // Stepping past the end starts again from the beginning, as on the platform.
            int next = s.pos + s.step;
            return move_to(next > s.max ? s.min + (next - s.max) : next);
        }
        case PBM_GETPOS: return s.pos;
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_progress_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<ProgressState, progress_proc>;
    wc.lpszClassName = PROGRESS_CLASS;
    RegisterClass(&wc);
}

}  // namespace kit::user
