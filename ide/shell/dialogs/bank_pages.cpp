#include "ide/shell/dialogs/bank_pages.h"

#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/project_sheet.h"

namespace ide {

using namespace dlg;

namespace {

// The fields the user types; the others are derived from them.
constexpr int kTypedFields[] = {kDataAddress, kDataSize, kStackSize};
constexpr int kAddressFields[] = {kDataAddress, kDataSize, kStackAddress, kStackSize, kCodeAddress, kCodeSize};

}  // namespace

// ---- shared

BEGIN_MESSAGE_MAP(BankPageBase, CPropertyPage)
ON_CONTROL(EN_CHANGE, kBankNumber, OnFieldChange)
ON_CONTROL(EN_CHANGE, kDataAddress, OnFieldChange)
ON_CONTROL(EN_CHANGE, kDataSize, OnFieldChange)
ON_CONTROL(EN_CHANGE, kStackSize, OnFieldChange)
ON_CONTROL(BN_CLICKED, kHexDisplay, OnHexToggle)
END_MESSAGE_MAP()

BankPageBase::BankPageBase(UINT template_id, int param_id, const bool& auto_link)
    : CPropertyPage(template_id), auto_link_(auto_link), param_id_(param_id) {}

std::string BankPageBase::FieldText(int id) const {
    char text[128] = "";
    ::GetDlgItemText(m_hWnd, id, text, sizeof text);
    return text;
}

void BankPageBase::SetField(int id, const std::string& text) {
    if (FieldText(id) != text) ::SetDlgItemText(m_hWnd, id, text.c_str());
}

BankFieldCheck BankPageBase::ReadFields() const {
    BankFieldTexts texts{NameText(), FieldText(kBankNumber), FieldText(kDataAddress), FieldText(kDataSize),
                         FieldText(kStackSize)};
    return CheckBankFields(texts, auto_link_);
}

void BankPageBase::Refresh() {
    hex_ = ::IsDlgButtonChecked(m_hWnd, kHexDisplay) == BST_CHECKED;
    const BankFieldCheck check = ReadFields();
    name_ = NameText();
    valid_ = check.ok();
    if (valid_) {
        layout_ = check.layout;
        param_ = ComposeBankParam(layout_, hex_, auto_link_);
    }
    // The derived fields follow the typed ones; a layout that does not fit shows none.
    const bool shown = valid_ && !auto_link_;
    SetField(kStackAddress, shown ? FormatBankField(layout_.stack_address(), hex_) : std::string());
    SetField(kCodeAddress, shown ? FormatBankField(layout_.code_address(), hex_) : std::string());
    SetField(kCodeSize, shown ? FormatBankField(layout_.code_size(), hex_) : std::string());
    SetField(param_id_, valid_ ? param_ : std::string());
    EnableOk(valid_ && ExtraValid());
}

void BankPageBase::ShowLinkMode(bool include_param) {
    if (auto_link_)
        for (int id : kTypedFields) SetField(id, "0");
    for (int id : kAddressFields) ::EnableWindow(::GetDlgItem(m_hWnd, id), !auto_link_);
    if (include_param) ::EnableWindow(::GetDlgItem(m_hWnd, param_id_), !auto_link_);
}

void BankPageBase::OnFieldChange() {
    if (ready_) Refresh();
}

void BankPageBase::OnHexToggle() {
    if (ready_) Refresh();
}

// ---- the new bank page

BEGIN_MESSAGE_MAP(CVYRBankPage, BankPageBase)
ON_CONTROL(EN_CHANGE, kBankNameEdit, OnNameChange)
END_MESSAGE_MAP()

CVYRBankPage::CVYRBankPage(const bool& auto_link, int* kind)
    : BankPageBase(kNewBankPage, kNewBankParam, auto_link), kind_(kind) {}

std::string CVYRBankPage::NameText() const { return FieldText(kBankNameEdit); }

BOOL CVYRBankPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    ::SendDlgItemMessage(m_hWnd, kBankNumberSpin, UDM_SETRANGE32, 0, LPARAM(kMaxBankNumber));
    ::SendDlgItemMessage(m_hWnd, kBankNameEdit, EM_LIMITTEXT, kBankNameSize - 1, 0);
    SetField(kBankNumber, "0");
    ShowLinkMode(false);
    ::CheckDlgButton(m_hWnd, kHexDisplay, BST_CHECKED);
    ready_ = true;
    return TRUE;
}

BOOL CVYRBankPage::OnSetActive() {
    if (kind_) *kind_ = 2;
    ShowLinkMode(false);
    Refresh();
    return TRUE;
}

BOOL CVYRBankPage::OnKillActive() {
    Refresh();
    return TRUE;
}

// ---- the bank settings page

BEGIN_MESSAGE_MAP(CVyrBankSettingPage, BankPageBase)
ON_CONTROL(CBN_SELCHANGE, kBankNameCombo, OnBankChosen)
ON_CONTROL(EN_KILLFOCUS, kDataAddress, OnDataAddressDone)
END_MESSAGE_MAP()

CVyrBankSettingPage::CVyrBankSettingPage(std::vector<BankRecord>& table, const bool& auto_link)
    : BankPageBase(kBankSettingPage, kSettingBankParam, auto_link), table_(table) {}

std::string CVyrBankSettingPage::NameText() const {
    return current_ < int(table_.size()) ? table_[std::size_t(current_)].name : std::string();
}

BOOL CVyrBankSettingPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    ::SendDlgItemMessage(m_hWnd, kBankNumberSpin, UDM_SETRANGE32, 0, LPARAM(kMaxBankNumber));
    ::CheckDlgButton(m_hWnd, kHexDisplay, BST_CHECKED);
    for (const BankRecord& record : table_)
        ::SendDlgItemMessage(m_hWnd, kBankNameCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.name.c_str()));
    Load(0);
    ready_ = true;
    Refresh();
    return TRUE;
}

void CVyrBankSettingPage::Load(int index) {
    current_ = index;
    ::SendDlgItemMessage(m_hWnd, kBankNameCombo, CB_SETCURSEL, WPARAM(index), 0);
    if (index < 0 || index >= int(table_.size())) return;
    const BankLayout stored = LayoutOfBankParam(table_[std::size_t(index)].param);
    const bool was_ready = ready_;
    ready_ = false;
    const bool hex = ::IsDlgButtonChecked(m_hWnd, kHexDisplay) == BST_CHECKED;
    SetField(kBankNumber, FormatBankField(stored.number, false));
    SetField(kDataAddress, FormatBankField(stored.data_address, hex));
    SetField(kDataSize, FormatBankField(stored.data_size, hex));
    SetField(kStackSize, FormatBankField(stored.stack_size, hex));
    ready_ = was_ready;
}

bool CVyrBankSettingPage::Clashes() const {
    if (!valid_) return false;
    const std::uint32_t key = BankKey(layout_.number, ComposedCodeBase());
    for (std::size_t i = 0; i < table_.size(); ++i)
        if (int(i) != current_ && table_[i].key == key) return true;
    return false;
}

bool CVyrBankSettingPage::ExtraValid() const { return !Clashes(); }

std::uint32_t CVyrBankSettingPage::ComposedCodeBase() const { return BankParamNumbers(param_).code_base; }

bool CVyrBankSettingPage::StoreCurrent() {
    if (!valid_ || Clashes() || current_ < 0 || current_ >= int(table_.size())) return false;
    BankRecord& record = table_[std::size_t(current_)];
    record.param = param_;
    record.key = BankKey(layout_.number, ComposedCodeBase());
    return true;
}

void CVyrBankSettingPage::OnBankChosen() {
    if (!ready_) return;
    const int chosen = int(::SendDlgItemMessage(m_hWnd, kBankNameCombo, CB_GETCURSEL, 0, 0));
    if (chosen == current_) return;
    Refresh();
    if (Clashes()) {
        const CString text =
            AfxFormat("The bank number (0x%X) with codebase (0x%X) has been used!", layout_.number, ComposedCodeBase());
        Load(current_);
        Refresh();
        AfxMessageBox(text);
        return;
    }
    // A layout that does not fit keeps its bank on show until it is mended.
    if (chosen < 0 || !StoreCurrent()) {
        ::SendDlgItemMessage(m_hWnd, kBankNameCombo, CB_SETCURSEL, WPARAM(current_), 0);
        return;
    }
    Load(chosen);
    Refresh();
}

void CVyrBankSettingPage::OnDataAddressDone() {
    if (!ready_) return;
    SetField(kDataAddress, CorrectedDataAddress(FieldText(kDataAddress), hex_));
}

BOOL CVyrBankSettingPage::OnSetActive() {
    ShowLinkMode(true);
    Refresh();
    return TRUE;
}

BOOL CVyrBankSettingPage::OnKillActive() {
    Refresh();
    return TRUE;
}

}  // namespace ide
