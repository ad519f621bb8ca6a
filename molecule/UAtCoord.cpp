#include "molecule/UAtCoord.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStrUtilities.h"

namespace {
const char* const sourceName = "UAtCoord";
}  // namespace

// ---- three-vectors ----

V3::V3(UVector<double> const& v) : x(0.0), y(0.0), z(0.0)
{
    if (v.GetDim() != 3) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    x = v[0];
    y = v[1];
    z = v[2];
}

V3& V3::operator+=(V3 const& a)
{
    x += a.x;
    y += a.y;
    z += a.z;
    return *this;
}

V3& V3::operator-=(V3 const& a)
{
    x -= a.x;
    y -= a.y;
    z -= a.z;
    return *this;
}

V3& V3::operator*=(double f)
{
    x *= f;
    y *= f;
    z *= f;
    return *this;
}

V3& V3::operator/=(double f)
{
    x /= f;
    y /= f;
    z /= f;
    return *this;
}

double V3::GetNorm() const { return std::sqrt(Inner(*this, *this)); }

void VecFromV3(UVector<double>& v, V3 const& a)
{
    v.SetDim(3);
    v[0] = a.x;
    v[1] = a.y;
    v[2] = a.z;
}

V3 operator+(V3 const& a, V3 const& b) { return V3(a.x + b.x, a.y + b.y, a.z + b.z); }
V3 operator-(V3 const& a, V3 const& b) { return V3(a.x - b.x, a.y - b.y, a.z - b.z); }
V3 operator-(V3 const& a) { return V3(-a.x, -a.y, -a.z); }
V3 operator*(V3 const& a, double f) { return V3(a.x * f, a.y * f, a.z * f); }
V3 operator*(double f, V3 const& a) { return V3(f * a.x, f * a.y, f * a.z); }
V3 operator/(V3 const& a, double f) { return V3(a.x / f, a.y / f, a.z / f); }

double Inner(V3 const& a, V3 const& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

V3 Outer(V3 const& a, V3 const& b)
{
    return V3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

double Distance(V3 const& a) { return a.GetNorm(); }

double Determinant(V3 const& a, V3 const& b, V3 const& c) { return Inner(a, Outer(b, c)); }

V3 CenterOfGravity(UVector<V3> const& p)
{
    V3 sum;
    for (long i = 0; i < p.GetDim(); i++) sum += p[i];
    return sum / double(p.GetDim());
}

V3 Orthonormalize(V3 const& a, V3 const& b)
{
    V3 perpendicular = b - (Inner(a, b) / Inner(a, a)) * a;
    return perpendicular / perpendicular.GetNorm();
}

// ---- periodic table ----

namespace {

struct ElementRow {
    const char* symbol;
    double radius;  // angstrom
    double mass;    // nominal mass number
};

const ElementRow elements[104] = {
    {"x", 0.0, 0.0},   {"H", 0.32, 1},    {"He", 0.93, 4},   {"Li", 1.23, 7},   {"Be", 0.9, 9},
    {"B", 0.82, 11},   {"C", 0.77, 12},   {"N", 0.75, 14},   {"O", 0.73, 16},   {"F", 0.72, 19},
    {"Ne", 0.71, 20},  {"Na", 1.54, 23},  {"Mg", 1.36, 24},  {"Al", 1.18, 27},  {"Si", 1.11, 28},
    {"P", 1.06, 31},   {"S", 1.02, 32},   {"Cl", 0.99, 35},  {"Ar", 0.98, 40},  {"K", 2.03, 39},
    {"Ca", 1.74, 40},  {"Sc", 1.44, 45},  {"Ti", 1.32, 48},  {"V", 1.22, 51},   {"Cr", 1.18, 52},
    {"Mn", 1.17, 55},  {"Fe", 1.17, 56},  {"Co", 1.16, 59},  {"Ni", 1.15, 58},  {"Cu", 1.17, 63},
    {"Zn", 1.25, 64},  {"Ga", 1.26, 69},  {"Ge", 1.22, 74},  {"As", 1.2, 75},   {"Se", 1.16, 80},
    {"Br", 1.14, 79},  {"Kr", 1.12, 84},  {"Rb", 2.16, 85},  {"Sr", 1.91, 88},  {"Y", 1.62, 89},
    {"Zr", 1.45, 90},  {"Nb", 1.34, 93},  {"Mo", 1.3, 98},   {"Tc", 1.27, 98},  {"Ru", 1.25, 102},
    {"Rh", 1.25, 103}, {"Pd", 1.28, 106}, {"Ag", 1.34, 107}, {"Cd", 1.48, 114}, {"In", 1.44, 115},
    {"Sn", 1.41, 120}, {"Sb", 1.4, 121},  {"Te", 1.38, 130}, {"I", 1.33, 127},  {"Xe", 1.31, 132},
    {"Cs", 2.35, 133}, {"Ba", 1.98, 138}, {"La", 1.69, 139}, {"Ce", 1.65, 140}, {"Pr", 1.65, 141},
    {"Nd", 1.64, 144}, {"Pm", 1.63, 147}, {"Sm", 1.62, 152}, {"Eu", 1.85, 153}, {"Gd", 1.61, 158},
    {"Tb", 1.59, 159}, {"Dy", 1.59, 164}, {"Ho", 1.58, 165}, {"Er", 1.57, 166}, {"Tm", 1.56, 169},
    {"Yb", 1.56, 174}, {"Lu", 1.56, 175}, {"Hf", 1.44, 180}, {"Ta", 1.34, 181}, {"W", 1.3, 184},
    {"Re", 1.28, 187}, {"Os", 1.26, 192}, {"Ir", 1.27, 193}, {"Pt", 1.3, 195},  {"Au", 1.34, 197},
    {"Hg", 1.49, 202}, {"Tl", 1.48, 205}, {"Pb", 1.47, 208}, {"Bi", 1.46, 209}, {"Po", 1.46, 210},
    {"At", 1.45, 210}, {"Rn", 1.41, 222}, {"Fr", 2.5, 223},  {"Ra", 2.05, 226}, {"Ac", 1.7, 227},
    {"Th", 1.65, 232}, {"Pa", 1.55, 231}, {"U", 1.45, 238},  {"Np", 1.55, 237}, {"Pu", 1.55, 242},
    {"Am", 1.58, 243}, {"Cm", 1.6, 247},  {"Bk", 1.6, 247},  {"Cf", 1.6, 249},  {"Es", 1.6, 254},
    {"Fm", 1.6, 253},  {"Md", 1.6, 256},  {"No", 1.6, 254},  {"Lr", 1.6, 257},
};

// Exact isotope masses (u), one group per atomic number, each closed by 0.0.
// Elements without a stable isotope list the ones usually quoted for them.
const double exactmasslist[] = {
    0.0,                                                                          // placeholder
    1.007825,   2.014102,   3.016049,   0.0,                                      // 1 H
    3.016029,   4.002603,   0.0,                                                  // 2 He
    6.015122,   7.016004,   0.0,                                                  // 3 Li
    9.012182,   0.0,                                                              // 4 Be
    10.012937,  11.009305,  0.0,                                                  // 5 B
    12.0,       13.003355,  0.0,                                                  // 6 C
    14.003074,  15.000109,  0.0,                                                  // 7 N
    15.994915,  16.999131,  17.999159,  0.0,                                      // 8 O
    18.998403,  0.0,                                                              // 9 F
    19.99244,   20.993847,  21.991386,  0.0,                                      // 10 Ne
    22.98977,   0.0,                                                              // 11 Na
    23.985042,  24.985837,  25.982593,  0.0,                                      // 12 Mg
    26.981538,  0.0,                                                              // 13 Al
    27.976927,  28.976495,  29.97377,   0.0,                                      // 14 Si
    30.973762,  0.0,                                                              // 15 P
    31.972071,  32.971458,  33.967867,  35.967081,  0.0,                          // 16 S
    34.968853,  36.965903,  0.0,                                                  // 17 Cl
    35.967546,  37.962732,  39.962383,  0.0,                                      // 18 Ar
    38.963707,  39.963999,  40.961826,  0.0,                                      // 19 K
    39.962591,  41.958618,  42.958767,  43.955481,  45.953693,  47.952534,  0.0,  // 20 Ca
    44.95591,   0.0,                                                              // 21 Sc
    45.95263,   46.951764,  47.947947,  48.947871,  49.944792,  0.0,              // 22 Ti
    49.947163,  50.943964,  0.0,                                                  // 23 V
    49.94605,   51.940512,  52.940654,  53.938885,  0.0,                          // 24 Cr
    54.93805,   0.0,                                                              // 25 Mn
    53.939615,  55.934942,  56.935399,  57.933281,  0.0,                          // 26 Fe
    58.9332,    0.0,                                                              // 27 Co
    57.935348,  59.930791,  60.93106,   61.928349,  63.92797,   0.0,              // 28 Ni
    62.929601,  64.927794,  0.0,                                                  // 29 Cu
    63.929147,  65.926035,  66.927131,  67.924848,  69.925325,  0.0,              // 30 Zn
    68.925581,  70.924705,  0.0,                                                  // 31 Ga
    69.92425,   71.922076,  72.923459,  73.921178,  75.921403,  0.0,              // 32 Ge
    74.921596,  0.0,                                                              // 33 As
    73.922477,  75.919214,  76.919915,  77.91731,   79.916522,  81.9167,    0.0,  // 34 Se
    78.918338,  80.916291,  0.0,                                                  // 35 Br
    77.920386,  79.916378,  81.913485,  82.914136,  83.911507,  85.91061,   0.0,  // 36 Kr
    84.911789,  86.909183,  0.0,                                                  // 37 Rb
    83.913425,  85.909262,  86.908879,  87.905614,  0.0,                          // 38 Sr
    88.905848,  0.0,                                                              // 39 Y
    89.904704,  90.905645,  91.90504,   93.906316,  95.908276,  0.0,              // 40 Zr
    92.906378,  0.0,                                                              // 41 Nb
    91.90681,   93.905088,  94.905841,  95.904679,  96.906021,  97.905408,  99.907477,
    0.0,              // 42 Mo
    99.0,       0.0,  // 43 Tc
    95.907598,  97.905287,  98.905939,  99.90422,   100.905582, 101.904349, 103.90543,
    0.0,                                                                          // 44 Ru
    102.905504, 0.0,                                                              // 45 Rh
    101.905608, 103.904035, 104.905084, 105.903483, 107.903894, 109.905152, 0.0,  // 46 Pd
    106.905093, 108.904756, 0.0,                                                  // 47 Ag
    105.906458, 107.904183, 109.903006, 110.904182, 111.902757, 112.904401, 113.903358,
    115.904755, 0.0,              // 48 Cd
    112.904061, 114.903878, 0.0,  // 49 In
    111.904823, 113.902781, 114.903344, 115.901744, 116.902954, 117.901607, 118.90331,
    119.902199, 121.90344,  123.905271, 0.0,  // 50 Sn
    120.903818, 122.904216, 0.0,              // 51 Sb
    119.90402,  121.903047, 122.904273, 123.90282,  124.904425, 125.903306, 127.904461,
    129.906223, 0.0,  // 52 Te
    126.904468, 0.0,  // 53 I
    123.905896, 125.904269, 127.90353,  128.904779, 129.903508, 130.905082, 131.904155,
    133.905394, 135.90722,  0.0,  // 54 Xe
    132.905447, 0.0,              // 55 Cs
    129.90631,  131.905056, 133.904503, 134.905683, 135.90457,  136.905821, 137.905241,
    0.0,                                                  // 56 Ba
    137.907107, 138.906348, 0.0,                          // 57 La
    135.90714,  137.905986, 139.905434, 141.90924,  0.0,  // 58 Ce
    140.907648, 0.0,                                      // 59 Pr
    141.907719, 142.90981,  143.910083, 144.912569, 145.913112, 147.916889, 149.920887,
    0.0,              // 60 Nd
    147.0,      0.0,  // 61 Pm
    143.911995, 146.914893, 147.914818, 148.91718,  149.917271, 151.919728, 153.922205,
    0.0,                          // 62 Sm
    150.919846, 152.921226, 0.0,  // 63 Eu
    151.919788, 153.920862, 154.922619, 155.92212,  156.923957, 157.924101, 159.927051,
    0.0,              // 64 Gd
    158.925343, 0.0,  // 65 Tb
    155.924278, 157.924405, 159.925194, 160.92693,  161.926795, 162.928728, 163.929171,
    0.0,                                                                          // 66 Dy
    164.930319, 0.0,                                                              // 67 Ho
    161.928775, 163.929197, 165.93029,  166.932045, 167.932368, 169.93546,  0.0,  // 68 Er
    168.934211, 0.0,                                                              // 69 Tm
    167.933894, 169.934759, 170.936322, 171.936378, 172.938207, 173.938858, 175.942568,
    0.0,                                                                          // 70 Yb
    174.940768, 175.942682, 0.0,                                                  // 71 Lu
    173.94004,  175.941402, 176.94322,  177.943698, 178.945815, 179.946549, 0.0,  // 72 Hf
    179.947466, 180.947996, 0.0,                                                  // 73 Ta
    179.946706, 181.948206, 182.950224, 183.950933, 185.954362, 0.0,              // 74 W
    184.952956, 186.955751, 0.0,                                                  // 75 Re
    183.952491, 185.953838, 186.955748, 187.955836, 188.958145, 189.958445, 191.961479,
    0.0,                                                                          // 76 Os
    190.960591, 192.962924, 0.0,                                                  // 77 Ir
    189.95993,  191.961035, 193.962664, 194.964774, 195.964935, 197.967876, 0.0,  // 78 Pt
    196.966552, 0.0,                                                              // 79 Au
    195.965815, 197.966752, 198.968262, 199.968309, 200.970285, 201.970626, 203.973476,
    0.0,                                                  // 80 Hg
    202.972329, 204.974412, 0.0,                          // 81 Tl
    203.973029, 205.974449, 206.975881, 207.976636, 0.0,  // 82 Pb
    208.980383, 0.0,                                      // 83 Bi
    209.0,      0.0,                                      // 84 Po
    210.9875,   0.0,                                      // 85 At
    210.9906,   0.0,                                      // 86 Rn
    223.0198,   0.0,                                      // 87 Fr
    226.025403, 0.0,                                      // 88 Ra
    227.027747, 0.0,                                      // 89 Ac
    232.03805,  0.0,                                      // 90 Th
    231.035879, 0.0,                                      // 91 Pa
    234.040946, 235.043923, 238.050783, 0.0,              // 92 U
    237.048167, 0.0,                                      // 93 Np
    242.058737, 0.0,                                      // 94 Pu
    243.061373, 0.0,                                      // 95 Am
    247.070347, 0.0,                                      // 96 Cm
    247.070299, 0.0,                                      // 97 Bk
    249.074847, 0.0,                                      // 98 Cf
    254.088016, 0.0,                                      // 99 Es
    253.085176, 0.0,                                      // 100 Fm
    256.09405,  0.0,                                      // 101 Md
    254.090949, 0.0,                                      // 102 No
    257.09961,  0.0,                                      // 103 Lr
};

const double angstromPerBohr = 0.529177249;

// 2^63: the first double past the range of long.
const double longLimit = 9223372036854775808.0;

bool FitsLong(double x) { return x >= -longLimit && x < longLimit; }

}  // namespace

double roundit(double x)
{
    double shifted = x + 0.5;
    if (!FitsLong(shifted)) return x;  // NaN fails the test as well
    return double(long(shifted));
}

UElement::UElement()
    : name(nullptr), charge(-1), radius(0.0), mass(1e-6), exactMasses(exactmasslist)
{
}

void UElement::Initialize(long z)
{
    name = elements[z].symbol;
    radius = elements[z].radius / angstromPerBohr;
    mass = elements[z].mass;
    charge = z;
    const double* group = exactmasslist;
    for (long k = 0; k < z; k++) {
        while (*group != 0.0) group++;
        group++;
    }
    exactMasses = group;
}

const char* UElement::GetAdjustedName(bool lower, bool pad) const
{
    static char buffer[3];
    buffer[0] = '\0';
    if (!name) return buffer;
    std::strncpy(buffer, name, 2);
    buffer[2] = '\0';
    if (pad && std::strlen(buffer) < 2) {
        buffer[1] = ' ';
        buffer[2] = '\0';
    }
    if (lower) strlwr(buffer);
    return buffer;
}

double UElement::GetExactMass(double m) const
{
    if (m <= 0.0) m = mass;
    // Not a whole mass number (NaN included): an explicit mass of the caller.
    if (!(std::fabs(roundit(m) - m) <= 1e-8)) return m;
    // Too large to name an isotope at all.
    if (!FitsLong(m + 0.5)) return m;
    for (const double* e = exactMasses; *e != 0.0; e++)
        if (std::fabs(m - *e) < 0.4) return *e;
    std::printf("Warning: No exact mass available for isotope %1ld-%1ld\n", long(m + 0.5), charge);
    return m;
}

UPTable::UPTable() : elements(104, 1)
{
    for (long z = 1; z < 104; z++) elements[z].Initialize(z);
}

UElement UPTable::operator[](long z) const
{
    if (z < 1 || z > 103) RaiseError(umIllegalIndex, sourceName, __LINE__);
    return elements[z];
}

UElement UPTable::Find(const char* symbol) const
{
    if (!symbol) return elements[0];
    size_t length = std::strlen(symbol);
    if (length == 0 || length > 2) return elements[0];
    char key[3];
    std::strcpy(key, symbol);
    strtrim(key);
    strlwr(key);
    key[0] = char(std::toupper(static_cast<unsigned char>(key[0])));
    for (long z = 1; z < 104; z++)
        if (std::strcmp(key, elements[z].GetName()) == 0) return elements[z];
    return elements[0];
}

bool UPTable::HasBond(long i, long j, double d) const
{
    return d < 1.1 * (elements[i].GetRadius() + elements[j].GetRadius()) + 0.15;
}

double UPTable::StandardLength(long i, long j) const
{
    return elements[i].GetRadius() + elements[j].GetRadius();
}

UPTable pTable;
