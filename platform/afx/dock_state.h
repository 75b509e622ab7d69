#pragma once
// The saved layout of a frame's control bars: one CControlBarInfo per bar,
// kept in the profile under "<name>-Summary" (the bar count and the screen
// size) and "<name>-Bar<n>" (the bar's values). Positions saved on a screen
// of another size are scaled to this one when loaded.
#include "platform/afx/collections.h"
#include "platform/afx/geometry.h"

class CControlBar;
class CDockState;
class CFrameWnd;

struct CControlBarInfo {
    UINT m_nBarID = 0;
    BOOL m_bVisible = TRUE;
    BOOL m_bFloating = FALSE;
    BOOL m_bHorz = FALSE;
    BOOL m_bDockBar = FALSE;
    CPoint m_pointPos{-1, -1};  // the bar's place in its frame's client area
    UINT m_nMRUWidth = 32767;
    BOOL m_bDocking = FALSE;  // docked (not floating)
    UINT m_uMRUDockID = 0;    // the side: AFX_IDW_DOCKBAR_TOP and the others
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    CUIntArray m_arrBarID;  // dock bars: the bars in their rows, 0 ending a row
    CControlBar* m_pBar = nullptr;

    // FALSE (nothing written) for a visible docked dock bar that holds no bar.
    BOOL SaveState(const char* section, int index) const;
    BOOL LoadState(const char* section, int index, CDockState* state);
};

class CDockState : public CObject {
    DECLARE_DYNAMIC(CDockState)
public:
    ~CDockState() override { Clear(); }
    CTypedPtrArray<CPtrArray, CControlBarInfo*> m_arrBarInfo;
    void Clear();
    void SaveState(const char* name) const;
    // FALSE when no layout was saved under `name` (the bars keep their places).
    BOOL LoadState(const char* name);
    // The screen the positions were saved on, for scaling.
    CSize m_sizeSavedScreen;
    CPoint ScalePoint(CPoint point) const;
};
