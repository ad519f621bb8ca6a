#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "molecule/UAtCoord.h"
#include "molecule/UStrChem.h"
#include "molecule/siChemistry.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RaisedCode.h"
#include "utilities/UStrUtilities.h"

namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();

std::string Warning(long massNumber, long z)
{
    return "Warning: No exact mass available for isotope " + std::to_string(massNumber) + "-" +
           std::to_string(z) + "\n";
}

TEST(PeriodicTable, CarbonEntry)
{
    UElement c = pTable[6];
    EXPECT_STREQ(c.GetName(), "C");
    EXPECT_EQ(c.GetCharge(), 6);
    EXPECT_NEAR(c.GetRadius(), 1.455089, 5e-7);
    EXPECT_EQ(c.GetRadius(), 0.77 / 0.529177249);
    EXPECT_EQ(c.GetMass(), 12);
    EXPECT_TRUE(c.IsValid());
    EXPECT_EQ(c.GetExactMass(-1.0), 12.0);
    EXPECT_EQ(c.GetExactMass(0.0), 12.0);
    EXPECT_EQ(c.GetExactMass(13.0), 13.003355);
}

TEST(PeriodicTable, IndexOutsideElementsRaises)
{
    EXPECT_EQ(pTable.GetNElements(), 104);
    for (long z : {0L, 104L, -1L}) EXPECT_EQ(RaisedCode([&] { pTable[z]; }), umIllegalIndex) << z;
    EXPECT_STREQ(pTable[1].GetName(), "H");
    EXPECT_STREQ(pTable[103].GetName(), "Lr");
    EXPECT_EQ(pTable[103].GetMass(), 257);
}

TEST(PeriodicTable, DefaultElementIsInvalid)
{
    UElement e;
    EXPECT_FALSE(e.IsValid());
    EXPECT_EQ(e.GetCharge(), -1);
    EXPECT_EQ(e.GetName(), nullptr);
    EXPECT_EQ(e.GetRadius(), 0.0);
    EXPECT_EQ(e.GetMass(), 1e-6);
}

TEST(PeriodicTable, FindNormalisesCaseAndBlanks)
{
    struct Case {
        const char* symbol;
        long charge;
    } cases[] = {{"C", 6},    {"cl", 17},  {"CL", 17}, {"cL", 17}, {" C", 6},
                 {"C ", 6},   {"Lr", 103}, {"h", 1},   {"", -1},   {"Cl ", -1},
                 {"Xyz", -1}, {"Qq", -1},  {"  ", -1}, {"x", -1},  {"J", -1}};
    for (auto const& c : cases) {
        UElement e = pTable.Find(c.symbol);
        EXPECT_EQ(e.GetCharge(), c.charge) << '"' << c.symbol << '"';
        EXPECT_EQ(e.IsValid(), c.charge > 0) << '"' << c.symbol << '"';
    }
}

TEST(PeriodicTable, AdjustedNames)
{
    EXPECT_STREQ(pTable[17].GetAdjustedName(true, true), "cl");
    EXPECT_STREQ(pTable[6].GetAdjustedName(true, true), "c ");
    EXPECT_STREQ(pTable[6].GetAdjustedName(false, false), "C");
    EXPECT_STREQ(pTable[6].GetAdjustedName(false, true), "C ");
    EXPECT_STREQ(pTable[26].GetAdjustedName(false, true), "Fe");
    // One shared buffer: a later call overwrites the earlier result.
    const char* first = pTable[8].GetAdjustedName(false, false);
    pTable[11].GetAdjustedName(false, false);
    EXPECT_STREQ(first, "Na");
    // An invalid element has no symbol: an empty name, not a crash.
    EXPECT_STREQ(UElement().GetAdjustedName(true, true), "");
}

TEST(PeriodicTable, BondsAndStandardLengths)
{
    EXPECT_TRUE(pTable.HasBond(6, 6, 2.9));
    EXPECT_FALSE(pTable.HasBond(6, 6, 3.4));
    double limit = 1.1 * 2 * pTable[6].GetRadius() + 0.15;
    EXPECT_FALSE(pTable.HasBond(6, 6, limit));
    EXPECT_DOUBLE_EQ(pTable.StandardLength(1, 8), (0.32 + 0.73) / 0.529177249);
    EXPECT_DOUBLE_EQ(pTable.StandardLength(0, 6), pTable[6].GetRadius());
}

TEST(PeriodicTable, RounditHandlesHalvesNaNAndHugeValues)
{
    EXPECT_EQ(roundit(2.5), 3.0);
    EXPECT_EQ(roundit(2.49), 2.0);
    EXPECT_EQ(roundit(12.0), 12.0);
    EXPECT_EQ(roundit(-0.7), 0.0);  // truncation toward zero after the shift
    EXPECT_TRUE(std::isnan(roundit(nan)));
    EXPECT_EQ(roundit(1e19), 1e19);
    EXPECT_EQ(roundit(-1e19), -1e19);
    EXPECT_EQ(roundit(HUGE_VAL), HUGE_VAL);
}

// The isotope warning goes to standard output, so each check runs in a child.
struct MassCase {
    long z;
    double requested;
    double expected;
    std::string warning;
};

TEST(PeriodicTable, ExactMassesAndIsotopeWarnings)
{
    const MassCase cases[] = {
        {1, 12.5, 12.5, ""},           // explicit, not whole
        {1, 4.0, 4.0, Warning(4, 1)},  // no such isotope
        {1, 2.0, 2.014102, ""},
        {1, 3.0, 3.016049, ""},
        {2, -1.0, 4.002603, ""},
        {8, 18.0, 17.999159, ""},
        {17, -1.0, 34.968853, ""},
        {17, 37.0, 36.965903, ""},
        {50, 118.0, 117.901607, ""},
        {50, 124.0, 123.905271, ""},
        {22, 49.0, 48.947871, ""},
        {30, 66.0, 65.926035, ""},
        {30, 67.0, 66.927131, ""},
        {22, 48.0, 47.947947, ""},
        {2, 3.0, 3.016029, ""},
        {7, 15.0, 15.000109, ""},
        {8, 17.0, 16.999131, ""},
        {50, 112.0, 111.904823, ""},
        {43, 99.0, 99.0, ""},
        {84, 209.0, 209.0, ""},
        {85, 211.0, 210.9875, ""},
        {86, 211.0, 210.9906, ""},
        {68, 167.0, 166.932045, ""},
        {39, -1.0, 88.905848, ""},   // yttrium
        {55, -1.0, 132.905447, ""},  // caesium
        {92, -1.0, 238.050783, ""},  // uranium
        {92, 235.0, 235.043923, ""},
        {43, -1.0, 98.0, Warning(98, 43)},    // technetium
        {84, -1.0, 210.0, Warning(210, 84)},  // polonium
        {85, -1.0, 210.0, Warning(210, 85)},  // astatine
        {86, -1.0, 222.0, Warning(222, 86)},  // radon
        {87, -1.0, 223.0198, ""},
        {61, -1.0, 147.0, ""},
        {6, 1e300, 1e300, ""},  // out of range: unchanged, silent
        {6, HUGE_VAL, HUGE_VAL, ""},
    };
    for (auto const& c : cases) {
        ChildResult r = RunInChild([&] {
            double m = pTable[c.z].GetExactMass(c.requested);
            std::printf("[%.17g]", m);
        });
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "[%.17g]", c.expected);
        EXPECT_EQ(r.out, c.warning + buffer) << c.z << " " << c.requested;
    }
}

TEST(PeriodicTable, NaNMassComesBackWithoutWarning)
{
    ChildResult r = RunInChild([] {
        double m = pTable[6].GetExactMass(nan);
        std::printf("%s", std::isnan(m) ? "nan" : "number");
    });
    EXPECT_EQ(r.out, "nan");
}

TEST(PeriodicTable, EveryElementButFourHasItsNominalIsotope)
{
    ChildResult r = RunInChild([] {
        for (long z = 1; z <= 103; z++) {
            UElement e = pTable[z];
            double m = e.GetExactMass(-1.0);
            if (std::fabs(m - e.GetMass()) >= 0.4) std::printf("far %ld\n", z);
        }
    });
    EXPECT_EQ(r.out, Warning(98, 43) + Warning(210, 84) + Warning(210, 85) + Warning(222, 86));
}

TEST(PeriodicTable, EveryIsotopeFoundLiesNearItsMassNumber)
{
    ChildResult r = RunInChild([] {
        for (long z = 1; z <= 103; z++) {
            UElement e = pTable[z];
            double previous = 0;
            for (long a = 1; a <= 260; a++) {
                double m = e.GetExactMass(double(a));
                if (m == double(a)) continue;
                if (std::fabs(m - a) >= 0.4 || m <= previous) std::printf("bad %ld %ld\n", z, a);
                previous = m;
            }
        }
    });
    EXPECT_EQ(r.out.find("bad"), std::string::npos) << r.out.substr(0, 400);
}

TEST(ChemistryMessages, TableHoldsEveryRowInOrder)
{
    int count = 0;
    int previous = 0;
    for (StringTableEntry* e = ChemistryStringTable; e->Text; ++e, ++count) {
        EXPECT_GT(e->Code, previous);
        previous = e->Code;
    }
    EXPECT_EQ(count, 157);
    auto text = [](int code) {
        for (StringTableEntry* e = ChemistryStringTable; e->Text; ++e)
            if (e->Code == code) return e->Text;
        return static_cast<const char*>(nullptr);
    };
    EXPECT_STREQ(text(24035), "@");
    EXPECT_STREQ(text(25005), "Invalid element");
    EXPECT_STREQ(text(25018), "Invalid basis set operation");
    EXPECT_STREQ(text(25158), "No symboltable to restore");
    EXPECT_EQ(text(24001), text(24043));
    EXPECT_EQ(text(24010), text(24052));
    EXPECT_EQ(text(24056), text(24064));
    EXPECT_EQ(text(25035), nullptr);
}

TEST(ChemistryMessages, InitChemistryRegistersTheTable)
{
    ChildResult r = RunInChild([] {
        InitChemistry();
        std::printf("%s|%s", LoadStringFromTable(25007), LoadStringFromTable(24061));
    });
    EXPECT_EQ(r.out, "Requesting missing data|<undefined>");
}

}  // namespace
