// LQfactor (DGELQF): blocked LQ factorisation A = L*Q of the m x n matrix A (leading dimension
// lda), results as LQfactor2. Panels of nb rows (the block size of Env for "DGELQF", or what lwork
// allows) are factorised by LQfactor2 and their block reflector applied to the rows below; below
// the crossover the rest is factorised unblocked. work holds lwork >= max(1, m) doubles; m*nb of
// them let the blocks run at full size.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::LQfactor(long m, long n, double* A, long lda, double* tau, double* work,
                            long lwork, Blas::UProgressMonitor& pm)
{
    ReflectorDetail::FactorBlocked(true, m, n, A, lda, tau, work, lwork, pm, "DGELQF", "dgelqf");
}
