// Mset and Mcopy against the reference DLASET and DLACPY, which did not change after 2.0, and the
// option checks in which the library departs from them.
#include <gtest/gtest.h>

#include <cstring>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackAux.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

using namespace oracle;

namespace {

struct Shape {
    long m, n;
};
Shape const shapes[] = {{0, 3}, {3, 0}, {1, 1}, {3, 4}, {4, 3}, {5, 5}, {7, 2}, {2, 7}};

bool SameBits(std::vector<double> const& a, std::vector<double> const& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

}  // namespace

TEST(AuxSetCopy, MsetEqualsReferenceForEachPart)
{
    struct Part {
        Blas::LaPackMatTypeOptions type;
        char letter;
    } const parts[] = {{Blas::LaMatGeneral, 'G'}, {Blas::LaMatLower, 'L'}, {Blas::LaMatUpper, 'U'}};
    for (Part const& part : parts)
        for (Shape const& s : shapes) {
            SCOPED_TRACE(testing::Message() << part.letter << " m " << s.m << " n " << s.n);
            long const lda = s.m + 2;
            std::vector<double> ours = PaddedMatrix<double>(s.m, s.n, lda), ref = ours;
            LAPackDouble::Mset(part.type, s.m, s.n, 0.25, -3.0, ours.data(), lda);
            int m = int(s.m), n = int(s.n), ld = int(lda);
            double alpha = 0.25, beta = -3.0;
            dlaset_(&part.letter, &m, &n, &alpha, &beta, ref.data(), &ld, 1);
            EXPECT_TRUE(SameBits(ours, ref));
        }
}

TEST(AuxSetCopy, MsetUpperPartOfAWideMatrix)
{
    UMatrix<double> A(3, 4, -1);
    for (long j = 0; j < 4; ++j)
        for (long i = 0; i < 3; ++i) A(i, j) = 10.0 + i + 10.0 * j;
    LAPackDouble::Mset(Blas::LaMatUpper, 0.0, 1.0, A);
    for (long j = 0; j < 4; ++j)
        for (long i = 0; i < 3; ++i) {
            double const expected = i == j ? 1.0 : i < j ? 0.0 : 10.0 + i + 10.0 * j;
            EXPECT_EQ(A(i, j), expected) << i << "," << j;
        }
}

TEST(AuxSetCopy, MsetRefusesOtherTypesBeforeWriting)
{
    RegisterNumerMessages();
    for (long type : {0L, 0x3L, 0x5L, 0x8L, 0x10L, 0x40L, 0x101L}) {
        std::vector<double> a(12, 7.0);
        EXPECT_EQ(RaisedCode([&] {
                      LAPackDouble::Mset(static_cast<Blas::LaPackMatTypeOptions>(type), 3, 4, 0.0,
                                         1.0, a.data(), 3);
                  }),
                  nmIllegalOptions)
            << type;
        EXPECT_EQ(a, std::vector<double>(12, 7.0)) << type;
    }
    std::string text;
    RaisedCode([] { LAPackDouble::Mset(Blas::LaMatHessenberg, 0, 0, 0.0, 0.0, nullptr, 1); },
               &text);
    EXPECT_NE(text.find("Error in file dlaset line "), std::string::npos) << text;
}

TEST(AuxSetCopy, McopyEqualsReferenceForEachWord)
{
    // The word is not tested: upper wins over lower, and any word without either copies everything.
    struct Word {
        short opt;
        char letter;
    } const words[] = {{Blas::LaMatUpper, 'U'},
                       {Blas::LaMatLower | Blas::LaMatUpper, 'U'},
                       {Blas::LaMatLower, 'L'},
                       {0x12, 'L'},
                       {0, 'A'},
                       {Blas::LaMatGeneral, 'A'},
                       {-0x7, 'A'}};
    for (Word const& w : words)
        for (Shape const& s : shapes) {
            SCOPED_TRACE(testing::Message() << "opt " << w.opt << " m " << s.m << " n " << s.n);
            long const lda = s.m + 1, ldb = s.m + 3;
            std::vector<double> a = PaddedMatrix<double>(s.m, s.n, lda);
            std::vector<double> ours = PaddedMatrix<double>(s.m, s.n, ldb), ref = ours;
            LAPackDouble::Mcopy(w.opt, s.m, s.n, a.data(), lda, ours.data(), ldb);
            int m = int(s.m), n = int(s.n), la = int(lda), lb = int(ldb);
            dlacpy_(&w.letter, &m, &n, a.data(), &la, ref.data(), &lb, 1);
            EXPECT_TRUE(SameBits(ours, ref));
        }
}

TEST(AuxSetCopy, McopyFrontEndCopiesTheLowerTriangleAndChecksShapes)
{
    RegisterNumerMessages();
    UMatrix<double> A(3, 3, 5), B(3, 3, -1);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 3; ++i) {
            A(i, j) = 1.0 + i + 3.0 * j;
            B(i, j) = -1.0;
        }
    LAPackDouble::Mcopy(Blas::LaMatLower, A, B);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 3; ++i) EXPECT_EQ(B(i, j), i >= j ? A(i, j) : -1.0) << i << "," << j;

    UMatrix<double> wide(3, 4, -1), tall(4, 3, -1);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::Mcopy(0, A, wide); }), umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::Mcopy(0, tall, A); }), umIncompatibleDimensions);
}
