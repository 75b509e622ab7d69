// The workspace file (".WSP") and the project file (".PRJ"): CR LF text
// written through a temporary file and read back into the project tree.
#include <array>
#include <optional>

#include "ide/workspace/bank_param.h"
#include "formats/file_sizes.h"
#include "ide/workspace/text_utils.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/os/file.h"
#include "platform/os/text.h"

namespace ide {

namespace {

constexpr std::string_view kWorkspaceHeader = "/*   Vyr workspace file 1.0   */";
constexpr std::string_view kProjectHeader = "/*   Vyr project file 1.0   */";

// "#KEY = value": the key before the first '=' (the whole line without one)
// and the value after it, both trimmed.
std::pair<std::string, std::string> KeyAndValue(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {Trim(line), {}};
    return {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

bool FailTemporaryFile(CVyrWorkspaceManager& manager, const std::string& path) {
    return manager.Fail(kErrorTemporaryFile, FormatText("Create temporal file(%s) failure!", path.c_str()));
}

// Writes the text with CR LF line ends through a temporary file beside
// `path`, so a failure leaves the old file as it was. The messages name the
// files the save really used.
bool WriteTextFile(CVyrWorkspaceManager& manager, const std::string& path, std::string_view text) {
    auto file = os::AtomicFile::create(path);
    if (!file || !file->write(os::to_crlf(text))) return FailTemporaryFile(manager, path);
    const std::string temporary = file->temporary().string();
    if (!file->commit()) {
        return manager.Fail(kErrorCopyFile, FormatText("Can't copy file from %s to %s,\n Please check them!",
                                                       temporary.c_str(), path.c_str()));
    }
    return true;
}

}  // namespace

// A save writes the project file, its companions and then the workspace file:
// one that could not replace the workspace file is refused before it starts,
// so no save leaves half of its files new.
bool CVyrWorkspaceManager::CheckProjectOutputs() {
    const std::string base = project_folder_ + tree_.GetItemText(ProjectItem());
    for (const std::string& path : {base + ".PRJ", base + ".WSP"})
        if (!os::check_output(path)) return FailTemporaryFile(*this, path);
    return true;
}

bool CVyrWorkspaceManager::WriteProjectFile() {
    const TreeItem project = ProjectItem();
    const std::string name = tree_.GetItemText(project);
    if (name.empty()) return Fail(kErrorProjectEmpty, "Project is Empty!\n No operation can go along!");

    std::string text = std::string(kProjectHeader) + "\n#BEGINGENERALSETTING\n";
    text += std::string("#AUTOLINK = ") + (GetAutoLink() ? "TRUE" : "FALSE") + "\n";
    text += std::string("#CODEMODE = ") + (code_mode_ != 0 ? "LIB" : "BIN") + "\n";
    text += "#OUTPUTTO = " + output_name_ + "\n";
    text += "#ADDITIONALLIB = " + GetAdditionalLibraries(';') + "\n";
    text += "#ENDGENERALSETTING\n";
    for (TreeItem bank : BankItems()) {
        text += "\n#BEGINBANK\n#BANKNAME = " + tree_.GetItemText(bank) + "\n#BANKPARAM = ";
        for (const BankRecord& record : banks_) {
            if (record.item == bank) text += record.param;
        }
        text += "\n";
        for (TreeItem folder : CategoryItems(bank)) {
            for (TreeItem item = tree_.GetChildItem(folder); item != 0; item = tree_.GetNextSiblingItem(item)) {
                text += "#SOURCE = " + tree_.GetItemText(item) + "\n";
            }
        }
        text += "#ENDBANK\n";
    }
    text += "#DISPLAYNAME = " + display_name_;

    if (!WriteTextFile(*this, project_folder_ + name + ".PRJ", text)) return false;
    WriteVersionFile();
    return true;
}

bool CVyrWorkspaceManager::WriteWorkspaceFile() {
    const std::string name = tree_.GetItemText(ProjectItem());
    if (name.empty()) return Fail(kErrorProjectEmpty, "Project is Empty!\n No operation can go along!");

    std::string text = std::string(kWorkspaceHeader) + "\n#PROJECT=" + name + ".PRJ\n";
    // Further projects of the workspace file are kept as they were named.
    for (std::size_t i = 1; i < project_files_.size(); ++i) {
        std::string entry = project_files_[i];
        if (os::equals_ignore_case(entry.substr(0, project_folder_.size()), project_folder_)) {
            entry = entry.substr(project_folder_.size());
        }
        text += "#PROJECT=" + entry + "\n";
    }
    for (const std::string& document : host_.SaveAndListDocuments()) text += "#OPENEDFILE=" + document + "\n";

    return WriteTextFile(*this, project_folder_ + name + ".WSP", text);
}

bool CVyrWorkspaceManager::ReadWorkspaceFile(std::string_view path) {
    const auto text = os::read_text_file(path, formats::kLargestToolText);
    if (!text) return Fail(kErrorOpenFile, FormatText("Can't open file (%s)!", std::string(path).c_str()));
    const std::vector<std::string> lines = TextLines(*text);
    if (lines.empty() || !os::equals_ignore_case(lines[0], kWorkspaceHeader)) return true;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] != '#') continue;
        const auto [key, value] = KeyAndValue(lines[i]);
        if (os::equals_ignore_case(key, "#PROJECT")) project_files_.push_back(project_folder_ + value);
        if (os::equals_ignore_case(key, "#OPENEDFILE")) opened_documents_.push_back(value);
    }
    return true;
}

// Reads one project file into the tree, line by line.
class ProjectFileReader {
public:
    ProjectFileReader(CVyrWorkspaceManager& manager, std::string path) : m_(manager), path_(std::move(path)) {}

    bool Read(std::string_view text) {
        const std::vector<std::string> lines = TextLines(text);
        if (lines.empty() || !os::equals_ignore_case(lines[0], kProjectHeader)) return Refuse();
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (!ParseLine(lines[i])) return Refuse();
        }
        CloseBank();
        // Every project has its library group, even when the file named none.
        if (m_.LibraryGroup() == 0) m_.InsertLibraryGroup();
        return true;
    }

private:
    bool Refuse() {
        return m_.Fail(kErrorBadProjectFile,
                       FormatText("Unknown project file (%s) or file has demaged!", path_.c_str()));
    }

    // A bank whose file gave no parameters keeps its place with an empty string.
    void CloseBank() {
        if (bank_ != 0 && !bank_has_param_) m_.SetBankParam(bank_, {});
        bank_has_param_ = true;
    }

    static bool FieldsFit(std::string_view param) {
        const BankParamText text = ParseBankParam(param);
        for (const std::string* field :
             {&text.code_base, &text.data_base, &text.code_length, &text.data_length, &text.bank_number}) {
            if (StringToNumber(*field, 0xFFFFFFFF) > 0xFFFF) return false;
        }
        return IsValidBankNumber(StringToNumber(text.bank_number, 0xFFFFFFFF));
    }

    bool ReadLibraries(std::string_view value) {
        if (m_.LibraryGroup() == 0 && m_.InsertLibraryGroup() == 0) return false;
        std::vector<std::string> entries;
        SplitString(value, entries, ';');
        for (const std::string& entry : entries) {
            if (entry.size() >= kMaxPathSize) return false;
            if (m_.InsertLibrary(entry, IsAbsolutePath(entry) ? kPathLibrary : kDefaultLibrary) == 0) return false;
        }
        return true;
    }

    bool ParseLine(std::string_view line) {
        if (line.empty() || line[0] != '#') return true;
        const auto [key, value] = KeyAndValue(line);
        const std::string& line_key = key;
        const auto is = [&line_key](std::string_view name) { return os::equals_ignore_case(line_key, name); };
        if (is("#BEGINGENERALSETTING")) {
            if (in_general_) return false;
            in_general_ = true;
            return true;
        }
        if (is("#AUTOLINK") || is("#CODEMODE") || is("#OUTPUTTO") || is("#ADDITIONALLIB") || is("#ENDGENERALSETTING")) {
            if (!in_general_) return false;
            if (is("#AUTOLINK")) m_.SetAutoLink(os::equals_ignore_case(value, "TRUE"));
            if (is("#CODEMODE")) {
                m_.code_mode_ = os::equals_ignore_case(value, "BIN")   ? 0
                                : os::equals_ignore_case(value, "LIB") ? 1
                                                                       : -1;
            }
            if (is("#OUTPUTTO")) {
                if (value.size() >= kMaxPathSize) return false;
                m_.output_name_ = value;
            }
            if (is("#ADDITIONALLIB")) return ReadLibraries(value);
            if (is("#ENDGENERALSETTING")) in_general_ = false;
            return true;
        }
        if (is("#BEGINBANK")) {
            if (in_bank_) return false;
            in_bank_ = true;
            return true;
        }
        if (is("#ENDBANK")) {
            if (!in_bank_) return false;
            CloseBank();
            in_bank_ = false;
            return true;
        }
        if (is("#BANKNAME")) {
            if (!in_bank_ || value.size() >= kBankNameSize) return false;
            CloseBank();
            bank_ = m_.InsertBank(value);
            bank_has_param_ = false;
            return bank_ != 0;
        }
        if (is("#BANKPARAM")) {
            // A later line of the same bank replaces an earlier one.
            if (!in_bank_ || bank_ == 0) return false;
            // The stored string begins with a blank, which trimming took away.
            const std::string param = value.empty() ? value : " " + value;
            if (param.size() >= kBankParamSize || !FieldsFit(param)) return false;
            m_.SetBankParam(bank_, param);
            bank_has_param_ = true;
            return true;
        }
        if (is("#SOURCE")) {
            if (!in_bank_ || bank_ == 0 || value.size() >= kMaxPathSize) return false;
            return m_.InsertSource(bank_, value) != 0;
        }
        if (is("#DISPLAYNAME")) m_.display_name_ = value;
        return true;
    }

    CVyrWorkspaceManager& m_;
    std::string path_;
    bool in_general_ = false;
    bool in_bank_ = false;
    TreeItem bank_ = 0;
    bool bank_has_param_ = true;
};

bool CVyrWorkspaceManager::LoadProjects() {
    // Only the first project is loaded: every operation works on one project,
    // and the workspace file keeps naming the others.
    if (!project_files_.empty()) {
        const std::string& path = project_files_.front();
        const auto text = os::read_text_file(path, formats::kLargestToolText);
        if (!text) return Fail(kErrorOpenFile, FormatText("Can't open file (%s)!", path.c_str()));
        const TreeItem project = tree_.InsertItem(FileTitleOf(path), 0, 0, kTreeRoot, kTreeLast);
        if (project != 0) tree_.SetItemData(project, MakeItemData(ItemKind::project, 0));
        if (project != 0 && !ProjectFileReader(*this, path).Read(*text)) {
            ClearProject();
            return false;
        }
    }
    const TreeItem project = ProjectItem();
    if (project == 0) {
        ClearProject();
        return Fail(kErrorTreeView, "Error accurred during creating treeview!");
    }
    tree_.ExpandAll(project);
    ReadVersionFile();
    return true;
}

}  // namespace ide
