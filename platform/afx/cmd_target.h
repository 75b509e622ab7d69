#pragma once
// CCmdTarget: objects that take messages and commands through a message map.
// A map is a static table of entries built by the BEGIN_MESSAGE_MAP macros;
// each entry holds the message, notification code and id range it answers,
// and a small function that unpacks the arguments and calls the handler.
#include "platform/afx/object.h"
#include "platform/user/user_types.h"

// Marks the handlers that message maps call.
#define afx_msg

class CCmdTarget;
class CCmdUI;

// The arguments a handler entry unpacks.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;  // commands and notifications
    int nCode;
    void* pExtra;      // CCmdUI* for updates, NMHDR* for notifications
    LRESULT* pResult;  // notifications
};

using AFX_PMSG = LRESULT (*)(CCmdTarget* target, const AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;             // WM_COMMAND and WM_NOTIFY (also reflected) for routed entries
    UINT nCode;                // notification code; CN_COMMAND, CN_UPDATE_COMMAND_UI
    UINT nID;                  // first control or command id
    UINT nLastID;              // last id of a range
    const UINT* pnRegistered;  // ON_REGISTERED_MESSAGE: the variable holding the message
    AFX_PMSG pfn;              // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Notification codes of routed commands.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
// Messages a parent reflects to the control that sent them are this far above the original.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// Filled by OnCmdMsg when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
    AFX_PMSG pfn = nullptr;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Commands (nCode CN_COMMAND or a control's notification code), updates
    // (CN_UPDATE_COMMAND_UI with the CCmdUI in pExtra) and notifications
    // (MAKELONG(code, WM_NOTIFY) with an AFX_NOTIFY in pExtra). Routing
    // classes override it to pass on what they do not handle.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Shows the wait cursor during a long operation, and the arrow again after it.
    void BeginWaitCursor();
    void EndWaitCursor();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    friend class CWnd;
};

// What OnCmdMsg carries for WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// The entry of `map` (or its bases) for a window message; null when none.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message);
// The entry for a routed command or notification; null when none.
const AFX_MSGMAP_ENTRY* AfxFindCommandEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

// ---- map macros --------------------------------------------------------

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() { \
        using ThisClass = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP() \
    { 0, 0, 0, 0, nullptr, nullptr } \
    } \
    ; \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map; \
    }

// One entry whose handler body sees `self` (the object) and `call` (AFX_MSGCALL).
#define AFX_MSG_ENTRY(message, code, id, last_id, registered, ...) \
    {UINT(message), \
     UINT(code), \
     UINT(id), \
     UINT(last_id), \
     registered, \
     [](CCmdTarget* afx_target, const AFX_MSGCALL& call) -> LRESULT { \
         [[maybe_unused]] ThisClass* self = static_cast<ThisClass*>(afx_target); \
         (void)call; \
         __VA_ARGS__ \
     }},

#define ON_COMMAND(id, handler) AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, self->handler(); return TRUE;)
#define ON_COMMAND_EX(id, handler) \
    AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, return self->handler(call.nID);)
#define ON_COMMAND_RANGE(first, last, handler) \
    AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, first, last, nullptr, self->handler(call.nID); return TRUE;)
#define ON_COMMAND_EX_RANGE(first, last, handler) \
    AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, first, last, nullptr, return self->handler(call.nID);)
#define ON_UPDATE_COMMAND_UI(id, handler) \
    AFX_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr, self->handler(static_cast<CCmdUI*>(call.pExtra)); \
                  return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, handler) \
    AFX_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, first, last, nullptr, \
                  self->handler(static_cast<CCmdUI*>(call.pExtra)); \
                  return TRUE;)
// A control's notification through WM_COMMAND.
#define ON_CONTROL(code, id, handler) AFX_MSG_ENTRY(WM_COMMAND, code, id, id, nullptr, self->handler(); return TRUE;)
#define ON_CONTROL_RANGE(code, first, last, handler) \
    AFX_MSG_ENTRY(WM_COMMAND, code, first, last, nullptr, self->handler(call.nID); return TRUE;)
#define ON_NOTIFY(code, id, handler) \
    AFX_MSG_ENTRY(WM_NOTIFY, code, id, id, nullptr, auto* n = static_cast<AFX_NOTIFY*>(call.pExtra); \
                  self->handler(n->pNMHDR, n->pResult); return TRUE;)
#define ON_NOTIFY_RANGE(code, first, last, handler) \
    AFX_MSG_ENTRY(WM_NOTIFY, code, first, last, nullptr, auto* n = static_cast<AFX_NOTIFY*>(call.pExtra); \
                  self->handler(call.nID, n->pNMHDR, n->pResult); return TRUE;)
// Notifications the parent reflects back to the control that sent them.
#define ON_CONTROL_REFLECT(code, handler) \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, nullptr, self->handler(); return TRUE;)
#define ON_NOTIFY_REFLECT(code, handler) \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, nullptr, auto* n = static_cast<AFX_NOTIFY*>(call.pExtra); \
                  self->handler(n->pNMHDR, n->pResult); return TRUE;)
#define ON_MESSAGE(message, handler) \
    AFX_MSG_ENTRY(message, 0, 0, 0, nullptr, return self->handler(call.wParam, call.lParam);)
#define ON_REGISTERED_MESSAGE(variable, handler) \
    AFX_MSG_ENTRY(0, 0, 0, 0, &variable, return self->handler(call.wParam, call.lParam);)
