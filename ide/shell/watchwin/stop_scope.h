#pragma once
// Where the watch windows evaluate: the stopped target and the base name (no
// folder, no extension) of the source file the target stopped in. Asked at
// every evaluation, so a window never keeps a pointer into target memory
// beyond the run that gave it.
#include <functional>
#include <memory>
#include <string>

#include "ide/debugger/formular.h"

struct StopScope {
    ide::EvalContext context;  // memory null outside a debug run
    std::string module;
};
using StopScopeSource = std::function<StopScope()>;

// A new evaluator for the scope, its module's symbols loaded when they can be;
// without them constants still evaluate and names give the evaluator's error text.
inline std::shared_ptr<ide::CFormular> MakeFormular(const StopScope& scope, const std::string& module, bool hex) {
    auto formular = std::make_shared<ide::CFormular>(scope.context);
    formular->InitCsym(module);
    formular->SetHexMode(hex);
    return formular;
}
