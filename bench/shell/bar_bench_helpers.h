#pragma once
// What the benchmarks of the IDE's bars share: a main window to dock them in,
// bars made as the frame makes its own, and the queued messages handled as the
// message loop would.
#include "platform/afx/afx.h"

namespace bench_bars {

inline void HandleQueued() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// A visible 1024 x 768 main window that deletes itself when destroyed.
inline CFrameWnd* NewFrame() {
    auto* frame = new CFrameWnd;
    frame->Create(nullptr, "Corvel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1024, 768));
    return frame;
}

// A bar of the frame at `place`, deleted with it.
template <class Bar>
Bar* NewBar(CFrameWnd* frame, const char* title, UINT id, const CRect& place) {
    auto* bar = new Bar;
    bar->m_bAutoDelete = TRUE;
    bar->Create(frame, title, 0x50001414, 0xF11, id);
    bar->MoveWindow(&place);
    return bar;
}

}  // namespace bench_bars
