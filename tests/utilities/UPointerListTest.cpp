#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "utilities/UMatVec.h"

namespace {

// Records the id of every element destroyed, in order.
std::vector<int> destroyed;

struct Tracked {
    explicit Tracked(int id = 0) : id(id) {}
    ~Tracked() { destroyed.push_back(id); }
    int id;
};

class UPointerListTest : public ::testing::Test {
protected:
    void SetUp() override { destroyed.clear(); }

    static void Fill(UPointerList<Tracked>& list, int n)
    {
        for (int k = 0; k < n; ++k) list.Add(new Tracked(k));
    }
};

TEST_F(UPointerListTest, DestructionDeletesEveryElementOnce)
{
    {
        UPointerList<Tracked> list;
        Fill(list, 3);
        EXPECT_EQ(list.size(), 3);
        EXPECT_TRUE(destroyed.empty());
    }
    EXPECT_EQ(destroyed, (std::vector<int>{0, 1, 2}));
}

TEST_F(UPointerListTest, ResizeDeletesTrailingSlotsInOrderAndAddsNulls)
{
    UPointerList<Tracked> list;
    Fill(list, 3);
    list.resize(1);
    EXPECT_EQ(destroyed, (std::vector<int>{1, 2}));
    EXPECT_EQ(list.GetDim(), 1);
    EXPECT_EQ(list[0]->id, 0);
    list.resize(3);
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(list[1], nullptr);
    EXPECT_EQ(list[2], nullptr);
    list.resize(3);
    EXPECT_EQ(destroyed.size(), 2u);
    list.clear();
    EXPECT_EQ(destroyed, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(list.GetDim(), 0);
}

// A negative length empties the list; there are no slots below 0 to visit.
TEST_F(UPointerListTest, NegativeResizeEmptiesTheList)
{
    UPointerList<Tracked> list;
    Fill(list, 2);
    list.resize(-2);
    EXPECT_EQ(list.size(), 0);
    EXPECT_EQ(destroyed, (std::vector<int>{0, 1}));
    list.resize(-1);
    EXPECT_EQ(list.size(), 0);
}

TEST_F(UPointerListTest, DeleteElementKeepsANullSlot)
{
    UPointerList<Tracked> list;
    Fill(list, 2);
    list.DeleteElement(0);
    EXPECT_EQ(destroyed, (std::vector<int>{0}));
    EXPECT_EQ(list.size(), 2);
    EXPECT_EQ(list[0], nullptr);
    list.clear();
    EXPECT_EQ(destroyed, (std::vector<int>{0, 1}));
}

TEST_F(UPointerListTest, ReplacingASlotHandsTheOldElementBack)
{
    Tracked* old = nullptr;
    {
        UPointerList<Tracked> list;
        Fill(list, 2);
        UPointerList<Tracked> const& view = list;
        EXPECT_EQ(view[1]->id, 1);
        old = list[0];
        list[0] = new Tracked(7);
        EXPECT_TRUE(destroyed.empty());
        EXPECT_EQ(view[0]->id, 7);
    }
    EXPECT_EQ(destroyed, (std::vector<int>{7, 1}));
    EXPECT_EQ(old->id, 0);
    delete old;
}

// Elements made with new[] must be freed with delete[] on every path.
TEST_F(UPointerListTest, ArrayListFreesWithArrayDelete)
{
    {
        UArrayList<Tracked> list;
        list.Add(new Tracked[2]{Tracked(1), Tracked(2)});
        list.Add(new Tracked[1]{Tracked(3)});
        list.Add(new Tracked[3]{Tracked(4), Tracked(5), Tracked(6)});
        list.Add(nullptr);
        list.Add(new Tracked[1]{Tracked(7)});
        list.resize(4);
        EXPECT_EQ(destroyed, (std::vector<int>{7}));
        list.DeleteElement(1);
        EXPECT_EQ(destroyed, (std::vector<int>{7, 3}));
        EXPECT_EQ(list.size(), 4);
    }
    EXPECT_EQ(destroyed.size(), 7u);
    EXPECT_EQ(destroyed.back(), 4);

    UArrayList<Tracked> cleared;
    cleared.Add(new Tracked[2]{Tracked(8), Tracked(9)});
    cleared.clear();
    EXPECT_EQ(destroyed.size(), 9u);
    EXPECT_EQ(cleared.size(), 0);
}

TEST_F(UPointerListTest, ArrayListOfStrings)
{
    UArrayList<char> names;
    for (char const* s : {"H", "He", "Li"}) {
        char* copy = new char[std::strlen(s) + 1];
        std::strcpy(copy, s);
        names.Add(copy);
    }
    EXPECT_STREQ(names[1], "He");
    names.resize(1);
    EXPECT_STREQ(names[0], "H");
    names.Add(new char[3]{'B', 'e', '\0'});
}

}  // namespace

template class UPointerList<Tracked>;
template class UArrayList<char>;
