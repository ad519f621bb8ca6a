// The path that MgetSvd takes for its option word and shape, and the work array that the path
// asks for, by the formulas of the reference routine (release 2.0). The formulas of a wide matrix
// mirror those of a tall one: the long side is factored by LQ instead of QR, and the roles of U
// and VT change.
#include <algorithm>

#include "numeric/BlasEnv.h"
#include "numeric/SvdPaths.h"

namespace SvdDetail {

namespace {

// The letter of the bit of one group that opt holds: all, the short set, over A, else none.
Letter LetterOf(short opt, short group, short all, short shortSet, short overA)
{
    short const bit = short(opt & group);
    return bit == all ? All : bit == shortSet ? Short : bit == overA ? OverA : None;
}

// The block size that Env gives the routine name; DORGBR takes 0x1 for Q and 0x2 for P.
long NB(char const* name, long d1, long d2, long d3, short o = 0)
{
    return Blas::Env(Blas::LaEnvBlockSize, name, o, d1, d2, d3, -1);
}

// The reference routine's terms for the shape seen from its short side p (n for a tall matrix,
// m for a wide one) and long side q: "mine" is the set of vectors on the long side (U for a
// tall matrix), which the QR or LQ factor carries, "other" the set on the short side.
struct Sides {
    bool tall;
    long m, n, p, q;
    Letter mine, other;

    char const* Factor() const { return tall ? "DGEQRF" : "DGELQF"; }
    char const* FormFactor() const { return tall ? "DORGQR" : "DORGLQ"; }
    // DORGBR of the short side's bidiagonal, which is upper: Q has p reflectors, P one fewer.
    long QTerm() const { return 3 * p + p * NB("DORGBR", p, p, p, 0x1); }
    long PTerm() const { return 3 * p + (p - 1) * NB("DORGBR", p, p, p, 0x2); }
    long MineTerm() const { return tall ? QTerm() : PTerm(); }
    long OtherTerm() const { return tall ? PTerm() : QTerm(); }
    long Bdspac() const { return std::max(3 * p, 5 * p - 4); }
};

Workspace FactoredFirst(Sides const& sd, long path)
{
    long const p = sd.p, q = sd.q, bdspac = sd.Bdspac();
    long const factor = p + p * NB(sd.Factor(), sd.m, sd.n, -1);
    long const brd = 3 * p + 2 * p * NB("DGEBRD", p, p, -1);
    if (path == 1) {
        long maxwrk = std::max(factor, brd);
        if (sd.other != None) maxwrk = std::max(maxwrk, sd.OtherTerm());
        maxwrk = std::max(maxwrk, bdspac);
        long const minwrk = std::max(4 * p, bdspac);
        return {std::max(maxwrk, minwrk), minwrk, 0};
    }
    long const form = sd.mine == All ? p + q * NB(sd.FormFactor(), q, q, p)
                                     : p + p * NB(sd.FormFactor(), sd.m, sd.n, p);
    long wrkbl = std::max({factor, form, brd, sd.MineTerm()});
    if (sd.other != None) wrkbl = std::max(wrkbl, sd.OtherTerm());
    wrkbl = std::max(wrkbl, bdspac);
    long maxwrk = p * p + wrkbl;
    if (sd.mine == OverA) maxwrk = std::max(maxwrk, p * p + sd.m * sd.n + p);
    if (sd.other == OverA) maxwrk = 2 * p * p + wrkbl;
    long const minwrk = std::max(3 * p + q, bdspac);
    return {std::max(maxwrk, minwrk), minwrk, wrkbl};
}

Workspace Direct(Sides const& sd)
{
    long const p = sd.p, q = sd.q, bdspac = sd.Bdspac();
    // The long side's factor: Q for a tall matrix, P for a wide one.
    short const o = sd.tall ? 0x1 : 0x2, other = sd.tall ? 0x2 : 0x1;
    long maxwrk = 3 * p + (sd.m + sd.n) * NB("DGEBRD", sd.m, sd.n, -1);
    if (sd.mine == Short || sd.mine == OverA)
        maxwrk = std::max(maxwrk, 3 * p + p * NB("DORGBR", sd.m, sd.n, p, o));
    if (sd.mine == All) maxwrk = std::max(maxwrk, 3 * p + q * NB("DORGBR", q, q, p, o));
    if (sd.other != None) maxwrk = std::max(maxwrk, 3 * p + (p - 1) * NB("DORGBR", p, p, p, other));
    maxwrk = std::max(maxwrk, bdspac);
    long const minwrk = std::max(3 * p + q, bdspac);
    return {std::max(maxwrk, minwrk), minwrk, 0};
}

Sides SidesOf(Job const& job, long m, long n)
{
    bool const tall = m >= n;
    return tall ? Sides{true, m, n, n, m, job.u, job.vt} : Sides{false, m, n, m, n, job.vt, job.u};
}

}  // namespace

Job::Job(short opt)
    : u(LetterOf(opt, kUGroup, Blas::LaSvdUAll, Blas::LaSvdUShort, Blas::LaSvdUOverA)),
      vt(LetterOf(opt, kVTGroup, Blas::LaSvdVTAll, Blas::LaSvdVTShort, Blas::LaSvdVTOverA))
{
}

long PathNumber(Job const& job, long m, long n, long mnthr)
{
    Sides const sd = SidesOf(job, m, n);
    if (sd.q < mnthr) return 10;
    if (sd.mine == None) return 1;
    if (sd.mine == OverA) return sd.other == None ? 2 : 3;
    long const first = sd.mine == Short ? 4 : 7;
    return first + (sd.other == None ? 0 : sd.other == OverA ? 1 : 2);
}

Workspace PlanWorkspace(Job const& job, long path, long m, long n)
{
    Sides const sd = SidesOf(job, m, n);
    return path == 10 ? Direct(sd) : FactoredFirst(sd, path);
}

}  // namespace SvdDetail
