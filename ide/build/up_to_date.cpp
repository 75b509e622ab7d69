#include "ide/build/up_to_date.h"

#include <cerrno>

#include "formats/byte_reader.h"
#include "formats/file_sizes.h"
#include "formats/obj_file.h"
#include "ide/build/command_lines.h"
#include "ide/workspace/text_utils.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/os/file.h"
#include "platform/os/text.h"
#include "platform/profile/store.h"

namespace ide {

namespace {

// The output the link step writes: the image, or the library of a library project.
std::string LinkOutputPath(const CVyrWorkspaceManager& workspace) {
    return workspace.GetProjectFolder() + "DEBUG\\" + workspace.GetWorkspaceName() +
           (workspace.IsLibraryProject() ? ".LIB" : ".LKE");
}

bool NewerThan(const std::string& path, std::int64_t time) {
    const os::FileInfo info = os::file_info(path);
    return info.exists && info.modified_ns > time;
}

}  // namespace

ObjectCheck ObjectUpToDate(std::string_view object_path, std::string_view source_folder) {
    const os::FileInfo object = os::file_info(object_path);
    if (!object.exists) return {kObjectOutOfDate, 0};
    const auto bytes = os::read_file(object_path, formats::kLargestObjFile);
    if (!bytes) return {kObjectUnreadable, bytes.error().code != 0 ? bytes.error().code : EIO};

    const formats::ByteReader reader(*bytes);
    const auto header = reader.record<formats::ObjFileHeader>(0);
    if (!header) return {kObjectOutOfDate, 0};
    for (std::uint32_t i = 0; i < header->source_file_count; ++i) {
        const auto entry =
            reader.table_entry<formats::ObjSourceFileRecord>(header->source_files_offset, header->source_file_count, i);
        if (!entry) return {kObjectOutOfDate, 0};
        const auto name = reader.c_string(std::uint64_t{header->string_pool_offset} + entry->name_offset);
        if (!name) return {kObjectOutOfDate, 0};
        const std::string source =
            IsAbsolutePath(*name) ? std::string(*name) : std::string(source_folder) + std::string(*name);
        if (NewerThan(source, object.modified_ns)) return {kObjectOutOfDate, 0};
    }
    return {kObjectUpToDate, 0};
}

bool NeedsLink(const JobContext& context, std::size_t job_rows) {
    if (job_rows >= 2) return true;
    const CVyrWorkspaceManager& workspace = context.workspace;
    const os::FileInfo output = os::file_info(LinkOutputPath(workspace));
    if (!output.exists) return true;
    for (const SourceFileRecord& source : context.sources) {
        const os::FileInfo object =
            os::file_info(workspace.GetProjectFolder() + "DEBUG\\" + FileTitleOf(source.path) + ".OBJ");
        if (!object.exists || object.modified_ns > output.modified_ns) return true;
    }
    if (workspace.IsLibraryProject()) return false;
    const std::string folders = context.profile.GetProfileString("Environment\\Directories", "Library files");
    for (const LibraryRecord& library : workspace.GetLibraryRecords()) {
        const std::string path = library.path.empty()
                                     ? FindFileInFolders(folders, workspace.GetTree().GetItemText(library.item))
                                     : library.path;
        if (NewerThan(path, output.modified_ns)) return true;
    }
    return NewerThan(FindDefaultObject(context), output.modified_ns);
}

std::string ProgramBinPath(const CVyrWorkspaceManager& workspace) {
    const std::string& output = workspace.GetOutputName();
    if (os::equals_ignore_case(output, kDefaultOutputName)) {
        return workspace.GetProjectFolder() + "DEBUG\\" + workspace.GetWorkspaceName() + ".BIN";
    }
    return IsAbsolutePath(output) ? output : workspace.GetProjectFolder() + output;
}

bool ProgramImageIsCurrent(const CVyrWorkspaceManager& workspace) {
    const os::FileInfo image = os::file_info(ProgramBinPath(workspace));
    if (!image.exists) return false;
    const std::string& d = workspace.GetProjectFolder();
    for (const std::string& source : workspace.GetFilesOfCategories(kSourceCategories)) {
        const os::FileInfo source_info = os::file_info(d + source);
        if (!source_info.exists || source_info.modified_ns > image.modified_ns) return false;
        if (ObjectUpToDate(d + "DEBUG\\" + ReplaceExtension(source, ".OBJ"), d).state == kObjectOutOfDate) return false;
    }
    return true;
}

}  // namespace ide
