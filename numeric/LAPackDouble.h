#pragma once
// LAPACK routines on double. Static members only, no data; each
// routine's source file is named after its reference routine in lower case.
#include <complex>

#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"

class LAPackDouble {
public:
    LAPackDouble() = delete;

    // Routines, grouped by reference routine: raw form on pointers first,
    // then the front-ends on UVector and UMatrix.

    // DGESV
    static void MVsolve(long n, long nrhs, double* a, long lda, long* ipiv, double* b, long ldb,
                        Blas::UProgressMonitor& pm);
    static void MVsolve(UMatrix<double>& A, UVector<double>& b, Blas::UProgressMonitor& pm);
    static void MVsolve(UMatrix<double>& A, UMatrix<double>& B, Blas::UProgressMonitor& pm);

    // DGETRF
    static void LUfactor(long m, long n, double* a, long lda, long* ipiv,
                         Blas::UProgressMonitor& pm);

    // DGETF2
    static void LUfactor2(long m, long n, double* a, long lda, long* ipiv,
                          Blas::UProgressMonitor& pm);

    // DGETRS
    static void LUsolve(short opt, long n, long nrhs, double* a, long lda, long* ipiv, double* b,
                        long ldb, Blas::UProgressMonitor& pm);

    // DLASWP
    static void MswapRows(long n, double* a, long lda, long k1, long k2, long* ipiv, long incx);

    // Auxiliary matrix routines

    // DLASET
    static void Mset(Blas::LaPackMatTypeOptions type, double alpha, double beta,
                     UMatrix<double>& A);
    static void Mset(Blas::LaPackMatTypeOptions type, long m, long n, double alpha, double beta,
                     double* a, long lda);

    // DLACPY
    static void Mcopy(short opt, UMatrix<double>& A, UMatrix<double>& B);
    static void Mcopy(short opt, long m, long n, double const* a, long lda, double* b, long ldb);

    // DLANGE
    static double MgetNorm(Blas::LaPackMatNormOptions norm, UMatrix<double>& A, double* work);
    static double MgetNorm(Blas::LaPackMatNormOptions norm, long m, long n, double const* a,
                           long lda, double* work);

    // DLANSY
    static double SymMgetNorm(short opt, UMatrix<double>& A, double* work);
    static double SymMgetNorm(short opt, long n, double const* a, long lda, double* work);

    // DLASCL
    static void Mscale(UMatrix<double>& A, double factor);
    static void Mscale(Blas::LaPackMatTypeOptions type, double cfrom, double cto,
                       UMatrix<double>& A, long kl, long ku);
    static void Mscale(Blas::LaPackMatTypeOptions type, long kl, long ku, double cfrom, double cto,
                       long m, long n, double* a, long lda);

    // DLASRT
    static void Vsort(short opt, long n, double* d);

    // DLASSQ
    static void VgetNorm(double& scale, double& sumsq, UVector<double>& x);
    static void VgetNorm(long n, double const* x, long incx, double& scale, double& sumsq);

    // DLAPY2
    static double V2getNorm(double x, double y);

    // Plane rotations

    // DLARTG
    static void PlaneRot(double f, double g, double& cs, double& sn, double& r);

    // DLASR
    static void RotateBlock(short opt, long m, long n, double const* c, double const* s, double* A,
                            long lda);

    // Householder reflectors, QR and LQ factorisation

    // DLARFG
    static void FormReflect(long n, double& alpha, double* x, long incx, double& tau);

    // DLARF
    static void ApplyReflectElt(short side, long m, long n, double* v, long incv, double tau,
                                double* B, long ldb, double* work);

    // DLARFT
    static void FormTriFactor(short opt, long n, long k, double* V, long ldv, double const* tau,
                              double* T, long ldt);

    // DLARFB
    static void ApplyReflectBlock(short opt, long m, long n, long k, double* V, long ldv, double* T,
                                  long ldt, double* B, long ldb, double* work, long ldwork,
                                  Blas::UProgressMonitor& pm);

    // DGEQR2
    static void QRfactor2(long m, long n, double* A, long lda, double* tau, double* work,
                          Blas::UProgressMonitor& pm);

    // DGEQRF
    static void QRfactor(long m, long n, double* A, long lda, double* tau, double* work, long lwork,
                         Blas::UProgressMonitor& pm);

    // DGELQ2
    static void LQfactor2(long m, long n, double* A, long lda, double* tau, double* work,
                          Blas::UProgressMonitor& pm);

    // DGELQF
    static void LQfactor(long m, long n, double* A, long lda, double* tau, double* work, long lwork,
                         Blas::UProgressMonitor& pm);

    // Forming and applying orthogonal factors

    // DORG2R
    static void QRformProduct2(long m, long n, long k, double* A, long lda, double const* tau,
                               double* work, Blas::UProgressMonitor& pm);

    // DORGQR
    static void QRformProduct(long m, long n, long k, double* A, long lda, double const* tau,
                              double* work, long lwork, Blas::UProgressMonitor& pm);

    // DORG2L
    static void QLformProduct2(long m, long n, long k, double* A, long lda, double const* tau,
                               double* work, Blas::UProgressMonitor& pm);

    // DORGQL
    static void QLformProduct(long m, long n, long k, double* A, long lda, double const* tau,
                              double* work, long lwork, Blas::UProgressMonitor& pm);

    // DORGL2
    static void LQformProduct2(long m, long n, long k, double* A, long lda, double const* tau,
                               double* work);

    // DORGLQ
    static void LQformProduct(long m, long n, long k, double* A, long lda, double const* tau,
                              double* work, long lwork, Blas::UProgressMonitor& pm);

    // DORM2R
    static void QRtransform2(short opt, long m, long n, long k, double* A, long lda, double* tau,
                             double* B, long ldb, double* work, Blas::UProgressMonitor& pm);

    // DORMQR
    static void QRtransform(short opt, long m, long n, long k, double* A, long lda, double* tau,
                            double* B, long ldb, double* work, long lwork,
                            Blas::UProgressMonitor& pm);

    // DORML2
    static void LQtransform2(short opt, long m, long n, long k, double* A, long lda, double* tau,
                             double* B, long ldb, double* work, Blas::UProgressMonitor& pm);

    // DORMLQ
    static void LQtransform(short opt, long m, long n, long k, double* A, long lda, double* tau,
                            double* B, long ldb, double* work, long lwork,
                            Blas::UProgressMonitor& pm);

    // Reduction to tridiagonal form

    // DSYTRD
    static void MtoTriDiag(short opt, long n, double* A, long lda, double* d, double* e,
                           double* tau, double* work, long lwork, Blas::UProgressMonitor& pm);

    // DLATRD
    static void MtoTriDiagBlock(short opt, long n, long nb, double* A, long lda, double* e,
                                double* tau, double* W, long ldw, Blas::UProgressMonitor& pm);

    // DSYTD2
    static void MtoTriDiagNoBlock(short opt, long n, double* A, long lda, double* d, double* e,
                                  double* tau, Blas::UProgressMonitor& pm);

    // DORGTR
    static void SymFormReflect(short opt, long n, double* A, long lda, double* tau, double* work,
                               long lwork, Blas::UProgressMonitor& pm);

    // Symmetric eigenproblem

    // DSYEV
    static void SymMdiag(short opt, UMatrix<double>& A, UVector<double>& w,
                         Blas::UProgressMonitor& pm);
    static void SymMdiag(short opt, long n, double* A, long lda, double* w,
                         Blas::UProgressMonitor& pm);

    // DSTEQR
    static void TriMdiag(short opt, long n, double* d, double* e, double* Z, long ldz, double* work,
                         Blas::UProgressMonitor& pm);

    // DSTERF
    static void TriDiagGetEigVal(long n, double* d, double* e);

    // DLAE2, DLAEV2
    static void M2diag(double a, double b, double c, double& rt1, double& rt2);
    static void M2diag(double a, double b, double c, double& rt1, double& rt2, double& cs1,
                       double& sn1);

    // DLANST
    static double TriDiagGetNorm(short opt, long n, double const* d, double const* e);

    // Reduction to bidiagonal form

    // DGEBRD
    static void MtoBiDiag(long m, long n, double* A, long lda, double* d, double* e, double* tauq,
                          double* taup, double* work, long lwork, Blas::UProgressMonitor& pm);

    // DLABRD
    static void MtoBiDiagBlock(long m, long n, long nb, double* A, long lda, double* d, double* e,
                               double* tauq, double* taup, double* X, long ldx, double* Y, long ldy,
                               Blas::UProgressMonitor& pm);

    // DGEBD2
    static void MtoBiDiagElt(long m, long n, double* A, long lda, double* d, double* e,
                             double* tauq, double* taup, double* work, Blas::UProgressMonitor& pm);

    // DORGBR
    static void PQformTransform(short opt, long m, long n, long k, double* A, long lda, double* tau,
                                double* work, long lwork, Blas::UProgressMonitor& pm);

    // DORMBR
    static void PQtransform(short opt, long m, long n, long k, double* A, long lda, double* tau,
                            double* B, long ldb, double* work, long lwork);

    // Singular value decomposition

    // DGESVD
    static void MgetSvd(short opt, long m, long n, double* a, long lda, double* s, double* u,
                        long ldu, double* vt, long ldvt, Blas::UProgressMonitor& pm);
    static void MgetSvd(short opt, UMatrix<double>& A, UVector<double>& s,
                        Blas::UProgressMonitor& pm);
    static void MgetSvd(short opt, UMatrix<double>& A, UVector<double>& s, UMatrix<double>& X,
                        Blas::UProgressMonitor& pm);
    static void MgetSvd(short opt, UMatrix<double>& A, UVector<double>& s, UMatrix<double>& U,
                        UMatrix<double>& VT, Blas::UProgressMonitor& pm);

    // DBDSQR
    static void BiDiagGetSvd(Blas::LaPackMatTypeOptions uplo, long n, long ncvt, long nru, long ncc,
                             double* d, double* e, double* vt, long ldvt, double* u, long ldu,
                             double* c, long ldc, double* work, Blas::UProgressMonitor& pm);

    // DLAS2, DLASV2
    static void M2getSvd(double f, double g, double h, double& ssmin, double& ssmax);
    static void M2getSvd(double f, double g, double h, double& ssmin, double& ssmax, double& snr,
                         double& csr, double& snl, double& csl);

    // Singular values by dqds: DLASQ1 (driver), DLASQ2 (one block), DLASQ3 (the iteration), DLASQ4
    // (shift)
    static void BiDiagGetSvd(long n, double* d, double* e, double* work,
                             Blas::UProgressMonitor& pm);
    static void BiDiagGetSvd(long m, double* q, double* e, double* qq, double* ee, double eps,
                             double tol2, double small2, double& sup, long& kend);
    static void BiDiagGetSvd(long& n, double* q, double* e, double* qq, double* ee, double& sup,
                             double& sigma, long& kend, long& off, long& iphase, long iconv,
                             double eps, double tol2, double small2);
    static void BiDiagGetSvd(long n, double* q, double* e, double& tau, double& sup);
};
