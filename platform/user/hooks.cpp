// WH_MSGFILTER hooks: the menu and dialog loops offer each message to them first.
#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/user/message_api.h"

namespace {

struct Hook {
    HHOOK handle;
    HOOKPROC proc;
};

// Newest first, as the platform calls them. Hooks belong to the thread that set them.
thread_local std::vector<Hook> filter_hooks;

LRESULT call_from(size_t index, int code, WPARAM wParam, LPARAM lParam) {
    if (index >= filter_hooks.size()) return 0;
    return filter_hooks[index].proc(code, wParam, lParam);
}

}  // namespace

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE, DWORD) {
    if (kind != WH_MSGFILTER || !proc) return nullptr;
    static std::atomic<std::uintptr_t> next{0x30000};
    HHOOK handle = reinterpret_cast<HHOOK>(next.fetch_add(4));
    filter_hooks.insert(filter_hooks.begin(), Hook{handle, proc});
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    auto it = std::find_if(filter_hooks.begin(), filter_hooks.end(), [&](const Hook& h) { return h.handle == hook; });
    if (it == filter_hooks.end()) return FALSE;
    filter_hooks.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    auto it = std::find_if(filter_hooks.begin(), filter_hooks.end(), [&](const Hook& h) { return h.handle == hook; });
    if (it == filter_hooks.end()) return 0;
    return call_from(size_t(it - filter_hooks.begin()) + 1, code, wParam, lParam);
}

BOOL CallMsgFilter(MSG* msg, int code) {
    if (!msg) return FALSE;
    return call_from(0, code, 0, reinterpret_cast<LPARAM>(msg)) ? TRUE : FALSE;
}
