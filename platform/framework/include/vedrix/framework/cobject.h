// CObject, the root of the framework's classes, and the run-time class
// information that lets code ask an object for its class, test whether it is
// of a kind, create an object from its class name and cast down safely.
#pragma once

#include <type_traits>

#include <vedrix/framework/debug.h>
#include <vedrix/framework/export.h>
#include <vedrix/framework/types.h>

class CObject;

// The description of one class: its name, size, base class and, for classes
// declared with DECLARE_DYNCREATE, the function that creates an object of it.
struct VEDRIX_FRAMEWORK_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)();

    // A new object of this class, or null when the class cannot be created by
    // name (it was not declared with DECLARE_DYNCREATE).
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name, or null. Every class implemented
    // with IMPLEMENT_DYNAMIC or IMPLEMENT_DYNCREATE is registered while its
    // module is loaded.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    // A new object of the class of that name, or null when there is no such
    // class or it cannot be created by name.
    static CObject* CreateObject(LPCSTR lpszClassName);
};

class VEDRIX_FRAMEWORK_API CObject {
public:
    static CRuntimeClass classCObject;

    virtual ~CObject();

    virtual CRuntimeClass* GetRuntimeClass() const;
    // TRUE when the object's class is pClass or derives from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};

namespace vedrix::framework {

// Keeps one class in the registry that CRuntimeClass::FromName searches from
// the loading of its module to the unloading. IMPLEMENT_DYNAMIC and
// IMPLEMENT_DYNCREATE define one of these for each class.
class VEDRIX_FRAMEWORK_API ClassRegistration {
public:
    explicit ClassRegistration(CRuntimeClass* pClass);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

private:
    CRuntimeClass* m_pClass;
};

// pObject as a pointer to T when it is of the kind pClass, else null. The
// result keeps the constness of the argument.
template <class T, class U>
auto DynamicDownCast(const CRuntimeClass* pClass, U* pObject)
    -> std::conditional_t<std::is_const_v<U>, const T*, T*> {
    static_assert(std::is_base_of_v<CObject, T> && std::is_base_of_v<CObject, U>,
                  "DYNAMIC_DOWNCAST works on classes derived from CObject");
    if (pObject == nullptr || !pObject->IsKindOf(pClass)) {
        return nullptr;
    }
    return static_cast<std::conditional_t<std::is_const_v<U>, const T*, T*>>(pObject);
}

// pObject as a pointer to T; in debug builds the object must be of the kind
// pClass (or null).
template <class T, class U>
auto StaticDownCast([[maybe_unused]] const CRuntimeClass* pClass, U* pObject)
    -> std::conditional_t<std::is_const_v<U>, const T*, T*> {
    static_assert(std::is_base_of_v<CObject, T> && std::is_base_of_v<CObject, U>,
                  "STATIC_DOWNCAST works on classes derived from CObject");
    ASSERT(pObject == nullptr || pObject->IsKindOf(pClass));
    return static_cast<std::conditional_t<std::is_const_v<U>, const T*, T*>>(pObject);
}

}  // namespace vedrix::framework

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// Inside a class derived from CObject, without a trailing semicolon: gives the
// class its own run-time class information. The members are public, and they
// are exported together with a class that is exported from its shared library.
#define DECLARE_DYNAMIC(class_name)         \
public:                                     \
    static CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

// As DECLARE_DYNAMIC, and the class can be created by name. It needs a default
// constructor (which may be protected).
#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define VEDRIX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnCreate)                  \
    CRuntimeClass class_name::class##class_name = {#class_name,                                \
                                                   static_cast<int>(sizeof(class_name)),       \
                                                   RUNTIME_CLASS(base_class_name), pfnCreate}; \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                       \
        return RUNTIME_CLASS(class_name);                                                      \
    }                                                                                          \
    static const ::vedrix::framework::ClassRegistration vedrixClassRegistration_##class_name(  \
        RUNTIME_CLASS(class_name));

// In the class's source file, at namespace scope (a trailing semicolon is
// allowed).
#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    VEDRIX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() {                \
        return new class_name;                           \
    }                                                    \
    VEDRIX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)

// Casts a pointer to a CObject-derived object down to class_name*: null when
// the object is not of that kind.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (::vedrix::framework::DynamicDownCast<class_name>(RUNTIME_CLASS(class_name), object))

// Casts down without a check in release builds; debug builds assert the kind.
#define STATIC_DOWNCAST(class_name, object) \
    (::vedrix::framework::StaticDownCast<class_name>(RUNTIME_CLASS(class_name), object))
