#include "ide/shell/watchwin/stop_scope.h"

std::string ModuleBaseName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    const std::size_t dot = path.rfind('.');
    return std::string(dot == std::string_view::npos ? path : path.substr(0, dot));
}

StopScope ScopeOfStop(const ide::CDebugTarget& session) {
    return StopScope{ide::EvalContext{&session.memory(),
                                      {session.project_folder(), session.project_name(), session.modules()},
                                      session.stop_pc()},
                     ModuleBaseName(session.source_path())};
}
