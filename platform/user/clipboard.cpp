// The clipboard and the movable memory blocks it holds. CF_OEMTEXT is
// offered wherever CF_TEXT is (and the other way round); a display with a
// system clipboard shares CF_TEXT with other programs.
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/user/backend.h"
#include "platform/user/message_api.h"
#include "platform/user/system_api.h"

namespace {

struct Block {
    std::vector<char> bytes;
};

struct Blocks {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, std::unique_ptr<Block>> table;
    std::uintptr_t next = 0x40000;
};

Blocks& blocks() {
    static Blocks b;
    return b;
}

Block* find_block(HGLOBAL memory) {
    auto& b = blocks();
    std::lock_guard lock(b.mutex);
    auto it = b.table.find(reinterpret_cast<std::uintptr_t>(memory));
    return it == b.table.end() ? nullptr : it->second.get();
}

struct Clipboard {
    bool open = false;
    HWND opener = nullptr;
    bool changed = false;
    std::map<UINT, HGLOBAL> formats;
    std::string synced_text;  // what the system clipboard held when we last looked
};

Clipboard clipboard;

HGLOBAL block_with_text(const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    return memory;
}

void drop_formats() {
    for (auto& [format, memory] : clipboard.formats) GlobalFree(memory);
    clipboard.formats.clear();
}

std::string text_of(HGLOBAL memory) {
    Block* block = find_block(memory);
    if (!block) return {};
    return std::string(block->bytes.data(), strnlen(block->bytes.data(), block->bytes.size()));
}

// Text copied in another program replaces what we hold.
void take_system_text() {
    auto& display = kit::user::backend();
    if (!display.has_system_clipboard()) return;
    std::string text = display.clipboard_text();
    if (text == clipboard.synced_text) return;
    clipboard.synced_text = text;
    drop_formats();
    clipboard.formats[CF_TEXT] = block_with_text(text);
}

UINT text_twin(UINT format) { return format == CF_TEXT ? CF_OEMTEXT : format == CF_OEMTEXT ? CF_TEXT : 0; }

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
    auto block = std::make_unique<Block>();
    block->bytes.assign(bytes, 0);  // always zeroed: no stale bytes ever reach a reader
    auto& b = blocks();
    std::lock_guard lock(b.mutex);
    std::uintptr_t handle = b.next;
    b.next += 4;
    b.table.emplace(handle, std::move(block));
    return reinterpret_cast<HGLOBAL>(handle);
}

void* GlobalLock(HGLOBAL memory) {
    Block* block = find_block(memory);
    return block ? block->bytes.data() : nullptr;
}

BOOL GlobalUnlock(HGLOBAL memory) { return find_block(memory) ? TRUE : FALSE; }

std::size_t GlobalSize(HGLOBAL memory) {
    Block* block = find_block(memory);
    return block ? block->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    auto& b = blocks();
    std::lock_guard lock(b.mutex);
    return b.table.erase(reinterpret_cast<std::uintptr_t>(memory)) ? nullptr : memory;
}

BOOL OpenClipboard(HWND owner) {
    if (clipboard.open) return FALSE;
    clipboard.open = true;
    clipboard.opener = owner;
    clipboard.changed = false;
    take_system_text();
    return TRUE;
}

BOOL CloseClipboard() {
    if (!clipboard.open) return FALSE;
    clipboard.open = false;
    auto& display = kit::user::backend();
    if (clipboard.changed && display.has_system_clipboard()) {
        auto it = clipboard.formats.find(CF_TEXT);
        if (it == clipboard.formats.end()) it = clipboard.formats.find(CF_OEMTEXT);
        clipboard.synced_text = it == clipboard.formats.end() ? std::string() : text_of(it->second);
        display.set_clipboard_text(clipboard.synced_text);
    }
    return TRUE;
}

BOOL EmptyClipboard() {
    if (!clipboard.open) return FALSE;
    drop_formats();
    clipboard.changed = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    if (!clipboard.open || !find_block(data)) return nullptr;
    if (auto it = clipboard.formats.find(format); it != clipboard.formats.end() && it->second != data) {
        GlobalFree(it->second);
    }
    clipboard.formats[format] = data;
    clipboard.changed = true;
    return data;
}

HANDLE GetClipboardData(UINT format) {
    if (!clipboard.open) return nullptr;
    auto it = clipboard.formats.find(format);
    if (it == clipboard.formats.end()) it = clipboard.formats.find(text_twin(format));
    return it == clipboard.formats.end() ? nullptr : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    if (!clipboard.open) take_system_text();
    bool present = clipboard.formats.count(format) || (text_twin(format) && clipboard.formats.count(text_twin(format)));
    return present ? TRUE : FALSE;
}

UINT EnumClipboardFormats(UINT format) {
    if (!clipboard.open) return 0;
    auto next = clipboard.formats.upper_bound(format);
    return next == clipboard.formats.end() ? 0 : next->first;
}

// Formats and window messages share one table of registered names, as on the platform.
UINT RegisterClipboardFormat(const char* name) { return RegisterWindowMessage(name); }
