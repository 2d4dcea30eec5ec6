#include <cstdint>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include <vedrix/framework/plex.h>

namespace {

struct alignas(64) Wide {
    char bytes[72];
};

bool IsAligned(const void* p, std::size_t align) {
    return reinterpret_cast<std::uintptr_t>(p) % align == 0;
}

}  // namespace

TEST(CPlexPool, CarvesNodesOutOfBlocks) {
    CPlexPool pool(sizeof(Wide), alignof(Wide), 4);
    std::set<void*> nodes;
    for (int i = 0; i < 9; ++i) {
        void* p = pool.Alloc();
        EXPECT_TRUE(IsAligned(p, alignof(Wide)));
        ::new (p) Wide{};  // the whole node is writable
        nodes.insert(p);
    }
    EXPECT_EQ(nodes.size(), 9u);
    EXPECT_EQ(pool.GetBlockCount(), 3);
    for (void* p : nodes) {
        pool.Free(p);
    }
    pool.FreeAll();
    EXPECT_EQ(pool.GetBlockCount(), 0);
}

TEST(CPlexPool, ReusesFreedNodesBeforeAllocatingBlocks) {
    CPlexPool pool(sizeof(int), alignof(int), 10);
    std::vector<void*> live;
    for (int i = 0; i < 10; ++i) {
        live.push_back(pool.Alloc());
    }
    const std::set<void*> freed(live.begin() + 3, live.begin() + 6);
    for (void* p : freed) {
        pool.Free(p);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(freed.count(pool.Alloc()), 1u);
    }
    EXPECT_EQ(pool.GetBlockCount(), 1);
    pool.Alloc();
    EXPECT_EQ(pool.GetBlockCount(), 2);

    pool.FreeAll();
    EXPECT_EQ(pool.GetBlockCount(), 0);
    ::new (pool.Alloc()) int(1);  // usable again after FreeAll
    EXPECT_EQ(pool.GetBlockCount(), 1);
}
