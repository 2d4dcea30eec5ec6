// CArray: a growable array of TYPE, indexed from 0.
//
// Elements are stored contiguously; GetData gives the storage (null while
// the array is empty). New elements are value-initialised (zero for numbers
// and pointers). Growing keeps spare room: nGrowBy elements when it was set
// with SetSize, otherwise an eighth of the size (at least 4, at most 1024),
// so that a sequence of Add calls reallocates only now and then. Any change
// of size may move the elements: pointers and references into the array are
// then no longer valid. An index outside 0..GetUpperBound() is a programming
// error.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include <vedrix/framework/cobject.h>
#include <vedrix/framework/debug.h>
#include <vedrix/framework/export.h>
#include <vedrix/framework/types.h>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0 ? TRUE : FALSE; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // Changes the number of elements: new ones are value-initialised, extra
    // ones destroyed. nGrowBy, when not -1, sets how many elements a later
    // growth reserves beyond the need (0: the default policy).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
        VEDRIX_REQUIRE(nNewSize >= 0);
        if (nGrowBy >= 0) {
            m_nGrowBy = nGrowBy;
        }
        if (nNewSize == 0) {
            RemoveAll();
            return;
        }
        if (nNewSize > m_nMaxSize) {
            INT_PTR nGrow = m_nGrowBy;
            if (nGrow == 0) {
                nGrow = (std::min)(INT_PTR{1024}, (std::max)(INT_PTR{4}, m_nSize / 8));
            }
            Reallocate((std::max)(nNewSize, m_nMaxSize + nGrow));
        }
        for (INT_PTR i = m_nSize; i < nNewSize; ++i) {
            ::new (static_cast<void*>(m_pData + i)) TYPE();
            m_nSize = i + 1;  // counted one by one: a throwing constructor leaves a valid array
        }
        Destroy(nNewSize, m_nSize);
        m_nSize = nNewSize;
    }
    // Gives back the spare room beyond the current size.
    void FreeExtra() {
        if (m_nSize != m_nMaxSize) {
            Reallocate(m_nSize);
        }
    }
    void RemoveAll() {
        Destroy(0, m_nSize);
        Deallocate(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
    }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
    TYPE& operator[](INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }

    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    // Sets the element at nIndex, first growing the array to nIndex + 1
    // elements when it is shorter. newElement may be an element of this array.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
        VEDRIX_REQUIRE(nIndex >= 0);
        if (nIndex >= m_nSize) {
            TYPE value(newElement);  // a copy: growing may move newElement
            SetSize(nIndex + 1);
            m_pData[nIndex] = std::move(value);
        } else {
            m_pData[nIndex] = newElement;
        }
    }
    // Appends newElement and returns its index.
    INT_PTR Add(ARG_TYPE newElement) {
        const INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Appends copies of src's elements (src may be this array) and returns
    // the index of the first one.
    INT_PTR Append(const CArray& src) {
        const INT_PTR nOldSize = m_nSize;
        const INT_PTR nCount = src.m_nSize;
        SetSize(nOldSize + nCount);
        for (INT_PTR i = 0; i < nCount; ++i) {
            m_pData[nOldSize + i] = src.m_pData[i];
        }
        return nOldSize;
    }
    // Makes this array a copy of src.
    void Copy(const CArray& src) {
        if (&src == this) {
            return;
        }
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            m_pData[i] = src.m_pData[i];
        }
    }

    // Inserts nCount copies of newElement at nIndex, moving the elements from
    // nIndex on up. An index past the end first grows the array to nIndex.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
        VEDRIX_REQUIRE(nIndex >= 0 && nCount >= 0);
        if (nCount == 0) {
            return;
        }
        TYPE value(newElement);  // a copy: newElement may be an element of this array
        const INT_PTR nOldSize = m_nSize;
        if (nIndex >= nOldSize) {
            SetSize(nIndex + nCount);
        } else {
            SetSize(nOldSize + nCount);
            std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
        }
        std::fill(m_pData + nIndex, m_pData + nIndex + nCount, value);
    }
    // Inserts copies of all elements of pNewArray at nStartIndex.
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
        VEDRIX_REQUIRE(pNewArray != nullptr && nStartIndex >= 0);
        if (pNewArray == this) {
            CArray copy;
            copy.Copy(*this);
            InsertAt(nStartIndex, &copy);
            return;
        }
        const INT_PTR nCount = pNewArray->m_nSize;
        if (nCount == 0) {
            return;
        }
        InsertAt(nStartIndex, pNewArray->m_pData[0], nCount);
        for (INT_PTR i = 1; i < nCount; ++i) {
            m_pData[nStartIndex + i] = pNewArray->m_pData[i];
        }
    }
    // Removes nCount elements from nIndex on, moving the later ones down.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
        VEDRIX_REQUIRE(nIndex >= 0 && nCount >= 0 && nIndex <= m_nSize - nCount);
        if (nCount == 0) {
            return;  // moving the elements onto themselves would empty strings
        }
        std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
        Destroy(m_nSize - nCount, m_nSize);
        m_nSize -= nCount;
    }

protected:
    INT_PTR Checked(INT_PTR nIndex) const {
        VEDRIX_REQUIRE(nIndex >= 0 && nIndex < m_nSize);
        return nIndex;
    }

    static TYPE* Allocate(INT_PTR n) {
        return static_cast<TYPE*>(::operator new (static_cast<std::size_t>(n) * sizeof(TYPE),
                                                  std::align_val_t{alignof(TYPE)}));
    }
    static void Deallocate(TYPE* p) {
        if (p != nullptr) {
            ::operator delete (static_cast<void*>(p), std::align_val_t{alignof(TYPE)});
        }
    }
    void Destroy(INT_PTR nFrom, INT_PTR nTo) {
        for (INT_PTR i = nFrom; i < nTo; ++i) {
            m_pData[i].~TYPE();
        }
    }

    // Moves the elements into new storage of nNewMax elements (at least the
    // current size).
    void Reallocate(INT_PTR nNewMax) {
        VEDRIX_REQUIRE(nNewMax >= m_nSize &&
                       static_cast<std::size_t>(nNewMax) <= PTRDIFF_MAX / sizeof(TYPE));
        TYPE* pNew = nNewMax > 0 ? Allocate(nNewMax) : nullptr;
        INT_PTR nMoved = 0;
        try {
            for (; nMoved < m_nSize; ++nMoved) {
                ::new (static_cast<void*>(pNew + nMoved))
                    TYPE(std::move_if_noexcept(m_pData[nMoved]));
            }
        } catch (...) {
            for (INT_PTR i = 0; i < nMoved; ++i) {
                pNew[i].~TYPE();
            }
            Deallocate(pNew);
            throw;
        }
        Destroy(0, m_nSize);
        Deallocate(m_pData);
        m_pData = pNew;
        m_nMaxSize = nNewMax;
    }

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

// An array of UINT.
class VEDRIX_FRAMEWORK_API CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)

public:
    CUIntArray();
    ~CUIntArray() override;
};
