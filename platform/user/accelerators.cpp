#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/user/accelerator_api.h"
#include "platform/user/input_api.h"
#include "platform/user/menu_model.h"
#include "platform/user/message_api.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

struct Tables {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, std::vector<ACCEL>> tables;
    std::uintptr_t next = 0x50000;
};

Tables& tables() {
    static Tables t;
    return t;
}

bool copy_of(HACCEL table, std::vector<ACCEL>& out) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    auto it = t.tables.find(reinterpret_cast<std::uintptr_t>(table));
    if (it == t.tables.end()) return false;
    out = it->second;
    return true;
}

bool down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

bool matches(const ACCEL& a, const MSG& msg) {
    bool alt = down(VK_MENU);
    if (a.fVirt & FVIRTKEY) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
        if (msg.wParam != a.key) return false;
        return bool(a.fVirt & FSHIFT) == down(VK_SHIFT) && bool(a.fVirt & FCONTROL) == down(VK_CONTROL) &&
               bool(a.fVirt & FALT) == alt;
    }
    // Character entries match the character itself, case and all.
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    return msg.wParam == a.key && bool(a.fVirt & FALT) == alt;
}

// A command whose item in the window's menu bar is grayed does not fire.
bool command_enabled(HWND hwnd, WORD command) {
    HMENU menu = GetMenu(GetAncestorTopLevel(hwnd));
    if (!menu) return true;
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state == UINT(-1) || !(state & MF_GRAYED);
}

}  // namespace

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count) {
    if (!entries || count <= 0) return nullptr;
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    std::uintptr_t handle = t.next;
    t.next += 4;
    t.tables.emplace(handle, std::vector<ACCEL>(entries, entries + count));
    return reinterpret_cast<HACCEL>(handle);
}

BOOL DestroyAcceleratorTable(HACCEL table) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    return t.tables.erase(reinterpret_cast<std::uintptr_t>(table)) ? TRUE : FALSE;
}

int CopyAcceleratorTable(HACCEL table, ACCEL* out, int count) {
    std::vector<ACCEL> entries;
    if (!copy_of(table, entries)) return 0;
    if (!out) return int(entries.size());
    int n = std::min(count, int(entries.size()));
    for (int i = 0; i < n; ++i) out[i] = entries[size_t(i)];
    return n;
}

WORD AcceleratorCommand(HACCEL table, const MSG& msg) {
    std::vector<ACCEL> entries;
    if (!copy_of(table, entries)) return 0;
    for (const ACCEL& a : entries)
        if (matches(a, msg)) return a.cmd;
    return 0;
}

int TranslateAccelerator(HWND hwnd, HACCEL table, MSG* msg) {
    if (!msg || !IsWindow(hwnd)) return 0;
    const WORD command = AcceleratorCommand(table, *msg);
    if (command == 0) return 0;
    if (command_enabled(hwnd, command)) SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return 1;  // a grayed command's key is taken, with nothing to do
}
