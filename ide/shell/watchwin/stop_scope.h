#pragma once
// Where the watch windows evaluate: the stopped target and the base name (no
// folder, no extension) of the source file the target stopped in. Asked at
// every evaluation, so a window never keeps a pointer into target memory
// beyond the run that gave it.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ide/debugger/debug_target.h"
#include "ide/debugger/formular.h"

struct StopScope {
    ide::EvalContext context;  // memory null outside a debug run
    std::string module;
};
using StopScopeSource = std::function<StopScope()>;

// A path's base name: no folder ('/' or '\\'), no extension.
std::string ModuleBaseName(std::string_view path);
// Where the session's target stopped; valid while the session lives.
StopScope ScopeOfStop(const ide::CDebugTarget& session);

// A new evaluator for the scope, its module's symbols loaded when they can be;
// without them constants still evaluate and names give the evaluator's error text.
inline std::shared_ptr<ide::CFormular> MakeFormular(const StopScope& scope, const std::string& module, bool hex) {
    auto formular = std::make_shared<ide::CFormular>(scope.context);
    formular->InitCsym(module);
    formular->SetHexMode(hex);
    return formular;
}
