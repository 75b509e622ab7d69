// Arrays, lists and maps: growth, removal, walking, and bad indexes.
#include <gtest/gtest.h>

#include "platform/afx/collections.h"

namespace {

template <typename Body>
bool throws_invalid_arg(Body body) {
    try {
        body();
    } catch (CException* error) {
        const bool invalid = error->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
        error->Delete();
        return invalid;
    }
    return false;
}

TEST(Collections, ArrayGrowsAndRejectsBadIndexes) {
    CStringArray names;
    EXPECT_EQ(names.Add("b"), 0);
    names.InsertAt(0, "a");
    names.SetAtGrow(3, "d");
    ASSERT_EQ(names.GetSize(), 4);
    EXPECT_STREQ(names[0], "a");
    EXPECT_STREQ(names[1], "b");
    EXPECT_TRUE(names[2].IsEmpty());
    names.RemoveAt(1, 2);
    EXPECT_EQ(names.GetUpperBound(), 1);
    EXPECT_STREQ(names.GetAt(1), "d");

    EXPECT_TRUE(throws_invalid_arg([&] { names.GetAt(2); }));
    EXPECT_TRUE(throws_invalid_arg([&] { names.RemoveAt(1, 5); }));
    EXPECT_TRUE(throws_invalid_arg([&] { names.SetAtGrow(-1, "x"); }));
    EXPECT_EQ(names.GetSize(), 2);
}

TEST(Collections, ListWalksBothWaysAndRemovesInPlace) {
    CTypedPtrList<CPtrList, int*> list;
    int values[4] = {1, 2, 3, 4};
    for (int& v : values) list.AddTail(&v);
    POSITION second = list.FindIndex(1);
    list.RemoveAt(second);
    list.AddHead(&values[3]);

    std::vector<int> forward;
    for (POSITION p = list.GetHeadPosition(); p;) forward.push_back(*list.GetNext(p));
    EXPECT_EQ(forward, (std::vector<int>{4, 1, 3, 4}));

    std::vector<int> backward;
    for (POSITION p = list.GetTailPosition(); p;) backward.push_back(*list.GetPrev(p));
    EXPECT_EQ(backward, (std::vector<int>{4, 3, 1, 4}));

    EXPECT_EQ(list.Find(&values[3], list.GetHeadPosition()), list.GetTailPosition());
    EXPECT_EQ(list.FindIndex(9), nullptr);
    EXPECT_EQ(*list.RemoveHead(), 4);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_TRUE(throws_invalid_arg([&] { list.GetAt(nullptr); }));
}

TEST(Collections, MapLooksUpAndWalksEveryEntry) {
    CMapStringToPtr map;
    int a = 1, b = 2;
    map.SetAt("a", &a);
    map["b"] = &b;
    map.SetAt("a", &b);
    void* found = nullptr;
    EXPECT_TRUE(map.Lookup("a", found));
    EXPECT_EQ(found, &b);
    EXPECT_FALSE(map.Lookup("A", found));  // keys are exact

    int seen = 0;
    for (POSITION p = map.GetStartPosition(); p;) {
        CString key;
        void* value;
        map.GetNextAssoc(p, key, value);
        ++seen;
    }
    EXPECT_EQ(seen, 2);
    EXPECT_TRUE(map.RemoveKey("a"));
    EXPECT_FALSE(map.RemoveKey("a"));
    EXPECT_EQ(map.GetCount(), 1);
}

}  // namespace
