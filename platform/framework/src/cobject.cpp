#include <vedrix/framework/cobject.h>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <vector>

namespace {

// The classes known by name. Modules register their classes while they are
// loaded, possibly from several threads, and take them out when unloaded.
// The lock is a spin lock on an atomic flag: it is held only for a search of
// a short list, and it needs no thread library on any platform.
struct ClassRegistry {
    std::atomic_flag busy;  // clear from construction on
    std::vector<CRuntimeClass*> classes;
};

class RegistryLock {
public:
    explicit RegistryLock(ClassRegistry& registry) : m_registry(registry) {
        while (m_registry.busy.test_and_set(std::memory_order_acquire)) {
        }
    }
    ~RegistryLock() { m_registry.busy.clear(std::memory_order_release); }
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;

private:
    ClassRegistry& m_registry;
};

ClassRegistry& Registry() {
    // Never destroyed: modules unloaded during the program's exit still
    // unregister their classes after this translation unit's statics are
    // gone.
    static ClassRegistry* pRegistry = new ClassRegistry;
    return *pRegistry;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), nullptr,
                                       nullptr};

static const ::vedrix::framework::ClassRegistration vedrixClassRegistration_CObject(
    RUNTIME_CLASS(CObject));

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass) {
            return TRUE;
        }
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (lpszClassName == nullptr) {
        return nullptr;
    }
    ClassRegistry& registry = Registry();
    RegistryLock lock(registry);
    for (CRuntimeClass* pClass : registry.classes) {
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0) {
            return pClass;
        }
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    const CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

CObject::~CObject() = default;

CRuntimeClass* CObject::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

namespace vedrix::framework {

ClassRegistration::ClassRegistration(CRuntimeClass* pClass) : m_pClass(pClass) {
    ClassRegistry& registry = Registry();
    RegistryLock lock(registry);
    registry.classes.push_back(pClass);
}

ClassRegistration::~ClassRegistration() {
    ClassRegistry& registry = Registry();
    RegistryLock lock(registry);
    auto it = std::find(registry.classes.begin(), registry.classes.end(), m_pClass);
    if (it != registry.classes.end()) {
        registry.classes.erase(it);
    }
}

}  // namespace vedrix::framework
