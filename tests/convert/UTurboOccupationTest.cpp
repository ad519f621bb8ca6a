// The occupation sections of a control file: every line with its own number, open shells,
// fractions, and what cannot be an occupation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"

namespace {

std::vector<double> Values(const UVector<double>& v)
{
    std::vector<double> values;
    for (long i = 0; i < v.GetDim(); ++i) values.push_back(v[i]);
    return values;
}

class TurboOccupations : public TurboFileTest {};

TEST_F(TurboOccupations, EveryLineGivesItsOrbitalsItsOwnOccupation)
{
    struct Case {
        const char* what;
        const char* sections;
        std::vector<double> restricted, alpha, beta;
    };
    const Case cases[] = {
        {"restricted open shell, a doublet",
         "$closed shells\n a       1-3       ( 2 )\n$open shells type=1\n a  4  ( 1 )\n",
         {2, 2, 2, 1},
         {},
         {}},
        {"a triplet, open shells first",
         "$open shells type=1\n a  4-5  ( 1 )\n$closed shells\n a  1-3  ( 2 )\n",
         {2, 2, 2, 1, 1},
         {},
         {}},
        {"a hole below the highest orbital",
         "$closed shells\n a  1-2  ( 2 )\n a  4  ( 2 )\n",
         {2, 2, 0, 2},
         {},
         {}},
        {"fractions as decimals",
         "$alpha shells\n a  1-2  ( 1 )\n a  3  ( 0.75 )\n a  4  ( .25 )\n",
         {},
         {1, 1, 0.75, 0.25},
         {}},
        {"fractions as Turbomole writes them",
         "$beta shells\n a  1  ( 3 / 4 )\n a  2  ( 1/4 )\n$closed shells\n a 1 ( 1 / 2 )\n",
         {0.5},
         {},
         {0.75, 0.25}},
        {"lines without a number",
         "$closed shells\n a 1-2\n$open shells\n a 3\n$alpha shells\n a 2\n",
         {2, 2, 1},
         {0, 1},
         {}},
        {"the same orbital twice with the same occupation",
         "$beta shells\n a  1-2  ( 1 )\n a  1-2  ( 1 )\n$closed shells\n a 1-2 ( 2 )\n"
         "$open shells type=1\n a 2 ( 2 )\n",
         {2, 2},
         {},
         {1, 1}},
        {"a list that goes on on the next line",
         "$closed shells\n a  1,\\\n3-4  ( 2 )\n",
         {2, 0, 2, 2},
         {},
         {}},
        {"an explicit empty orbital", "$alpha shells\n a 1 ( 1 )\n a 2 ( 0 )\n", {}, {1, 0}, {}},
        {"no beta electron", "$alpha shells\n a 1 ( 1 )\n$beta shells\n", {}, {1}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UQGeometryData fresh;
        ASSERT_EQ(0, ReadControlFile(fresh, std::string("$title\n") + c.sections + "$end\n"));
        EXPECT_EQ(c.restricted, Values(fresh.GetO()));
        EXPECT_EQ(c.alpha, Values(fresh.GetOAlpha()));
        EXPECT_EQ(c.beta, Values(fresh.GetOBeta()));
    }
}

TEST_F(TurboOccupations, WhatNoOrbitalCanHoldIsRefused)
{
    const char* const cases[] = {
        "$closed shells\n a 1 ( 2.5 )\n",
        "$closed shells\n a 1 ( -1 )\n",
        "$open shells type=1\n a 1 ( 3 )\n",
        "$alpha shells\n a 1 ( 2 )\n",
        "$beta shells\n a 1 ( 3 / 2 )\n",
        "$beta shells\n a 1 ( 1 / 0 )\n",
        "$alpha shells\n a 1 ( one )\n",
        "$alpha shells\n a 1 ( 1\n",
        // One orbital, two occupations.
        "$closed shells\n a 1-2 ( 2 )\n a 2 ( 1 )\n",
        "$alpha shells\n a 1 ( 1 )\n a 1 ( 0.5 )\n",
        "$alpha shells\n a 1 ( 0 )\n a 1 ( 1 )\n",
        "$closed shells\n a 1-3 ( 2 )\n$open shells type=1\n a 3 ( 1 )\n",
        "$open shells type=1\n a 3 ( 1 )\n$closed shells\n a 1-3 ( 2 )\n",
    };
    for (const char* c : cases) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidTurbomoleFile,
                  ReadControlFile(fresh, std::string("$title\n") + c + "$end\n"))
            << c;
    }
}

}  // namespace
