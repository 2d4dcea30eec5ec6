// Kernel objects behind HANDLEs (open files, file searches). Handle values
// are never given out twice, so a handle that was closed stays invalid.
#pragma once

#include <memory>

#include <windef.h>

namespace vedrix::winapi::kernel {

// What an object is, so that a handle's object is checked for its kind
// without run-time type information (files are looked up on every read).
enum class ObjectKind { kFile, kFileSearch };

class KernelObject {
public:
    explicit KernelObject(ObjectKind kind) : m_kind(kind) {}
    virtual ~KernelObject() = default;
    ObjectKind kind() const { return m_kind; }

private:
    const ObjectKind m_kind;
};

HANDLE AddObject(std::unique_ptr<KernelObject> object);
KernelObject* FindObject(HANDLE handle);
// Destroys the object; false when the handle is not open.
bool RemoveObject(HANDLE handle);

// The object of `handle` when it is a T (whose kKind names its kind), else
// null.
template <class T>
T* FindObjectOf(HANDLE handle) {
    KernelObject* object = FindObject(handle);
    return object != nullptr && object->kind() == T::kKind ? static_cast<T*>(object) : nullptr;
}

}  // namespace vedrix::winapi::kernel
