#include "platform/afx/object.h"

#include <map>
#include <string>

namespace {

std::map<std::string, CRuntimeClass*>& class_registry() {
    static std::map<std::string, CRuntimeClass*> classes;
    return classes;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
static const AFX_CLASSINIT afx_init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* runtime_class) {
    class_registry()[runtime_class->m_lpszClassName] = runtime_class;
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base) return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(const char* class_name) {
    if (!class_name) return nullptr;
    auto& classes = class_registry();
    auto found = classes.find(class_name);
    return found == classes.end() ? nullptr : found->second;
}

CObject* CRuntimeClass::CreateObject(const char* class_name) {
    CRuntimeClass* runtime_class = FromName(class_name);
    return runtime_class ? runtime_class->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* runtime_class) const {
    return GetRuntimeClass()->IsDerivedFrom(runtime_class);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::Serialize(CArchive&) {}

CObject* afx_dynamic_downcast(const CRuntimeClass* runtime_class, CObject* object) {
    return object && object->IsKindOf(runtime_class) ? object : nullptr;
}
