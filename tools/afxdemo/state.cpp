#include "tools/afxdemo/state.h"

#include "platform/os/file.h"
#include "platform/user/menu_bar.h"

namespace afxdemo {

namespace {

std::string path_kept;
std::string text_written;

const char* kind_of(CWnd* child) {
    auto* frame = dynamic_cast<CFrameWnd*>(child);
    CView* view = frame ? frame->GetActiveView() : nullptr;
    if (!view) return "none";
    return view->IsKindOf(RUNTIME_CLASS(SketchView)) ? "sketch" : "note";
}

std::string rect_text(const CRect& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
}

std::string menu_text(HWND frame) {
    const int hot = kit::user::menu_bar_hot_item(frame);
    if (hot < 0) return "menu closed";
    return (kit::user::menu_bar_item_open(frame) ? "menu open " : "menu highlighted ") + std::to_string(hot);
}

void write_state(HWND hwnd, UINT, UINT_PTR, DWORD) {
    auto* frame = dynamic_cast<MainFrame*>(CWnd::FromHandlePermanent(hwnd));
    if (!frame) return;
    const std::string text = describe(*frame);
    if (text == text_written) return;
    if (os::write_file(path_kept, text, os::Durability::regenerable)) text_written = text;
}

}  // namespace

void open_side_by_side(DemoApp& app) {
    auto* frame = static_cast<CMDIFrameWnd*>(app.m_pMainWnd);
    app.OnNewNote();
    CMDIChildWnd* note = frame->MDIGetActive();
    app.OnNewSketch();
    CMDIChildWnd* sketch = frame->MDIGetActive();
    if (note) note->MoveWindow(0, 0, 240, 200);
    if (sketch) sketch->MoveWindow(250, 0, 240, 200);
}

std::string describe(MainFrame& frame) {
    std::string text;
    HWND client = ::GetParent(frame.MDIGetActive() ? frame.MDIGetActive()->m_hWnd : nullptr);
    const SketchDoc* sketch_doc = nullptr;
    for (HWND child = client ? ::GetWindow(client, GW_CHILD) : nullptr; child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* frame_child = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(child));
        CView* view = frame_child ? frame_child->GetActiveView() : nullptr;
        if (!view) continue;
        CRect area;
        view->GetWindowRect(&area);
        text += std::string(kind_of(frame_child)) + " " + rect_text(area) + "\n";
        if (view->IsKindOf(RUNTIME_CLASS(SketchView))) sketch_doc = static_cast<SketchDoc*>(view->GetDocument());
    }
    text += std::string("active ") + kind_of(frame.MDIGetActive()) + "\n";
    text += std::string("top ") + kind_of(client ? CWnd::FromHandlePermanent(::GetTopWindow(client)) : nullptr) + "\n";
    if (sketch_doc)
        text +=
            "sketch colour " + std::to_string(sketch_doc->colour) + " size " + std::to_string(sketch_doc->size) + "\n";
    text += menu_text(frame.m_hWnd) + "\n";
    text += std::string("frame ") + (frame.IsIconic() ? "minimized" : frame.IsZoomed() ? "maximized" : "normal") + "\n";
    char caption[128] = {};
    if (HWND active = ::GetActiveWindow()) ::GetWindowText(active, caption, int(sizeof caption));
    text += std::string("window \"") + caption + "\"\n";
    // The control with the keyboard and its text, so a script typing into a dialog knows where the keys went.
    if (HWND focus = ::GetFocus()) {
        char focus_text[128] = {};
        ::GetWindowText(focus, focus_text, int(sizeof focus_text));
        text += "focus " + std::to_string(::GetDlgCtrlID(focus)) + " \"" + focus_text + "\"\n";
    }
    return text;
}

void keep_state_in(DemoApp& app, const std::string& path) {
    path_kept = path;
    ::SetTimer(app.m_pMainWnd->m_hWnd, 2, 100, &write_state);
}

}  // namespace afxdemo
