#include "ide/build/job_context.h"
#include "ide/workspace/workspace_manager.h"

namespace ide {

std::vector<SourceFileRecord> CollectSourceFiles(const CVyrWorkspaceManager& workspace) {
    const ProjectTree& tree = workspace.GetTree();
    std::vector<SourceFileRecord> records;
    for (TreeItem bank : workspace.BankItems()) {
        const std::uint32_t key = ValueOf(tree.GetItemData(bank));
        std::string param;
        for (const BankRecord& record : workspace.GetBankRecords()) {
            if (record.item == bank) param = record.param;
        }
        for (TreeItem folder : workspace.CategoryItems(bank)) {
            const std::uint32_t bit = ValueOf(tree.GetItemData(folder));
            if ((bit & kSourceCategories) == 0) continue;
            const SourceKind kind = (bit & kCSources) != 0 ? SourceKind::c_source : SourceKind::asm_source;
            for (TreeItem item = tree.GetChildItem(folder); item != 0; item = tree.GetNextSiblingItem(item)) {
                records.push_back({key, kind, tree.GetItemText(item), param});
            }
        }
    }
    return records;
}

}  // namespace ide
