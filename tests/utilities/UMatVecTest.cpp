#include <gtest/gtest.h>

#include <complex>

#include "utilities/UMatVec.h"

namespace {

TEST(UVector, OwnerGrowsByAdd)
{
    UVector<double> v(0, 1);
    for (int k = 0; k < 3; ++k) v.Add(1.5);
    ASSERT_EQ(v.GetDim(), 3);
    for (long i = 0; i < 3; ++i) EXPECT_EQ(v[i], 1.5);
}

TEST(UMatrix, ColumnMajorWithLeadingDimension)
{
    UMatrix<double> m(3, 2, 5);
    EXPECT_EQ(m.GetColDim(), 3);
    EXPECT_EQ(m.GetRowDim(), 2);
    EXPECT_EQ(m.GetColSpace(), 5);
    m(2, 1) = 7.0;
    EXPECT_EQ(m.GetData()[7], 7.0);
}

}  // namespace

// Every member must compile for the element types the system uses.
template class UVector<double>;
template class UVector<long>;
template class UVector<unsigned char>;
template class UVector<std::complex<double>>;
template class UMatrix<double>;
template class UMatrix<long>;
template class UMatrix<float>;
template class UMatrix<std::complex<double>>;
