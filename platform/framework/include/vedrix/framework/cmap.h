// CMap: a hash table from KEY to VALUE with chained buckets.
//
// Keys are hashed with HashKey (below; give a specialisation for other key
// types) and compared with operator==. Entries live in a CPlexPool, like the
// nodes of CList.
//
// The table grows by itself: when the number of entries passes twice the
// number of buckets, the entries are redistributed over a table of about
// twice the size (the next prime). Chains stay two entries long on average,
// so a map of a hundred thousand keys looks up as fast as a small one, and
// the total work of all the regrowths stays proportional to the number of
// insertions. A table set with InitHashTable grows the same way once it is
// full.
//
// Iterating with GetStartPosition and GetNextAssoc visits every entry once,
// in no particular order. Removing the entry just returned is allowed during
// an iteration; adding entries is not (a regrowth reorders them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

#include <vedrix/framework/cobject.h>
#include <vedrix/framework/cstring.h>
#include <vedrix/framework/debug.h>
#include <vedrix/framework/plex.h>
#include <vedrix/framework/types.h>

namespace vedrix::framework {

// Spreads the bits of a key over the whole result, so that keys that differ
// only in high bits, or pointers that share their low (alignment) bits, still
// fall into different buckets.
inline UINT HashMix(std::uint64_t v) {
    v ^= v >> 33;
    v *= 0xff51afd7ed558ccdULL;
    v ^= v >> 33;
    v *= 0xc4ceb9fe1a85ec53ULL;
    v ^= v >> 33;
    return static_cast<UINT>(v);
}

// FNV-1a over the bytes.
inline UINT HashBytes(const char* p, std::size_t n) {
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= static_cast<unsigned char>(p[i]);
        h *= 16777619u;
    }
    return static_cast<UINT>(h);
}

// The smallest prime that is at least n (n small enough for a hash table).
inline UINT NextPrime(UINT n) {
    if (n <= 2) {
        return 2;
    }
    for (UINT c = n | 1u;; c += 2) {
        bool prime = true;
        for (UINT d = 3; d <= c / d; d += 2) {
            if (c % d == 0) {
                prime = false;
                break;
            }
        }
        if (prime) {
            return c;
        }
    }
}

}  // namespace vedrix::framework

// The hash of an integral, enumeration or pointer key.
template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key) {
    using K = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
    static_assert(std::is_integral_v<K> || std::is_enum_v<K> || std::is_pointer_v<K>,
                  "no HashKey for this key type: give a specialisation");
    if constexpr (std::is_pointer_v<K>) {
        return ::vedrix::framework::HashMix(reinterpret_cast<std::uintptr_t>(key));
    } else {
        return ::vedrix::framework::HashMix(static_cast<std::uint64_t>(key));
    }
}

// Strings hash their bytes, so that equal texts hash alike wherever they are
// stored. A null pointer hashes as the empty string.
template <>
inline UINT HashKey<LPCSTR>(LPCSTR key) {
    return ::vedrix::framework::HashBytes(key, key != nullptr ? std::strlen(key) : 0);
}
template <>
inline UINT HashKey<LPSTR>(LPSTR key) {
    return HashKey<LPCSTR>(key);
}
template <>
inline UINT HashKey<const CString&>(const CString& key) {
    return ::vedrix::framework::HashBytes(key.GetString(),
                                          static_cast<std::size_t>(key.GetLength()));
}
template <>
inline UINT HashKey<CString>(CString key) {
    return HashKey<const CString&>(key);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    // One entry, as PLookup returns it: the key cannot be changed in place.
    class CPair {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair {
    public:
        CAssoc(ARG_KEY keyval, UINT nHash, CAssoc* pNextInChain)
            : CPair(keyval), pNext(pNextInChain), nHashValue(nHash) {}
        CAssoc* pNext;
        UINT nHashValue;  // the full hash; the bucket is nHashValue % table size
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_pool(sizeof(CAssoc), alignof(CAssoc), nBlockSize) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0 ? TRUE : FALSE; }

    // Sets the number of buckets; with bAllocNow the table is allocated at
    // once, otherwise at the first insertion. Entries already present are
    // redistributed.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
        VEDRIX_REQUIRE(hashSize > 0);
        if (m_pHashTable != nullptr || bAllocNow) {
            Rehash(hashSize);
        } else {
            m_nHashTableSize = hashSize;
        }
    }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
        const CAssoc* pAssoc = Find(key, HashKey<ARG_KEY>(key));
        if (pAssoc == nullptr) {
            return FALSE;
        }
        rValue = pAssoc->value;
        return TRUE;
    }
    CPair* PLookup(ARG_KEY key) { return Find(key, HashKey<ARG_KEY>(key)); }
    const CPair* PLookup(ARG_KEY key) const { return Find(key, HashKey<ARG_KEY>(key)); }

    // The value for key; a missing key is added with a value-initialised
    // VALUE (zero for numbers and pointers).
    VALUE& operator[](ARG_KEY key) {
        const UINT nHash = HashKey<ARG_KEY>(key);
        CAssoc* pAssoc = Find(key, nHash);
        if (pAssoc != nullptr) {
            return pAssoc->value;
        }
        if (m_pHashTable == nullptr) {
            Rehash(m_nHashTableSize);
        } else if (static_cast<std::size_t>(m_nCount) >= std::size_t{2} * m_nHashTableSize) {
            Rehash(::vedrix::framework::NextPrime(Grown(m_nHashTableSize)));
        }
        CAssoc*& rBucket = m_pHashTable[nHash % m_nHashTableSize];
        void* pRaw = m_pool.Alloc();
        try {
            pAssoc = ::new (pRaw) CAssoc(key, nHash, rBucket);
        } catch (...) {
            m_pool.Free(pRaw);
            throw;
        }
        rBucket = pAssoc;
        ++m_nCount;
        return pAssoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    // FALSE when the key was not there.
    BOOL RemoveKey(ARG_KEY key) {
        if (m_pHashTable == nullptr) {
            return FALSE;
        }
        const UINT nHash = HashKey<ARG_KEY>(key);
        CAssoc** ppLink = &m_pHashTable[nHash % m_nHashTableSize];
        for (CAssoc* pAssoc = *ppLink; pAssoc != nullptr; pAssoc = *ppLink) {
            if (pAssoc->nHashValue == nHash && pAssoc->key == key) {
                *ppLink = pAssoc->pNext;
                pAssoc->~CAssoc();
                m_pool.Free(pAssoc);
                if (--m_nCount == 0) {
                    RemoveAll();
                }
                return TRUE;
            }
            ppLink = &pAssoc->pNext;
        }
        return FALSE;
    }

    // Removes every entry and gives back the table and the blocks; the table
    // size is kept for the next insertion.
    void RemoveAll() {
        if (m_pHashTable != nullptr) {
            for (UINT i = 0; i < m_nHashTableSize; ++i) {
                for (CAssoc* pAssoc = m_pHashTable[i]; pAssoc != nullptr;) {
                    CAssoc* pNext = pAssoc->pNext;
                    pAssoc->~CAssoc();
                    pAssoc = pNext;
                }
            }
            m_pHashTable.reset();
        }
        m_nCount = 0;
        m_pool.FreeAll();
    }

    // Null for an empty map, else the position before the first entry.
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    // Copies out the entry at rNextPosition and moves rNextPosition to the
    // next entry, or null after the last.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
        VEDRIX_REQUIRE(rNextPosition != nullptr && m_pHashTable != nullptr);
        const CAssoc* pAssoc = rNextPosition == BEFORE_START_POSITION
                                   ? FirstInBuckets(0)
                                   : reinterpret_cast<const CAssoc*>(rNextPosition);
        VEDRIX_REQUIRE(pAssoc != nullptr);
        rKey = pAssoc->key;
        rValue = pAssoc->value;
        const CAssoc* pNext = pAssoc->pNext;
        if (pNext == nullptr) {
            pNext = FirstInBuckets(pAssoc->nHashValue % m_nHashTableSize + 1);
        }
        rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(pNext));
    }

protected:
    static UINT Grown(UINT nSize) {
        constexpr UINT kMax = 1u << 30;
        return nSize < kMax / 2 ? 2 * nSize + 1 : kMax;
    }

    CAssoc* Find(ARG_KEY key, UINT nHash) const {
        if (m_pHashTable == nullptr) {
            return nullptr;
        }
        for (CAssoc* pAssoc = m_pHashTable[nHash % m_nHashTableSize]; pAssoc != nullptr;
             pAssoc = pAssoc->pNext) {
            if (pAssoc->nHashValue == nHash && pAssoc->key == key) {
                return pAssoc;
            }
        }
        return nullptr;
    }

    const CAssoc* FirstInBuckets(UINT nBucket) const {
        for (; nBucket < m_nHashTableSize; ++nBucket) {
            if (m_pHashTable[nBucket] != nullptr) {
                return m_pHashTable[nBucket];
            }
        }
        return nullptr;
    }

    // Allocates a table of nNewSize buckets and moves every entry into it.
    void Rehash(UINT nNewSize) {
        std::unique_ptr<CAssoc*[]> pNewTable(new CAssoc*[nNewSize]());
        if (m_pHashTable != nullptr) {
            for (UINT i = 0; i < m_nHashTableSize; ++i) {
                for (CAssoc* pAssoc = m_pHashTable[i]; pAssoc != nullptr;) {
                    CAssoc* pNext = pAssoc->pNext;
                    CAssoc*& rBucket = pNewTable[pAssoc->nHashValue % nNewSize];
                    pAssoc->pNext = rBucket;
                    rBucket = pAssoc;
                    pAssoc = pNext;
                }
            }
        }
        m_pHashTable = std::move(pNewTable);
        m_nHashTableSize = nNewSize;
    }

    std::unique_ptr<CAssoc*[]> m_pHashTable;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CPlexPool m_pool;
};
