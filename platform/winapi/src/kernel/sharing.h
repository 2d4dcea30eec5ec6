// The share modes of the files this process holds open: which handles are
// open on which file, what each may do and what it lets others do. Access
// and share are both given as FILE_SHARE_* bits (read, write, delete).
#pragma once

#include <sys/stat.h>

#include <windows.h>

namespace vedrix::winapi::kernel {

// The sharing-relevant part of an access mask (generic read, write and all,
// delete) as FILE_SHARE_* bits.
DWORD SharedAccessOf(DWORD desiredAccess);

// One open handle's entry, registered while it lives.
class SharingEntry {
public:
    SharingEntry(const struct stat& file, DWORD access, DWORD share);
    ~SharingEntry();
    SharingEntry(const SharingEntry&) = delete;
    SharingEntry& operator=(const SharingEntry&) = delete;

    bool refuses(dev_t device, ino_t inode, DWORD access, DWORD share) const;

private:
    dev_t m_device;
    ino_t m_inode;
    DWORD m_access;
    DWORD m_share;
};

// True when a new use of `file` with `access` and `share` conflicts with a
// handle already open on it: that handle does not share what the new use
// asks for, or the new use does not share what that handle has. A use that
// asks for nothing and a handle that has nothing never conflict.
bool SharingRefuses(const struct stat& file, DWORD access, DWORD share);

}  // namespace vedrix::winapi::kernel
