#pragma once
// What the editor core asks of the window that shows it. The window classes implement it
// over the platform; tests implement it with a recorder, so the core's logic runs
// without any window.
#include <string>

namespace editor {

enum ScrollBar : int { kHorizontalBar = 0, kVerticalBar = 1 };

// Hints passed to the other views of a buffer.
enum ViewHint : int {
    kHintRepaint = 0,
    kHintCaretMoved = 49054,
    kHintLineDeleted = 22590,  // lines died: positions must be checked against the text
};

class EditCoreWindow {
public:
    virtual ~EditCoreWindow() = default;

    // Painting: the whole client area, or rows from `first` to `last` (counted from the
    // top row; a `last` of -1 runs to the bottom).
    virtual void InvalidateAll() = 0;
    virtual void InvalidateRows(int first, int last) = 0;
    // Moves the painted rows by `delta` rows (down when positive) and invalidates the
    // rows it uncovers.
    virtual void ScrollRows(int delta) = 0;
    // The system caret's place in client pixels.
    virtual void PlaceCaret(int x, int y) = 0;
    virtual void SetScrollRange(ScrollBar bar, int minimum, int maximum, int page) = 0;
    virtual void SetScrollPosition(ScrollBar bar, int position) = 0;
    // An error message for the user (a message box with the exclamation icon).
    virtual void ShowMessage(int code, const std::string& text) = 0;
    // The clipboard's text; false when it holds none.
    virtual bool GetClipboardText(std::string& text) = 0;
    virtual bool SetClipboardText(const std::string& text) = 0;
    // Tells the other views of the same buffer about a change.
    virtual void NotifyOtherViews(ViewHint hint) = 0;
    // Runs the window's dialog for a command: Find, Replace or Page Setup.
    virtual void OpenDialog(int command) = 0;
    // True while the primary mouse button is held (a selection drag is under way).
    virtual bool IsPrimaryButtonDown() = 0;
};

}  // namespace editor
