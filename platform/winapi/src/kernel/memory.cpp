// The local and global heaps, which are one heap here. A fixed block is its
// own handle; a moveable block has a handle of its own (its record) that
// stays the same when the block is reallocated, and gives its pointer through
// GlobalLock. Handles are checked against the live blocks, so a handle freed
// twice or never allocated fails with ERROR_INVALID_HANDLE.
#include <cstdlib>
#include <cstring>
#include <map>

#include <windows.h>

namespace {

struct Block {
    void* data = nullptr;
    SIZE_T size = 0;
    bool moveable = false;
    int locks = 0;
};

// Live blocks by handle. Fixed blocks: handle == data.
std::map<void*, Block*>& Blocks() {
    // Never destroyed: blocks may be freed from other static destructors.
    static auto* const blocks = new std::map<void*, Block*>;
    return *blocks;
}

Block* Find(void* handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    auto it = Blocks().find(handle);
    return it != Blocks().end() ? it->second : nullptr;
}

void* Allocate(UINT flags, SIZE_T bytes) {
    const SIZE_T storage = bytes == 0 ? 1 : bytes;
    void* data = (flags & GMEM_ZEROINIT) != 0 ? std::calloc(storage, 1) : std::malloc(storage);
    if (data == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Block* block = new Block;
    block->data = data;
    block->size = bytes;
    block->moveable = (flags & GMEM_MOVEABLE) != 0;
    void* handle = block->moveable ? static_cast<void*>(block) : data;
    Blocks()[handle] = block;
    return handle;
}

void* Free(void* handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    Block* block = Find(handle);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return handle;
    }
    Blocks().erase(handle);
    std::free(block->data);
    delete block;
    return nullptr;
}

void* Lock(void* handle) {
    Block* block = Find(handle);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (block->moveable) {
        ++block->locks;
    }
    return block->data;
}

BOOL Unlock(void* handle) {
    Block* block = Find(handle);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!block->moveable || block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--block->locks == 0) {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

SIZE_T Size(void* handle) {
    Block* block = Find(handle);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}

void* Reallocate(void* handle, SIZE_T bytes, UINT flags) {
    Block* block = Find(handle);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if ((flags & GMEM_MODIFY) != 0) {
        // Only the block's kind changes; a fixed block cannot become moveable
        // once its pointer is its handle.
        return handle;
    }
    const bool mayMove = block->moveable || (flags & GMEM_MOVEABLE) != 0;
    if (!mayMove && bytes > block->size) {
        // A fixed block would have to move, which its handle forbids.
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const SIZE_T storage = bytes == 0 ? 1 : bytes;
    void* data = block->data;
    if (mayMove) {
        data = std::realloc(block->data, storage);
        if (data == nullptr) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
    }
    if ((flags & GMEM_ZEROINIT) != 0 && bytes > block->size) {
        std::memset(static_cast<char*>(data) + block->size, 0, bytes - block->size);
    }
    block->size = bytes;
    if (block->moveable) {
        block->data = data;
        return handle;
    }
    Blocks().erase(handle);
    block->data = data;
    Blocks()[data] = block;
    return data;
}

}  // namespace

HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
    return Allocate(uFlags, uBytes);
}
HLOCAL WINAPI LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags) {
    return Reallocate(hMem, uBytes, uFlags);
}
HLOCAL WINAPI LocalFree(HLOCAL hMem) {
    return Free(hMem);
}
LPVOID WINAPI LocalLock(HLOCAL hMem) {
    return Lock(hMem);
}
BOOL WINAPI LocalUnlock(HLOCAL hMem) {
    return Unlock(hMem);
}
SIZE_T WINAPI LocalSize(HLOCAL hMem) {
    return Size(hMem);
}

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    return Allocate(uFlags, dwBytes);
}
HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags) {
    return Reallocate(hMem, dwBytes, uFlags);
}
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    return Free(hMem);
}
LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
    return Lock(hMem);
}
BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
    return Unlock(hMem);
}
SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
    return Size(hMem);
}

HGLOBAL WINAPI GlobalHandle(LPCVOID pMem) {
    if (pMem == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    for (const auto& [handle, block] : Blocks()) {
        if (block->data == pMem) {
            return handle;
        }
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}
