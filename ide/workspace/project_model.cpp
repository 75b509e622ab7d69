// The project tree's operations: banks, files, libraries and the queries the
// build and the debugger ask.
#include <algorithm>

#include "ide/workspace/bank_param.h"
#include "ide/workspace/code_table.h"
#include "ide/workspace/text_utils.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/os/file.h"
#include "platform/os/module.h"
#include "platform/os/text.h"
#include "platform/profile/store.h"

namespace ide {

const FolderCategory& CategoryOfPath(std::string_view path) {
    const std::string extension = ExtensionOf(path);
    for (const FolderCategory& category : kCategories) {
        if (!category.extension.empty() && os::equals_ignore_case(extension, category.extension)) return category;
    }
    return kCategories[std::size(kCategories) - 1];
}

int FindBankKeyClash(const std::vector<BankRecord>& table, std::size_t current, std::uint32_t key) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i != current && table[i].key == key) return static_cast<int>(i);
    }
    return -1;
}

TreeItem CVyrWorkspaceManager::ProjectItem() const {
    for (TreeItem item = tree_.GetRootItem(); item != 0; item = tree_.GetNextSiblingItem(item)) {
        if (KindOf(tree_.GetItemData(item)) == ItemKind::project) return item;
    }
    return 0;
}

TreeItem CVyrWorkspaceManager::LibraryGroup() const {
    for (TreeItem item = tree_.GetChildItem(ProjectItem()); item != 0; item = tree_.GetNextSiblingItem(item)) {
        if (tree_.GetItemText(item) == kLibraryGroupText) return item;
    }
    return 0;
}

std::vector<TreeItem> CVyrWorkspaceManager::BankItems() const {
    std::vector<TreeItem> banks;
    for (TreeItem item = tree_.GetChildItem(ProjectItem()); item != 0; item = tree_.GetNextSiblingItem(item)) {
        if (KindOf(tree_.GetItemData(item)) == ItemKind::bank) banks.push_back(item);
    }
    return banks;
}

std::vector<TreeItem> CVyrWorkspaceManager::CategoryItems(TreeItem bank) const {
    std::vector<TreeItem> found(std::size(kCategories), 0);
    for (TreeItem item = tree_.GetChildItem(bank); item != 0; item = tree_.GetNextSiblingItem(item)) {
        for (std::size_t i = 0; i < std::size(kCategories); ++i) {
            if (found[i] == 0 && tree_.GetItemText(item) == kCategories[i].text) found[i] = item;
        }
    }
    return found;
}

TreeItem CVyrWorkspaceManager::InsertBank(std::string_view name) {
    const TreeItem bank = tree_.InsertItem(name, 0, 0, ProjectItem(), kTreeLast);
    if (bank == 0) return 0;
    for (const FolderCategory& category : kCategories) {
        const TreeItem folder = tree_.InsertItem(category.text, 0, 0, bank, kTreeLast);
        if (folder == 0) return 0;
        tree_.SetItemData(folder, MakeItemData(ItemKind::category, category.bit));
    }
    return bank;
}

// The bank item gets its key, and its record (made on the first call) the
// parameter string.
void CVyrWorkspaceManager::SetBankParam(TreeItem bank, std::string_view param) {
    const std::uint32_t key = BankParamNumbers(param).key();
    tree_.SetItemData(bank, MakeItemData(ItemKind::bank, key));
    const auto record = std::find_if(banks_.begin(), banks_.end(), [&](const BankRecord& r) { return r.item == bank; });
    if (record == banks_.end()) {
        banks_.push_back({key, tree_.GetItemText(bank), std::string(param), bank});
    } else {
        record->key = key;
        record->param = param;
    }
}

// The group is the project's first child wherever a file or a command asks
// for it.
TreeItem CVyrWorkspaceManager::InsertLibraryGroup() {
    const TreeItem group = tree_.InsertItem(kLibraryGroupText, 0, 0, ProjectItem(), kTreeFirst);
    tree_.SetItemData(group, MakeItemData(ItemKind::library_group, 0));
    return group;
}

TreeItem CVyrWorkspaceManager::InsertLibrary(std::string_view path, std::uint32_t origin) {
    TreeItem group = LibraryGroup();
    if (group == 0) group = InsertLibraryGroup();
    const TreeItem item = tree_.InsertItem(FileNameOf(path), kLibraryImage, kLibraryImage + 1, group, kTreeLast);
    if (item == 0) return 0;
    tree_.SetItemData(item, MakeItemData(ItemKind::library, origin));
    libraries_.push_back({item, origin == kPathLibrary ? std::string(path) : std::string()});
    return item;
}

TreeItem CVyrWorkspaceManager::InsertSource(TreeItem bank, std::string_view name) {
    const FolderCategory& category = CategoryOfPath(name);
    const std::vector<TreeItem> folders = CategoryItems(bank);
    const auto index = static_cast<std::size_t>(&category - kCategories);
    if (folders[index] == 0) return 0;
    const TreeItem item = tree_.InsertItem(name, category.image, category.image + 1, folders[index], kTreeLast);
    tree_.SetItemData(item, MakeItemData(ItemKind::source, category.bit));
    return item;
}

bool CVyrWorkspaceManager::AddDefaultLibraries() {
    if (InsertLibraryGroup() == 0) return false;
    std::vector<std::string> names;
    SplitString(profile_.GetProfileString("Environment", "Default Libraries"), names, ';');
    InsertStandardLibraries(names);
    return true;
}

bool CVyrWorkspaceManager::AddBank(std::string_view bank_name, std::string_view bank_param) {
    if (bank_table_locked_) return Fail(kErrorBanksLocked, "Bank data has been locked, Operation failed!");
    const std::uint32_t key = BankParamNumbers(bank_param).key();
    for (const BankRecord& bank : banks_) {
        if (bank.name == bank_name) {
            return Fail(kErrorBankNameUsed,
                        FormatText("The bank(%s) has already exist in the project!", std::string(bank_name).c_str()));
        }
        if (bank.key == key) {
            return Fail(kErrorBankKeyUsed, FormatText("The bank number (0x%X) with codebase (0x%X) has been used!",
                                                      BankNumberOfKey(key), CodeBaseOfKey(key)));
        }
    }
    if (ProjectItem() == 0) return Fail(kErrorTreeView, "Error accurred during creating treeview!");
    const TreeItem bank = InsertBank(bank_name);
    if (bank == 0) return Fail(kErrorTreeView, "Error accurred during creating treeview!");
    SetBankParam(bank, bank_param);
    tree_.ExpandAll(bank);
    tree_.SetFocus();
    return true;
}

int CVyrWorkspaceManager::FindFileInProject(std::string_view path) const {
    const std::string name = FileNameOf(path);
    for (TreeItem item = tree_.GetChildItem(LibraryGroup()); item != 0; item = tree_.GetNextSiblingItem(item)) {
        if (os::equals_ignore_case(tree_.GetItemText(item), name)) return 1;
    }
    const std::string extension = ExtensionOf(path);
    std::string clash;
    if (os::equals_ignore_case(extension, ".C")) clash = ReplaceExtension(path, ".ASM");
    if (os::equals_ignore_case(extension, ".ASM")) clash = ReplaceExtension(path, ".C");
    for (TreeItem bank : BankItems()) {
        for (TreeItem folder : CategoryItems(bank)) {
            for (TreeItem item = tree_.GetChildItem(folder); item != 0; item = tree_.GetNextSiblingItem(item)) {
                const std::string item_path = project_folder_ + tree_.GetItemText(item);
                if (SamePath(item_path, path)) return 1;
                if (!clash.empty() && SamePath(item_path, clash)) return 2;
            }
        }
    }
    return 0;
}

bool CVyrWorkspaceManager::AddFile(std::string_view path, std::string_view bank_name) {
    const int found = FindFileInProject(path);
    if (found == 1) return true;
    if (found == 2) {
        return Fail(kErrorObjectClash,
                    FormatText("Obj file of this file(%s) will duplicate!", std::string(path).c_str()));
    }
    if (os::equals_ignore_case(ExtensionOf(path), ".LIB")) return AddLibrary(path);

    const std::vector<TreeItem> banks = BankItems();
    TreeItem bank = 0;
    if (!bank_name.empty()) {
        for (TreeItem item : banks) {
            if (tree_.GetItemText(item) == bank_name) bank = item;
        }
    }
    for (TreeItem item = tree_.GetSelectedItem(); bank == 0 && item != 0; item = tree_.GetParentItem(item)) {
        if (KindOf(tree_.GetItemData(item)) == ItemKind::bank) bank = item;
    }
    if (bank == 0) {
        std::vector<std::string> names;
        for (TreeItem item : banks) names.push_back(tree_.GetItemText(item));
        const auto chosen = host_.SelectBank(names);
        if (!chosen) return true;
        for (TreeItem item : banks) {
            if (bank == 0 && tree_.GetItemText(item) == *chosen) bank = item;
        }
    }
    if (bank == 0 || InsertSource(bank, FileNameOf(path)) == 0) {
        return Fail(kErrorTreeView, "Error accurred during creating treeview!");
    }
    tree_.ExpandAll(bank);
    tree_.SetFocus();
    return true;
}

bool CVyrWorkspaceManager::AddLibrary(std::string_view path) {
    if (InsertLibrary(path, kPathLibrary) == 0) return Fail(kErrorTreeView, "Error accurred during creating treeview!");
    tree_.ExpandAll(LibraryGroup());
    tree_.SetFocus();
    return true;
}

void CVyrWorkspaceManager::InsertStandardLibraries(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (FindFileInProject(name) == 0) InsertLibrary(name, kDefaultLibrary);
    }
    tree_.ExpandAll(LibraryGroup());
}

bool CVyrWorkspaceManager::DeleteSelectedItem() {
    const TreeItem item = tree_.GetSelectedItem();
    const ItemKind kind = KindOf(tree_.GetItemData(item));
    const TreeItem parent = tree_.GetParentItem(item);
    switch (kind) {
        case ItemKind::project: host_.ShowMessage("You can't delete project!"); return true;
        case ItemKind::category:
        case ItemKind::library_group: host_.ShowMessage("You can't delete file group!"); return true;
        case ItemKind::bank:
            if (BankItems().size() <= 1) {
                host_.ShowMessage("Project must have one bank at least!");
                return true;
            }
            if (!host_.AskYesNo("Delete bank from this project?(Yes/No)")) return true;
            std::erase_if(banks_, [&](const BankRecord& bank) { return bank.item == item; });
            break;
        case ItemKind::source:
        case ItemKind::library:
            if (!host_.AskYesNo("Delete this file from this project?(Yes/No)")) return true;
            std::erase_if(libraries_, [&](const LibraryRecord& library) { return library.item == item; });
            break;
        default: return true;
    }
    tree_.DeleteItem(item);
    if (KindOf(tree_.GetItemData(parent)) == ItemKind::category && tree_.GetChildItem(parent) == 0) {
        tree_.SetItemImage(parent, 0, 0);
    }
    tree_.SetFocus();
    return true;
}

void CVyrWorkspaceManager::CheckLibraries() {
    const std::string folders = profile_.GetProfileString("Environment\\Directories", "Library files");
    std::string missing;
    for (const LibraryRecord& library : libraries_) {
        if (!library.path.empty()) {
            if (!os::file_exists(library.path)) missing += library.path + ";";
        } else {
            const std::string name = tree_.GetItemText(library.item);
            if (FindFileInFolders(folders, name).empty()) missing += name + ";";
        }
    }
    if (!missing.empty())
        host_.ShowMessage(FormatText("Warning! Following libraries not found!\n(%s)", missing.c_str()));
}

std::string CVyrWorkspaceManager::GetFilePath(TreeItem item) const {
    const std::string text = tree_.GetItemText(item);
    return ExtensionOf(text).empty() ? std::string() : project_folder_ + text;
}

void CVyrWorkspaceManager::GetBankNames(std::vector<std::string>& names, std::vector<std::uint32_t>& keys) const {
    for (TreeItem bank : BankItems()) {
        names.push_back(tree_.GetItemText(bank));
        keys.push_back(ValueOf(tree_.GetItemData(bank)));
    }
}

std::vector<std::string> CVyrWorkspaceManager::GetFilesOfCategories(std::uint32_t mask) const {
    std::vector<std::string> files;
    for (TreeItem bank : BankItems()) {
        for (TreeItem folder : CategoryItems(bank)) {
            if ((ValueOf(tree_.GetItemData(folder)) & mask) == 0) continue;
            for (TreeItem item = tree_.GetChildItem(folder); item != 0; item = tree_.GetNextSiblingItem(item)) {
                files.push_back(tree_.GetItemText(item));
            }
        }
    }
    return files;
}

TreeItem CVyrWorkspaceManager::FindSourceItem(std::string_view path) const {
    for (TreeItem bank : BankItems()) {
        for (TreeItem folder : CategoryItems(bank)) {
            if ((ValueOf(tree_.GetItemData(folder)) & kSourceCategories) == 0) continue;
            for (TreeItem item = tree_.GetChildItem(folder); item != 0; item = tree_.GetNextSiblingItem(item)) {
                if (SamePath(project_folder_ + tree_.GetItemText(item), path)) return item;
            }
        }
    }
    return 0;
}

bool CVyrWorkspaceManager::FindBankOfSource(std::string_view path, BankRecord& record) const {
    const TreeItem item = FindSourceItem(path);
    if (item == 0) return false;
    const TreeItem bank = tree_.GetParentItem(tree_.GetParentItem(item));
    const auto it = std::find_if(banks_.begin(), banks_.end(),
                                 [&](const BankRecord& bank_record) { return bank_record.item == bank; });
    if (it == banks_.end()) return false;
    record = *it;
    return true;
}

bool CVyrWorkspaceManager::IsSourceInProject(std::string_view path) const {
    BankRecord record;
    return FindBankOfSource(path, record);
}

std::vector<BankRecord>* CVyrWorkspaceManager::GetBankTable() {
    bank_table_ = banks_;
    bank_table_locked_ = true;
    return &bank_table_;
}

void CVyrWorkspaceManager::CommitBankTable() {
    for (std::size_t i = 0; i < banks_.size() && i < bank_table_.size(); ++i) {
        const std::uint32_t key = bank_table_[i].key;
        if (key != banks_[i].key) {
            tree_.SetItemData(banks_[i].item, MakeItemData(ItemKind::bank, key));
            rebuild_needed_ = true;
        }
        if (bank_table_[i].param != banks_[i].param) rebuild_needed_ = true;
        banks_[i].key = key;
        banks_[i].param = bank_table_[i].param;
    }
}

void CVyrWorkspaceManager::FreeBankTable() {
    bank_table_.clear();
    bank_table_locked_ = false;
}

std::uint32_t CVyrWorkspaceManager::GetSelectedLibrary(LibraryRecord& record) const {
    const TreeItem item = tree_.GetSelectedItem();
    for (const LibraryRecord& library : libraries_) {
        if (library.item == item && item != 0) {
            record = library;
            return tree_.GetItemData(item);
        }
    }
    return 0;
}

void CVyrWorkspaceManager::SetSelectedLibraryPath(const LibraryRecord& record) {
    const TreeItem item = tree_.GetSelectedItem();
    for (LibraryRecord& library : libraries_) {
        if (library.item == item && item != 0) library.path = record.path;
    }
}

std::string CVyrWorkspaceManager::GetAdditionalLibraries(char separator) const {
    std::vector<std::string> entries;
    for (const LibraryRecord& library : libraries_) {
        entries.push_back(library.path.empty() ? tree_.GetItemText(library.item) : library.path);
    }
    return JoinStrings(entries, separator);
}

std::string CVyrWorkspaceManager::GetBig5DisplayName() {
    const std::string folders = profile_.GetProfileString("Environment\\Directories", "Executable files");
    std::string path = FindFileInFolders(folders, "hc.tab");
    if (path.empty()) path = (os::module_directory() / "hc.tab").string();
    CodeTable table;
    std::string log;
    if (table.Load(path, log) < 0) {
        host_.ShowMessage(FormatText("Can't find %s , Display Name can not change to Big5 !", path.c_str()));
        return {};
    }
    return ConvertToBig5(table, display_name_);
}

}  // namespace ide
