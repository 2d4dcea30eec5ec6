#include "kernel/objects.h"

#include <cstdint>
#include <map>

namespace vedrix::winapi::kernel {
namespace {

struct Table {
    std::map<std::uintptr_t, std::unique_ptr<KernelObject>> objects;
    // Handle values are multiples of 4, as on the platform, starting well
    // away from null and from INVALID_HANDLE_VALUE.
    std::uintptr_t next = 0x1000;
};

Table& Objects() {
    // Never destroyed: handles may be closed from other static destructors.
    static auto* const table = new Table;
    return *table;
}

}  // namespace

HANDLE AddObject(std::unique_ptr<KernelObject> object) {
    Table& table = Objects();
    const std::uintptr_t value = table.next;
    table.next += 4;
    table.objects[value] = std::move(object);
    return reinterpret_cast<HANDLE>(value);
}

KernelObject* FindObject(HANDLE handle) {
    Table& table = Objects();
    auto it = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return it != table.objects.end() ? it->second.get() : nullptr;
}

bool RemoveObject(HANDLE handle) {
    Table& table = Objects();
    auto it = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == table.objects.end()) {
        return false;
    }
    // Taken out of the table before it is destroyed.
    std::unique_ptr<KernelObject> object = std::move(it->second);
    table.objects.erase(it);
    return true;
}

}  // namespace vedrix::winapi::kernel
