#pragma once
// What the QR, QL and LQ routines share: setting a reflector's unit element for the time it is
// applied, the block-size plan of the blocked factorisations and form routines, and the QR and LQ
// factorisations and transforms written once for reflectors in columns (QR) and in rows (LQ),
// unblocked and blocked. Raises name the caller's source file.
#include <algorithm>

#include "numeric/BlasEnv.h"
#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"
#include "numeric/LAPackDouble.h"

namespace ReflectorDetail {

// Saves *e and sets it to 1 for the life of the object; the saved value is put back, also when
// a kernel raises.
class UnitElement {
public:
    explicit UnitElement(double* e) : elem(e), saved(*e) { *elem = 1.0; }
    ~UnitElement() { *elem = saved; }
    UnitElement(UnitElement const&) = delete;
    UnitElement& operator=(UnitElement const&) = delete;

private:
    double* elem;
    double saved;
};

// The block size nb, minimum block size nbmin and crossover nx of a blocked QR, LQ or form routine
// of the reference name, for k reflectors, a work array of lwork elements and W's leading
// dimension ldwork; n3 is Env's third dimension. A work array too small for blocks of nb
// reflectors makes the blocks as large as it allows.
struct BlockPlan {
    long nb, nbmin, nx;
    bool Blocked(long k) const { return nbmin <= nb && nb < k && nx < k; }
};

inline BlockPlan PlanBlocks(char const* name, long m, long n, long n3, long k, long ldwork,
                            long lwork)
{
    BlockPlan p{Blas::Env(Blas::LaEnvBlockSize, name, 0, m, n, n3, -1), 2, 0};
    if (p.nb > 1 && p.nb < k) {
        p.nx = std::max(0L, Blas::Env(Blas::LaEnvCrossover, name, 0, m, n, n3, -1));
        if (p.nx < k && lwork < ldwork * p.nb) {
            p.nb = lwork / ldwork;
            p.nbmin = std::max(2L, Blas::Env(Blas::LaEnvMinBlockSize, name, 0, m, n, n3, -1));
        }
    }
    return p;
}

// DGEQR2 (rows false) and DGELQ2 (rows true) after nothing: checks, then reflector i annihilates
// column i below the diagonal (QR) or row i right of it (LQ) and is applied to the columns on its
// right (QR) or the rows below it (LQ); Test(i-1) after each. name and sourceName are the reference
// routine for the monitor and the file that raises.
inline void FactorEach(bool rows, long m, long n, double* A, long lda, double* tau, double* work,
                       Blas::UProgressMonitor& pm, char const* name, char const* sourceName)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), sourceName, __LINE__);
    long const k = std::min(m, n);
    long const len = rows ? n : m;     // the order of the reflectors
    long const others = rows ? m : n;  // the rows or columns they are applied to
    long const along = rows ? lda : 1, across = rows ? 1 : lda;
    pm.Start(name, 0, k, false);
    for (long i = 1; i <= k; ++i) {
        double* const d = A + (i - 1) * (1 + lda);
        LAPackDouble::FormReflect(len - i + 1, *d, i < len ? d + along : d, along, tau[i - 1]);
        if (i < others) {
            UnitElement const unit(d);
            LAPackDouble::ApplyReflectElt(rows ? 0x2 : 0x1, rows ? others - i : len - i + 1,
                                          rows ? len - i + 1 : others - i, d, along, tau[i - 1],
                                          d + across, lda, work);
        }
        pm.Test(i - 1);
    }
    pm.Finish(false);
}

// DGEQRF (rows false) and DGELQF (rows true): checks, then panels of nb columns (rows) factorised
// by QRfactor2 (LQfactor2) and their block reflector applied to the columns on their right (the
// rows below), up to the crossover; the rest unblocked.
inline void FactorBlocked(bool rows, long m, long n, double* A, long lda, double* tau, double* work,
                          long lwork, Blas::UProgressMonitor& pm, char const* name,
                          char const* sourceName)
{
    long const len = rows ? n : m, others = rows ? m : n;
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), sourceName, __LINE__);
    Blas::CheckWorkspace(work, lwork, std::max(1L, others), sourceName, __LINE__);
    long const k = std::min(m, n);
    if (k == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };
    auto factor = rows ? &LAPackDouble::LQfactor2 : &LAPackDouble::QRfactor2;

    long const ldwork = others;
    BlockPlan const plan = PlanBlocks(name, m, n, -1, k, ldwork, lwork);
    pm.Start(name, 0, k, true);
    long i = 1;
    if (plan.Blocked(k)) {
        for (; i <= k - plan.nx; i += plan.nb) {
            long const ib = std::min(k - i + 1, plan.nb);
            factor(rows ? ib : m - i + 1, rows ? n - i + 1 : ib, a(i, i), lda, tau + (i - 1), work,
                   pm);
            if (i + ib <= others) {
                LAPackDouble::FormTriFactor(rows ? 0x9 : 0x5, len - i + 1, ib, a(i, i), lda,
                                            tau + (i - 1), work, ldwork);
                LAPackDouble::ApplyReflectBlock(
                    rows ? 0x96 : 0x151, rows ? m - i - ib + 1 : m - i + 1,
                    rows ? n - i + 1 : n - i - ib + 1, ib, a(i, i), lda, work, ldwork,
                    rows ? a(i + ib, i) : a(i, i + ib), lda, work + ib, ldwork, pm);
            }
        }
    }
    if (i <= k) factor(m - i + 1, n - i + 1, a(i, i), lda, tau + (i - 1), work, pm);
    pm.Finish(false);
}

// The k reflectors that a transform applies: column i of A below the diagonal (QR, rowwise false)
// or row i right of it (LQ, rowwise true), with the factors tau.
struct Reflectors {
    bool rowwise;
    long k;
    double* A;
    long lda;
    double* tau;
    double* At(long i, long j) const { return A + (i - 1) + (j - 1) * lda; }
};

// The option word of a transform: SIDE 0x4 left, 0x8 right; TRANS 0x10 Q, 0x20 Q**T. nq is the
// order of Q, nw the length of the work a reflector needs. Reflectors stored in columns are taken
// in increasing order for Q**T from the left and Q from the right; in rows the other way round.
struct TransformSide {
    bool left, notrans;
    long nq, nw;
    TransformSide(short opt, long m, long n)
        : left((opt & 0x4) != 0), notrans((opt & 0x10) != 0), nq(left ? m : n), nw(left ? n : m)
    {
    }
    bool Increasing(bool rowwise) const { return rowwise ? left == notrans : left != notrans; }
};

// The checks that the four transforms share, in order: the option word (23002), then m, n,
// k <= nq, lda (at least nq for reflectors in columns, k for reflectors in rows) and ldb (23001).
inline TransformSide CheckTransform(short opt, long m, long n, long k, bool rows, long lda,
                                    long ldb, char const* sourceName)
{
    Blas::CheckOptions(opt, {0xc, 0x30}, sourceName, __LINE__);
    TransformSide const side(opt, m, n);
    Blas::CheckArgument(m >= 0 && n >= 0 && k >= 0 && k <= side.nq &&
                            Blas::LeadDimValid(lda, rows ? k : side.nq) &&
                            Blas::LeadDimValid(ldb, m),
                        sourceName, __LINE__);
    return side;
}

// DORM2R and DORML2 after their checks: B (m x n) times the reflectors one at a time, reporting
// Test(s) after each, s counting from 0. name is the reference routine for the monitor.
inline void TransformEach(short opt, long m, long n, Reflectors const& r, double* B, long ldb,
                          double* work, Blas::UProgressMonitor& pm, char const* name)
{
    if (m == 0 || n == 0 || r.k == 0) return;
    TransformSide const side(opt, m, n);
    bool const up = side.Increasing(r.rowwise);
    long const incv = r.rowwise ? r.lda : 1;
    pm.Start(name, opt, m, n, r.k, false);
    for (long s = 0; s < r.k; ++s) {
        long const i = up ? s + 1 : r.k - s;
        long const mi = side.left ? m - i + 1 : m, ni = side.left ? n : n - i + 1;
        double* const b = side.left ? B + (i - 1) : B + (i - 1) * ldb;
        {
            UnitElement const unit(r.At(i, i));
            LAPackDouble::ApplyReflectElt(side.left ? 0x1 : 0x2, mi, ni, r.At(i, i), incv,
                                          r.tau[i - 1], b, ldb, work);
        }
        pm.Test(s);
    }
    pm.Finish(false);
}

// The triangular factor T of up to 64 reflectors (leading dimension 65) that a blocked transform
// keeps from its first call on. Each transform owns one as a function-local static, so the block
// lives as long as the process and is released at exit rather than left to the leak checker.
class TriFactorBlock {
public:
    TriFactorBlock()
    {
        long size = 65 * 64;
        Blas::HeapAlloc(size, size, t);
    }
    ~TriFactorBlock() { Blas::HeapDeAlloc(t); }
    TriFactorBlock(TriFactorBlock const&) = delete;
    TriFactorBlock& operator=(TriFactorBlock const&) = delete;
    double* Get() const { return t; }

private:
    double* t = nullptr;
};

// DORMQR and DORMLQ after their checks: blocks of up to 64 reflectors, their triangular factor
// formed in t (65 x 64) and applied by ApplyReflectBlock; with too few reflectors for a block, or
// too little work for blocks of two, the unblocked transform does it all.
inline void TransformBlocked(short opt, long m, long n, Reflectors const& r, double* B, long ldb,
                             double* work, long lwork, double* t, Blas::UProgressMonitor& pm,
                             char const* name,
                             void (*unblocked)(short, long, long, long, double*, long, double*,
                                               double*, long, double*, Blas::UProgressMonitor&))
{
    if (m == 0 || n == 0 || r.k == 0) return;
    TransformSide const side(opt, m, n);
    long const k = r.k, ldt = 65;
    long nb = std::min(64L, Blas::Env(Blas::LaEnvBlockSize, name, opt, m, n, k, -1));
    long nbmin = 2;
    long const ldwork = side.nw;
    if (nb > 1 && nb < k && lwork < side.nw * nb) {
        nb = lwork / ldwork;
        nbmin = std::max(2L, Blas::Env(Blas::LaEnvMinBlockSize, name, opt, m, n, k, -1));
    }
    pm.Start(name, opt, m, n, k, true);
    if (nb < nbmin || nb >= k) {
        unblocked(opt, m, n, k, r.A, r.lda, r.tau, B, ldb, work, pm);
    } else {
        bool const up = side.Increasing(r.rowwise);
        // Reflectors in rows make a product that runs the other way, so the block goes transposed.
        bool const applyH = r.rowwise ? !side.notrans : side.notrans;
        short const word =
            short((side.left ? 0x1 : 0x2) | (applyH ? 0x4 : 0x100) | (r.rowwise ? 0x90 : 0x50));
        long const last = ((k - 1) / nb) * nb + 1;
        for (long i = up ? 1 : last; up ? i <= k : i >= 1; i += up ? nb : -nb) {
            long const ib = std::min(nb, k - i + 1);
            LAPackDouble::FormTriFactor(r.rowwise ? 0x9 : 0x5, side.nq - i + 1, ib, r.At(i, i),
                                        r.lda, r.tau + (i - 1), t, ldt);
            long const mi = side.left ? m - i + 1 : m, ni = side.left ? n : n - i + 1;
            double* const b = side.left ? B + (i - 1) : B + (i - 1) * ldb;
            LAPackDouble::ApplyReflectBlock(word, mi, ni, ib, r.At(i, i), r.lda, t, ldt, b, ldb,
                                            work, ldwork, pm);
        }
    }
    pm.Finish(false);
}

}  // namespace ReflectorDetail
