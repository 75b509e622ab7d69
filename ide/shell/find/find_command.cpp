#include "ide/shell/find/find_command.h"

#include <filesystem>

#include "ide/shell/bars/output_bar.h"
#include "ide/shell/find/find_dialog.h"
#include "ide/shell/find/find_job.h"

namespace ide {

bool RunFindInFiles(CWnd* parent, profile::Store& profile, const std::string& project_folder, COutputBar* output,
                    FindInFilesJob& job) {
    CVYRFindInFileDlg dialog(profile, project_folder, output, parent);
    if (dialog.DoModal() != IDOK || !output) return false;
    const OutputPane pane = dialog.output_to_2() ? OutputPane::find_in_files2 : OutputPane::find_in_files1;
    output->ActivatePane(pane);
    // A folder typed relative is the project's, as the panes read relative paths;
    // the hits name absolute paths so they open whatever folder is current later.
    FindRequest request = dialog.request();
    const std::filesystem::path folder(request.folder);
    std::error_code error;
    if (folder.is_relative())
        request.folder = (project_folder.empty() ? std::filesystem::absolute(folder, error)
                                                 : std::filesystem::path(project_folder) / folder)
                             .lexically_normal()
                             .string();
    job.Start(request, output->Pane(pane));
    return true;
}

}  // namespace ide
