#include "kernel/sharing.h"

#include <algorithm>
#include <vector>

namespace vedrix::winapi::kernel {

namespace {

constexpr DWORD kAllShares = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::vector<const SharingEntry*>& OpenEntries() {
    static std::vector<const SharingEntry*> entries;
    return entries;
}

}  // namespace

DWORD SharedAccessOf(DWORD desiredAccess) {
    DWORD access = 0;
    if ((desiredAccess & (GENERIC_READ | GENERIC_ALL)) != 0) {
        access |= FILE_SHARE_READ;
    }
    if ((desiredAccess & (GENERIC_WRITE | GENERIC_ALL)) != 0) {
        access |= FILE_SHARE_WRITE;
    }
    if ((desiredAccess & (DELETE | GENERIC_ALL)) != 0) {
        access |= FILE_SHARE_DELETE;
    }
    return access;
}

SharingEntry::SharingEntry(const struct stat& file, DWORD access, DWORD share)
    : m_device(file.st_dev), m_inode(file.st_ino), m_access(access), m_share(share & kAllShares) {
    OpenEntries().push_back(this);
}

SharingEntry::~SharingEntry() {
    auto& entries = OpenEntries();
    entries.erase(std::remove(entries.begin(), entries.end(), this), entries.end());
}

bool SharingEntry::refuses(dev_t device, ino_t inode, DWORD access, DWORD share) const {
    if (device != m_device || inode != m_inode || access == 0 || m_access == 0) {
        return false;
    }
    return (access & ~m_share) != 0 || (m_access & ~share) != 0;
}

bool SharingRefuses(const struct stat& file, DWORD access, DWORD share) {
    const auto& entries = OpenEntries();
    return std::any_of(entries.begin(), entries.end(), [&](const SharingEntry* entry) {
        return entry->refuses(file.st_dev, file.st_ino, access, share & kAllShares);
    });
}

}  // namespace vedrix::winapi::kernel
