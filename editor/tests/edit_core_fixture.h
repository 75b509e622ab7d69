#pragma once
// The editor core without a window: a window that records what the core asked of it,
// and a buffer shown in such a window that runs scripted keys.
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/profile_access.h"
#include "editor/sec_edit_core.h"
#include "editor/tests/edit_fixture.h"
#include "platform/user/keys.h"

namespace editor::testing {

class RecordingWindow : public EditCoreWindow {
public:
    void InvalidateAll() override { ++repaints; }
    void InvalidateRows(int, int) override { ++repaints; }
    void ScrollRows(int delta) override { scrolled += delta; }
    void OpenDialog(int command) override { dialogs.push_back(command); }
    void PlaceCaret(int x, int y) override { caret_pixels = {x, y}; }
    void SetScrollRange(ScrollBar bar, int, int maximum, int page) override { ranges[bar] = {maximum, page}; }
    void SetScrollPosition(ScrollBar bar, int position) override { scroll[bar] = position; }
    void ShowMessage(int code, const std::string& text) override { messages.push_back({code, text}); }
    bool GetClipboardText(std::string& text) override {
        if (!clipboard) return false;
        text = *clipboard;
        return true;
    }
    bool SetClipboardText(const std::string& text) override {
        clipboard = text;
        return true;
    }
    void NotifyOtherViews(ViewHint hint) override { hints.push_back(hint); }
    bool IsPrimaryButtonDown() override { return button_down; }

    int repaints = 0;
    std::pair<int, int> caret_pixels;
    std::map<int, int> scroll;
    std::map<int, std::pair<int, int>> ranges;  // bar: maximum and page
    std::vector<std::pair<int, std::string>> messages;
    std::optional<std::string> clipboard;
    std::vector<ViewHint> hints;
    std::vector<int> dialogs;
    int scrolled = 0;
    bool button_down = false;
};

// Shows a buffer in a window of 40 columns and 10 rows of 8 x 16 pixel cells.
inline void ShowInWindow(SECEditCore& core, SECEdit& edit) {
    core.Attach(&edit);
    core.SetCellSize(8, 16);
    core.SetClientSize(16 + 40 * 8, 10 * 16);
    core.InitView();
}

// Runs a script: key names with Shift+, Ctrl+ and Alt+ in front ("Ctrl+Shift+End"),
// "Enter" and "Esc" as typed characters, and 'text' typed byte by byte.
inline void RunKeys(SECEditCore& core, const std::string& script) {
    static const std::map<std::string, int> keys = {
        {"Up", VK_UP},      {"Down", VK_DOWN},  {"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Home", VK_HOME},
        {"End", VK_END},    {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT}, {"Back", VK_BACK},   {"Tab", VK_TAB},
        {"Del", VK_DELETE}, {"Ins", VK_INSERT}, {"F2", VK_F2},     {"F3", VK_F3},       {"F9", VK_F9},
    };
    size_t at = 0;
    while (at < script.size()) {
        if (script[at] == ' ') {
            ++at;
            continue;
        }
        if (script[at] == '\'') {
            size_t end = script.find('\'', at + 1);
            for (size_t i = at + 1; i < end; ++i) core.ProcessChar(static_cast<unsigned char>(script[i]));
            at = end + 1;
            continue;
        }
        size_t end = std::min(script.find(' ', at), script.size());
        std::string token = script.substr(at, end - at);
        at = end;
        if (token == "Enter" || token == "Esc") {
            core.ProcessChar(token == "Enter" ? '\r' : 27);
            continue;
        }
        bool shift = false, ctrl = false, alt = false;
        for (;;) {
            if (token.starts_with("Shift+")) {
                shift = true;
                token.erase(0, 6);
            } else if (token.starts_with("Ctrl+")) {
                ctrl = true;
                token.erase(0, 5);
            } else if (token.starts_with("Alt+")) {
                alt = true;
                token.erase(0, 4);
            } else {
                break;
            }
        }
        int key = token.size() == 1 ? token[0] : keys.at(token);
        core.OnKeyDown(key, shift, ctrl, alt);
    }
}

// A buffer shown in a window of 40 columns and 10 rows.
struct Session {
    explicit Session(const std::string& text, int tab_size = 4, bool keep_tabs = true) : core(window, profile) {
        Fill(edit, text);
        edit.SetTabSize(tab_size);
        edit.set_keep_tabs(keep_tabs);
        ShowInWindow(core, edit);
    }

    void Run(const std::string& script) { RunKeys(core, script); }

    std::string Caret() const { return std::to_string(core.caret().line) + ":" + std::to_string(core.caret().column); }
    std::string Selection() const {
        if (!core.has_selection()) return "";
        auto place = [](CaretPlace p) { return std::to_string(p.line) + ":" + std::to_string(p.column); };
        return place(core.selection_start()) + "-" + place(core.selection_end());
    }

    MemoryProfile profile;
    SECEdit edit;
    RecordingWindow window;
    SECEditCore core;
};

// Another view of a session's buffer, in a window of the same size.
struct OtherView {
    explicit OtherView(Session& session) : core(window, session.profile) { ShowInWindow(core, session.edit); }
    void Run(const std::string& script) { RunKeys(core, script); }

    RecordingWindow window;
    SECEditCore core;
};

}  // namespace editor::testing
