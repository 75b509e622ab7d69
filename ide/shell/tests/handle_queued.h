#pragma once
// The message loop's work done at once, for tests and benchmarks of Corvel.
#include "platform/afx/app.h"

// Everything queued, then the idle work, as the loop would do before waiting.
inline void HandleQueued(CWinApp& app) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!app.PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    for (LONG count = 0; app.OnIdle(count); ++count) {
    }
}
