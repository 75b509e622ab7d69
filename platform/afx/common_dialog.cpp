#include "platform/afx/common_dialog.h"

#include <set>

#include "platform/afx/app.h"

LONG_PTR run_common_dialog(const kit::res::Module& module, unsigned template_id, CWnd* parent, DLGPROC proc,
                           void* asking) {
    static std::set<const kit::res::Module*> registered;
    if (registered.insert(&module).second) kit::res::register_module(&module);
    CWnd* owner = parent ? parent : AfxGetMainWnd();
    return ::DialogBoxParam(nullptr, MAKEINTRESOURCE(template_id), owner ? owner->m_hWnd : nullptr, proc,
                            reinterpret_cast<LPARAM>(asking));
}
