#include "kernel/objects.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace vedrix::winapi::kernel {
namespace {

using Entry = std::pair<std::uintptr_t, std::unique_ptr<KernelObject>>;

// The open objects in the order of their handles. Handles only grow, so a
// new one goes at the end, and a process holds few at a time: a sorted
// vector finds them by halving and costs no allocation per handle.
struct Table {
    std::vector<Entry> objects;
    // Handle values are multiples of 4, as on the platform, starting well
    // away from null and from INVALID_HANDLE_VALUE.
    std::uintptr_t next = 0x1000;
};

Table& Objects() {
    // Never destroyed: handles may be closed from other static destructors.
    static auto* const table = new Table;
    return *table;
}

std::vector<Entry>::iterator Find(Table& table, HANDLE handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    auto it =
        std::lower_bound(table.objects.begin(), table.objects.end(), value,
                         [](const Entry& entry, std::uintptr_t key) { return entry.first < key; });
    return it != table.objects.end() && it->first == value ? it : table.objects.end();
}

}  // namespace

HANDLE AddObject(std::unique_ptr<KernelObject> object) {
    Table& table = Objects();
    const std::uintptr_t value = table.next;
    table.next += 4;
    table.objects.emplace_back(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

KernelObject* FindObject(HANDLE handle) {
    Table& table = Objects();
    auto it = Find(table, handle);
    return it != table.objects.end() ? it->second.get() : nullptr;
}

bool RemoveObject(HANDLE handle) {
    Table& table = Objects();
    auto it = Find(table, handle);
    if (it == table.objects.end()) {
        return false;
    }
    // Taken out of the table before it is destroyed.
    std::unique_ptr<KernelObject> object = std::move(it->second);
    table.objects.erase(it);
    return true;
}

}  // namespace vedrix::winapi::kernel
