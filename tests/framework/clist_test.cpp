#include <algorithm>
#include <list>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vedrix/framework/clist.h>
#include <vedrix/framework/coblist.h>
#include <vedrix/framework/cstring.h>

namespace {

// An element that counts its live instances, so that a test sees every
// element destroyed exactly once.
struct Tracked {
    static int live;
    int value;
    Tracked(int v) : value(v) { ++live; }  // NOLINT: converts from int like a plain value
    Tracked(const Tracked& other) : value(other.value) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
    bool operator==(const Tracked& other) const { return value == other.value; }
};
int Tracked::live = 0;

// The elements head to tail, checked against the walk tail to head.
template <class L>
std::string Contents(const L& list) {
    std::string forward;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        forward += list.GetNext(pos);
    }
    std::string backward;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;) {
        backward.insert(backward.begin(), list.GetPrev(pos));
    }
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(static_cast<INT_PTR>(forward.size()), list.GetCount());
    return forward;
}

class Counted : public CObject {
public:
    explicit Counted(int* pDestroyed) : m_pDestroyed(pDestroyed) {}
    ~Counted() override { ++*m_pDestroyed; }

private:
    int* m_pDestroyed;
};

// Lets a test see how many node blocks the list holds.
class BlockCountingList : public CList<int, int> {
public:
    using CList::CList;
    INT_PTR Blocks() const { return m_pool.GetBlockCount(); }
};

}  // namespace

TEST(CList, ReusesNodeBlocksAndReleasesThemWhenEmpty) {
    BlockCountingList list(4);
    for (int i = 0; i < 10; ++i) {
        list.AddTail(i);
    }
    EXPECT_EQ(list.Blocks(), 3);
    // A queue that never holds more than ten elements needs no new blocks.
    for (int i = 10; i < 5000; ++i) {
        list.AddTail(i);
        EXPECT_EQ(list.RemoveHead(), i - 10);
    }
    EXPECT_EQ(list.Blocks(), 3);
    while (!list.IsEmpty()) {
        list.RemoveTail();
    }
    EXPECT_EQ(list.Blocks(), 0);
    list.AddHead(1);
    EXPECT_EQ(list.Blocks(), 1);
    list.RemoveAll();
    EXPECT_EQ(list.Blocks(), 0);
}

TEST(CList, InsertsAndRemovesAtHeadTailAndMiddle) {
    CList<char, char> list;
    const POSITION b = list.AddTail('b');
    list.AddHead('a');
    const POSITION d = list.AddTail('d');
    EXPECT_EQ(Contents(list), "abd");

    const POSITION c = list.InsertBefore(d, 'c');
    list.InsertAfter(d, 'e');
    list.InsertBefore(list.GetHeadPosition(), '0');
    list.InsertBefore(nullptr, '<');
    list.InsertAfter(nullptr, '>');
    EXPECT_EQ(Contents(list), "<0abcde>");
    EXPECT_EQ(list.GetAt(c), 'c');

    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    list.RemoveAt(b);
    EXPECT_EQ(Contents(list), "0acde");
    const POSITION after = list.InsertAfter(list.GetTailPosition(), 'f');
    EXPECT_EQ(list.GetTailPosition(), after);
    list.SetAt(c, 'C');
    list.GetHead() = '1';
    EXPECT_EQ(Contents(list), "1aCdef");

    EXPECT_EQ(list.RemoveHead(), '1');
    EXPECT_EQ(list.RemoveTail(), 'f');
    EXPECT_EQ(list.GetTail(), 'e');
    while (!list.IsEmpty()) {
        list.RemoveAt(list.GetTailPosition());
    }
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddTail('z');
    EXPECT_EQ(Contents(list), "z");
}

TEST(CList, FindsFromAStartPositionAndByIndex) {
    CList<CString, const char*> list;
    for (const char* s : {"x", "y", "x", "z", "x"}) {
        list.AddTail(s);
    }
    const POSITION first = list.Find("x");
    ASSERT_EQ(first, list.GetHeadPosition());
    const POSITION second = list.Find("x", first);
    EXPECT_EQ(second, list.FindIndex(2));
    const POSITION third = list.Find("x", second);
    EXPECT_EQ(third, list.GetTailPosition());
    EXPECT_EQ(list.Find("x", third), nullptr);
    EXPECT_EQ(list.Find("w"), nullptr);
    EXPECT_EQ(list.Find("y", list.FindIndex(1)), nullptr);  // the start itself is skipped

    EXPECT_EQ(list.GetAt(list.FindIndex(3)), "z");
    EXPECT_EQ(list.FindIndex(5), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(CList, AddsWholeListsIncludingItself) {
    CList<char, char> list;
    CList<char, char> other;
    list.AddTail('m');
    other.AddTail('1');
    other.AddTail('2');
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ(Contents(list), "12m12");
    EXPECT_EQ(Contents(other), "12");

    CList<char, char> single;
    single.AddTail('a');
    single.AddTail('b');
    single.AddTail(&single);
    single.AddHead(&single);
    EXPECT_EQ(Contents(single), "abababab");
}

TEST(CList, DestroysEveryElementOnceOverManyCycles) {
    Tracked::live = 0;
    {
        CList<Tracked> list(3);
        std::list<int> model;
        std::mt19937 random(12345);
        for (int step = 0; step < 20000; ++step) {
            const int value = static_cast<int>(random() % 1000);
            switch (random() % 6) {
                case 0:
                    list.AddHead(value);
                    model.push_front(value);
                    break;
                case 1:
                case 2:
                    list.AddTail(value);
                    model.push_back(value);
                    break;
                case 3:
                    if (!model.empty()) {
                        EXPECT_EQ(list.RemoveHead().value, model.front());
                        model.pop_front();
                    }
                    break;
                case 4: {
                    // Remove the first occurrence of a value, as a caller
                    // holding positions would.
                    const POSITION pos = list.Find(Tracked(value));
                    auto it = std::find(model.begin(), model.end(), value);
                    ASSERT_EQ(pos == nullptr, it == model.end());
                    if (pos != nullptr) {
                        list.RemoveAt(pos);
                        model.erase(it);
                    }
                    break;
                }
                default:
                    if (step % 1000 == 999) {
                        list.RemoveAll();
                        model.clear();
                    }
                    break;
            }
            ASSERT_EQ(list.GetCount(), static_cast<INT_PTR>(model.size()));
            ASSERT_EQ(Tracked::live, static_cast<int>(model.size()));
        }
        std::vector<int> contents;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            contents.push_back(list.GetNext(pos).value);
        }
        EXPECT_EQ(contents, std::vector<int>(model.begin(), model.end()));
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(CObList, HoldsObjectsWithoutOwningThem) {
    int destroyed = 0;
    Counted a(&destroyed);
    Counted b(&destroyed);
    {
        CObList list;
        list.AddTail(&a);
        list.AddTail(&b);
        list.AddHead(&b);
        EXPECT_EQ(list.Find(&b), list.GetHeadPosition());
        EXPECT_EQ(list.Find(&b, list.GetHeadPosition()), list.GetTailPosition());
        list.RemoveAt(list.Find(&a));
        EXPECT_EQ(list.GetCount(), 2);
        EXPECT_EQ(list.RemoveTail(), &b);
    }
    EXPECT_EQ(destroyed, 0);
}

TEST(CListDeathTest, ElementsOfAnEmptyListOrANullPositionStop) {
    CList<int, int> list;
    EXPECT_DEATH(list.GetHead(), "assertion failed");
    EXPECT_DEATH(list.RemoveTail(), "assertion failed");
    POSITION pos = nullptr;
    EXPECT_DEATH(list.GetNext(pos), "assertion failed");
    EXPECT_DEATH(list.RemoveAt(nullptr), "assertion failed");
}
