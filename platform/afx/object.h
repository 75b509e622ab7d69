#pragma once
// CObject and run-time classes: each class that declares itself dynamic has
// one CRuntimeClass record naming it and its base, so that code can ask
// IsKindOf and create objects by class name.
#include "platform/gdi/win_types.h"

class CObject;
class CArchive;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF for classes that cannot be stored
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // A new object, or null when the class has no default constructor.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;

    // Classes registered by IMPLEMENT_DYNAMIC and its kin; null when unknown.
    static CRuntimeClass* FromName(const char* class_name);
    static CObject* CreateObject(const char* class_name);
};

// Adds a class to the by-name lookup; one static instance per IMPLEMENT_ macro.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* runtime_class);
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* runtime_class) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_name, schema, create) \
    CRuntimeClass class_name::class##class_name = {#class_name, int(sizeof(class_name)), schema, create, \
                                                   RUNTIME_CLASS(base_name)}; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
    static const AFX_CLASSINIT afx_init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_name) AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_name, schema) \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_name, schema, class_name::CreateObject)

// The checked downcast of the framework: null when the object is not of that class.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(afx_dynamic_downcast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
CObject* afx_dynamic_downcast(const CRuntimeClass* runtime_class, CObject* object);
