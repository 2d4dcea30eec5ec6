#include <string>

#include <gtest/gtest.h>

#include <vedrix/framework/carray.h>
#include <vedrix/framework/cstring.h>

namespace {

template <class A>
std::string Joined(const A& array) {
    std::string text;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        text += std::string(array[i]) + ",";
    }
    return text;
}

}  // namespace

TEST(CArray, GrowsShrinksAndValueInitialises) {
    CUIntArray array;
    EXPECT_EQ(array.GetData(), nullptr);
    EXPECT_EQ(array.GetUpperBound(), -1);
    array.SetSize(3);
    EXPECT_EQ(array[0] + array[1] + array[2], 0u);
    array.SetAtGrow(6, 7);
    EXPECT_EQ(array.GetSize(), 7);
    EXPECT_EQ(array[5], 0u);
    EXPECT_EQ(array.Add(8), 7);
    EXPECT_EQ(array.GetAt(7), 8u);
    array.ElementAt(0) = 1;
    EXPECT_EQ(array.GetData()[0], 1u);
    array.SetSize(2);
    EXPECT_EQ(array.GetSize(), 2);
    array.FreeExtra();
    EXPECT_EQ(array[0], 1u);
    array.SetSize(0);
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetData(), nullptr);

    for (UINT i = 0; i < 10000; ++i) {
        array.Add(i);
    }
    UINT sum = 0;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        sum += array[i];
    }
    EXPECT_EQ(sum, 49995000u);
}

TEST(CArray, InsertsAndRemovesRanges) {
    CArray<CString, const char*> array;
    array.Add("a");
    array.Add("d");
    array.InsertAt(1, "b");
    array.InsertAt(2, "c", 2);
    EXPECT_EQ(Joined(array), "a,b,c,c,d,");
    array.InsertAt(7, "z");  // past the end: the gap is filled with empty strings
    EXPECT_EQ(Joined(array), "a,b,c,c,d,,,z,");
    array.RemoveAt(5, 2);
    array.RemoveAt(0);
    array.RemoveAt(array.GetUpperBound());
    EXPECT_EQ(Joined(array), "b,c,c,d,");
    array.RemoveAt(1, 0);
    EXPECT_EQ(array.GetSize(), 4);

    CArray<CString, const char*> other;
    other.Add("x");
    other.Add("y");
    array.InsertAt(1, &other);
    EXPECT_EQ(Joined(array), "b,x,y,c,c,d,");
    array.InsertAt(0, &array);
    EXPECT_EQ(Joined(array), "b,x,y,c,c,d,b,x,y,c,c,d,");
    EXPECT_EQ(other.Append(other), 2);
    EXPECT_EQ(Joined(other), "x,y,x,y,");
    array.Copy(other);
    EXPECT_EQ(Joined(array), "x,y,x,y,");
}

TEST(CArray, AddsItsOwnElementsWhileReallocating) {
    CArray<CString> array;
    array.SetSize(1, 1);  // grow by one: every Add reallocates
    array[0] = "first";
    for (int i = 0; i < 20; ++i) {
        array.Add(array[0]);
        array.InsertAt(0, array[array.GetUpperBound()]);
    }
    EXPECT_EQ(array.GetSize(), 41);
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        ASSERT_EQ(array[i], "first");
    }
    array.SetAtGrow(60, array[3]);
    EXPECT_EQ(array[60], "first");
    EXPECT_TRUE(array[59].IsEmpty());
}

TEST(CArrayDeathTest, IndexOutOfRangeStops) {
    CUIntArray array;
    array.Add(1);
    EXPECT_DEATH(array.GetAt(1), "assertion failed");
    EXPECT_DEATH(array[-1], "assertion failed");
    EXPECT_DEATH(array.RemoveAt(0, 2), "assertion failed");
}
