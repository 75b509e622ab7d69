#pragma once
// SECListBoxEditor: turns a dialog's list box into an editable list of
// strings. A header strip above the list shows its caption and the New,
// Delete, Move Up and Move Down buttons; rows are edited in place, added,
// deleted, moved with keys or buttons and reordered by dragging. Unless
// kNoTrailingRow is set the list always ends with one empty row, where a
// new entry is typed. SECListBoxDirEditor's rows are folders: the in-place
// edit gets a "..." button that opens the folder chooser.
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "uikit/controls/list_box_edit.h"

class SECListBoxEditor;

// The list box, subclassed: its input goes to the editor.
class SECListBoxEditorHelper : public CListBox {
public:
    explicit SECListBoxEditorHelper(SECListBoxEditor* editor) : editor_(editor) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnLButtonDown(UINT flags, CPoint point);
    SECListBoxEditor* editor_;
};

class SECListBoxEditor : public CWnd {
    DECLARE_DYNAMIC(SECListBoxEditor)
public:
    enum Style : DWORD {
        kEdit = 0x1,  // F2 and double click edit a row (and, for folders, the "..." button)
        kEditOnChar = 0x2,
        kButtons = 0x4,
        kToolTips = 0x8,
        kKeys = 0x10,  // Insert, Delete, Alt+Up, Alt+Down
        kDrag = 0x20,
        kNoTrailingRow = 0x40,
        kNewButton = 0x100,
        kDeleteButton = 0x200,
        kUpButton = 0x400,
        kDownButton = 0x800,
    };
    enum Button { kNew, kDelete, kUp, kDown, kButtonCount };
    static constexpr UINT kRowDeleted = 10;  // WM_COMMAND codes to the parent
    static constexpr UINT kRowMoved = 11;
    static constexpr int kButtonCx = 16, kButtonCy = 15;
    static const char* const kToolTipTexts[kButtonCount];

    SECListBoxEditor();
    ~SECListBoxEditor() override;

    virtual BOOL Initialize(CWnd* parent, UINT id, DWORD style);
    virtual void EnableAutoAdvance(BOOL flag) { auto_advance_ = flag; }
    virtual void OnEditDone();
    virtual void NotifySelChange();
    virtual void EnsureSelection();
    // After an in-place edit changed a row: the base deletes a row left
    // empty and keeps the trailing empty row.
    virtual void OnEditingStopped(int row, const CString& old_text, const CString& new_text);
    // After a new row or the trailing row was edited: the base deletes it when empty.
    virtual void OnEditingJustStopped(int row, const CString& text);
    virtual void OnItemMoved(int from, int to, const CString& text);
    virtual BOOL CanDeleteRow(int /*row*/, const CString& /*text*/) { return TRUE; }
    virtual void NewItem();
    virtual void DeleteSelectedItems();
    virtual void MoveItemDown();
    virtual void MoveItemUp();
    virtual void EditItem(UINT character);
    virtual int CalcHeaderHeight();
    virtual void LayoutButtons();
    virtual void UpdateToolTips();
    virtual void RecalcLayout();
    virtual void SetButtons(DWORD style);
    virtual void StartEdit(int row, BOOL new_row, const char* initial_text);
    virtual BOOL MoveRowUp(int row);
    virtual BOOL DeleteRow(int row);
    virtual void SetAutoAdvanceCount(int count) { auto_advance_count_ = count; }
    virtual void OnBrowse() {}

    CListBox* GetListBoxCtrl() const { return helper_.get(); }
    // Empties the list and adds `rows`, keeping the trailing empty row.
    void RefillRows(const std::vector<std::string>& rows);
    DWORD GetEditorStyle() const { return style_; }
    bool HasTrailingRow() const { return !(style_ & kNoTrailingRow); }
    BOOL IsEditing() const { return edit_ && edit_->m_hWnd; }
    SECListBoxEdit* GetEdit() const { return IsEditing() ? edit_.get() : nullptr; }
    CButton* GetBrowseButton() { return browse_.m_hWnd ? &browse_ : nullptr; }
    int GetHeaderHeight() const { return header_height_; }
    const CToolTipCtrl& GetToolTipCtrl() const { return tool_tip_; }
    const CRect& GetButtonRect(int button) const { return button_rects_[button]; }
    BOOL HasButton(int button) const { return has_button_[button]; }
    int GetLastDeleted() const { return last_deleted_; }
    int GetLastMovedFrom() const { return moved_from_; }
    int GetLastMovedTo() const { return moved_to_; }
    // Runs a header button's action.
    void PressButton(int button);

protected:
    friend class SECListBoxEditorHelper;
    void AppendEmptyRowIfNeeded();
    void MoveCurrentRow(int step);
    void SendToParent(UINT code, bool post);
    int CurrentRow() const;
    void DrawButton(CDC* dc, int button, bool pressed);
    // Follows a press on a header button until release; TRUE when released over it.
    BOOL TrackButton(int button);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    BOOL PreTranslateMessage(MSG* msg) override;
    DECLARE_MESSAGE_MAP()

    CButton browse_;
    CToolTipCtrl tool_tip_;
    std::unique_ptr<SECListBoxEdit> edit_;  // kept after its window goes until the next edit
    std::unique_ptr<SECListBoxEditorHelper> helper_;
    CRect button_rects_[kButtonCount];
    BOOL has_button_[kButtonCount] = {TRUE, TRUE, TRUE, TRUE};
    int pressed_ = -1;
    DWORD style_ = 0;
    BOOL initialized_ = FALSE;
    int header_height_ = 0;
    BOOL new_row_edit_ = FALSE;
    CString row_text_;
    BOOL edit_cancelled_ = FALSE;
    int last_deleted_ = -1, moved_from_ = -1, moved_to_ = -1;
    BOOL auto_advance_ = FALSE;
    int auto_advance_count_ = 1;
    UINT list_id_ = 0;
};

class SECListBoxDirEditor : public SECListBoxEditor {
    DECLARE_DYNAMIC(SECListBoxDirEditor)
public:
    static constexpr const char* kChooserTitle = "Select Directory";
    BOOL Initialize(CWnd* parent, UINT id, DWORD style) override;
    void OnBrowse() override;
};
