#include "molecule/UQSlater.h"

#include "molecule/NameCopy.h"

namespace {

const double pi = 3.141592653589793;

double fac(long n)
{
    double result = 1.0;
    for (long k = n; k > 1; k--) result *= double(k);
    return result;
}

double pwr(double x, long n)
{
    double result = 1.0;
    long m = n < 0 ? -n : n;
    for (long k = 0; k < m; k++) result *= x;
    return n < 0 ? 1.0 / result : result;
}

// The integral of r^n exp(-a r) over 0..infinity.
double R_Integral(long n, double a) { return fac(n) * pwr(a, -n - 1); }

// The integral of cos^(2a) phi sin^(2b) phi over 0..2 pi.
double Phi_Integral(long a, long b)
{
    return (fac(2 * a) * fac(2 * b) * pwr(2.0, 1 - 2 * (a + b)) * pi) /
           (fac(a + b) * (fac(a) * fac(b)));
}

// The integral of sin^(2a+1) theta cos^(2b) theta over 0..pi.
double Theta_Integral(long a, long b)
{
    return (fac(a) * fac(a + b) * fac(2 * b) * pwr(2.0, 2 * a + 1)) /
           (fac(2 * (a + b) + 1) * fac(b));
}

}  // namespace

double USlaterPrimitive::GetNorm() const
{
    long s = nx + ny + nz + nr;
    return (R_Integral(2 * s + 2, 2.0 * exponent) * Theta_Integral(nx + ny, nz)) *
           Phi_Integral(nx, ny);
}

long UTripel::GetVal() const
{
    long base = Getl() + 1;
    return (base * nz + ny) * base + nx;
}

long UTripel::GetMaxVal() const
{
    long base = Getl() + 1;
    return base * base * base;
}

bool UTripel::Next()
{
    if (nx < 0 || ny < 0 || nz < 0) return false;
    if (!started) {
        started = true;
        return true;
    }
    if (ny > 0) {
        ny--;
        nz++;
        return true;
    }
    if (nx == 0) return false;
    long l = Getl();
    nx--;
    ny = l - nx;
    nz = 0;
    return true;
}

USlaterAtom::USlaterAtom(const char* name) : name(CopyName(name)), prims(0, 1), shells(0, 1) {}

USlaterAtom::~USlaterAtom()
{
    delete[] name;
    name = nullptr;
    shells.Clear();
    prims.Clear();
}

void USlaterAtom::MakeShellsFromPrims()
{
    shells.Clear();
    for (long i = 0; i < prims.GetDim(); i++) {
        USlaterPrimitive const& p = prims[i];
        long n = p.Getn();
        long l = p.Getl();
        bool found = false;
        for (long k = 0; k < shells.GetDim() && !found; k++)
            found = shells[k].n == n && shells[k].l == l;
        if (!found) shells.Add(USlaterShell(n, l, p.exponent, p.core));
    }
}

void USlaterAtom::MakePrimsFromShells()
{
    prims.Clear();
    for (long i = 0; i < shells.GetDim(); i++) {
        USlaterShell const& s = shells[i];
        UTripel t(s.l);
        while (t.Next())
            prims.Add(USlaterPrimitive(t.nx, t.ny, t.nz, s.n - s.l - 1, s.exponent, s.core));
    }
    SortPrimitives(true);
    SortPrimitives(false);
}

void USlaterAtom::SortPrimitives(bool core)
{
    long count = prims.GetDim();
    for (long i = 0; i < count - 1; i++) {
        if (prims[i].core != core) continue;
        long best = i;
        for (long j = i + 1; j < count; j++) {
            USlaterPrimitive const& p = prims[j];
            USlaterPrimitive const& b = prims[best];
            if (p.core != core || p.Getn() != b.Getn() || p.Getl() != b.Getl()) continue;
            if (UTripel(p.nx, p.ny, p.nz).GetVal() < UTripel(b.nx, b.ny, b.nz).GetVal()) best = j;
        }
        if (best == i) continue;
        USlaterPrimitive taken = prims[best];
        for (long k = best; k > i; k--) prims[k] = prims[k - 1];
        prims[i] = taken;
    }
}

long USlaterAtom::GetCore() const
{
    long electrons = 0;
    for (long i = 0; i < shells.GetDim(); i++)
        if (shells[i].core) electrons += 4 * shells[i].l + 2;
    return electrons;
}

long USlaterAtom::GetMaxl() const
{
    long maxl = 0;
    for (long i = 0; i < shells.GetDim(); i++)
        if (shells[i].l > maxl) maxl = shells[i].l;
    return maxl;
}
