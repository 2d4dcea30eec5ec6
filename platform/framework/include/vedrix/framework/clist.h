// CList: a doubly linked list of TYPE, walked with POSITION values.
//
// Nodes live in a CPlexPool: they are allocated in blocks of nBlockSize, a
// removed node's storage is reused by the next insertion, and all blocks are
// released when the list becomes empty. A POSITION stays valid until its own
// element is removed.
#pragma once

#include <new>
#include <utility>

#include <vedrix/framework/cobject.h>
#include <vedrix/framework/debug.h>
#include <vedrix/framework/plex.h>
#include <vedrix/framework/types.h>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_pool(sizeof(CNode), alignof(CNode), nBlockSize) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0 ? TRUE : FALSE; }

    // The list must not be empty.
    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

    // Remove the first or last element and return it. The list must not be
    // empty.
    TYPE RemoveHead() {
        CNode* pNode = NonEmpty(m_pNodeHead);
        TYPE value(std::move(pNode->data));
        Unlink(pNode);
        return value;
    }
    TYPE RemoveTail() {
        CNode* pNode = NonEmpty(m_pNodeTail);
        TYPE value(std::move(pNode->data));
        Unlink(pNode);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) {
        return ToPos(LinkNew(nullptr, m_pNodeHead, newElement));
    }
    POSITION AddTail(ARG_TYPE newElement) {
        return ToPos(LinkNew(m_pNodeTail, nullptr, newElement));
    }
    // Copies of all elements of pNewList, in their order, before the first or
    // after the last element. pNewList may be this list.
    void AddHead(CList* pNewList) {
        VEDRIX_REQUIRE(pNewList != nullptr);
        INT_PTR n = pNewList->m_nCount;
        CNode* pNode = pNewList->m_pNodeTail;
        for (; n > 0; --n) {
            CNode* pPrev = pNode->pPrev;  // read first: a new head may go before pNode
            AddHead(pNode->data);
            pNode = pPrev;
        }
    }
    void AddTail(CList* pNewList) {
        VEDRIX_REQUIRE(pNewList != nullptr);
        INT_PTR n = pNewList->m_nCount;
        CNode* pNode = pNewList->m_pNodeHead;
        for (; n > 0; --n) {
            CNode* pNext = pNode->pNext;
            AddTail(pNode->data);
            pNode = pNext;
        }
    }

    void RemoveAll() {
        CNode* pNode = m_pNodeHead;
        while (pNode != nullptr) {
            CNode* pNext = pNode->pNext;
            pNode->~CNode();
            pNode = pNext;
        }
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
        m_pool.FreeAll();
    }

    POSITION GetHeadPosition() const { return ToPos(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPos(m_pNodeTail); }

    // The element at rPosition; rPosition moves to the next (previous)
    // element, or null past the end.
    TYPE& GetNext(POSITION& rPosition) {
        CNode* pNode = FromPos(rPosition);
        rPosition = ToPos(pNode->pNext);
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const {
        const CNode* pNode = FromPos(rPosition);
        rPosition = ToPos(pNode->pNext);
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition) {
        CNode* pNode = FromPos(rPosition);
        rPosition = ToPos(pNode->pPrev);
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const {
        const CNode* pNode = FromPos(rPosition);
        rPosition = ToPos(pNode->pPrev);
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return FromPos(position)->data; }
    const TYPE& GetAt(POSITION position) const { return FromPos(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { FromPos(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(FromPos(position)); }

    // A null position inserts at the head (InsertBefore) or the tail
    // (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
        if (position == nullptr) {
            return AddHead(newElement);
        }
        CNode* pOld = FromPos(position);
        return ToPos(LinkNew(pOld->pPrev, pOld, newElement));
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
        if (position == nullptr) {
            return AddTail(newElement);
        }
        CNode* pOld = FromPos(position);
        return ToPos(LinkNew(pOld, pOld->pNext, newElement));
    }

    // The first element equal to searchValue (by operator==) after
    // startAfter, or from the head when startAfter is null; null if none.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
        const CNode* pNode = startAfter == nullptr ? m_pNodeHead : FromPos(startAfter)->pNext;
        for (; pNode != nullptr; pNode = pNode->pNext) {
            if (pNode->data == searchValue) {
                return ToPos(pNode);
            }
        }
        return nullptr;
    }
    // The position of the nIndex-th element (from 0), or null when out of
    // range.
    POSITION FindIndex(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= m_nCount) {
            return nullptr;
        }
        const CNode* pNode = m_pNodeHead;
        while (nIndex-- > 0) {
            pNode = pNode->pNext;
        }
        return ToPos(pNode);
    }

protected:
    static POSITION ToPos(const CNode* pNode) {
        return reinterpret_cast<POSITION>(const_cast<CNode*>(pNode));
    }
    static CNode* FromPos(POSITION position) {
        VEDRIX_REQUIRE(position != nullptr && position != BEFORE_START_POSITION);
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* NonEmpty(CNode* pNode) {
        VEDRIX_REQUIRE(pNode != nullptr);  // the list is empty
        return pNode;
    }

    // A new node holding a copy of newElement, linked between pPrev and
    // pNext (either may be null at the ends).
    CNode* LinkNew(CNode* pPrev, CNode* pNext, ARG_TYPE newElement) {
        void* pRaw = m_pool.Alloc();
        CNode* pNode;
        try {
            pNode = ::new (pRaw) CNode{pNext, pPrev, TYPE(newElement)};
        } catch (...) {
            m_pool.Free(pRaw);
            throw;
        }
        (pPrev != nullptr ? pPrev->pNext : m_pNodeHead) = pNode;
        (pNext != nullptr ? pNext->pPrev : m_pNodeTail) = pNode;
        ++m_nCount;
        return pNode;
    }

    void Unlink(CNode* pNode) {
        (pNode->pPrev != nullptr ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
        (pNode->pNext != nullptr ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
        pNode->~CNode();
        m_pool.Free(pNode);
        if (--m_nCount == 0) {
            // An emptied list gives its blocks back.
            m_pool.FreeAll();
        }
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    CPlexPool m_pool;
};
