// The level tree: dictionary, levels, search, ID checks and ownership.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <vedrix/model.h>

#include "tree_samples.h"

namespace {

unsigned char* uuidText(std::string& s) {
    return reinterpret_cast<unsigned char*>(s.data());
}

// Height of a dictionary subtree, checking balance values on the way.
template <class Node>
int checkedHeight(const Node* n, bool& balanced) {
    if (n == nullptr) {
        return 0;
    }
    const int left = checkedHeight(n->left, balanced);
    const int right = checkedHeight(n->right, balanced);
    if (right - left != n->balance || n->balance < -1 || n->balance > 1) {
        balanced = false;
    }
    return 1 + std::max(left, right);
}

TEST(ZuDictionary, StaysBalancedAndIteratesInKeyOrder) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        ZU_Dictionary<unsigned long, int> dict;
        std::set<unsigned long> keys;
        const int count = 1 + static_cast<int>(rng() % 3000);
        for (int i = 0; i < count; ++i) {
            // Ascending, descending and random runs exercise every rotation.
            unsigned long key = round % 3 == 0   ? static_cast<unsigned long>(i)
                                : round % 3 == 1 ? static_cast<unsigned long>(count - i)
                                                 : rng() % 5000;
            int* slot = dict.insert(key);
            ASSERT_NE(slot, nullptr);
            *slot = static_cast<int>(key) * 2;
            keys.insert(key);
        }
        ASSERT_EQ(dict.size(), keys.size());
        bool balanced = true;
        checkedHeight(dict.rootNode(), balanced);
        EXPECT_TRUE(balanced) << "round " << round;
        std::vector<unsigned long> visited;
        for (const auto& node : dict) {
            visited.push_back(node.key);
            EXPECT_EQ(node.value, static_cast<int>(node.key) * 2);
        }
        EXPECT_TRUE(std::equal(visited.begin(), visited.end(), keys.begin(), keys.end()));
    }
}

TEST(ZuDictionary, PresentKeyHandsBackTheExistingSlot) {
    ZU_Dictionary<int, const char*> dict;
    *dict.insert(-3) = "first";
    const char** again = dict.insert(-3);
    EXPECT_STREQ(*again, "first");
    *again = "second";
    EXPECT_EQ(dict.size(), 1u);
    EXPECT_STREQ(*dict.find(-3), "second");
    EXPECT_EQ(dict.find(3), nullptr);
    // Signed keys order as signed numbers.
    *dict.insert(2) = "b";
    *dict.insert(-10) = "a";
    std::vector<int> order;
    for (auto it = dict.begin(); !it.atEnd(); it.next()) {
        order.push_back(it.key());
    }
    EXPECT_EQ(order, (std::vector<int>{-10, -3, 2}));
}

TEST(Level, StoresFieldsAndBoundsItsTexts) {
    std::string longUuid(120, 'u');
    Zel_GM_Level level(3, 17, 4, "Storey 1", 3, uuidText(longUuid));
    EXPECT_EQ(level.getLevelNr(), 3);
    EXPECT_EQ(level.getID(), 17u);
    EXPECT_EQ(level.getParentID(), 4u);
    EXPECT_EQ(level.getStatus(), 3);
    EXPECT_EQ(std::string(level.getUuidText()), std::string(99, 'u'));

    unsigned char out[100];
    std::fill(std::begin(out), std::end(out), 'x');
    level.GetUuidString(out, 99);
    EXPECT_EQ(out[0], '\0');
    level.GetUuidString(out, 100);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out)), std::string(99, 'u'));
    level.GetUuidString(nullptr, 100);  // does nothing

    char name[6];
    EXPECT_EQ(level.getName(name, sizeof name), name);
    EXPECT_STREQ(name, "Store");

    Zel_GM_Level plain(1, 1, 0, nullptr, 0, nullptr);
    EXPECT_STREQ(plain.getNameText(), "");
    EXPECT_STREQ(plain.getUuidText(), "");
}

// A tree with the same ID at several places:
//   root
//    +- 5 (L1)          +- 9 (L1)
//        +- 12 (A)           +- 12 (B)
//        +- 30               +- 7
//            +- 7 (deep)
TEST(Level, SearchFindsDirectSublevelsFirstThenSmallerBranches) {
    Zel_GM_Root root("R");
    Zel_GM_Level* five = root.addSublevel(1, 5, 0, "five", 0, nullptr);
    Zel_GM_Level* nine = root.addSublevel(1, 9, 0, "nine", 0, nullptr);
    Zel_GM_Level* a = five->addSublevel(2, 12, 5, "A", 0, nullptr);
    nine->addSublevel(2, 12, 9, "B", 0, nullptr);
    Zel_GM_Level* thirty = five->addSublevel(2, 30, 5, "thirty", 0, nullptr);
    thirty->addSublevel(3, 7, 30, "deep", 0, nullptr);
    Zel_GM_Level* shallow = nine->addSublevel(2, 7, 9, "shallow", 0, nullptr);

    EXPECT_EQ(root.searchLevel(12), a);
    // Branch 5 is searched whole before branch 9: its deep 7 wins.
    EXPECT_STREQ(root.searchLevel(7)->getNameText(), "deep");
    EXPECT_EQ(nine->searchLevel(7), shallow);
    EXPECT_EQ(root.searchLevel(9), nine);
    EXPECT_EQ(root.searchLevel(0), nullptr);  // the root never finds itself
    EXPECT_EQ(five->searchLevel(5), nullptr);
    EXPECT_EQ(root.searchLevel(99), nullptr);
    EXPECT_EQ(root.getHighestID(), 30u);
    EXPECT_EQ(root.checkIDunique(), 0);
}

TEST(Level, IdUniquenessIgnoresOnlyTheRoot) {
    Zel_GM_Root root("R");
    Zel_GM_Level* a = root.addSublevel(1, 5, 0, "a", 0, nullptr);
    Zel_GM_Level* b = root.addSublevel(1, 9, 0, "b", 0, nullptr);
    a->addSublevel(2, 0, 5, "zero", 0, nullptr);
    EXPECT_EQ(root.checkIDunique(), 1);  // 0 is the root's and one level's
    a->addSublevel(2, 12, 5, "x", 0, nullptr);
    EXPECT_EQ(root.checkIDunique(), 1);
    b->addSublevel(2, 12, 9, "y", 0, nullptr);
    EXPECT_EQ(root.checkIDunique(), 0);
}

TEST(Level, InsertLevelGathersAllSublevelsBelowTheNewOne) {
    Zel_GM_Root root("R");
    Zel_GM_Level* building = root.addSublevel(1, 1, 0, "building", 0, nullptr);
    for (unsigned long id : {4UL, 2UL, 3UL}) {
        building->addSublevel(2, id, 1, "storey", 0, nullptr);
    }
    std::string uuid = "0c7a1d3e-1111-4222-8333-444455556666";
    Zel_GM_Level* wing = building->insertLevel(2, 10, "wing", 1, uuidText(uuid));
    ASSERT_NE(wing, nullptr);
    EXPECT_EQ(wing->getParentID(), 1u);
    ASSERT_EQ(building->GetSublevels().size(), 1u);
    EXPECT_EQ(*building->GetSublevels().find(10), wing);
    std::vector<unsigned long> moved;
    for (const auto& node : wing->GetSublevels()) {
        moved.push_back(node.key);
        EXPECT_EQ(node.value->getParentID(), 10u);
    }
    EXPECT_EQ(moved, (std::vector<unsigned long>{2, 3, 4}));
    EXPECT_EQ(root.searchLevel(3)->getParentID(), 10u);
}

TEST(Level, AddSublevelUnderATakenKeyReplacesTheLevel) {
    Zel_GM_Root root("R");
    Zel_GM_Level* old = root.addSublevel(1, 4, 0, "old", 0, nullptr);
    old->addSublevel(2, 8, 4, "below old", 0, nullptr);
    Zel_GM_Level* fresh = root.addSublevel(1, 4, 0, "new", 0, nullptr);
    EXPECT_EQ(root.GetSublevels().size(), 1u);
    EXPECT_EQ(root.searchLevel(4), fresh);
    EXPECT_EQ(root.searchLevel(8), nullptr);  // the old subtree went with it
}

TEST(Level, VeryDeepTreesAreWalkedAndDestroyedWithoutRecursion) {
    auto root = std::make_unique<Zel_GM_Root>("deep");
    Zel_GM_Level* level = root.get();
    const unsigned long depth = 200000;
    for (unsigned long id = 1; id <= depth; ++id) {
        level = level->addSublevel(10, id, id - 1, "e", 0, nullptr);
    }
    EXPECT_EQ(root->getHighestID(), depth);
    EXPECT_EQ(root->searchLevel(depth), level);
    EXPECT_EQ(root->checkIDunique(), 1);
    std::ostringstream lis;
    root->writelis(lis);
    const std::string text = lis.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(depth) + 1);
    root.reset();  // must not overflow the stack
}

TEST(Attributes, TypeWordsAndEnumValues) {
    EXPECT_EQ(CAttribData::GetEnumType("String"), CAttribData::String);
    EXPECT_EQ(CAttribData::GetEnumType("Number"), CAttribData::Number);
    EXPECT_EQ(CAttribData::GetEnumType("Group"), CAttribData::Group);
    for (const char* other : {"Universal", "string", "", "None", "Group "}) {
        EXPECT_EQ(CAttribData::GetEnumType(other), CAttribData::Universal) << other;
    }
    const char* words[] = {"String", "Number", "Universal", "Group"};
    for (int t = 0; t < 4; ++t) {
        CAttribData a("n", "v", static_cast<CAttribData::enAttribType>(t), 1, 2, 3);
        EXPECT_STREQ(a.GetType(), words[t]);
        EXPECT_EQ(CAttribData::GetEnumType(a.GetType()), t);
    }
    CAttribData odd("n", "v", static_cast<CAttribData::enAttribType>(7), 1, 2, 3);
    EXPECT_STREQ(odd.GetType(), "None");
    EXPECT_TRUE(odd.IsKindOf(RUNTIME_CLASS(CAttribData)));
    EXPECT_TRUE(odd.IsKindOf(RUNTIME_CLASS(CObject)));
}

TEST(Attributes, AddAndDeleteOnALevel) {
    Zel_GM_Root root("R");
    Zel_GM_Level* storey = root.addSublevel(2, 6, 3, "storey", 0, nullptr);
    storey->addAttributeItem("area", "12", CAttribData::Number);
    storey->addAttributeItem("area", "15", CAttribData::Number);
    storey->addAttributeItem("use", "office", CAttribData::String);
    auto* first = static_cast<CAttribData*>(storey->getAttributes().GetHead());
    EXPECT_EQ(first->GetID(), 6u);
    EXPECT_EQ(first->GetParentID(), 3u);
    EXPECT_EQ(first->getLevelNr(), 2);

    storey->deleteAttributeItem("area", "15");
    storey->deleteAttributeItem("area", "99");     // no match: nothing
    storey->deleteAttributeItem("Use", "office");  // case matters
    ASSERT_EQ(storey->getAttributes().GetCount(), 2);
    auto* second = static_cast<CAttribData*>(storey->getAttributes().GetTail());
    EXPECT_STREQ(first->getValue(), "12");
    EXPECT_STREQ(second->getName(), "use");
}

}  // namespace
