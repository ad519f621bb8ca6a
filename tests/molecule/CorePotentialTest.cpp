#include <gtest/gtest.h>

#include <vector>

#include "molecule/UQEcp.h"
#include "tests/support/VectorItems.h"

namespace {

TEST(CorePotential, TermsPartsAndPotentials)
{
    UEcpTerm t(2, 1.5, -0.25);
    EXPECT_EQ(t.n, 2);
    EXPECT_EQ(t.exponent, 1.5);
    EXPECT_EQ(t.coefficient, -0.25);
    UEcpTerm zero;
    EXPECT_EQ(zero.n, 0);

    UEcp* e = new UEcp(28, 4, "ecp-28-mwb");
    EXPECT_EQ(e->GetCoreElec(), 28);
    EXPECT_EQ(e->Getlmax(), 4);
    EXPECT_STREQ(e->GetName(), "ecp-28-mwb");
    UEcpPart* p = new UEcpPart(1);
    p->AddTerm(UEcpTerm(2, 3.0, 10.0));
    p->AddTerm(UEcpTerm(0, 1.0, -2.0));
    e->AddPart(p);
    e->AddPart(new UEcpPart(0));
    ASSERT_EQ(e->GetParts().GetDim(), 2);
    EXPECT_EQ(e->GetParts()[0]->Getl(), 1);
    ASSERT_EQ(e->GetParts()[0]->GetTerms().GetDim(), 2);
    EXPECT_EQ(e->GetParts()[0]->GetTerms()[1].coefficient, -2.0);
    delete e;

    UEcp unnamed(10, 3, nullptr);
    EXPECT_STREQ(unnamed.GetName(), "");
    EXPECT_EQ(unnamed.GetCoreElec(), 10);
    EXPECT_EQ(unnamed.Getlmax(), 3);
}

TEST(CorePotential, SetAssignsPotentialsToAtoms)
{
    UEcpSet s;
    EXPECT_EQ(s.GetDim(), 0);
    s.AddEcp(new UEcp(10, 3, "a"));
    s.AddEcp(new UEcp(28, 4, "b"));
    s.AddEcp(new UEcp(46, 4, "B"));
    s.Add(0, 2);
    s.Add(0, 0);
    s.Add(3, 2);
    EXPECT_EQ(s.GetDim(), 3);
    EXPECT_STREQ(s.GetEcp(1)->GetName(), "b");
    EXPECT_EQ(s.GetEcps().GetDim(), 3);
    EXPECT_EQ(s.FindAtom(0), 2);
    EXPECT_EQ(s.FindAtom(3), 2);
    EXPECT_EQ(s.FindAtom(1), -1);
    EXPECT_EQ(s.Find("B"), 2);
    EXPECT_EQ(s.Find("b"), 1);
    EXPECT_EQ(s.Find("c"), -1);
    UVector<long> list(0, 1);
    s.MakeListForAtom(0, list);
    EXPECT_EQ(Items(list), (std::vector<long>{2, 0}));
    s.MakeListForEcp(2, list);
    EXPECT_EQ(Items(list), (std::vector<long>{0, 3}));
    s.MakeListForEcp(1, list);
    EXPECT_EQ(list.GetDim(), 0);

    UVector<UPair> m = s.GetMatches();
    ASSERT_EQ(m.GetDim(), 3);
    m[1].entry = 1;
    EXPECT_EQ(s.FindAtom(0), 2);
    s.MakeListForAtom(0, list);
    EXPECT_EQ(Items(list), (std::vector<long>{2, 1}));

    s.Clear();
    EXPECT_EQ(s.GetDim(), 0);
    EXPECT_EQ(s.GetMatches().GetDim(), 0);
    EXPECT_EQ(s.FindAtom(0), -1);
}

}  // namespace
