// Kalvex's own Molden file read back with the Molden reader: the atoms,
// frequencies and normal modes are those that the Turbomole files gave.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "convert/UMolden.h"
#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "molecule/siChemistry.h"
#include "numeric/siNumer.h"
#include "tests/driver/DriverFixture.h"
#include "tests/support/RaisedCode.h"
#include "utilities/UStream.h"
#include "utilities/siUtilities.h"

namespace {

class MoldenReadBack : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitUtilities();
        InitNumer();
        InitChemistry();
    }

    // Reads path with reader into geom; the raised code, 0 when none.
    template <class Reader>
    static int ReadFile(const std::string& path, UQGeometryData& geom, Reader reader)
    {
        FILE* fp = std::fopen(path.c_str(), "rb");
        if (!fp) return -1;
        UFilePointerStream stream(fp, true);
        return RaisedCode([&] { reader(&stream, &geom); });
    }
};

TEST_F(MoldenReadBack, FrequencyCaseGivesBackWhatWasWritten)
{
    const std::string folder = SharedPath("data/dvb-aoforce-sto3g");
    if (folder.empty()) GTEST_SKIP() << SharedMissing("data/dvb-aoforce-sto3g");
    TempDir out;
    std::vector<std::string> args = Words(folder + "/args");
    args.push_back("-o");
    args.push_back(out.File("dvb.molden"));
    ChildResult r = RunKalvex(args, folder);
    ASSERT_EQ(0, r.exitStatus) << r.err;

    // The molecule as the converter holds it before writing.
    auto turbomole = [](UStream* s, UQGeometryData* g) { UTurboFilter(s).ReadGeometry(g); };
    UQGeometryData original;
    ASSERT_EQ(0, ReadFile(folder + "/coord", original, turbomole));
    ASSERT_EQ(0, ReadFile(folder + "/hessian", original, turbomole));
    ASSERT_EQ(0, ReadFile(folder + "/aoforce.out", original, [](UStream* s, UQGeometryData* g) {
                  UTurboFilter(s).ReadVibrations(g);
              }));

    UQGeometryData back;
    ASSERT_EQ(0, ReadFile(out.File("dvb.molden"), back,
                          [](UStream* s, UQGeometryData* g) { UMoldenFilter(s).ReadGeometry(g); }));
    ASSERT_EQ(20, back.GetDim());
    UVector<UQAtomData> atoms = original.GetAtomData(), read = back.GetAtomData();
    for (long i = 0; i < 20; i++) {
        EXPECT_EQ(atoms[i].GetAtno(), read[i].GetAtno()) << "atom " << i;
        for (long k = 0; k < 3; k++)
            EXPECT_NEAR(atoms[i].GetCoord()[k], read[i].GetCoord()[k], 1e-13);
    }
    UVector<double> frequencies = original.GetFrequencies(), freqBack = back.GetFrequencies();
    ASSERT_EQ(60, frequencies.GetDim());
    ASSERT_EQ(60, freqBack.GetDim());
    for (long m = 0; m < 60; m++) EXPECT_NEAR(frequencies[m], freqBack[m], 1e-10) << "mode " << m;
    UMatrix<double> modes = original.GetVibrations(), modesBack = back.GetVibrations();
    ASSERT_EQ(60, modesBack.GetColDim());
    ASSERT_EQ(60, modesBack.GetRowDim());
    double largest = 0;
    for (long m = 0; m < 60; m++)
        for (long row = 0; row < 60; row++)
            largest = std::fmax(largest, std::fabs(modes(row, m) - modesBack(row, m)));
    EXPECT_LT(largest, 1e-13);
}

}  // namespace
