#pragma once
// What every numeric routine shares: the selector enumerations, workspace
// allocation, the option-word and argument checks, and small numeric helpers.
#include <cmath>
#include <complex>
#include <initializer_list>

template <class T>
class UVector;
template <class T>
class UMatrix;

namespace Blas {

// Selects a machine constant (the DLAMCH letters E, S, B, P, N, R, M, U, L, O).
enum LaPackMachOptions {
    LaMachEps = 0,
    LaMachSafeMin = 1,
    LaMachBase = 2,
    LaMachPrecision = 3,
    LaMachDigits = 4,
    LaMachRounding = 5,
    LaMachEmin = 6,
    LaMachUnderflow = 7,
    LaMachEmax = 8,
    LaMachOverflow = 9
};

// Selects what Env answers (ILAENV's ISPEC 1 to 8).
enum LaPackEnvOptions {
    LaEnvBlockSize = 1,
    LaEnvMinBlockSize = 2,
    LaEnvCrossover = 3,
    LaEnvShifts = 4,
    LaEnvMinColumns = 5,
    LaEnvSvdCrossover = 6,
    LaEnvProcessors = 7,
    LaEnvMultishift = 8
};

// Kind of matrix (the LAPACK TYPE letters G, L, U, H, B, Q, Z).
enum LaPackMatTypeOptions {
    LaMatGeneral = 0x1,
    LaMatLower = 0x2,
    LaMatUpper = 0x4,
    LaMatHessenberg = 0x8,
    LaMatSymBandLower = 0x10,
    LaMatSymBandUpper = 0x20,
    LaMatBand = 0x40
};

// Matrix norm (the LAPACK NORM letters M, O, I, F).
enum LaPackMatNormOptions {
    LaNormMaxAbs = 0x1,
    LaNormOne = 0x2,
    LaNormInf = 0x4,
    LaNormFrobenius = 0x8
};
// Every norm bit: the norm group of an option word.
short const LaNormGroup = LaNormMaxAbs | LaNormOne | LaNormInf | LaNormFrobenius;

// Option bits of the symmetric eigensolver SymMdiag (JOBZ and UPLO).
enum { LaEigValuesOnly = 0x04, LaEigVectors = 0x80, LaUseLower = 0x200, LaUseUpper = 0x400 };

// Option bits of the singular value decomposition MgetSvd (JOBU and JOBVT).
enum {
    LaSvdUNone = 0x01,
    LaSvdUAll = 0x02,
    LaSvdUShort = 0x04,
    LaSvdUOverA = 0x08,
    LaSvdVTNone = 0x10,
    LaSvdVTAll = 0x20,
    LaSvdVTShort = 0x40,
    LaSvdVTOverA = 0x80
};

// Workspace on the heap. min is the reference routine's minimum length; it
// documents the call and does not change the allocation of size elements.
// Complex elements start as (0, 0), the others are left uninitialised.
void HeapAlloc(long min, long& size, long*& p);
void HeapAlloc(long min, long& size, double*& p);
void HeapAlloc(long min, long& size, std::complex<double>*& p);
// Releases an array of HeapAlloc and nulls the pointer; null is left alone.
void HeapDeAlloc(long*& p);
void HeapDeAlloc(double*& p);
void HeapDeAlloc(std::complex<double>*& p);

// True when every group of mutually exclusive bits holds exactly one bit of
// opt and opt has no bit outside the groups.
bool OptionsValid(short opt, std::initializer_list<unsigned short> groups);

// The checks every raw form makes, raising with the routine's own source name
// and the caller's line:
//   CheckOptions: 23002 "Illegal Option Combination" unless OptionsValid;
//   CheckArgument: 23001 "Illegal parameter value" unless valid;
//   CheckWorkspace: 23015 when work is null, 23006 when length < minLength.
void CheckOptions(short opt, std::initializer_list<unsigned short> groups, char const* sourceName,
                  int line);
void CheckArgument(bool valid, char const* sourceName, int line);
void CheckWorkspace(void const* work, long length, long minLength, char const* sourceName,
                    int line);

// A leading dimension is valid when it is at least max(1, rows).
inline bool LeadDimValid(long ld, long rows) { return ld >= 1 && ld >= rows; }

// True when no element of the m x n matrix a (leading dimension lda) that part selects is NaN or
// infinite: LaMatGeneral all of them, LaMatLower or LaMatUpper one triangle, the diagonal included.
bool AllFinite(LaPackMatTypeOptions part, long m, long n, double const* a, long lda);

long BitCount(short w);
long GetTicks();
bool IsPowerOf2(long n);
long ToPowerOf2(long n);
double Log2(double x);
double Log10(double x);
long RoundDtoI(double x);
double Power(double x, long n);
double Power(double x, double y);
// Keeps Power(x, 3) on the integer form instead of making the call ambiguous.
inline double Power(double x, int n) { return Power(x, static_cast<long>(n)); }

// |a| with the sign of b, where a zero (or NaN) sign source counts as negative: +|a| only when
// b > 0. This is the library's rule wherever a reference routine uses SIGN(a, b).
inline double SignTransfer(double a, double b) { return b > 0.0 ? std::fabs(a) : -std::fabs(a); }

}  // namespace Blas
