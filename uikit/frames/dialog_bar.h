#pragma once
// SECDialogBar: a docking bar whose contents come from a dialog template. It
// reports the template's size for every state (docked across, docked along a
// side, floating) until it is resized, and keeps its template id in a saved
// layout so that a layout can make it again.
#include "platform/afx/afx.h"
#include "uikit/frames/control_bar.h"

class SECDialogBar : public SECControlBar {
    DECLARE_DYNCREATE(SECDialogBar)
public:
    using SECControlBar::Create;
    // A bar from the dialog template with that id; FALSE when any step fails.
    virtual BOOL Create(CWnd* parent, UINT template_id, DWORD style, DWORD ex_style, UINT id);
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;
    using SECControlBar::GetBarInfo;
    void GetBarInfo(SECControlBarInfo* info) override;
    BOOL CreateBarFromInfo(CFrameWnd* frame, SECControlBarInfo* info) override;

    const char* m_lpszTemplateName = nullptr;  // the template, as the dialog manager names it
    UINT m_nTemplateID = 0;
    CSize m_sizeDefault;
};
