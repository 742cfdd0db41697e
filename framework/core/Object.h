// CObject, the root of the framework's classes, and the run-time class
// information behind GetRuntimeClass, IsKindOf and dynamic creation.
#pragma once

#include "Types.h"

class CObject;
class CArchive;
class CDumpContext;

#ifdef _DEBUG
#    include <cassert>
#    define ASSERT(f) assert(f)
#    define VERIFY(f) assert(f)
#else
#    define ASSERT(f) ((void)0)
#    define VERIFY(f) ((void)(f))
#endif
#define ASSERT_VALID(pOb) ((void)0)
#define TRACE(...) ((void)0)

// Describes one class: its name, size, schema, factory and base. Every class
// implemented with IMPLEMENT_DYNAMIC is linked into a process-wide list at
// start-up so that FromName can find it.
struct FRAMEWORK_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                         // 0xFFFF for classes that are not serial
    CObject*(PASCAL* m_pfnCreateObject)();  // NULL when not dynamically creatable
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;  // link of the registered-class list

    // A new object of this class, or NULL when the class has no factory.
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name, or NULL.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
};

// Registers a class (natively into a process-wide list; on Windows into the
// module state, so that extension modules can take their classes along).
FRAMEWORK_API void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);
FRAMEWORK_API CRuntimeClass* AFXAPI AfxGetFirstRuntimeClass();
FRAMEWORK_API CRuntimeClass* AFXAPI AfxFindRuntimeClass(LPCSTR lpszClassName);

// A static object of this type registers its class when constructed.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass) { AfxClassInit(pNewClass); }
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)              \
public:                                          \
    static CRuntimeClass class##class_name;      \
    static CRuntimeClass* PASCAL GetThisClass(); \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* PASCAL CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                          \
    CRuntimeClass class_name::class##class_name = {                                                                   \
        #class_name, (int)sizeof(class class_name), wSchema, pfnNew, &base_class_name::class##base_class_name, NULL}; \
    static AFX_CLASSINIT _init_##class_name(&class_name::class##class_name);                                          \
    CRuntimeClass* PASCAL class_name::GetThisClass()                                                                  \
    {                                                                                                                 \
        return &class_name::class##class_name;                                                                        \
    }                                                                                                                 \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                                \
    {                                                                                                                 \
        return &class_name::class##class_name;                                                                        \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject()           \
    {                                                    \
        return new class_name;                           \
    }                                                    \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

class FRAMEWORK_API CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = 0;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();

protected:
    CObject() {}
};
