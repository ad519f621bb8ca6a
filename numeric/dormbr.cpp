// PQtransform (DORMBR): overwrites the m x n matrix B (leading dimension ldb) with Q*B, Q**T*B,
// B*Q, B*Q**T, P*B, P**T*B, B*P or B*P**T, Q and P the orthogonal factors of MtoBiDiag whose
// reflectors A (leading dimension lda) and tau hold. opt: VECT 0x1 Q, 0x2 P; SIDE 0x4 left,
// 0x8 right; TRANS 0x10 no transpose, 0x20 transpose. nq, the order of Q or P, is m from the left
// and n from the right; k is the number of columns (Q) or rows (P) of the matrix that was
// reduced. When the reflectors lie one row (Q) or column (P) off the diagonal, the first row or
// column of B is left alone. work holds lwork >= max(1, nw) doubles, nw = n (left) or m (right).
#include <algorithm>

#include "numeric/LAPackDouble.h"

namespace {
const char* const sourceName = "dormbr";
}  // namespace

void LAPackDouble::PQtransform(short opt, long m, long n, long k, double* A, long lda, double* tau,
                               double* B, long ldb, double* work, long lwork)
{
    Blas::CheckOptions(opt, {0x3, 0xc, 0x30}, sourceName, __LINE__);
    bool const applyq = (opt & 0x1) != 0, left = (opt & 0x4) != 0;
    long const nq = left ? m : n, nw = left ? n : m;
    long const ldaMin = applyq ? nq : std::min(nq, k);
    Blas::CheckArgument(m >= 0 && n >= 0 && k >= 0 && Blas::LeadDimValid(lda, ldaMin) &&
                            Blas::LeadDimValid(ldb, m),
                        sourceName, __LINE__);
    Blas::CheckWorkspace(work, lwork, std::max(1L, nw), sourceName, __LINE__);
    if (m == 0 || n == 0) return;

    // Reflectors off the diagonal skip the first row (left) or column (right) of B.
    long const mi = left ? m - 1 : m, ni = left ? n : n - 1;
    double* const inner = left ? B + 1 : B + ldb;
    if (applyq) {
        short const word = short(opt & 0x3c);
        if (nq >= k)
            QRtransform(word, m, n, k, A, lda, tau, B, ldb, work, lwork, Blas::defProgMon);
        else if (nq > 1)
            QRtransform(word, mi, ni, nq - 1, A + 1, lda, tau, inner, ldb, work, lwork,
                        Blas::defProgMon);
    } else {
        // P is held as the LQ factor P**T, so its transposition goes the other way.
        short const word = short((opt & 0xc) | ((opt & 0x10) ? 0x20 : 0x10));
        if (nq > k)
            LQtransform(word, m, n, k, A, lda, tau, B, ldb, work, lwork, Blas::defProgMon);
        else if (nq > 1)
            LQtransform(word, mi, ni, nq - 1, A + lda, lda, tau, inner, ldb, work, lwork,
                        Blas::defProgMon);
    }
}
