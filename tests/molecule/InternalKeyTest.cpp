#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "molecule/UQKeys.h"

namespace {

TEST(InternalKeys, TorsionAndItsReverseGiveOneKey)
{
    struct Case {
        long a, b, c, d;
        long from, centerFrom, centerTo, to;
    } cases[] = {
        {1, 5, 3, 2, 2, 3, 5, 1},
        {1, 4, 4, 2, 2, 4, 4, 1},
        {1, 3, 5, 2, 1, 3, 5, 2},
        {-2, -1, -7, 0, 0, -7, -1, -2},
    };
    for (Case const& c : cases) {
        QTorsion t(c.a, c.b, c.c, c.d);
        EXPECT_EQ(t.GetFrom(), c.from);
        EXPECT_EQ(t.GetCenterFrom(), c.centerFrom);
        EXPECT_EQ(t.GetCenterTo(), c.centerTo);
        EXPECT_EQ(t.GetTo(), c.to);
    }
    std::set<QTorsion> keys{QTorsion(1, 5, 3, 2), QTorsion(2, 3, 5, 1), QTorsion(7, 2, 9, 8),
                            QTorsion(8, 9, 2, 7)};
    EXPECT_EQ(keys.size(), 2u);
}

TEST(InternalKeys, BondsAndAnglesKeepTheirOrder)
{
    QBond b(4, 2);
    EXPECT_EQ(b.GetFrom(), 4);
    EXPECT_EQ(b.GetTo(), 2);
    QAngle a(9, 3, 1);
    EXPECT_EQ(a.GetFrom(), 9);
    EXPECT_EQ(a.GetCenter(), 3);
    EXPECT_EQ(a.GetTo(), 1);
    std::set<QBond> bonds{QBond(1, 2), QBond(2, 1)};
    EXPECT_EQ(bonds.size(), 2u);
}

// Each list is in key order; sorting it reversed must restore it, and no key
// may come before itself.
template <class Key>
void ExpectSortsInto(std::vector<Key> const& ordered)
{
    std::vector<Key> keys(ordered.rbegin(), ordered.rend());
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 0; i < ordered.size(); i++) {
        EXPECT_FALSE(ordered[i] < ordered[i]) << i;
        for (std::size_t j = i + 1; j < ordered.size(); j++) {
            EXPECT_TRUE(keys[i] < keys[j]) << i << " " << j;
            EXPECT_FALSE(keys[j] < keys[i]) << i << " " << j;
        }
    }
}

TEST(InternalKeys, OrderedBySignedIndices)
{
    ExpectSortsInto(
        std::vector<QBond>{QBond(-3, 9), QBond(0, -1), QBond(0, 0), QBond(0, 5), QBond(2, -8)});
    // The apex first, then from and to.
    ExpectSortsInto(std::vector<QAngle>{QAngle(5, -1, 5), QAngle(9, 0, 0), QAngle(0, 1, 7),
                                        QAngle(1, 1, -2), QAngle(1, 1, 3), QAngle(-4, 2, 0)});
    // The central bond first, then the outer atoms.
    ExpectSortsInto(std::vector<QTorsion>{
        QTorsion(9, 0, 4, 9), QTorsion(0, 1, 2, 9), QTorsion(3, 1, 3, 5), QTorsion(8, 1, 3, 0),
        QTorsion(-1, 2, 2, 4), QTorsion(0, 2, 2, 4), QTorsion(0, 2, 2, 6)});
}

}  // namespace
