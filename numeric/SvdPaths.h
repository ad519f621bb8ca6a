#pragma once
// The pieces of the singular value decomposition driver MgetSvd: the option word read as its two
// letters, the choice of the computation path and its workspace, and one call's matrices and work
// array with the steps from which the paths are built. Offsets into the work array are 1-based,
// as the reference routine counts them.
#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"

namespace SvdDetail {

// The bits of the option word that belong to U (JOBU) and to VT (JOBVT); one of each is set.
short const kUGroup = Blas::LaSvdUNone | Blas::LaSvdUAll | Blas::LaSvdUShort | Blas::LaSvdUOverA;
short const kVTGroup =
    Blas::LaSvdVTNone | Blas::LaSvdVTAll | Blas::LaSvdVTShort | Blas::LaSvdVTOverA;

// What the option word asks of one set of singular vectors (JOBU or JOBVT).
enum Letter { None, OverA, Short, All };

struct Job {
    Letter u, vt;
    explicit Job(short opt);
    bool USeparate() const { return u == Short || u == All; }
    bool VTSeparate() const { return vt == Short || vt == All; }
};

// The path of the reference routine, 1 to 10; for m < n the same numbers stand for 1t to 10t.
// Beyond the crossover mnthr the long side is factored first (paths 1 to 9), else path 10.
long PathNumber(Job const& job, long m, long n, long mnthr);

// The preferred and the minimum length of the work array of a path, and the work that the steps
// after the QR or LQ factorisation prefer (paths 2 to 9).
struct Workspace {
    long maxwrk, minwrk, wrkbl;
};
Workspace PlanWorkspace(Job const& job, long path, long m, long n);

// A matrix in storage: its first element and leading dimension.
struct Mat {
    double* p;
    long ld;
    Mat At(long i, long j) const { return {p + (i - 1) + (j - 1) * ld, ld}; }
};

// Where a bidiagonal reduction keeps its off-diagonal (ie) and reflector factors (itauq,
// itaup), and where the work after them starts.
struct BidiagLayout {
    long ie, itauq, itaup, iwork;
};

// One call of the driver: A (m x n), s, the separate U and VT, the work array of lwork doubles
// and the monitor. The steps hand the monitor to every routine they call.
class Svd {
public:
    Svd(Job job, long m, long n, Mat a, double* s, Mat u, Mat vt, double* work, long lwork,
        long wrkbl, Blas::UProgressMonitor& pm);

    Job const job;
    long const m, n, k;  // k = min(m, n), the order of the bidiagonal
    Mat const A, U, VT;
    long const lwork, wrkbl;

    // WORK(i) and the matrix that starts there.
    double* W(long i) const { return work + (i - 1); }
    Mat Work(long i, long ld) const { return {W(i), ld}; }
    // A matrix that is not referenced.
    static Mat Unused() { return {nullptr, 1}; }

    // A = Q*R or A = L*Q, the factors at itau, the work after them.
    void FactorQR(long itau);
    void FactorLQ(long itau);
    // The first cols columns of the Q of FactorQR (reflectors copied to q), or its first rows rows
    // for FactorLQ.
    void FormQRfactor(long cols, Mat q, long itau);
    void FormLQfactor(long rows, Mat q, long itau);
    // R (upper n x n triangle of A) or L (lower m x m triangle) copied to b with zeros on the other
    // side; or those zeros set in A itself.
    void CopyR(Mat b) const;
    void CopyL(Mat b) const;
    void ZeroBelowR() const;
    void ZeroAboveL() const;

    // The reduction's layout from WORK(start) on.
    BidiagLayout Layout(long start) const;
    // b (rows x cols) to bidiagonal form: the diagonal in s, the rest as the layout says.
    void Bidiagonalise(long rows, long cols, Mat b, BidiagLayout const& l);
    // Q (rows x cols of it) or P**T from the reflectors that Bidiagonalise left in b.
    void FormQ(long rows, long cols, long kk, Mat b, BidiagLayout const& l);
    void FormQ(long rows, long cols, long kk, Mat b, BidiagLayout const& l,
               Blas::UProgressMonitor& mon);
    void FormPt(long rows, long cols, long kk, Mat b, BidiagLayout const& l);
    // The bidiagonal QR iteration on s and the off-diagonal: the singular values into s, ncvt
    // columns of vt multiplied by P**T from the left, nru rows of u by Q from the right.
    void Iterate(Blas::LaPackMatTypeOptions uplo, long ncvt, long nru, Mat vt, Mat u,
                 BidiagLayout const& l);

    // to := x*y, x rows x inner, y inner x cols.
    void Multiply(long rows, long cols, long inner, Mat x, Mat y, Mat to);
    // The part of from (all, the lower or the upper triangle) copied to to.
    static void Copy(Blas::LaPackMatTypeOptions part, long rows, long cols, Mat from, Mat to);

private:
    long Rest(long iwork) const { return lwork - iwork + 1; }

    double* const s;
    double* const work;
    Blas::UProgressMonitor& pm;
};

// The work matrices of paths 2 to 9 and their twins, placed as the reference routine places them
// for the driver's lwork, k being the short side. With U (tall) or VT (wide) over A: WORK(IR)
// holds the vectors of the k x k factor (ldwrkr) and WORK(IU), after the bidiagonal's layout, the
// chunk of rows (tall) or columns (wide) of the product that goes back into A at a time.
struct OverALayout {
    long ir, ldwrkr, ldwrku, chunk, itau;
};
OverALayout LayoutOverA(Svd const& svd);

// Otherwise WORK(IU) and, with the other set over A, WORK(IR) after it, each k x k; itau follows.
struct WorkLayout {
    long iu, ldwrku, ir, ldwrkr, itau;
};
WorkLayout LayoutOne(Svd const& svd);
WorkLayout LayoutTwo(Svd const& svd);

// The paths: 1 to 9 for m >= n, 1t to 9t for m < n, and path 10 or 10t.
void RunTallPath(Svd& svd, long path);
void RunWidePath(Svd& svd, long path);
void RunDirectPath(Svd& svd);

}  // namespace SvdDetail
