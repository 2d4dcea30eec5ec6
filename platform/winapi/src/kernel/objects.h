// Kernel objects behind HANDLEs (open files, file searches). Handle values
// are never given out twice, so a handle that was closed stays invalid.
#pragma once

#include <memory>

#include <windef.h>

namespace vedrix::winapi::kernel {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

HANDLE AddObject(std::unique_ptr<KernelObject> object);
KernelObject* FindObject(HANDLE handle);
// Destroys the object; false when the handle is not open.
bool RemoveObject(HANDLE handle);

template <class T>
T* FindObjectOf(HANDLE handle) {
    return dynamic_cast<T*>(FindObject(handle));
}

}  // namespace vedrix::winapi::kernel
