// Storage for the level tree's many small objects (levels, dictionary nodes,
// short names). A structure file of 100,000 levels makes some 300,000 of
// them; taking them from per-thread free lists carved out of large slabs
// keeps reading and discarding trees fast. Slabs are kept for reuse, never
// given back. Builds with the address sanitizer use the plain heap, so that
// it sees every object.
#pragma once

#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define VEDRIX_PLAIN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEDRIX_PLAIN_HEAP 1
#endif
#endif

namespace vedrix::model::detail {

template <std::size_t Size, std::size_t Align = alignof(std::max_align_t)>
class SmallObjectPool {
    static_assert(Size >= sizeof(void*), "a free chunk holds the link to the next");

public:
    static void* allocate() {
#if defined(VEDRIX_PLAIN_HEAP)
        return ::operator new (Size, std::align_val_t{Align});
#else
        Chunk*& head = freeList();
        if (head == nullptr) {
            refill(head);
        }
        Chunk* chunk = head;
        head = chunk->next;
        return chunk;
#endif
    }

    static void deallocate(void* p) noexcept {
        if (p == nullptr) {
            return;
        }
#if defined(VEDRIX_PLAIN_HEAP)
        ::operator delete (p, std::align_val_t{Align});
#else
        Chunk*& head = freeList();
        head = ::new (p) Chunk{head};
#endif
    }

private:
    struct Chunk {
        Chunk* next;
    };
    static constexpr std::size_t kStride = (Size + Align - 1) / Align * Align;
    static constexpr std::size_t kPerSlab = kStride >= 4096 ? 1 : 65536 / kStride;

    static Chunk*& freeList() {
        static thread_local Chunk* head = nullptr;
        return head;
    }

    static void refill(Chunk*& head) {
        auto* slab = static_cast<unsigned char*>(
            ::operator new (kStride* kPerSlab, std::align_val_t{Align}));
        for (std::size_t i = kPerSlab; i-- > 0;) {
            head = ::new (slab + i * kStride) Chunk{head};
        }
    }
};

}  // namespace vedrix::model::detail
