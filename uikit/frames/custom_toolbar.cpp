#include "uikit/frames/custom_toolbar.h"

#include <algorithm>
#include <utility>

#include "uikit/frames/bmp_mgr.h"
#include "uikit/frames/sys_colors.h"
#include "uikit/frames/toolbar_state.h"

IMPLEMENT_DYNCREATE(SECCustomToolBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECCustomToolBar, SECControlBar)
ON_WM_CREATE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
ON_WM_WINDOWPOSCHANGING()
ON_WM_SYSCOLORCHANGE()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(TB_ADDBUTTONS, OnAddButtons)
ON_MESSAGE(TB_DELETEBUTTON, OnDeleteButton)
END_MESSAGE_MAP()

namespace {

constexpr int kUnbounded = 32767;

}  // namespace

SECCustomToolBar::SECCustomToolBar() {
    m_cyTopBorder = m_cyBottomBorder = 3;
    default_font_.CreateStockObject(DEFAULT_GUI_FONT);
    bmp_mgr_ = new SECBmpMgr;
}

SECCustomToolBar::~SECCustomToolBar() {
    if (m_hWnd) DestroyWindow();
    buttons_.clear();
    SetManager(nullptr);
    if (bmp_mgr_) bmp_mgr_->Release();
}

BOOL SECCustomToolBar::Create(CWnd* parent, DWORD style, UINT id, const char* title) {
    return CreateEx(0, parent, style, id, title);
}

BOOL SECCustomToolBar::CreateEx(DWORD ex_style, CWnd* parent, DWORD style, UINT id, const char* title) {
    if (!SECControlBar::CreateEx(nullptr, title ? title : "", id, style, ex_style, CRect(0, 0, 0, 0), parent))
        return FALSE;
    m_dwExStyle |= CBRS_EX_FIXEDSIZE;
    // Commands and notifications go to the window the bar was made for, wherever it docks later.
    SetOwner(parent);
    NotifyListeners(SEC_BAR_CREATED);
    return TRUE;
}

int SECCustomToolBar::OnCreate(CREATESTRUCT* cs) { return CWnd::OnCreate(cs); }

void SECCustomToolBar::OnDestroy() {
    Deselect(FALSE);
    if (hot_timer_) KillTimer(SEC_HOT_TIMER), hot_timer_ = false;
    NotifyListeners(SEC_BAR_DESTROYED);
    SECControlBar::OnDestroy();
}

// ---- services ------------------------------------------------------------------

void SECCustomToolBar::SetBmpMgr(SECBmpMgr* manager) {
    if (!manager || manager == bmp_mgr_) return;
    manager->AddRef();
    if (bmp_mgr_) bmp_mgr_->Release();
    bmp_mgr_ = manager;
}

CFont* SECCustomToolBar::GetDefaultFont() const { return &default_font_; }

void SECCustomToolBar::SetMode(UINT mode) {
    if (mode == mode_) return;
    mode_ = mode;
    for (auto& button : buttons_) button->SetMode(mode);
}

void SECCustomToolBar::SetButtonSize(int width, int height) {
    image_size_ = CSize(width, height);
    m_nMaxBtnWidth = 0;
    for (auto& button : buttons_) button->AdjustSize();
}

SECBtnDrawData& SECCustomToolBar::draw_data() {
    if (manager_) return manager_->GetDrawData();
    if (!own_draw_data_) own_draw_data_ = std::make_unique<SECBtnDrawData>();
    return *own_draw_data_;
}

CFrameWnd* SECCustomToolBar::owner_frame() const {
    CWnd* owner = GetOwner();
    if (owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(owner);
    return m_pDockSite ? m_pDockSite : GetParentFrame();
}

void SECCustomToolBar::NotifyListeners(UINT code) {
    if (manager_ && m_hWnd) manager_->NotifyListeners(UINT(GetDlgCtrlID()), code);
}

BOOL SECCustomToolBar::IsUserToolBar() const {
    return m_hWnd && m_pDockSite && sec_is_user_toolbar_id(UINT(GetDlgCtrlID()));
}

BOOL SECCustomToolBar::IsCtrlDown() const { return ::GetKeyState(VK_CONTROL) < 0; }

// ---- buttons -------------------------------------------------------------------

SECStdBtn* SECCustomToolBar::GetButton(int index) const {
    return index >= 0 && index < GetButtonCount() ? buttons_[std::size_t(index)].get() : nullptr;
}

UINT SECCustomToolBar::GetButtonStyle(int index) const {
    const SECStdBtn* button = GetButton(index);
    return button ? button->GetStyle() : 0;
}

void SECCustomToolBar::SetButtonStyle(int index, UINT style) {
    SECStdBtn* button = GetButton(index);
    if (!button || button->GetStyle() == style) return;
    button->SetStyle(style);
    redraw_button(index);
}

void SECCustomToolBar::HideButton(int index, BOOL hide) {
    SECStdBtn* button = GetButton(index);
    if (!button) return;
    const UINT style = hide ? button->GetStyle() | TBBS_HIDDEN : button->GetStyle() & ~TBBS_HIDDEN;
    if (style == button->GetStyle()) return;
    button->SetStyle(style);
    button->OnHide();
}

CRect SECCustomToolBar::GetButtonRect(int index) const {
    const SECStdBtn* button = GetButton(index);
    return button ? button->GetRect() : CRect();
}

int SECCustomToolBar::CommandToIndex(UINT id) const {
    for (int i = 0; i < GetButtonCount(); ++i)
        if (buttons_[std::size_t(i)]->m_nID == id) return i;
    return -1;
}

int SECCustomToolBar::IndexOf(const SECStdBtn* button) const {
    for (int i = 0; i < GetButtonCount(); ++i)
        if (buttons_[std::size_t(i)].get() == button) return i;
    return -1;
}

UINT SECCustomToolBar::GetButtonID(int index) const {
    const SECStdBtn* button = GetButton(index);
    return button ? button->m_nID : 0;
}

void SECCustomToolBar::SetStyleForID(UINT id, UINT set, UINT clear, BOOL all_bars) {
    if (all_bars && manager_) {
        manager_->SetButtonStyle(id, set, clear);
        return;
    }
    const UINT bits[2] = {set, clear};
    for (auto& button : buttons_)
        if (button->m_nID == id) button->InformBtn(1, bits);
}

void SECCustomToolBar::SetFrameBtnStyle(UINT id, UINT set, UINT clear) {
    if (manager_) manager_->SetButtonStyle(id, set, clear);
}

SECStdBtn* SECCustomToolBar::CreateButton(UINT id, SECCustomToolBar* parent) {
    const SECBtnDescriptors& descriptors = manager_ ? manager_->GetMenuDescriptors() : m_ownDescriptors;
    const SECBtnDescriptor* found = nullptr;
    for (const SECBtnDescriptor& d : descriptors)
        if (d.id == id) found = &d;
    SECStdBtn* button = found && found->button_class ? found->button_class->create() : new SECStdBtn;
    button->SetStyle(found ? found->style : 0);
    button->m_nID = id;
    if (button->m_nType != SEC_BTN_MENU && bmp_mgr_) {
        HBITMAP strip = nullptr;
        UINT image = 0;
        if (bmp_mgr_->GetBitmap(id, strip, image)) button->m_nImage = image;
    }
    button->Init(parent ? parent : this, found);
    button->SetMode(mode_);
    return button;
}

SECStdBtn* SECCustomToolBar::CreateSeparator(SECCustomToolBar* parent) {
    auto* button = new SECStdBtn;
    button->SetStyle(TBBS_SEPARATOR);
    button->m_pToolBar = parent ? parent : this;
    button->m_cx = m_nSepSpacing;
    button->m_cy = image_size_.cy + 7;
    return button;
}

void SECCustomToolBar::shift_indexes_after_insert(int index) {
    if (selected_ >= index) {
        ++selected_;
        redraw_button(selected_);
    }
    if (hot_ >= index) ++hot_;
    if (pressed_ >= index) ++pressed_;
}

void SECCustomToolBar::InsertButton(int index, UINT id, BOOL separator, BOOL no_redraw) {
    index = std::clamp(index, 0, GetButtonCount());
    SECStdBtn* button = separator ? CreateSeparator() : CreateButton(id);
    buttons_.insert(buttons_.begin() + index, std::unique_ptr<SECStdBtn>(button));
    m_nMaxBtnWidth = std::max(m_nMaxBtnWidth, button->m_cx);
    shift_indexes_after_insert(index);
    if (!separator) UpdateButton(index);
    after_change(no_redraw);
}

void SECCustomToolBar::after_change(BOOL no_redraw) {
    if (no_redraw || !m_hWnd) return;
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
    Invalidate();
    UpdateWindow();
}

void SECCustomToolBar::shift_indexes_after_remove(int index) {
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    if (hot_ == index) {
        hot_ = -1;
        if (hot_timer_ && m_hWnd) KillTimer(SEC_HOT_TIMER), hot_timer_ = false;
    } else if (hot_ > index) {
        --hot_;
    }
    if (pressed_ == index)
        pressed_ = -1;
    else if (pressed_ > index)
        --pressed_;
    if (m_nOpenMenu == index)
        m_nOpenMenu = -1;
    else if (m_nOpenMenu > index)
        --m_nOpenMenu;
}

void SECCustomToolBar::remove_redundant_separators(int& removed_at) {
    // A separator left first or last, or beside another separator, goes too.
    const auto is_sep = [&](int i) {
        return i >= 0 && i < GetButtonCount() && buttons_[std::size_t(i)]->IsSeparator();
    };
    // Dropping one can leave another in such a place ({0, 0, 101} after 100 of {100, 0, 0, 101}).
    for (;;) {
        int drop = -1;
        if (removed_at == 0 && is_sep(0))
            drop = 0;
        else if (removed_at == GetButtonCount() && is_sep(removed_at - 1))
            drop = removed_at - 1;
        else if (is_sep(removed_at - 1) && is_sep(removed_at))
            drop = removed_at;
        if (drop < 0) return;
        buttons_.erase(buttons_.begin() + drop);
        shift_indexes_after_remove(drop);
        removed_at = drop;
    }
}

BOOL SECCustomToolBar::RemoveButton(int index, BOOL no_redraw) {
    if (index < 0 || index >= GetButtonCount()) return FALSE;
    if (selected_ == index) Deselect(FALSE);
    buttons_.erase(buttons_.begin() + index);
    shift_indexes_after_remove(index);
    int at = index;
    remove_redundant_separators(at);
    if (!no_redraw && m_hWnd) {
        if (buttons_.empty() && IsUserToolBar()) {
            // An emptied user toolbar goes away with its floating frame.
            CFrameWnd* frame = GetDockingFrame();
            if (frame && frame != m_pDockSite && frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
                frame->DestroyWindow();
            else
                DestroyWindow();
            return FALSE;
        }
        after_change(FALSE);
    }
    return !buttons_.empty();
}

void SECCustomToolBar::RemoveAllButtons() {
    Deselect(FALSE);
    if (hot_timer_ && m_hWnd) KillTimer(SEC_HOT_TIMER), hot_timer_ = false;
    buttons_.clear();
    selected_ = pressed_ = hot_ = m_nOpenMenu = -1;
    m_nMaxBtnWidth = 0;
}

void SECCustomToolBar::SetButtons(const UINT* ids, int count) {
    RemoveAllButtons();
    for (int i = 0; i < count; ++i) {
        SECStdBtn* button = ids[i] ? CreateButton(ids[i]) : CreateSeparator();
        buttons_.emplace_back(button);
        m_nMaxBtnWidth = std::max(m_nMaxBtnWidth, button->m_cx);
    }
}

// ---- saved buttons -------------------------------------------------------------

void SECCustomToolBar::GetBarButtons(CString& title, std::vector<SECBtnInfo>& saved) const {
    title.Empty();
    if (m_hWnd) GetWindowText(title);
    saved.clear();
    for (const auto& button : buttons_) {
        SECBtnInfo info;
        info.id = button->IsSeparator() ? 0 : button->m_nID;
        int count = 0;
        const BYTE* bytes = nullptr;
        button->GetPersistData(count, bytes);
        if (bytes && count > 0) info.data.assign(bytes, bytes + count);
        saved.push_back(std::move(info));
    }
}

void SECCustomToolBar::SetBarButtons(const CString& title, const std::vector<SECBtnInfo>& saved) {
    if (!title.IsEmpty() && m_hWnd) SetWindowText(title);
    for (const SECBtnInfo& info : saved) {
        SECStdBtn* button = info.id ? CreateButton(info.id) : CreateSeparator();
        buttons_.emplace_back(button);
        m_nMaxBtnWidth = std::max(m_nMaxBtnWidth, button->m_cx);
        button->SetPersistData(int(info.data.size()), info.data.data());
    }
}

void SECCustomToolBar::GetBarInfoEx(SECControlBarInfo* info) {
    if (!info->m_pInfoEx && info->m_nTypeID && manager_) {
        if (!info->m_pManager) info->m_pManager = m_pManager;
        info->MakeInfoEx();
    }
    if (auto* mine = dynamic_cast<SECCustomToolBarInfoEx*>(info->m_pInfoEx.get()))
        GetBarButtons(mine->m_strTitle, mine->m_buttons);
}

void SECCustomToolBar::SetBarInfoEx(SECControlBarInfo* info, CFrameWnd*) {
    auto* mine = dynamic_cast<SECCustomToolBarInfoEx*>(info->m_pInfoEx.get());
    if (!mine) return;
    RemoveAllButtons();
    SetBarButtons(mine->m_strTitle, mine->m_buttons);
}

// ---- command update ------------------------------------------------------------

void SECCustomToolCmdUI::Enable(BOOL on) {
    m_bEnableChanged = TRUE;
    const UINT old = m_pToolBar->GetButtonStyle(int(m_nIndex));
    m_pToolBar->SetButtonStyle(int(m_nIndex), on ? old & ~TBBS_DISABLED : old | TBBS_DISABLED);
}

void SECCustomToolCmdUI::SetCheck(int check) {
    UINT style = m_pToolBar->GetButtonStyle(int(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    style |= TBBS_CHECKBOX;
    if (check == 1) style |= TBBS_CHECKED;
    if (check == 2) style |= TBBS_INDETERMINATE;
    m_pToolBar->SetButtonStyle(int(m_nIndex), style);
}

void SECCustomToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
    SECCustomToolCmdUI state;
    state.m_pToolBar = this;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(GetButtonCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        const SECStdBtn* button = buttons_[state.m_nIndex].get();
        if (button->IsSeparator()) continue;
        state.m_nID = button->m_nID;
        state.DoUpdate(target, disable_if_no_handler && !(button->GetStyle() & TBBS_TEXT_MENU));
    }
    // Controls placed on the bar follow the same handlers.
    UpdateDialogControls(target, disable_if_no_handler);
}

void SECCustomToolBar::UpdateButton(int index) {
    const SECStdBtn* button = GetButton(index);
    if (!button || button->IsSeparator()) return;
    CFrameWnd* target = owner_frame();
    if (!target) return;
    SECCustomToolCmdUI state;
    state.m_pToolBar = this;
    state.m_pOther = this;
    state.m_nIndex = UINT(index);
    state.m_nIndexMax = UINT(GetButtonCount());
    state.m_nID = button->m_nID;
    state.DoUpdate(target, !(button->GetStyle() & TBBS_TEXT_MENU));
}

// ---- rows ----------------------------------------------------------------------

SECCustomToolBar::Row SECCustomToolBar::make_row(int first, int last, bool separator_break) const {
    Row row;
    row.last = last;
    row.separator_break = separator_break;
    const int end = separator_break ? last : last + 1;  // the breaking separator takes no width
    for (int i = first; i < end; ++i) {
        const SECStdBtn& button = *buttons_[std::size_t(i)];
        if (button.IsHidden()) continue;
        row.width += button.m_cx;
        row.height = std::max(row.height, button.m_cy);
    }
    if (separator_break) row.height = std::max(row.height, buttons_[std::size_t(last)]->m_cy);
    return row;
}

std::vector<SECCustomToolBar::Row> SECCustomToolBar::BuildRows(int width) const {
    std::vector<Row> rows;
    const int count = GetButtonCount();
    int start = 0, running = 0;
    bool row_has_button = false;
    for (int i = 0; i < count; ++i) {
        const SECStdBtn& button = *buttons_[std::size_t(i)];
        if (button.IsHidden()) continue;
        if (running + button.m_cx <= width + 2 || !row_has_button) {
            running += button.m_cx;
            row_has_button = true;
            continue;
        }
        // Break at the last separator of the row when there is one.
        int separator = -1;
        for (int j = i; j > start; --j)
            if (buttons_[std::size_t(j)]->IsSeparator() && !buttons_[std::size_t(j)]->IsHidden()) {
                separator = j;
                break;
            }
        if (separator >= 0) {
            rows.push_back(make_row(start, separator, true));
            start = separator + 1;
            running = 0;
            row_has_button = false;
            for (int j = start; j <= i; ++j)
                if (!buttons_[std::size_t(j)]->IsHidden())
                    running += buttons_[std::size_t(j)]->m_cx, row_has_button = true;
        } else {
            rows.push_back(make_row(start, i - 1, false));
            start = i;
            running = button.m_cx;
            row_has_button = true;
        }
    }
    if (start < count || rows.empty()) rows.push_back(make_row(start, count - 1, false));
    return rows;
}

CSize SECCustomToolBar::RowsSize(const std::vector<Row>& rows) const {
    CSize size(0, 0);
    for (const Row& row : rows) {
        size.cx = std::max<LONG>(size.cx, row.width);
        size.cy += row.height;
        if (row.separator_break) size.cy += m_nSepSpacing * 2 / 3;
    }
    if (GetButtonCount() == 0) size.cy = image_size_.cy + 7;
    return size;
}

int SECCustomToolBar::first_of_row(const std::vector<Row>& rows, std::size_t r) const {
    return r == 0 ? 0 : rows[r - 1].last + 1;
}

void SECCustomToolBar::BalanceRows(std::vector<int>& ends) const {
    // `ends` holds each row's last index; a negative entry marks a separator break (-(index) - 1).
    const auto decode = [](int e) { return e < 0 ? -e - 1 : e; };
    const auto rows_of = [&](const std::vector<int>& list) {
        std::vector<Row> rows;
        for (std::size_t r = 0; r < list.size(); ++r) {
            const int first = r == 0 ? 0 : decode(list[r - 1]) + 1;
            rows.push_back(make_row(first, decode(list[r]), list[r] < 0));
        }
        return rows;
    };
    for (int guard = 0; guard < GetButtonCount() * GetButtonCount() + 1; ++guard) {
        std::vector<Row> rows = rows_of(ends);
        std::size_t longest = 0;
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (rows[r].width >= rows[longest].width) longest = r;
        if (longest + 1 >= rows.size()) return;
        const int first = longest == 0 ? 0 : decode(ends[longest - 1]) + 1;
        const int last = decode(ends[longest]);
        std::vector<int> moved = ends;
        if (ends[longest] < 0) {
            // The row ended at a separator: the run after the row's previous separator goes down.
            int previous = -1;
            for (int j = last - 1; j > first; --j)
                if (buttons_[std::size_t(j)]->IsSeparator()) {
                    previous = j;
                    break;
                }
            if (previous < 0) return;
            moved[longest] = -previous - 1;
        } else {
            if (last <= first) return;
            moved[longest] = last - 1;
        }
        const std::vector<Row> after = rows_of(moved);
        if (after[longest + 1].width >= rows[longest].width || after[longest].width == 0) return;
        ends = moved;
    }
}

void SECCustomToolBar::apply_rows(const std::vector<Row>& rows) {
    for (auto& button : buttons_) button->SetStyle(button->GetStyle() & ~TBBS_WRAPPED);
    for (std::size_t r = 0; r + 1 < rows.size(); ++r)
        if (SECStdBtn* button = GetButton(rows[r].last)) button->SetStyle(button->GetStyle() | TBBS_WRAPPED);
}

void SECCustomToolBar::place_buttons(const std::vector<Row>& rows, CPoint origin) {
    int y = origin.y;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        int x = origin.x;
        for (int i = first_of_row(rows, r); i <= rows[r].last; ++i) {
            SECStdBtn& button = *buttons_[std::size_t(i)];
            if (button.IsHidden()) continue;
            button.SetPos(x, y + (rows[r].height - button.m_cy) / 2);
            x += button.m_cx;
        }
        y += rows[r].height;
        if (rows[r].separator_break) y += m_nSepSpacing * 2 / 3;
    }
}

std::vector<SECCustomToolBar::Row> SECCustomToolBar::fit_height(int length) const {
    const int unit = image_size_.cx + 7, row_height = image_size_.cy + 7;
    int narrowest = kUnbounded;
    for (const auto& button : buttons_)
        if (!button->IsHidden()) narrowest = std::min(narrowest, button->m_cx);
    if (buttons_.empty()) narrowest = unit;
    const int row_count = length / row_height;
    int width = row_count > 0 ? std::max(GetButtonCount() * unit / row_count, narrowest) : kUnbounded;
    std::vector<Row> rows = BuildRows(width);
    int height = RowsSize(rows).cy;
    if (height > length) {
        while (height > length && rows.size() > 1) {
            width += unit;
            rows = BuildRows(width);
            height = RowsSize(rows).cy;
        }
    } else {
        while (width - unit >= narrowest) {
            std::vector<Row> narrower = BuildRows(width - unit);
            if (RowsSize(narrower).cy > length) break;
            width -= unit;
            rows = std::move(narrower);
        }
    }
    return rows;
}

CPoint SECCustomToolBar::inside_offset(BOOL horz, CSize* extra) const {
    CRect inside(0, 0, 0, 0);
    SECControlBar::CalcInsideRect(inside, horz, TRUE);
    if (extra) *extra = CSize(inside.left - inside.right, inside.top - inside.bottom);
    return inside.TopLeft();
}

CSize SECCustomToolBar::layout(int length, DWORD mode) {
    const bool vertical = (mode & LM_VERTDOCK) != 0;
    std::vector<Row> rows;
    if (vertical) {
        rows = BuildRows(0);  // one button a row
    } else if (mode & LM_LENGTHY) {
        rows = fit_height(length);
    } else {
        int widest = 0;
        for (const auto& button : buttons_) widest = std::max(widest, button->m_cx);
        rows = BuildRows(std::max(length < 0 ? kUnbounded : length, widest));
    }
    if (!vertical && rows.size() > 1) {
        std::vector<int> ends;
        for (const Row& row : rows) ends.push_back(row.separator_break ? -row.last - 1 : row.last);
        BalanceRows(ends);
        rows.clear();
        for (std::size_t r = 0; r < ends.size(); ++r) {
            const int last = ends[r] < 0 ? -ends[r] - 1 : ends[r];
            const int first = r == 0 ? 0 : rows.back().last + 1;
            rows.push_back(make_row(first, last, ends[r] < 0));
        }
    }
    CSize extra;
    const CPoint origin = inside_offset(!vertical, &extra);
    CSize size = RowsSize(rows);
    size = size + extra;
    if (mode & LM_COMMIT) {
        apply_rows(rows);
        place_buttons(rows, origin);
        if (mode & LM_VERTDOCK)
            m_szVertDock = size;
        else if (mode & LM_HORZDOCK)
            m_szHorzDock = size;
        else
            m_szFloat = size;
        if (!(mode & (LM_HORZDOCK | LM_VERTDOCK)) && !(mode & LM_LENGTHY)) m_sizeMRU.cx = length;
    }
    return size;
}

CSize SECCustomToolBar::CalcFixedLayout(BOOL, BOOL horz) {
    if (IsFloating()) return floating_layout();
    return layout(-1, horz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
}

CSize SECCustomToolBar::floating_layout() {
    return layout(m_sizeMRU.cx > 0 ? m_sizeMRU.cx : kUnbounded, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
}

CSize SECCustomToolBar::CalcDynamicLayout(int length, DWORD mode) {
    if (mode & LM_COMMIT) return layout(length, mode);
    // A floating bar's frame asks as a dock bar would; the answer is the floating layout at its last width.
    if ((mode & LM_MRUWIDTH) || (IsFloating() && (mode & (LM_HORZDOCK | LM_VERTDOCK)))) return floating_layout();
    if (mode & (LM_HORZDOCK | LM_VERTDOCK)) return layout((mode & LM_LENGTHY) ? 0 : kUnbounded, mode | LM_COMMIT);
    return layout(length, mode);
}

// ---- hit testing ---------------------------------------------------------------

int SECCustomToolBar::HitTest(int x, int y, CRect* rect) const {
    for (int i = 0; i < GetButtonCount(); ++i) {
        const SECStdBtn& button = *buttons_[std::size_t(i)];
        if (button.IsHidden() || button.IsSeparator()) continue;
        if (!button.HitsButton(CPoint(x, y))) continue;
        if (rect) *rect = button.GetRect();
        return i;
    }
    return -1;
}

// Tips show only with CBRS_TOOLTIPS (the platform's bar decides); the buttons
// answer without it, for fly-by prompts.
int SECCustomToolBar::OnToolHitTest(CPoint point, ToolHit* hit) const {
    const int found = SECControlBar::OnToolHitTest(point, hit);
    if (found != -1) return found;
    const int index = HitTest(point.x, point.y);
    return index < 0 ? -1 : buttons_[std::size_t(index)]->OnToolHitTest(point, hit);
}

// ---- painting ------------------------------------------------------------------

void SECCustomToolBar::GetInsideRect(CRect& rect) const {
    GetClientRect(&rect);
    SECControlBar::CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) || IsFloating(), TRUE);
}

namespace {
UINT no_delay_hide_message() {
    static const UINT message = ::RegisterWindowMessage("WM_NODELAYHIDE");
    return message;
}
}  // namespace

void SECCustomToolBar::DelayShow(BOOL show) {
    // A hide at once also comes here, to clear the delay flags: the bar is no longer visible then.
    const bool hides_now = !show && (GetStyle() & WS_VISIBLE) && IsFloating();
    if (!hides_now || !manager_ || !manager_->IsFrameLocked()) {
        SECControlBar::DelayShow(show);
        return;
    }
    hide_posted_ = true;
    PostMessage(no_delay_hide_message());
}

LRESULT SECCustomToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != no_delay_hide_message()) return SECControlBar::WindowProc(message, wParam, lParam);
    if (std::exchange(hide_posted_, false) && customize_ && IsFloating()) {
        if (CFrameWnd* frame = GetDockingFrame()) frame->ShowControlBar(this, FALSE, FALSE);
    }
    return 0;
}

int SECCustomToolBar::AdjustForGripper(CRect& rect, BOOL horz) const {
    const int size = SECControlBar::AdjustForGripper(rect, horz);
    if (!(m_dwExStyle & CBRS_EX_HIDE_BUTTON)) return size;
    (horz ? rect.left : rect.top) += 2;
    return size + 2;
}

void SECCustomToolBar::DrawBorders(CDC* dc, CRect& rect) {
    if (IsCoolLook() && (m_dwStyle & CBRS_BORDER_ANY)) {
        const SECSysColors& colours = sec_sys_colors();
        const COLORREF lead = (m_dwStyle & CBRS_BORDER_3D) ? colours.highlight : colours.shadow;
        const DWORD style = m_dwStyle;
        if (style & CBRS_BORDER_LEFT) dc->FillSolidRect(rect.left, rect.top, 1, rect.Height(), lead);
        if (style & CBRS_BORDER_TOP) dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, lead);
        if (style & CBRS_BORDER_RIGHT) dc->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), colours.shadow);
        if (style & CBRS_BORDER_BOTTOM) dc->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, colours.shadow);
        if (!m_pDockContext) {
            // No docking (a bar inside a dialog): an etched line along the top.
            dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, colours.shadow);
            dc->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, colours.highlight);
        }
    }
    SECControlBar::DrawBorders(dc, rect);
}

void SECCustomToolBar::DoPaint(CDC* dc) {
    SECControlBar::DoPaint(dc);
    if (buttons_.empty()) return;
    int width = 0, height = 0;
    for (const auto& button : buttons_) width = std::max(width, button->m_cx), height = std::max(height, button->m_cy);
    SECBtnDrawData& data = draw_data();
    if (!data.BeginPass(dc->m_hDC, std::max(width, m_nMaxBtnWidth), height)) return;
    for (auto& button : buttons_)
        if (!button->IsHidden()) button->Draw(dc, data);
    data.EndPass();
}

void SECCustomToolBar::redraw_button(int index) {
    if (SECStdBtn* button = GetButton(index)) button->Invalidate();
}

void SECCustomToolBar::SetBarStyle(DWORD style) {
    SECControlBar::SetBarStyle(style);
    for (auto& button : buttons_) button->OnBarStyleChange(style);
}

void SECCustomToolBar::OnSysColorChange() {
    RefreshSysColors();
    if (own_draw_data_) own_draw_data_->RebuildDitherBrush();
    if (manager_) manager_->GetDrawData().RebuildDitherBrush();
    if (bmp_mgr_) bmp_mgr_->ReloadBitmaps();
    Invalidate();
}

void SECCustomToolBar::OnShowWindow(BOOL show, UINT status) {
    SECControlBar::OnShowWindow(show, status);
    NotifyListeners(show ? SEC_BAR_SHOWN : SEC_BAR_HIDDEN);
}

void SECCustomToolBar::OnWindowPosChanging(WINDOWPOS* pos) {
    SECControlBar::OnWindowPosChanging(pos);
    // The frame shows and hides a docked bar by moving it, without WM_SHOWWINDOW.
    if (pos->flags & SWP_SHOWWINDOW) NotifyListeners(SEC_BAR_SHOWN);
    if (pos->flags & SWP_HIDEWINDOW) NotifyListeners(SEC_BAR_HIDDEN);
}

// ---- customise mode and selection ----------------------------------------------

void SECCustomToolBar::SetCustomizeMode(BOOL on) {
    if (!on == !customize_) return;
    customize_ = on;
    if (!on) Deselect(TRUE);
    set_hot(-1);
    if (m_hWnd) Invalidate();
}

void SECCustomToolBar::Select(int index, BOOL redraw) {
    SECStdBtn* button = GetButton(index);
    if (!button) return;
    if (manager_) {
        SECCustomToolBar* previous = manager_->GetSelectedBar();
        if (previous && previous != this) previous->Deselect(TRUE);
        manager_->SetSelectedBar(this);
    }
    if (selected_ >= 0 && selected_ != index) {
        if (SECStdBtn* old = GetButton(selected_))
            old->SetStyle(old->GetStyle() & ~TBBS_SELECTED), redraw_button(selected_);
    }
    selected_ = index;
    button->SetStyle(button->GetStyle() | TBBS_SELECTED);
    if (redraw) redraw_button(index);
    NotifyListeners(SEC_BAR_SELECTION);
}

void SECCustomToolBar::Deselect(BOOL redraw) {
    if (manager_ && manager_->GetSelectedBar() == this) manager_->SetSelectedBar(nullptr);
    SECStdBtn* button = GetButton(selected_);
    if (!button) {
        selected_ = -1;
        return;
    }
    button->SetStyle(button->GetStyle() & ~TBBS_SELECTED);
    if (redraw) redraw_button(selected_);
    selected_ = -1;
    NotifyListeners(SEC_BAR_SELECTION);
}

int SECCustomToolBar::OnMouseActivate(CWnd* top, UINT hit, UINT message) {
    if (customize_ && !IsFloating()) return MA_NOACTIVATE;
    return SECControlBar::OnMouseActivate(top, hit, message);
}

// ---- common toolbar messages ---------------------------------------------------

LRESULT SECCustomToolBar::OnAddButtons(WPARAM wParam, LPARAM lParam) {
    const auto* records = reinterpret_cast<const TBBUTTON*>(lParam);
    const int count = records ? int(wParam) : 0;
    for (int i = 0; i < count; ++i) {
        const TBBUTTON& record = records[i];
        const int at = GetButtonCount();
        // Only the last one lays the bar out and repaints it.
        InsertButton(at, UINT(record.idCommand), record.idCommand == 0, i + 1 < count);
        SECStdBtn* button = GetButton(at);
        button->SetStyle(button->GetStyle() | UINT(record.fsState) << 16 | record.fsStyle);
    }
    return TRUE;
}

LRESULT SECCustomToolBar::OnDeleteButton(WPARAM wParam, LPARAM) {
    RemoveButton(int(wParam));
    return TRUE;
}
