#pragma once
// The option words of the singular value and the symmetric eigenvalue drivers that several tests
// use, built from the library's bit names: every valid word of each, the common ones and the masks
// that tell where a word puts the vectors.
#include <vector>

#include "numeric/BlasUtils.h"

// MgetSvd: values only; U over A and no VT (the line and plane fits); no U and VT over A; the
// first min(m, n) vectors of both into arrays of their own.
short const kSvdValuesOnly = Blas::LaSvdUNone | Blas::LaSvdVTNone;
short const kSvdUOverA = Blas::LaSvdUOverA | Blas::LaSvdVTNone;
short const kSvdVTOverA = Blas::LaSvdUNone | Blas::LaSvdVTOverA;
short const kSvdShortUVT = Blas::LaSvdUShort | Blas::LaSvdVTShort;

// The bits that put U, or VT, into an array of its own.
short const kSvdSeparateU = Blas::LaSvdUAll | Blas::LaSvdUShort;
short const kSvdSeparateVT = Blas::LaSvdVTAll | Blas::LaSvdVTShort;

// Every MgetSvd word with one bit for U and one for VT except both over A, by U's bit first.
inline std::vector<short> SvdWords()
{
    std::vector<short> words;
    for (short u : {Blas::LaSvdUNone, Blas::LaSvdUAll, Blas::LaSvdUShort, Blas::LaSvdUOverA})
        for (short vt :
             {Blas::LaSvdVTNone, Blas::LaSvdVTAll, Blas::LaSvdVTShort, Blas::LaSvdVTOverA})
            if (!(u == Blas::LaSvdUOverA && vt == Blas::LaSvdVTOverA))
                words.push_back(static_cast<short>(u | vt));
    return words;
}

// SymMdiag: the values alone, or with the vectors, from the lower or the upper triangle.
short const kEigValuesLower = Blas::LaEigValuesOnly | Blas::LaUseLower;
short const kEigValuesUpper = Blas::LaEigValuesOnly | Blas::LaUseUpper;
short const kEigVectorsLower = Blas::LaEigVectors | Blas::LaUseLower;
short const kEigVectorsUpper = Blas::LaEigVectors | Blas::LaUseUpper;
// Every SymMdiag word, the values alone first.
short const kEigWords[] = {kEigValuesLower, kEigValuesUpper, kEigVectorsLower, kEigVectorsUpper};
