#include "numeric/BlasEnv.h"

#include <algorithm>
#include <cstring>

#include "utilities/MiscUtils.h"

namespace Blas {

namespace {

enum Precision { anyPrecision, realOnly, complexOnly };

// A key of the table. Rows with a first letter match C3(1) and C4 against
// the keys, the others C3.
struct EnvRow {
    char const* c2;
    Precision precision;
    char c3First;
    char const* keys[7];
    long blockSize, minBlockSize, crossover;
    int bandDim;  // 2 or 4: block size 1 up to 64 in that dimension, else 32
};

#define FACTOR_KEYS                                                                                \
    {                                                                                              \
        "QR", "RQ", "LQ", "QL", "HR", "TR", "BR"                                                   \
    }

EnvRow const envTable[] = {
    {"GE", anyPrecision, 0, {"TRF"}, 64, 2, 0, 0},
    {"GE", anyPrecision, 0, {"QRF", "RQF", "LQF", "QLF"}, 32, 2, 128, 0},
    {"GE", anyPrecision, 0, {"HRD"}, 32, 2, 128, 0},
    {"GE", anyPrecision, 0, {"BRD"}, 32, 2, 128, 0},
    {"GE", anyPrecision, 0, {"TRI"}, 64, 2, 0, 0},
    {"PO", anyPrecision, 0, {"TRF"}, 64, 2, 0, 0},
    {"SY", anyPrecision, 0, {"TRF"}, 64, 8, 0, 0},
    {"SY", realOnly, 0, {"TRD"}, 1, 2, 1, 0},
    {"SY", realOnly, 0, {"GST"}, 64, 2, 0, 0},
    {"HE", anyPrecision, 0, {"TRF"}, 64, 2, 0, 0},
    {"HE", anyPrecision, 0, {"TRD"}, 1, 2, 1, 0},
    {"HE", anyPrecision, 0, {"GST"}, 64, 2, 0, 0},
    {"OR", realOnly, 'G', FACTOR_KEYS, 32, 2, 128, 0},
    {"OR", realOnly, 'M', FACTOR_KEYS, 32, 2, 0, 0},
    {"UN", complexOnly, 'G', FACTOR_KEYS, 32, 2, 128, 0},
    {"UN", complexOnly, 'M', FACTOR_KEYS, 32, 2, 0, 0},
    {"GB", anyPrecision, 0, {"TRF"}, 32, 2, 0, 4},
    {"PB", anyPrecision, 0, {"TRF"}, 32, 2, 0, 2},
    {"TR", anyPrecision, 0, {"TRI"}, 64, 2, 0, 0},
    {"LA", anyPrecision, 0, {"UUM"}, 64, 2, 0, 0},
    {"ST", anyPrecision, 0, {"EBZ"}, 1, 2, 0, 0},
};

#undef FACTOR_KEYS

bool AnyKeyEquals(EnvRow const& row, char const* text)
{
    for (char const* key : row.keys)
        if (key != nullptr && std::strcmp(key, text) == 0) return true;
    return false;
}

}  // namespace

// LaSubString: out = len blanks and a NUL, then min(len, strlen(s) - start) characters of s from
// position start (0-based) over them, when that count is at least 1.
void LaSubString(char const* s, long start, long len, char* out)
{
    for (long i = 0; i < len; ++i) out[i] = ' ';
    out[std::max(len, 0L)] = '\0';
    long const count = std::min(len, static_cast<long>(std::strlen(s)) - start);
    if (count >= 1) std::memcpy(out, s + start, static_cast<size_t>(count));
}

// Env (ILAENV): for ispec 1 to 3 the block size, minimum block size or crossover point of the
// routine name (either case): its first letter picks real or complex, C2 = letters 2-3, C3 = 4-6
// and C4 = letters 2-3 of C3 find the row. ispec 4 to 8 give fixed values, 6 from min(N1, N2); any
// other ispec gives -1. opts and N3 are not used.
long Env(LaPackEnvOptions ispec, char const* name, short, long N1, long N2, long, long N4)
{
    switch (ispec) {
    case LaEnvBlockSize:
    case LaEnvMinBlockSize:
    case LaEnvCrossover:
        break;
    case LaEnvShifts:
        return 6;
    case LaEnvMinColumns:
        return 2;
    case LaEnvSvdCrossover:
        return static_cast<long>(static_cast<double>(std::min(N1, N2)) * 1.600000023841858);
    case LaEnvProcessors:
        return 1;
    case LaEnvMultishift:
        return 50;
    default:
        return -1;
    }

    char upper[2048];
    size_t const length = std::min(std::strlen(name), sizeof upper - 1);
    std::memcpy(upper, name, length);
    upper[length] = '\0';
    strupr(upper);

    bool const real = upper[0] == 'S' || upper[0] == 'D';
    bool const complex = upper[0] == 'C' || upper[0] == 'Z';
    if (!real && !complex) return 1;
    char c2[3], c3[4], c4[3];
    LaSubString(upper, 1, 2, c2);
    LaSubString(upper, 3, 3, c3);
    LaSubString(c3, 1, 2, c4);

    for (EnvRow const& row : envTable) {
        if (std::strcmp(row.c2, c2) != 0) continue;
        if ((row.precision == realOnly && !real) || (row.precision == complexOnly && !complex))
            continue;
        bool const match = row.c3First != 0 ? c3[0] == row.c3First && AnyKeyEquals(row, c4)
                                            : AnyKeyEquals(row, c3);
        if (!match) continue;
        switch (ispec) {
        case LaEnvBlockSize:
            if (row.bandDim != 0 && (row.bandDim == 2 ? N2 : N4) <= 64) return 1;
            return row.blockSize;
        case LaEnvMinBlockSize:
            return row.minBlockSize;
        default:
            return row.crossover;
        }
    }
    switch (ispec) {
    case LaEnvBlockSize:
        return 1;
    case LaEnvMinBlockSize:
        return 2;
    default:
        return 0;
    }
}

}  // namespace Blas
