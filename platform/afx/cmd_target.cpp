#include "platform/afx/cmd_target.h"

#include "platform/user/input_api.h"
#include "platform/user/messages.h"
#include "platform/user/resource_api.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            const UINT entry_message = e->pnRegistered ? *e->pnRegistered : e->nMessage;
            // Routed entries are found by AfxFindCommandEntry; a registered message of 0 never matches.
            if (entry_message == message && message != 0 && e->nMessage != WM_COMMAND && e->nMessage != WM_NOTIFY &&
                e->nMessage < WM_REFLECT_BASE)
                return e;
        }
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* AfxFindCommandEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e)
            if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // Notifications arrive as MAKELONG(code, WM_NOTIFY) (or its reflected form); the rest are WM_COMMAND.
    UINT message = WM_COMMAND;
    UINT code = UINT(nCode);
    const UINT high = HIWORD(UINT(nCode));
    if (nCode != CN_UPDATE_COMMAND_UI && high != 0) {
        message = high;
        code = LOWORD(UINT(nCode));
        // Notification codes are negative 16-bit values kept in a UINT.
        if (message == WM_NOTIFY || message == WM_REFLECT_BASE + WM_NOTIFY) code = UINT(int(short(code)));
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindCommandEntry(GetMessageMap(), message, code, nID);
    if (!entry) return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pfn = entry->pfn;
        return TRUE;
    }
    AFX_MSGCALL call{message, 0, 0, nID, nCode, pExtra, nullptr};
    return entry->pfn(this, call) != 0;
}

void CCmdTarget::BeginWaitCursor() { ::SetCursor(::LoadCursor(nullptr, IDC_WAIT)); }
void CCmdTarget::EndWaitCursor() { ::SetCursor(::LoadCursor(nullptr, IDC_ARROW)); }
