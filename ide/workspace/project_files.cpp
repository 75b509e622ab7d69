// The workspace file (".WSP") and the project file (".PRJ"): CR LF text
// written through a temporary file and read back into the project tree.
#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "ide/workspace/bank_param.h"
#include "formats/file_sizes.h"
#include "ide/workspace/text_utils.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/os/file.h"
#include "platform/os/keep_copy.h"
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

// A failed write names the user's file (the temporary one beside it is gone
// with the failure) and the system's reason on a line of its own.
bool FailTemporaryFile(CVyrWorkspaceManager& manager, const std::string& path, const os::Error& error) {
    return manager.Fail(kErrorTemporaryFile, FormatText("Create temporal file(%s) failure!\n%s", path.c_str(),
                                                        os::reason_text(error).c_str()));
}

// Writes the text with CR LF line ends through a temporary file beside
// `path`, so a failure leaves the old file as it was.
bool WriteTextFile(CVyrWorkspaceManager& manager, const std::string& path, std::string_view text) {
    auto file = os::AtomicFile::create(path);
    if (!file) return FailTemporaryFile(manager, path, file.error());
    os::Status written = file->write(os::to_crlf(text));
    if (written) written = file->commit();
    if (!written) return FailTemporaryFile(manager, path, written.error());
    return true;
}

// A line the readers cannot take as it is: a control byte (a NUL among them)
// within it would cut or split what it holds. Blanks around it are trimmed
// anyway.
bool HasControlByte(std::string_view line) {
    for (const char c : Trim(line))
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return true;
    return false;
}

// Lines of neither kind are ignored by the readers; one with anything in it
// was meant to say something.
bool IsBlank(std::string_view line) { return Trim(line).empty(); }

// The writer ends its last line, the display name, without a line end. A file
// in any other form that ends without one was cut within its last line.
void NoteCutLastLine(std::optional<ReadProblem>& problem, std::string_view text, std::string_view as_written) {
    if (text.empty() || text.back() == '\n' || os::to_crlf(as_written) == text) return;
    const std::vector<std::string> lines = TextLines(text);
    NoteProblem(problem, lines.size(), "the file ends within its last line", lines.back());
}

}  // namespace

// Writes a workspace or project file, unless it was loaded damaged or in a
// form of its own and the workspace has not changed since; the first write
// over a damaged file keeps it beside as "<file>.orig".
bool CVyrWorkspaceManager::WriteLoadedFile(LoadedFile& loaded, const std::string& path, std::string_view text) {
    if (loaded.Unchanged(path, text)) return true;
    if (loaded.KeepOriginalBefore(path)) {
        if (auto kept = os::keep_copy(path, ".orig", formats::kLargestToolText); !kept) {
            const std::string copy = path + ".orig";
            return Fail(kErrorCopyFile, FormatText("Can't copy file from %s to %s,\n Please check them!\n%s",
                                                   path.c_str(), copy.c_str(), os::reason_text(kept.error()).c_str()));
        }
    }
    if (!WriteTextFile(*this, path, text)) return false;
    loaded = {};
    return true;
}

// A save writes the project file, its companions and then the workspace file:
// one that could not replace the workspace file is refused before it starts,
// so no save leaves half of its files new.
bool CVyrWorkspaceManager::CheckProjectOutputs() {
    const std::string base = project_folder_ + tree_.GetItemText(ProjectItem());
    for (const std::string& path : {base + ".PRJ", base + ".WSP"})
        if (const os::Status writable = os::check_output(path); !writable)
            return FailTemporaryFile(*this, path, writable.error());
    return true;
}

std::string CVyrWorkspaceManager::ProjectFileText() const {
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
    return text;
}

bool CVyrWorkspaceManager::WriteProjectFile() {
    const std::string name = tree_.GetItemText(ProjectItem());
    if (name.empty()) return Fail(kErrorProjectEmpty, "Project is Empty!\n No operation can go along!");
    if (!WriteLoadedFile(project_file_, project_folder_ + name + ".PRJ", ProjectFileText())) return false;
    WriteVersionFile();
    return true;
}

std::string CVyrWorkspaceManager::WorkspaceFileText(std::string_view name,
                                                    const std::vector<std::string>& documents) const {
    std::string text = std::string(kWorkspaceHeader) + "\n#PROJECT=" + std::string(name) + ".PRJ\n";
    // Further projects of the workspace file are kept as they were named.
    for (std::size_t i = 1; i < project_files_.size(); ++i) {
        std::string entry = project_files_[i];
        if (os::equals_ignore_case(entry.substr(0, project_folder_.size()), project_folder_)) {
            entry = entry.substr(project_folder_.size());
        }
        text += "#PROJECT=" + entry + "\n";
    }
    for (const std::string& document : documents) text += "#OPENEDFILE=" + document + "\n";
    return text;
}

bool CVyrWorkspaceManager::WriteWorkspaceFile() {
    const std::string name = tree_.GetItemText(ProjectItem());
    if (name.empty()) return Fail(kErrorProjectEmpty, "Project is Empty!\n No operation can go along!");
    std::vector<std::string> documents = host_.SaveAndListDocuments();
    // A document that could not be opened (its drive may be away) keeps its
    // place in the list.
    for (const auto& [place, path] : unopened_documents_) {
        if (std::find(documents.begin(), documents.end(), path) != documents.end()) continue;
        documents.insert(documents.begin() + static_cast<std::ptrdiff_t>(std::min(place, documents.size())), path);
    }
    return WriteLoadedFile(workspace_file_, project_folder_ + name + ".WSP", WorkspaceFileText(name, documents));
}

bool CVyrWorkspaceManager::ReadWorkspaceFile(std::string_view path) {
    auto text = os::read_text_file(path, formats::kLargestToolText);
    if (!text) return Fail(kErrorOpenFile, FormatText("Can't open file (%s)!", std::string(path).c_str()));
    const std::vector<std::string> lines = TextLines(*text);
    if (lines.empty() || !os::equals_ignore_case(lines[0], kWorkspaceHeader)) return true;
    std::optional<ReadProblem> problem;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (HasControlByte(line)) NoteProblem(problem, i + 1, "a control character", line);
        if (line.empty() || line[0] != '#') {
            if (!IsBlank(line)) NoteProblem(problem, i + 1, "a line without a key", line);
            continue;
        }
        const auto [key, value] = KeyAndValue(line);
        if (os::equals_ignore_case(key, "#PROJECT")) {
            project_files_.push_back(project_folder_ + value);
        } else if (os::equals_ignore_case(key, "#OPENEDFILE")) {
            opened_documents_.push_back(value);
        } else {
            NoteProblem(problem, i + 1, "an unknown key", line);
        }
    }
    // The project item takes the first project file's title: the name the writer gives it.
    if (!project_files_.empty()) {
        workspace_file_ =
            LoadedFile(std::string(path), *text,
                       WorkspaceFileText(FileTitleOf(project_files_.front()), opened_documents_), std::move(problem));
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
            line_number_ = i + 1;
            line_ = lines[i];
            if (HasControlByte(line_)) Note("a control character");
            if (!ParseLine(line_)) return Refuse();
        }
        CloseBank();
        // A file cut short ends inside a block or before its last line.
        line_number_ = lines.size() + 1;
        line_.clear();
        if (in_general_) Note("the file ends inside the general settings");
        if (in_bank_) Note("the file ends inside a bank");
        if (m_.BankItems().empty()) Note("the file ends before its first bank");
        if (!seen_.contains("#DISPLAYNAME")) Note("the file ends before its display name");
        // Every project has its library group, even when the file named none.
        if (m_.LibraryGroup() == 0) m_.InsertLibraryGroup();
        return true;
    }

    const std::optional<ReadProblem>& Problem() const { return problem_; }

private:
    bool Refuse() {
        return m_.Fail(kErrorBadProjectFile,
                       FormatText("Unknown project file (%s) or file has demaged!", path_.c_str()));
    }

    void Note(std::string_view reason) { NoteProblem(problem_, line_number_, reason, line_); }

    // A bank whose file gave no parameters keeps its place with an empty string.
    void CloseBank() {
        if (bank_ != 0 && !bank_has_param_) {
            Note("a bank without parameters");
            m_.SetBankParam(bank_, {});
        }
        bank_has_param_ = true;
    }

    // A value given twice: the later one wins, and the earlier is lost on writing.
    void NoteRepeat(const std::string& key) {
        if (!seen_.insert(os::to_upper(key)).second) Note("a setting given twice");
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
        if (line.empty() || line[0] != '#') {
            if (!IsBlank(line)) Note("a line without a key");
            return true;
        }
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
            if (!is("#ENDGENERALSETTING")) NoteRepeat(key);
            if (is("#AUTOLINK")) {
                m_.SetAutoLink(os::equals_ignore_case(value, "TRUE"));
                if (!os::equals_ignore_case(value, "TRUE") && !os::equals_ignore_case(value, "FALSE"))
                    Note("an unknown auto-link setting, taken as FALSE");
            }
            if (is("#CODEMODE")) {
                m_.code_mode_ = os::equals_ignore_case(value, "BIN")   ? 0
                                : os::equals_ignore_case(value, "LIB") ? 1
                                                                       : -1;
                if (m_.code_mode_ < 0) Note("an unknown code mode, taken as a library");
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
            if (bank_has_param_) Note("a bank's parameters given twice");
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
        if (is("#DISPLAYNAME")) {
            NoteRepeat(key);
            // Every project is given one: an empty name is what is left of a cut line.
            if (value.empty()) Note("a display name that is empty");
            m_.display_name_ = value;
            return true;
        }
        Note("an unknown key");
        return true;
    }

    CVyrWorkspaceManager& m_;
    std::string path_;
    std::size_t line_number_ = 0;
    std::string line_;
    std::optional<ReadProblem> problem_;
    std::set<std::string> seen_;  // the single-valued keys read, in capitals
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
        ProjectFileReader reader(*this, path);
        if (project != 0 && !reader.Read(*text)) {
            ClearProject();
            return false;
        }
        std::optional<ReadProblem> problem = reader.Problem();
        std::string as_written = ProjectFileText();
        NoteCutLastLine(problem, *text, as_written);
        project_file_ = LoadedFile(path, *text, std::move(as_written), std::move(problem));
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
