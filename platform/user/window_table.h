#pragma once
// The window records behind the handles, and the classes they are made from.
// Internal to the window manager. The table's lock guards the map only: a
// window's fields belong to the thread that owns the window, and other
// threads reach a window only to post or send to its queue.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/user/message_queue.h"
#include "platform/user/user_types.h"
#include "platform/user/window_extra.h"

namespace kit::user {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int class_extra = 0;
    int window_extra = 0;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menu_name;
};

struct ScrollBarState {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
    int track_pos = 0;
    bool disabled = false;
};

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<MessageQueue> queue;
    std::shared_ptr<const WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    std::string text;
    HWND parent = nullptr;       // children only
    HWND owner = nullptr;        // owned top-level windows
    std::vector<HWND> children;  // z-order, topmost first
    RECT rect{};                 // window rectangle: parent-client coordinates (screen for top-level)
    RECT client{};               // client rectangle relative to the window's top-left corner
    UINT_PTR id = 0;             // control id of a child
    HMENU menu = nullptr;        // menu bar of a top-level window
    LONG_PTR user_data = 0;
    std::vector<LONG_PTR> extra;  // window extra bytes, in LONG_PTR slots
    std::map<std::string, HANDLE, CaseInsensitiveLess> properties;
    HFONT font = nullptr;
    bool minimized = false;
    bool maximized = false;
    RECT normal_rect{};              // where a minimised or maximised window returns to
    bool restore_maximized = false;  // minimised from maximised: SW_RESTORE maximises it again

    // Painting.
    RECT update{};  // invalid part, client coordinates (empty = valid)
    bool erase_pending = false;
    bool frame_pending = false;
    bool internal_paint = false;
    bool counted_for_paint = false;  // included in the queue's windows_needing_paint
    bool redraw_enabled = true;

    ScrollBarState hscroll;
    ScrollBarState vscroll;
    std::optional<gdi::Region> region;  // the window's shape, window coordinates (none = its rectangle)

    bool nc_active = false;                 // caption drawn as active
    LRESULT nc_pressed = 0;                 // the caption box held down (its hit code), drawn pushed
    std::shared_ptr<gdi::Surface> surface;  // backing store of a top-level window

    bool destroying = false;
    LONG_PTR dialog_result = 0;   // DWL_MSGRESULT of dialog procedures
    HMENU system_menu = nullptr;  // made on the first GetSystemMenu

    // The state of the control or toolkit window this is (window_extra.h).
    std::vector<std::shared_ptr<WindowExtra>> extras;
};

// The window behind `hwnd`, or nullptr for a stale or foreign handle.
// Only the owning thread may use the returned record.
Window* find_window(HWND hwnd);
// The queue of the thread that owns `hwnd`, usable from any thread.
std::shared_ptr<MessageQueue> queue_of(HWND hwnd);
bool is_descendant(HWND ancestor, HWND hwnd);

// Inserts a new record under a freshly allocated handle.
Window& add_window(std::unique_ptr<Window> window);
void remove_window(HWND hwnd);
// Every top-level window, topmost first.
std::vector<HWND> top_level_windows();
// Moves `hwnd` within a z-ordered list (topmost first): to the top, to the
// bottom, or below `after`. A window not in the list is left alone.
void restack(std::vector<HWND>& list, HWND hwnd, HWND after);
// The same for a top-level window, under the table's lock.
void restack_top_level(HWND hwnd, HWND after);

std::shared_ptr<const WindowClass> find_class(const std::string& name);

}  // namespace kit::user
