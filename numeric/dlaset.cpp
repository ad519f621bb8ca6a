// Mset (DLASET): sets a part of the m x n matrix A (leading dimension lda) to alpha and its
// diagonal A(i,i), i = 1 .. min(m,n), to beta. type 0x4 takes the strictly upper part, 0x2 the
// strictly lower part, 0x1 the whole matrix; any other type is refused before anything is written.
// Dimensions are not tested: m or n <= 0 writes nothing.
#include "numeric/LAPackDouble.h"
#include "utilities/UMatVec.h"

void LAPackDouble::Mset(Blas::LaPackMatTypeOptions type, long m, long n, double alpha, double beta,
                        double* a, long lda)
{
    Blas::CheckOptions(static_cast<short>(type),
                       {Blas::LaMatGeneral | Blas::LaMatLower | Blas::LaMatUpper}, "dlaset",
                       __LINE__);
    if (type == Blas::LaMatUpper) {
        for (long j = 1; j < n; ++j)
            for (long i = 0; i < Min(j, m); ++i) a[i + j * lda] = alpha;
    } else if (type == Blas::LaMatLower) {
        for (long j = 0; j < Min(m, n); ++j)
            for (long i = j + 1; i < m; ++i) a[i + j * lda] = alpha;
    } else {
        for (long j = 0; j < n; ++j)
            for (long i = 0; i < m; ++i) a[i + j * lda] = alpha;
    }
    for (long i = 0; i < Min(m, n); ++i) a[i + i * lda] = beta;
}

void LAPackDouble::Mset(Blas::LaPackMatTypeOptions type, double alpha, double beta,
                        UMatrix<double>& A)
{
    Mset(type, A.GetColDim(), A.GetRowDim(), alpha, beta, A.GetData(), A.GetColSpace());
}
