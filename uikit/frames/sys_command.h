#pragma once
// Extended system commands: a document window switches between its
// presentations (MDI child minimised, maximised or restored, docked at a side
// of the main frame, or floating) from its caption. A caption button, a right
// double-click on the caption and a caption context menu send the registered
// message "Skarloe::WM_SYSCOMMANDEX" with a command and a command record to
// the window; ScxMsgFilter in that window's filter tree carries it out.
#include "platform/afx/afx.h"
#include "uikit/frames/dock_site.h"
#include "uikit/frames/msg_filter.h"

class SECMultiDocTemplate;

namespace nsSysCommandEx {

// Commands (wParam; the low four bits are ignored).
constexpr UINT SCX_SWITCHSTATE = 0xC000;     // to the record's target state
constexpr UINT SCX_QUERYSTATEMENU = 0xC010;  // the state menu into the record
constexpr UINT SCX_SHOWSTATEMENU = 0xC020;   // show the state menu at the record's point and carry out the choice

// Window states; the state menu's item ids are these numbers.
enum : UINT {
    SCX_STATE_NONE = 0,
    SCX_STATE_MDICHILD = 1,
    SCX_STATE_MINIMIZED = 2,
    SCX_STATE_MAXIMIZED = 3,
    SCX_STATE_RESTORED = 4,
    SCX_STATE_DOCKED = 5,
    SCX_STATE_DOCKED_LEFT = 6,
    SCX_STATE_DOCKED_TOP = 7,
    SCX_STATE_DOCKED_RIGHT = 8,
    SCX_STATE_DOCKED_BOTTOM = 9,
    SCX_STATE_FLOATING = 10,
    SCX_STATE_DEFAULT = 0xFFFFFFFF,  // (and 0xFFFFFFFE) the other presentation
};

// Record flags: use the position (also set for a hold on the button); use the size.
constexpr UINT SCX_USE_POSITION = 0x1, SCX_USE_SIZE = 0x2;

// The command record, passed by address in lParam within the program. With
// 32-bit handles and pointers it is 108 bytes, as the callers lay it out.
struct SysCommandRecord {
    HWND window = nullptr;
    UINT flags = 0;
    int x = 0, y = 0;  // screen point; a negative x centres the menu in the window
    int cx = 0, cy = 0;
    RECT button{0, 0, 0, 0};  // the caption button in screen coordinates, 0 when not from a button
    HMENU menu = nullptr;     // answered by SCX_QUERYSTATEMENU
    UINT target = 0;
    const SECDockPos* dock_position = nullptr;
    const SECDockSize* dock_size = nullptr;
    BYTE reserved[52] = {};
};

// The class of a state: 1 MDI child, 5 docked, 10 floating, 0 none.
UINT GetStateClass(UINT state);

class ScxMsgFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(ScxMsgFilter)
public:
    // Only the registered message; its children never see anything.
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    virtual UINT OnShowStateMenu(SysCommandRecord& record, LRESULT* result);
    virtual UINT OnQueryStateMenu(SysCommandRecord& record, LRESULT* result);
    virtual UINT OnSwitchState(SysCommandRecord& record, LRESULT* result);
    virtual HMENU RequestStateMenu(const SysCommandRecord& record);
    virtual UINT TrackStateMenu(HMENU menu, const SysCommandRecord& record);
    virtual LRESULT SendSwitchState(UINT state, const SysCommandRecord& record);
    virtual HMENU BuildStateMenu(CWnd* window, UINT state);
    virtual HMENU GetStateMenu(const SysCommandRecord& record);
    virtual BOOL MakeMDIChild(CFrameWnd* window, UINT current, UINT target, SECMultiDocTemplate* doc_template,
                              const SysCommandRecord& record);
    virtual BOOL MakeDocked(CFrameWnd* window, UINT current, UINT target, SECMultiDocTemplate* doc_template,
                            const SysCommandRecord& record);
    virtual BOOL MakeFloating(CFrameWnd* window, UINT current, UINT target, SECMultiDocTemplate* doc_template,
                              const SysCommandRecord& record);
    // Swaps an MDI child and a dockable frame of the same document: the new
    // frame (an MDI child of the template, or a frame of its dockable class
    // docked at the left) gets a new view, the document's newest; the old
    // frame is hidden and closed once the command is over.
    virtual BOOL TemplateToggle(CFrameWnd* window, SECMultiDocTemplate* doc_template);
    virtual BOOL ToggleDockingAtRecord(CFrameWnd* window, const SysCommandRecord& record);
    virtual UINT GetDefaultTarget(CFrameWnd* window, UINT state, const SysCommandRecord& record);
    virtual UINT GetWindowState(CFrameWnd* window, SECMultiDocTemplate* doc_template, const SysCommandRecord& record);
    virtual SECMultiDocTemplate* FindTemplate(const SysCommandRecord& record, CRuntimeClass* cls);
    virtual BOOL UsesWorkingCopy(UINT command) const {
        return command == SCX_SWITCHSTATE || command == SCX_SHOWSTATEMENU;
    }

    BOOL m_bCopy = FALSE;  // set on the working copy that carries a command out
};

// The caption button that switches the window's presentation: a click swaps
// MDI child and docked, a right press or a hold shows the state menu.
class ScxButtonMsgFilter : public SECCaptionControlMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMsgFilter)
public:
    ScxButtonMsgFilter();
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void Draw() override;
    BOOL IsShown(BOOL* disabled) const override;
    BOOL GetCommandMessage(int kind, int x, int y, HWND* window, UINT* message, WPARAM* wParam,
                           LPARAM* lParam) override;
    // The window the command goes to.
    virtual CWnd* GetTargetWindow() const { return GetWindow(); }
    static constexpr int kButtonId = 5120;

protected:
    SysCommandRecord m_record;
};

// The button on an MDI child's caption: gone while the child is maximised.
class ScxButtonMDIChildMsgFilter : public ScxButtonMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMDIChildMsgFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL IsShown(BOOL* disabled) const override;
};

// The maximised child's button in the frame's menu row; the command goes to the child.
class ScxButtonMDIMaxChildMsgFilter : public ScxButtonMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMDIMaxChildMsgFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    CWnd* GetTargetWindow() const override;
};

// A right double-click on the caption swaps MDI child and docked.
class ScxCaptionNCRDBLClkFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(ScxCaptionNCRDBLClkFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// The same on the frame's menu row for the maximised child.
class ScxNCRDBLClkMDIMaxChildMsgFilter : public SECNcMsgFilter {
    DECLARE_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A right click on the caption shows the state menu there.
class ScxContextMenuFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(ScxContextMenuFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// Sends an extended command with a record to a window; its answer.
LRESULT SendSysCommandEx(HWND window, UINT command, SysCommandRecord& record);

}  // namespace nsSysCommandEx
