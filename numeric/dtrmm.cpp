// TriMMmult (DTRMM): B := alpha*op(A)*B (opt 0x1, A on the left) or B := alpha*B*op(A) (0x2, on
// the right) for the m x n matrix B. A is upper (0x4) or lower (0x8) triangular, op(A) = A (0x10)
// or A**T (0x20, or 0x40 which means the same for real data), with unit diagonal, not read (0x80),
// or non-unit (0x100). alpha = 0 sets B to zero without reading A.
#include "numeric/BlasDouble.h"
#include "numeric/ColumnUpdate.h"
#include "numeric/TriKernelFrame.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const sourceName = "dtrmm";

typedef TriKernel::Operands<double> Operands;

// B := alpha*A*B, A upper.
void LeftUpper(Operands const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        double* bj = o.Col(j);
        for (long k = 0; k < o.m; ++k) {
            if (bj[k] == 0.0) continue;
            double temp = o.alpha * bj[k];
            AddScaledColumn(0, k, temp, o.ColA(k), bj);
            if (o.nounit) temp = temp * o.A(k, k);
            bj[k] = temp;
        }
        pm.Test(j);
    }
}

// B := alpha*A*B, A lower.
void LeftLower(Operands const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        double* bj = o.Col(j);
        for (long k = o.m - 1; k >= 0; --k) {
            if (bj[k] == 0.0) continue;
            double const temp = o.alpha * bj[k];
            bj[k] = temp;
            if (o.nounit) bj[k] = bj[k] * o.A(k, k);
            AddScaledColumn(k + 1, o.m, temp, o.ColA(k), bj);
        }
        pm.Test(j);
    }
}

// B := alpha*A**T*B, A upper.
void LeftUpperTrans(Operands const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        double* bj = o.Col(j);
        for (long i = o.m - 1; i >= 0; --i) {
            double temp = bj[i];
            if (o.nounit) temp = temp * o.A(i, i);
            for (long k = 0; k < i; ++k) temp += o.A(k, i) * bj[k];
            bj[i] = o.alpha * temp;
        }
        pm.Test(j);
    }
}

// B := alpha*A**T*B, A lower.
void LeftLowerTrans(Operands const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        double* bj = o.Col(j);
        for (long i = 0; i < o.m; ++i) {
            double temp = bj[i];
            if (o.nounit) temp = temp * o.A(i, i);
            for (long k = i + 1; k < o.m; ++k) temp += o.A(k, i) * bj[k];
            bj[i] = o.alpha * temp;
        }
        pm.Test(j);
    }
}

// B := alpha*B*A, column j: alpha*a(j,j) times itself plus alpha*a(k,j) times column k for k from
// first to before last, zero elements of A skipped; the columns k still hold B.
void RightColumn(Operands const& o, long j, long first, long last)
{
    double temp = o.alpha;
    if (o.nounit) temp = temp * o.A(j, j);
    o.Scale(o.Col(j), temp);
    for (long k = first; k < last; ++k)
        if (o.A(k, j) != 0.0) AddScaledColumn(0, o.m, o.alpha * o.A(k, j), o.Col(k), o.Col(j));
}

// B := alpha*B*A, A upper: the last column first.
void RightUpper(Operands const& o, Blas::UProgressMonitor& pm)
{
    for (long j = o.n - 1; j >= 0; --j) {
        RightColumn(o, j, 0, j);
        pm.Test(o.n - 1 - j);
    }
}

// B := alpha*B*A, A lower: the first column first.
void RightLower(Operands const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        RightColumn(o, j, j + 1, o.n);
        pm.Test(j);
    }
}

// B := alpha*B*A**T, column k of B spread: alpha*a(j,k) times it added to column j for j from
// first to before last, zero elements of A skipped, then column k scaled by alpha*a(k,k).
void RightTransColumn(Operands const& o, long k, long first, long last)
{
    for (long j = first; j < last; ++j)
        if (o.A(j, k) != 0.0) AddScaledColumn(0, o.m, o.alpha * o.A(j, k), o.Col(k), o.Col(j));
    double temp = o.alpha;
    if (o.nounit) temp = temp * o.A(k, k);
    if (temp != 1.0) o.Scale(o.Col(k), temp);
}

// B := alpha*B*A**T, A upper: the first column first.
void RightUpperTrans(Operands const& o, Blas::UProgressMonitor& pm)
{
    for (long k = 0; k < o.n; ++k) {
        RightTransColumn(o, k, 0, k);
        pm.Test(k);
    }
}

// B := alpha*B*A**T, A lower: the last column first.
void RightLowerTrans(Operands const& o, Blas::UProgressMonitor& pm)
{
    for (long k = o.n - 1; k >= 0; --k) {
        RightTransColumn(o, k, k + 1, o.n);
        pm.Test(o.n - 1 - k);
    }
}

// Runs the case that the option word selects.
void Multiply(short opt, Operands const& o, Blas::UProgressMonitor& pm)
{
    using Case = void (*)(Operands const&, Blas::UProgressMonitor&);
    // By side (left first), transposition (none first) and triangle (upper first).
    static Case const cases[2][2][2] = {
        {{LeftUpper, LeftLower}, {LeftUpperTrans, LeftLowerTrans}},
        {{RightUpper, RightLower}, {RightUpperTrans, RightLowerTrans}}};
    cases[(opt & 0x1) == 0][(opt & 0x10) == 0][(opt & 0x4) == 0](o, pm);
}

}  // namespace

void BlasDouble::TriMMmult(short opt, long m, long n, double alpha, double const* a, long lda,
                           double* b, long ldb, Blas::UProgressMonitor& pm)
{
    TriKernel::Run(opt, m, n, alpha, a, lda, b, ldb, pm, "DTRMM", sourceName, Multiply);
}

void BlasDouble::TriMMmult(short opt, double alpha, UMatrix<double> const& A, UMatrix<double>& B,
                           Blas::UProgressMonitor& pm)
{
    long const m = B.GetColDim();
    long const n = B.GetRowDim();
    long const k = (opt & 0x1) ? m : n;
    if (A.GetRowDim() != k || A.GetColDim() != k)
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    TriMMmult(opt, m, n, alpha, A.GetConstData(), A.GetColSpace(), B.GetData(), B.GetColSpace(),
              pm);
}
