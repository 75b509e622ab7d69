// Feeds untrusted bytes to the workspace's readers: the first byte chooses
// the project file, the workspace file, the code table or the breakpoint file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "ide/debugger/breakpoint_list.h"
#include "ide/workspace/code_table.h"
#include "ide/workspace/memory_tree.h"
#include "ide/workspace/workspace_manager.h"
#include "platform/os/file.h"
#include "platform/profile/store.h"

namespace {

// A scratch folder for the whole run, removed when the process ends.
struct ScratchFolder {
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ide-readers-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

const std::string& Folder() {
    static const ScratchFolder folder;
    return folder.path;
}

void Write(std::string_view name, std::string_view bytes) {
    if (!os::write_file(Folder() + std::string(name), bytes)) std::abort();
}

void OpenWorkspace(std::string_view path) {
    ide::MemoryTree tree;
    ide::SilentWorkspaceHost host;
    profile::Store store(Folder() + "fuzz.profile");
    ide::CVyrWorkspaceManager manager(tree, host, store);
    manager.OpenWorkspace(path);
    manager.GetBankRecords();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
        case 0:
            std::filesystem::remove(Folder() + "GAME.WSP");
            Write("GAME.PRJ", bytes);
            OpenWorkspace(Folder() + "GAME.PRJ");
            break;
        case 1:
            Write("GAME.PRJ", "/*   Vyr project file 1.0   */\n#BEGINBANK\n#BANKNAME = M\n#ENDBANK\n");
            Write("GAME.WSP", bytes);
            OpenWorkspace(Folder() + "GAME.WSP");
            break;
        case 2: {
            Write("hc.tab", bytes);
            ide::CodeTable table;
            std::string log;
            table.Load(Folder() + "hc.tab", log);
            ide::ConvertToBig5(table, bytes.substr(0, 32));
            break;
        }
        default: {
            Write("GAME.EXW", bytes);
            ide::CVyrBreakPointMgr list;
            list.LoadBreakPoints(Folder() + "GAME.EXW");
            break;
        }
    }
    return 0;
}
