#include "ide/shell/dialogs/project_pages.h"

#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/project_sheet.h"
#include "ide/shell/dialogs/new_item_rules.h"

namespace ide {

using namespace dlg;

namespace {

constexpr const char* kFileTypes[] = {"(.c)c source files", "(.h)c header files", "(.asm)asm source files",
                                      "(.inc)asm header files", "(.txt)text files"};

std::string ListText(HWND list, UINT get_length, UINT get_text, LRESULT index) {
    if (index < 0) return {};
    const LRESULT length = ::SendMessage(list, get_length, WPARAM(index), 0);
    if (length <= 0) return {};
    std::string text(std::size_t(length) + 1, '\0');
    ::SendMessage(list, get_text, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(length));
    return text;
}

}  // namespace

std::string ControlText(HWND dialog, int id) {
    char text[512] = "";
    ::GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

bool ProjectPageBase::CheckDisplayName() {
    const std::string name = ControlText(m_hWnd, kDisplayName);
    if (DisplayNameFits(name)) return !name.empty();
    AfxMessageBox("Display Name must be less than 16 charactcr !");
    return false;
}

// ---- file page

BEGIN_MESSAGE_MAP(CVYRFilePage, ProjectPageBase)
ON_CONTROL(EN_CHANGE, kFileName, OnTextChange)
ON_CONTROL(EN_CHANGE, kFileLocation, OnTextChange)
ON_CONTROL(BN_CLICKED, kAddToBank, OnAddToBank)
END_MESSAGE_MAP()

CVYRFilePage::CVYRFilePage(std::vector<std::string> banks, std::string location, int* kind)
    : ProjectPageBase(kNewFilePage), banks_(std::move(banks)), preset_location_(std::move(location)), kind_(kind) {}

BOOL CVYRFilePage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    HWND types = ::GetDlgItem(m_hWnd, kFileType);
    for (const char* entry : kFileTypes) ::SendMessage(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    ::SendMessage(types, CB_SETCURSEL, 0, 0);
    ::SetDlgItemText(m_hWnd, kFileLocation, preset_location_.c_str());
    location_edit_.Initialize(kFileLocation, this);
    const bool has_banks = !banks_.empty();
    HWND list = ::GetDlgItem(m_hWnd, kFileBankList);
    for (const std::string& bank : banks_) ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(bank.c_str()));
    if (has_banks) ::SendMessage(list, LB_SETCURSEL, 0, 0);
    ::CheckDlgButton(m_hWnd, kAddToBank, has_banks ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(::GetDlgItem(m_hWnd, kAddToBank), has_banks);
    ::EnableWindow(list, has_banks);
    ::EnableWindow(::GetDlgItem(m_hWnd, kFileLocation), !has_banks);
    Validate();
    return TRUE;
}

void CVYRFilePage::Validate() {
    EnableOk(!ControlText(m_hWnd, kFileName).empty() && !ControlText(m_hWnd, kFileLocation).empty());
}

void CVYRFilePage::OnTextChange() { Validate(); }

void CVYRFilePage::OnAddToBank() {
    const bool into_bank = ::IsDlgButtonChecked(m_hWnd, kAddToBank) == BST_CHECKED;
    ::EnableWindow(::GetDlgItem(m_hWnd, kFileBankList), into_bank);
    ::EnableWindow(::GetDlgItem(m_hWnd, kFileLocation), !into_bank);
    ::SetDlgItemText(m_hWnd, kFileLocation, preset_location_.c_str());
}

BOOL CVYRFilePage::OnSetActive() {
    if (kind_) *kind_ = kNewFile;
    Validate();
    return TRUE;
}

BOOL CVYRFilePage::OnKillActive() {
    HWND types = ::GetDlgItem(m_hWnd, kFileType);
    type = FileTypeOfChoice(ListText(types, CB_GETLBTEXTLEN, CB_GETLBTEXT, ::SendMessage(types, CB_GETCURSEL, 0, 0)));
    name = FileNameWithoutType(ControlText(m_hWnd, kFileName));
    location = ControlText(m_hWnd, kFileLocation);
    HWND list = ::GetDlgItem(m_hWnd, kFileBankList);
    bank = ::IsDlgButtonChecked(m_hWnd, kAddToBank) == BST_CHECKED
               ? ListText(list, LB_GETTEXTLEN, LB_GETTEXT, ::SendMessage(list, LB_GETCURSEL, 0, 0))
               : std::string();
    return TRUE;
}

// ---- project page

BEGIN_MESSAGE_MAP(CVYRProjectPage, ProjectPageBase)
ON_CONTROL(EN_CHANGE, kProjectName, OnNameChange)
ON_CONTROL(EN_CHANGE, kProjectLocation, OnLocationChange)
ON_CONTROL(EN_CHANGE, kDisplayName, OnDisplayNameChange)
ON_CONTROL(BN_CLICKED, kProjectLinkAuto, OnLinkAuto)
ON_CONTROL(BN_CLICKED, kProjectLinkCustom, OnLinkCustom)
END_MESSAGE_MAP()

CVYRProjectPage::CVYRProjectPage(bool& auto_link, std::string preset, int* kind)
    : ProjectPageBase(kNewProjectPage),
      location(std::move(preset)),
      base_folder(WithSeparator(location)),
      auto_link_(auto_link),
      kind_(kind) {}

BOOL CVYRProjectPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    ::SetDlgItemText(m_hWnd, kProjectLocation, location.c_str());
    location_edit_.Initialize(kProjectLocation, this);
    ::SendDlgItemMessage(m_hWnd, kDisplayName, EM_LIMITTEXT, kDisplayNameLimit, 0);
    ::CheckRadioButton(m_hWnd, kModeBin, kModeLib, kModeBin);
    ::CheckRadioButton(m_hWnd, kProjectLinkAuto, kProjectLinkCustom, kProjectLinkAuto);
    auto_link_ = true;
    ready_ = true;
    EnableOk(Complete());
    return TRUE;
}

bool CVYRProjectPage::Complete() const {
    const std::string display = ControlText(m_hWnd, kDisplayName);
    return !ControlText(m_hWnd, kProjectName).empty() && !display.empty() && DisplayNameFits(display) &&
           !ControlText(m_hWnd, kProjectLocation).empty();
}

void CVYRProjectPage::OnNameChange() {
    if (!ready_) return;
    ::SetDlgItemText(m_hWnd, kProjectLocation, (base_folder + ControlText(m_hWnd, kProjectName)).c_str());
    EnableOk(Complete());
}

void CVYRProjectPage::OnLocationChange() {
    if (!ready_) return;
    base_folder = BaseFolderOf(ControlText(m_hWnd, kProjectLocation));
    EnableOk(Complete());
}

void CVYRProjectPage::OnDisplayNameChange() {
    if (!ready_) return;
    EnableOk(CheckDisplayName() && Complete());
}

BOOL CVYRProjectPage::OnSetActive() {
    if (kind_) *kind_ = kNewProject;
    EnableOk(Complete());
    return TRUE;
}

BOOL CVYRProjectPage::OnKillActive() {
    name = ControlText(m_hWnd, kProjectName);
    display_name = ControlText(m_hWnd, kDisplayName);
    location = ControlText(m_hWnd, kProjectLocation);
    library = ::IsDlgButtonChecked(m_hWnd, kModeLib) == BST_CHECKED;
    return TRUE;
}

bool CVYRProjectPage::IsComplete() const { return m_hWnd && Complete(); }

// ---- general settings page

BEGIN_MESSAGE_MAP(CVyrGeneralSettingPage, ProjectPageBase)
ON_CONTROL(BN_CLICKED, kModeBin, OnBin)
ON_CONTROL(BN_CLICKED, kModeLib, OnLib)
ON_CONTROL(BN_CLICKED, kSettingLinkAuto, OnLinkAuto)
ON_CONTROL(BN_CLICKED, kSettingLinkCustom, OnLinkCustom)
ON_CONTROL(EN_CHANGE, kDisplayName, OnDisplayNameChange)
END_MESSAGE_MAP()

CVyrGeneralSettingPage::CVyrGeneralSettingPage(bool& auto_link, std::string output_path, int code_mode,
                                               std::string name)
    : ProjectPageBase(kGeneralSettingPage),
      output(std::move(output_path)),
      display_name(std::move(name)),
      auto_link_(auto_link),
      code_mode_(code_mode) {}

BOOL CVyrGeneralSettingPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    ::SetDlgItemText(m_hWnd, kOutputPath, output.c_str());
    ::SendDlgItemMessage(m_hWnd, kDisplayName, EM_LIMITTEXT, kDisplayNameLimit, 0);
    ::SetDlgItemText(m_hWnd, kDisplayName, display_name.c_str());
    if (code_mode_ == 0 || code_mode_ == 1)
        ::CheckRadioButton(m_hWnd, kModeBin, kModeLib, code_mode_ ? kModeLib : kModeBin);
    ::CheckRadioButton(m_hWnd, kSettingLinkAuto, kSettingLinkCustom,
                       auto_link_ ? kSettingLinkAuto : kSettingLinkCustom);
    ready_ = true;
    return TRUE;
}

void CVyrGeneralSettingPage::SetMode(bool library) {
    ::SetDlgItemText(m_hWnd, kOutputPath, OutputPathForMode(ControlText(m_hWnd, kOutputPath), library).c_str());
    SetModified(TRUE);
}

void CVyrGeneralSettingPage::OnDisplayNameChange() {
    if (ready_) EnableOk(CheckDisplayName());
}

BOOL CVyrGeneralSettingPage::OnKillActive() {
    output = ControlText(m_hWnd, kOutputPath);
    display_name = ControlText(m_hWnd, kDisplayName);
    return TRUE;
}

}  // namespace ide
