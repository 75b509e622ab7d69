#pragma once
// The "Find in files" command: runs the dialog over `parent` and, on Find,
// starts the search into the pane it names, shown on the output bar.
#include <string>

class CWnd;
class COutputBar;

namespace profile {
class Store;
}

namespace ide {

class FindInFilesJob;

// True when a search was started.
bool RunFindInFiles(CWnd* parent, profile::Store& profile, const std::string& project_folder, COutputBar* output,
                    FindInFilesJob& job);

}  // namespace ide
