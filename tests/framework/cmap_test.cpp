#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include <gtest/gtest.h>

#include <vedrix/framework/cmap.h>
#include <vedrix/framework/cstring.h>

namespace {

// Every entry, as the iteration reports it; fails on a key seen twice.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
std::map<KEY, VALUE> Entries(const CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& map) {
    std::map<KEY, VALUE> entries;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        KEY key;
        VALUE value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(entries.emplace(key, value).second) << "visited twice";
    }
    return entries;
}

// Lets a test see how many entry blocks the map holds.
class BlockCountingMap : public CMap<int, int, int, int> {
public:
    INT_PTR Blocks() const { return m_pool.GetBlockCount(); }
};

}  // namespace

TEST(CMap, GrowsThroughAHundredThousandKeysWithLookupsAndRemovals) {
    CMap<int, int, int, int> map;
    std::unordered_map<int, int> model;
    for (int i = 0; i < 100000; ++i) {
        const int key = i * 7919 - 300000;  // negative and positive, spread out
        map[key] = i;
        model[key] = i;
        if (i % 3 == 0) {
            const int victim = (i / 2) * 7919 - 300000;
            EXPECT_EQ(map.RemoveKey(victim), model.erase(victim) == 1 ? TRUE : FALSE);
        }
        if (i % 97 == 0) {
            int value = -1;
            const int probe = (i / 4) * 7919 - 300000;
            const auto it = model.find(probe);
            ASSERT_EQ(map.Lookup(probe, value), it != model.end() ? TRUE : FALSE);
            if (it != model.end()) {
                EXPECT_EQ(value, it->second);
            }
        }
    }
    ASSERT_EQ(map.GetCount(), static_cast<INT_PTR>(model.size()));
    // The table grew with the map: at most about two entries per bucket, so
    // chains stay short however many keys there are.
    EXPECT_GE(static_cast<INT_PTR>(map.GetHashTableSize()) * 2, map.GetCount());
    for (const auto& [key, value] : model) {
        int found = -1;
        ASSERT_TRUE(map.Lookup(key, found));
        ASSERT_EQ(found, value);
    }
    const auto entries = Entries(map);
    EXPECT_EQ(entries.size(), model.size());
}

TEST(CMap, IteratesEveryEntryOnceAndAllowsRemovingTheCurrentOne) {
    CMap<int, int, int, int> map;
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map.InitHashTable(7);
    for (int i = 0; i < 50; ++i) {
        map[i] = i * i;
    }
    const auto entries = Entries(map);
    ASSERT_EQ(entries.size(), 50u);
    for (const auto& [key, value] : entries) {
        EXPECT_EQ(value, key * key);
    }

    std::set<int> visited;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        int key = 0;
        int value = 0;
        map.GetNextAssoc(pos, key, value);
        visited.insert(key);
        if (key % 2 == 0) {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(visited.size(), 50u);
    EXPECT_EQ(map.GetCount(), 25);
    EXPECT_EQ(Entries(map).begin()->first, 1);
}

TEST(CMap, StringKeysInsertUpdateAndRemove) {
    CMap<CString, LPCTSTR, int, int> map;
    EXPECT_EQ(map[CString("alpha")], 0);  // added with a zero value
    map["alpha"] += 2;
    map.SetAt("beta", 5);
    map.SetAt("beta", 6);
    EXPECT_EQ(map.GetCount(), 2);

    char stored[] = "beta";  // the same text in other storage finds the entry
    int value = 0;
    EXPECT_TRUE(map.Lookup(stored, value));
    EXPECT_EQ(value, 6);
    EXPECT_FALSE(map.Lookup("Beta", value));

    auto* pPair = map.PLookup("alpha");
    ASSERT_NE(pPair, nullptr);
    EXPECT_EQ(pPair->key, "alpha");
    pPair->value = 9;
    EXPECT_EQ(map["alpha"], 9);
    EXPECT_EQ(map.PLookup("gamma"), nullptr);

    EXPECT_FALSE(map.RemoveKey("gamma"));
    EXPECT_TRUE(map.RemoveKey("alpha"));
    EXPECT_FALSE(map.RemoveKey("alpha"));
    EXPECT_TRUE(map.RemoveKey("beta"));
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map["again"] = 1;  // usable after becoming empty
    EXPECT_EQ(map.GetCount(), 1);

    CMap<CString, const CString&, CString, const CString&> names;
    names.SetAt(CString("k"), CString("v"));
    CString text;
    EXPECT_TRUE(names.Lookup(CString("k"), text));
    EXPECT_EQ(text, "v");
}

TEST(CMap, ReusesEntryBlocksAndReleasesThemWhenEmpty) {
    BlockCountingMap map;
    for (int i = 0; i < 20; ++i) {
        map[i] = i;
    }
    EXPECT_EQ(map.Blocks(), 2);
    for (int i = 20; i < 3000; ++i) {
        EXPECT_TRUE(map.RemoveKey(i - 20));
        map[i] = i;
    }
    EXPECT_EQ(map.Blocks(), 2);
    for (int i = 2980; i < 3000; ++i) {
        map.RemoveKey(i);
    }
    EXPECT_EQ(map.Blocks(), 0);
    map[1] = 1;
    map.RemoveAll();
    EXPECT_EQ(map.Blocks(), 0);
}

TEST(CMap, InitHashTableKeepsExistingEntries) {
    CMap<const void*, const void*, int, int> map;
    std::vector<int> objects(40);
    for (int i = 0; i < 40; ++i) {
        map[&objects[i]] = i;
    }
    map.InitHashTable(101);
    EXPECT_EQ(map.GetHashTableSize(), 101u);
    for (int i = 0; i < 40; ++i) {
        int value = -1;
        ASSERT_TRUE(map.Lookup(&objects[i], value));
        EXPECT_EQ(value, i);
    }
    map.RemoveAll();
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_FALSE(map.RemoveKey(&objects[0]));
}

TEST(HashKey, HashesTextByContent) {
    const CString a = "Level 1";
    const char other[] = "Level 1";
    EXPECT_EQ(HashKey<LPCSTR>(a), HashKey<LPCSTR>(other));
    EXPECT_EQ(HashKey<const CString&>(a), HashKey<LPCSTR>(other));
    EXPECT_EQ(HashKey<LPCSTR>(nullptr), HashKey<LPCSTR>(""));
    EXPECT_NE(HashKey<LPCSTR>("Level 1"), HashKey<LPCSTR>("Level 2"));
}
