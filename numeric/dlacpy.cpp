// Mcopy (DLACPY): copies a part of the m x n matrix A (leading dimension lda) into B (leading
// dimension ldb). With 0x4 in opt the upper triangle with the diagonal, else with 0x2 the lower
// triangle with the diagonal, else the whole matrix. The raw form tests nothing; the front-end
// wants A and B of the same shape.
#include "numeric/LAPackDouble.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

void LAPackDouble::Mcopy(short opt, long m, long n, double const* a, long lda, double* b, long ldb)
{
    for (long j = 0; j < n; ++j) {
        long first = 0, end = m;
        if (opt & Blas::LaMatUpper)
            end = Min(j + 1, m);
        else if (opt & Blas::LaMatLower)
            first = j;
        for (long i = first; i < end; ++i) b[i + j * ldb] = a[i + j * lda];
    }
}

void LAPackDouble::Mcopy(short opt, UMatrix<double>& A, UMatrix<double>& B)
{
    if (A.GetColDim() != B.GetColDim() || A.GetRowDim() != B.GetRowDim())
        RaiseError(umIncompatibleDimensions, "dlacpy", __LINE__);
    Mcopy(opt, A.GetColDim(), A.GetRowDim(), A.GetConstData(), A.GetColSpace(), B.GetData(),
          B.GetColSpace());
}
