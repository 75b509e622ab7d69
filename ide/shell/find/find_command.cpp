#include "ide/shell/find/find_command.h"

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
    job.Start(dialog.request(), output->Pane(pane));
    return true;
}

}  // namespace ide
