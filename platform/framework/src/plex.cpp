#include <vedrix/framework/plex.h>

#include <limits>
#include <new>

#include <vedrix/framework/debug.h>

namespace {

// align is a power of two.
std::size_t RoundUp(std::size_t n, std::size_t align) {
    return (n + align - 1) & ~(align - 1);
}

}  // namespace

CPlexPool::CPlexPool(std::size_t nNodeSize, std::size_t nNodeAlign, INT_PTR nBlockSize)
    : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 1) {
    ASSERT(nBlockSize > 0);
    VEDRIX_REQUIRE(nNodeAlign != 0 && (nNodeAlign & (nNodeAlign - 1)) == 0);
    // A free node holds the free list's link in its own storage, so every node
    // must be able to hold that link too.
    m_nAlign = nNodeAlign > alignof(FreeNode) ? nNodeAlign : alignof(FreeNode);
    if (m_nAlign < alignof(Block)) {
        m_nAlign = alignof(Block);
    }
    const std::size_t nodeSize = nNodeSize > sizeof(FreeNode) ? nNodeSize : sizeof(FreeNode);
    m_nStride = RoundUp(nodeSize, m_nAlign);
    m_nHeaderSize = RoundUp(sizeof(Block), m_nAlign);
    // Whether a block's size fits is checked when the first block is made:
    // containers are created far more often than they are filled.
}

CPlexPool::~CPlexPool() {
    FreeAll();
}

void* CPlexPool::Alloc() {
    if (m_pFreeList == nullptr) {
        AllocBlock();
    }
    FreeNode* pNode = m_pFreeList;
    m_pFreeList = pNode->pNext;
    pNode->~FreeNode();
    return pNode;
}

void CPlexPool::Free(void* pNode) {
    VEDRIX_REQUIRE(pNode != nullptr);
    m_pFreeList = ::new (pNode) FreeNode{m_pFreeList};
}

void CPlexPool::FreeAll() {
    Block* pBlock = m_pBlocks;
    while (pBlock != nullptr) {
        Block* pNext = pBlock->pNext;
        pBlock->~Block();
        ::operator delete (static_cast<void*>(pBlock), std::align_val_t{m_nAlign});
        pBlock = pNext;
    }
    m_pBlocks = nullptr;
    m_pFreeList = nullptr;
    m_nBlocks = 0;
}

void CPlexPool::AllocBlock() {
    const std::size_t maxNodes =
        (std::numeric_limits<std::size_t>::max() - m_nHeaderSize) / m_nStride;
    VEDRIX_REQUIRE(static_cast<std::size_t>(m_nBlockSize) <= maxNodes);
    const std::size_t bytes = m_nHeaderSize + m_nStride * static_cast<std::size_t>(m_nBlockSize);
    void* pRaw = ::operator new (bytes, std::align_val_t{m_nAlign});
    m_pBlocks = ::new (pRaw) Block{m_pBlocks};
    ++m_nBlocks;
    // Chain the new nodes last to first, so that they are handed out in
    // address order.
    unsigned char* pFirst = static_cast<unsigned char*>(pRaw) + m_nHeaderSize;
    for (INT_PTR i = m_nBlockSize; i-- > 0;) {
        m_pFreeList =
            ::new (pFirst + m_nStride * static_cast<std::size_t>(i)) FreeNode{m_pFreeList};
    }
}
