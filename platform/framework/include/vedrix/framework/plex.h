// CPlexPool: storage for the nodes of a list or a map, carved out of blocks.
//
// A container asks for one node's raw storage at a time. Storage comes from
// blocks of nBlockSize nodes each, so that a container of n elements makes
// about n / nBlockSize allocations instead of n. A freed node goes onto a free
// list and is handed out again before a new block is allocated. Blocks are
// given back only all at once, by FreeAll or the destructor, after the
// container has destroyed every node it had.
#pragma once

#include <cstddef>

#include <vedrix/framework/export.h>
#include <vedrix/framework/types.h>

class VEDRIX_FRAMEWORK_API CPlexPool {
public:
    // Nodes of nNodeSize bytes aligned to nNodeAlign (a power of two).
    CPlexPool(std::size_t nNodeSize, std::size_t nNodeAlign, INT_PTR nBlockSize = 10);
    ~CPlexPool();
    CPlexPool(const CPlexPool&) = delete;
    CPlexPool& operator=(const CPlexPool&) = delete;

    // Uninitialised, suitably aligned storage for one node.
    void* Alloc();
    // Takes back storage from Alloc whose object has been destroyed.
    void Free(void* pNode);
    // Releases every block. No node may be in use.
    void FreeAll();

    // Number of blocks currently held.
    INT_PTR GetBlockCount() const { return m_nBlocks; }
    INT_PTR GetBlockSize() const { return m_nBlockSize; }

private:
    struct Block {
        Block* pNext;
    };
    struct FreeNode {
        FreeNode* pNext;
    };

    void AllocBlock();

    std::size_t m_nStride;      // bytes from one node to the next
    std::size_t m_nAlign;       // alignment of blocks and nodes
    std::size_t m_nHeaderSize;  // bytes before the first node of a block
    INT_PTR m_nBlockSize;       // nodes per block
    INT_PTR m_nBlocks = 0;
    Block* m_pBlocks = nullptr;
    FreeNode* m_pFreeList = nullptr;
};
