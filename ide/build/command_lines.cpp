#include "ide/build/command_lines.h"

#include "ide/build/tool_programs.h"
#include "ide/build/up_to_date.h"
#include "ide/workspace/text_utils.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/os/text.h"
#include "platform/profile/store.h"

namespace ide {

namespace {

struct Programs {
    std::string preprocessor, compiler, assembler, linker, packer;
};

std::string DefaultObjectName(const JobContext& context) {
    return context.profile.GetProfileString("Settings", "Default ObjName", "reset.obj");
}

// Looks each program up in order; the first missing one refuses the list.
os::Result<std::vector<std::string>> FindPrograms(const JobContext& context,
                                                  const std::vector<std::pair<ToolKey, std::string_view>>& wanted) {
    std::vector<std::string> paths;
    for (const auto& [tool, what] : wanted) {
        std::string path =
            FindExecutablePath(context.profile, ToolName(context.profile, tool), context.application_folder);
        if (path.empty())
            return os::Error{kErrorToolMissing, FormatText("Can't not find file(%s)!", std::string(what).c_str())};
        paths.push_back(std::move(path));
    }
    return paths;
}

std::string MultiBankSwitch(const JobContext& context) {
    return context.workspace.BankItems().size() > 1 ? " -MB " : "";
}

// The rows of one source: three for a C source, one for an assembler source.
// `stored_path` is where the project keeps the source (relative to the
// project folder); the C tools' intermediate files are `intermediate_path`
// with their extensions, inside "DEBUG\".
void AddSourceRows(const JobContext& context, const Programs& programs, std::string_view stored_path,
                   std::string_view intermediate_path, SourceKind kind, std::string_view bank_param, int first_flag,
                   std::vector<BuildJob>& jobs) {
    const std::string& d = context.workspace.GetProjectFolder();
    const std::string debug = d + "DEBUG\\";
    const std::string include = IncludePart(context);
    if (kind == SourceKind::c_source) {
        const std::string ovp = debug + ReplaceExtension(intermediate_path, ".OVP");
        const std::string asm_file = debug + ReplaceExtension(intermediate_path, ".ASM");
        jobs.push_back({programs.preprocessor,
                        " " + QuotedArgument(d + ReplaceExtension(stored_path, ".C")) + " " + QuotedArgument(ovp) +
                            " " + include + " -W",
                        first_flag});
        jobs.push_back({programs.compiler,
                        " " + QuotedArgument(ovp) + " " + QuotedArgument(asm_file) + " " + std::string(bank_param) +
                            MultiBankSwitch(context) + " -errout=output.msg",
                        kFollowingStepFlag});
        jobs.push_back({programs.assembler,
                        " " + QuotedArgument(asm_file) + " " + QuotedFolder(debug) + " -C   -W2" + include,
                        kFollowingStepFlag});
    } else {
        jobs.push_back({programs.assembler,
                        " " + QuotedArgument(d + ReplaceExtension(stored_path, ".ASM")) + " " + QuotedFolder(debug) +
                            "  -W2" + include,
                        first_flag});
    }
}

// The link (or library) row's text; refused when the start-up object is missing.
os::Result<std::string> LinkRow(const JobContext& context) {
    const CVyrWorkspaceManager& workspace = context.workspace;
    const std::string& d = workspace.GetProjectFolder();
    const std::string& n = workspace.GetWorkspaceName();
    const bool application = !workspace.IsLibraryProject();
    std::string text = " /OBJPATH " + QuotedFolder(d + "DEBUG\\") + " /OBJS";
    bool has_startup = false;
    for (const SourceFileRecord& source : context.sources) {
        const std::string object = FileTitleOf(source.path) + ".OBJ";
        text += " " + QuotedArgument(object);
        if (os::equals_ignore_case(object, DefaultObjectName(context))) has_startup = true;
    }
    if (application) {
        if (!has_startup) {
            const std::string startup = FindDefaultObject(context);
            if (startup.empty()) return os::Error{kErrorNoStartupObject, "Default obj file not found!"};
            text += " " + QuotedArgument(startup);
        }
        text += " /LIBS " + MakeLibraryList(context, ' ');
        text += " /NAME " + QuotedArgument(context.workspace.GetBig5DisplayName());
        text += " /OUT " + QuotedArgument(d + "DEBUG\\" + n + ".LKE");
        text += " /FILEHEAD " + QuotedArgument(d + n + ".VER");
    } else {
        text += " /OUT " + QuotedArgument(d + "DEBUG\\" + n + ".LIB");
    }
    if (workspace.GetAutoLink()) text += " /AUTO";
    if (application) text += " -W2";
    return text;
}

}  // namespace

std::string QuotedArgument(std::string_view text) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '"') out.append(backslashes + 1, '\\');
        backslashes = c == '\\' ? backslashes + 1 : 0;
        out += c;
    }
    out.append(backslashes, '\\');
    return out + "\"";
}

std::string QuotedFolder(std::string_view folder) {
    std::string text(folder);
    while (!text.empty() && text.back() == '\\') text.pop_back();
    if (text.empty() || !IsPathSeparator(text.back())) text += '\\';
    return QuotedArgument(text);
}

std::string IncludePart(const JobContext& context) {
    std::vector<std::string> folders;
    SplitString(context.profile.GetProfileString(kDirectoriesSection, "Include files"), folders, ';');
    folders.push_back(context.application_folder);
    folders.push_back(context.workspace.GetProjectFolder());
    std::string text;
    for (const std::string& folder : folders) text += " -I " + QuotedFolder(folder);
    return text;
}

std::string MakeLibraryList(const JobContext& context, char separator) {
    const std::string folders = context.profile.GetProfileString(kDirectoriesSection, "Library files");
    std::string text;
    bool first = true;
    for (const LibraryRecord& library : context.workspace.GetLibraryRecords()) {
        if (!first) text += separator;
        first = false;
        std::string path = library.path;
        if (path.empty()) {
            const std::string name = context.workspace.GetTree().GetItemText(library.item);
            path = FindFileInFolders(folders, name);
            if (path.empty()) path = name;
        }
        text += QuotedArgument(path) + separator;
    }
    return text;
}

std::string FindDefaultObject(const JobContext& context) {
    const std::string name = DefaultObjectName(context);
    std::string path = FindFileInFolders(context.profile.GetProfileString(kDirectoriesSection, "Library files"), name);
    if (path.empty()) path = FindFileInFolders(context.application_folder, name);
    return path;
}

os::Status MakeOutputFolders(const JobContext& context) {
    const std::string debug = context.workspace.GetProjectFolder() + "DEBUG\\";
    std::vector<std::string> folders{debug};
    for (const SourceFileRecord& source : context.sources) {
        if (source.kind == SourceKind::c_source && !FolderOf(source.path).empty())
            folders.push_back(debug + FolderOf(source.path));
    }
    for (const std::string& folder : folders) {
        if (!CreateDirectoryTree(folder))
            return os::Error{kErrorTreeView, FormatText("Can't create directory:(%s)!", folder.c_str())};
    }
    return {};
}

os::Result<std::vector<BuildJob>> MakeBuildJobs(const JobContext& context, bool rebuild) {
    const bool application = !context.workspace.IsLibraryProject();
    const auto paths =
        FindPrograms(context, {{kPreprocessorTool, "C PreProcessor executed file!"},
                               {kCompilerTool, "C Compiler executed file!"},
                               {kAssemblerTool, "Asm Compiler executed file!"},
                               {application ? kLinkerTool : kLibrarianTool, "Linker or Vostreler executed file!"},
                               {kPackerTool, "Linker or Vostreler executed file!"}});
    if (!paths) return paths.error();
    const Programs programs{(*paths)[0], (*paths)[1], (*paths)[2], (*paths)[3], (*paths)[4]};
    const std::string& d = context.workspace.GetProjectFolder();

    std::vector<BuildJob> jobs;
    jobs.push_back({std::string(kMessageTool), "Compile ...", kFirstStepFlag});
    for (const SourceFileRecord& source : context.sources) {
        const std::string object = d + "DEBUG\\" + FileTitleOf(source.path) + ".OBJ";
        if (!rebuild && ObjectUpToDate(object, d).state != kObjectOutOfDate) continue;
        jobs.push_back({std::string(kMessageTool), source.path, kFirstStepFlag});
        AddSourceRows(context, programs, source.path, source.path, source.kind, source.bank_param, kFirstStepFlag,
                      jobs);
    }
    if (jobs.size() == 1) jobs.clear();

    if (rebuild || NeedsLink(context, jobs.size())) {
        os::Result<std::string> link = LinkRow(context);
        if (!link) return link.error();
        jobs.push_back({std::string(kMessageTool), application ? "Linking ..." : "Making Library...", kFirstStepFlag});
        jobs.push_back({programs.linker, std::move(*link), kLinkStepFlag});
    }
    if (application) {
        jobs.push_back({std::string(kMessageTool), "Packing ...", kFirstStepFlag});
        jobs.push_back({programs.packer,
                        " " + QuotedArgument(d + "DEBUG\\" + context.workspace.GetWorkspaceName() + ".LKE") + " " +
                            QuotedArgument(ProgramBinPath(context.workspace)),
                        kLinkStepFlag});
    }
    return jobs;
}

os::Result<std::vector<BuildJob>> MakeCompileJobs(const JobContext& context, std::string_view path) {
    const auto paths = FindPrograms(context, {{kPreprocessorTool, "C PreProcessor executed file not found!"},
                                              {kCompilerTool, "C Compiler executed file not found!"},
                                              {kAssemblerTool, "Asm Compiler executed file not found!"}});
    if (!paths) return paths.error();
    const Programs programs{(*paths)[0], (*paths)[1], (*paths)[2], {}, {}};
    // A source of the project is read where the project keeps it, folder and
    // all; any other file is taken from the project folder by its name. The C
    // tools' intermediate files go straight into "DEBUG\".
    const CVyrWorkspaceManager& workspace = context.workspace;
    const TreeItem item = workspace.FindSourceItem(path);
    const std::string stored = item != 0 ? workspace.GetTree().GetItemText(item) : FileNameOf(path);
    const SourceKind kind = CategoryOfPath(stored).bit == kCSources ? SourceKind::c_source : SourceKind::asm_source;
    BankRecord bank;
    if (kind == SourceKind::c_source && !workspace.FindBankOfSource(path, bank))
        return os::Error{kErrorNoBankData, "Internal error! Can't get data from workspace!"};
    std::vector<BuildJob> jobs;
    jobs.push_back({std::string(kMessageTool), "Compile ...", kFirstStepFlag});
    jobs.push_back({std::string(kMessageTool), FileNameOf(path), kFirstStepFlag});
    AddSourceRows(context, programs, stored, FileNameOf(stored), kind, bank.param, kFollowingStepFlag, jobs);
    return jobs;
}

}  // namespace ide
