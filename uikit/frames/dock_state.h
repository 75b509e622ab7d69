#pragma once
// SECDockState: the docking layout of a frame (which bars exist, where they
// are docked or floating, their sizes, relative widths, styles and the
// placements of bar-hosting MDI children) saved and restored in three forms:
// the application's profile ("<name>-Summary", "<name>-Bar<n>"), the
// persistent key/value tree ("DockState", "Bar-<n>") and an archive.
//
// A saved layout is read whole and checked before anything changes: a record
// of the wrong size, a count past what a frame can hold, an id out of range or
// used twice, or a class that is not a docking window makes the whole layout
// damaged; the frame keeps its default layout and the caller gets the reason.
#include <memory>

#include "platform/afx/afx.h"
#include "platform/os/result.h"
#include "uikit/frames/persistent_tree.h"

class SECDockState;

// Extra state that a bar manager keeps with a bar's record (a toolbar's
// buttons). The base saves nothing and loads successfully.
class SECControlBarInfoEx : public CObject {
    DECLARE_DYNAMIC(SECControlBarInfoEx)
public:
    using CObject::Serialize;
    // Throws CArchiveException on damaged input, as the archive does.
    virtual void Serialize(CArchive& ar, SECDockState* state) {}
    virtual BOOL LoadState(SECPersistentTreeNode* node) { return TRUE; }
    virtual BOOL LoadState(const char* section) { return TRUE; }
    virtual BOOL SaveState(SECPersistentTreeNode* parent, SECPersistentTreeNode* node) { return TRUE; }
    virtual BOOL SaveState(const char* section) { return TRUE; }
};

// Limits of a saved layout; more is damage, not a layout.
constexpr int kSecMaxSavedBars = 256;       // records in one layout
constexpr int kSecMaxSavedBarSlots = 1024;  // ids in one dock bar's rows
constexpr UINT kSecPlacementSize = 44;      // a saved window placement, in bytes
constexpr UINT kSecMaxBarID = 0xFFFF;       // bar ids are 16 bits; placeholders add CDockBar::kPlaceholderFlag

// One bar's or dock bar's record: the framework's fields and the toolkit's.
struct SECControlBarInfo : CControlBarInfo {
    explicit SECControlBarInfo(SECControlBarManager* manager = nullptr) : m_pManager(manager) {}
    virtual ~SECControlBarInfo() = default;
    SECControlBarInfo(const SECControlBarInfo&) = delete;
    SECControlBarInfo& operator=(const SECControlBarInfo&) = delete;

    CSize m_szHorzDock, m_szVertDock, m_szFloat;
    DWORD m_dwPrevDockStyle = 0;
    DWORD m_dwDockStyle = 0;
    float m_fPctWidth = 1.0f;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    BOOL m_bPrevFloating = FALSE;
    BOOL m_bMDIChild = FALSE;  // a dock bar of a bar-hosting MDI child
    WINDOWPLACEMENT m_wpMDIChild{};
    CString m_strClassName;
    CString m_strWindowName;
    UINT m_nResourceID = 0;  // a dialog bar's template
    std::unique_ptr<SECControlBarInfoEx> m_pInfoEx;
    UINT m_nTypeID = 0;  // the manager's type for the bar, 0 for none
    SECControlBarManager* m_pManager;

    // The profile form under "<profile>-Bar<index>".
    virtual os::Status LoadState(const char* profile, int index, SECDockState* state);
    // FALSE when the record is one the framework leaves out (an empty docked dock bar).
    virtual BOOL SaveState(const char* profile, int index);
    // The tree form in the node "Bar-<index>".
    virtual os::Status LoadState(SECPersistentTreeNode* node, SECDockState* state);
    virtual BOOL SaveState(SECPersistentTreeNode* parent, int index);
    // The archive form; throws CArchiveException on damaged input.
    virtual void Serialize(CArchive& ar, SECDockState* state);

    // FALSE for a visible docked dock bar that holds no bar, which is not worth a record.
    BOOL IsWorthSaving() const;
    // Makes the manager's extra state for the type id, if any.
    void MakeInfoEx();
};

class SECDockState : public CDockState {
    DECLARE_DYNAMIC(SECDockState)
public:
    explicit SECDockState(SECControlBarManager* manager = nullptr) : m_pManager(manager) {}
    ~SECDockState() override;

    SECControlBarManager* m_pManager;
    // The archive form's version: from 3 on, a bar-hosting MDI child's record keeps its placement.
    static constexpr DWORD kPlacementVersion = 3;
    DWORD m_dwVersion = kPlacementVersion;
    // When set, receives every bar made while restoring.
    CPtrList* m_pCreatedBars = nullptr;

    int GetInfoCount() const { return m_arrBarInfo.GetSize(); }
    SECControlBarInfo* GetInfo(int index) const { return static_cast<SECControlBarInfo*>(m_arrBarInfo[index]); }
    void Clear();

    // ---- the three forms ----
    // The profile form; loading nothing saved under the name gives an empty state.
    virtual void SaveState(const char* profile);
    virtual os::Status LoadState(const char* profile);
    // The tree form under `parent` ("DockState"); FALSE without a parent or when it holds one already.
    virtual BOOL SaveState(SECPersistentTreeNode* parent);
    // Nothing saved (no root or no "DockState" child) is a failure and leaves the state empty.
    virtual os::Status LoadState(SECPersistentTreeNode* root);
    // The archive form: throws CArchiveException on damaged input.
    void Serialize(CArchive& ar) override;
    // Loading through an archive with the damage as a status.
    os::Status LoadState(CArchive& ar);

    // ---- the frame ----
    // Collects the layout of the frame's toolkit bars and dock bars, floating ones included.
    virtual void GetFrameState(CFrameWnd* frame);
    // Checks the whole layout against the frame, makes missing bars and applies it;
    // on any fault the frame is left as it was.
    virtual os::Status SetFrameState(CFrameWnd* frame);
    virtual SECControlBarInfo* CreateBarInfo(SECControlBarManager* manager) { return new SECControlBarInfo(manager); }
    // Clears placeholders that stand nowhere a bar may go back to, and repeated ids.
    void RemoveStaleIDs();

    // A registered class of exactly that name; null when there is none.
    static CRuntimeClass* FindRuntimeClass(const char* name);

protected:
    virtual CControlBar* CreateBarFromClassName(const char* class_name, CFrameWnd* frame, SECControlBarInfo* info);

private:
    // Leaves out bars the frame lacks that no layout can make in it.
    void skip_bars_not_made_here(CFrameWnd* frame);
    os::Status check(CFrameWnd* frame) const;
    os::Status create_missing_bars(CFrameWnd* frame, CPtrList& made);
    void apply_bar_styles();
    void restore_mdi_placements();
    void add(SECControlBarInfo* info) { m_arrBarInfo.Add(info); }
};

// The frame side of saving and loading, shared by the toolkit's frames: a
// layout that does not exist keeps the default docking and is no error; a
// damaged one keeps it too and says why.
os::Status sec_load_bar_state(CFrameWnd* frame, SECControlBarManager* manager, const char* profile);
void sec_save_bar_state(CFrameWnd* frame, SECControlBarManager* manager, const char* profile);
