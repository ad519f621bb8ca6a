// ApplyReflectBlock (DLARFB): applies the block reflector H = I - V*T*V**T of k reflectors, or its
// transpose, to the m x n matrix B (leading dimension ldb): H*B or H**T*B from the left (opt 0x1),
// B*H or B*H**T from the right (0x2); H with 0x4, H**T otherwise (callers pass 0x100). V holds
// the vectors in columns (0x40) or rows (0x80), the product runs forward (0x10, T upper) or
// backward (otherwise, T lower). Without a STOREV or a SIDE bit nothing is done. work is
// ldwork x k: it receives the k rows (left) or columns (right) of B that face the unit triangle
// of V. The word is not checked.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "utilities/UMatVec.h"

namespace {

// Where the parts of V and B lie and which kernel words the reference's case uses. q is the order
// of H (m on the left, n on the right), nc the length of a row (left) or column (right) of B.
// The unit triangle V1 faces the first k rows or columns of B (forward) or the last k
// (backward); V2, of q-k vectors' worth of elements, faces the rest, B2.
struct BlockCase {
    bool left, columnwise;
    long q, nc, k;
    double *v1, *v2, *b1, *b2;
    short v1First, v1Last;  // TriMMmult words: W*V1 before the T product, W*V1**T after it
    short tWord;            // TriMMmult word of W*T or W*T**T
};

BlockCase Classify(short opt, long m, long n, long k, double* V, long ldv, double* B, long ldb)
{
    BlockCase c;
    c.left = (opt & 0x1) != 0;
    c.columnwise = (opt & 0x40) != 0;
    bool const forward = (opt & 0x10) != 0;
    bool const notrans = (opt & 0x4) != 0;
    c.q = c.left ? m : n;
    c.nc = c.left ? n : m;
    c.k = k;
    long const first1 = forward ? 0 : c.q - k;  // 0-based start of V1 and B1 along the order of H
    long const first2 = forward ? k : 0;
    long const vstep = c.columnwise ? 1 : ldv;  // from one element of a vector to the next
    long const bstep = c.left ? 1 : ldb;  // from one row (left) or column (right) of B to the next
    c.v1 = V + first1 * vstep;
    c.v2 = V + first2 * vstep;
    c.b1 = B + first1 * bstep;
    c.b2 = B + first2 * bstep;
    // Columnwise forward V1 is unit lower, backward unit upper; rowwise forward V1 is unit upper
    // (used transposed first), backward unit lower.
    short const unitLower = 0x8a, unitUpper = 0x86;  // right side, unit diagonal
    short const trans = 0x20, notr = 0x10;
    if (c.columnwise) {
        short const tri = forward ? unitLower : unitUpper;
        c.v1First = short(tri | notr);
        c.v1Last = short(tri | trans);
    } else {
        short const tri = forward ? unitUpper : unitLower;
        c.v1First = short(tri | trans);
        c.v1Last = short(tri | notr);
    }
    // On the left the T product takes the opposite transposition of H, on the right the same.
    bool const tTransposed = c.left ? notrans : !notrans;
    c.tWord = short((forward ? 0x106 : 0x10a) | (tTransposed ? trans : notr));
    return c;
}

// W = B1**T (left) or B1 (right), times V1 and plus B2**T*V2 or B2*V2.
void GatherW(BlockCase const& c, long ldv, long ldb, double* W, long ldw,
             Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < c.k; ++j) {
        if (c.left)
            Vcopy(c.nc, c.b1 + j, ldb, W + j * ldw, 1);
        else
            Vcopy(c.nc, c.b1 + j * ldb, 1, W + j * ldw, 1);
    }
    BlasDouble::TriMMmult(c.v1First, c.nc, c.k, 1.0, c.v1, ldv, W, ldw, pm);
    if (c.q > c.k) {
        short const word = short((c.left ? 0x2 : 0x1) | (c.columnwise ? 0x8 : 0x10));
        BlasDouble::MMMmultAdd(word, c.nc, c.k, c.q - c.k, 1.0, c.b2, ldb, c.v2, ldv, 1.0, W, ldw,
                               pm);
    }
}

// B2 -= V2*W**T (left) or W*V2**T (right), in the storage of V2; then W = W*V1**T and B1 -= W.
void UpdateB(BlockCase const& c, long ldv, long ldb, double* W, long ldw,
             Blas::UProgressMonitor& pm)
{
    if (c.q > c.k) {
        if (c.left)
            BlasDouble::MMMmultAdd(short((c.columnwise ? 0x1 : 0x2) | 0x10), c.q - c.k, c.nc, c.k,
                                   -1.0, c.v2, ldv, W, ldw, 1.0, c.b2, ldb, pm);
        else
            BlasDouble::MMMmultAdd(short(0x1 | (c.columnwise ? 0x10 : 0x8)), c.nc, c.q - c.k, c.k,
                                   -1.0, W, ldw, c.v2, ldv, 1.0, c.b2, ldb, pm);
    }
    BlasDouble::TriMMmult(c.v1Last, c.nc, c.k, 1.0, c.v1, ldv, W, ldw, pm);
    for (long j = 0; j < c.k; ++j) {
        double const* w = W + j * ldw;
        if (c.left) {
            double* row = c.b1 + j;
            for (long i = 0; i < c.nc; ++i) row[i * ldb] -= w[i];
        } else {
            double* col = c.b1 + j * ldb;
            for (long i = 0; i < c.nc; ++i) col[i] -= w[i];
        }
    }
}

}  // namespace

void LAPackDouble::ApplyReflectBlock(short opt, long m, long n, long k, double* V, long ldv,
                                     double* T, long ldt, double* B, long ldb, double* work,
                                     long ldwork, Blas::UProgressMonitor& pm)
{
    if (m <= 0 || n <= 0) return;
    pm.Start("DLARFB", opt, n, m, k, true);
    if ((opt & 0xc0) != 0 && (opt & 0x3) != 0) {
        BlockCase const c = Classify(opt, m, n, k, V, ldv, B, ldb);
        GatherW(c, ldv, ldb, work, ldwork, pm);
        BlasDouble::TriMMmult(c.tWord, c.nc, c.k, 1.0, T, ldt, work, ldwork, pm);
        UpdateB(c, ldv, ldb, work, ldwork, pm);
    }
    pm.Finish(false);
}
