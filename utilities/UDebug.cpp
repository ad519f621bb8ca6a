#include "utilities/UDebug.h"

#include <complex>
#include <cstring>

UDebugHandle Debug;

namespace {
// Shared by every message; a longer text is cut to fit.
char buffer[15000];
}  // namespace

UDebug::UDebug() : LogFile(nullptr), Inert(false)
{
    std::strcpy(LogName, "debug.txt");
    if (!Debug) Debug = this;
}

UDebug::UDebug(InertTag) : LogFile(nullptr), Inert(true) { LogName[0] = '\0'; }

UDebug* UDebugHandle::InertLog()
{
    // Never destroyed, so calls from static destructors at exit stay safe.
    static UDebug* const inert = new UDebug(UDebug::InertTag{});
    return inert;
}

UDebug::~UDebug()
{
    CloseLog();
    if (Debug == this) Debug = nullptr;
}

bool UDebug::OpenLog()
{
    if (!LogFile && !Inert) LogFile = std::fopen(LogName, "w");
    return LogFile != nullptr;
}

void UDebug::CloseLog()
{
    if (LogFile) std::fclose(LogFile);
    LogFile = nullptr;
}

void UDebug::FlushLog()
{
    if (LogFile) std::fflush(LogFile);
}

void UDebug::SetLogName(char const* name)
{
    if (!name || std::strcmp(name, LogName) == 0) return;
    CloseLog();
    std::snprintf(LogName, sizeof LogName, "%s", name);
}

void UDebug::puts(char const* s)
{
    if (!OpenLog()) return;
    std::fputs(s ? s : "", LogFile);
    FlushLog();
}

void UDebug::printf(char const* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    vprintf(fmt, args);
    va_end(args);
}

void UDebug::vprintf(char const* fmt, va_list args)
{
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    puts(buffer);
}

namespace {

// Vector and matrix layouts.

// The name in the header line, the elements per line and the element format
// of each printable element type.
template <class T>
struct PrintKind;

template <>
struct PrintKind<unsigned char> {
    static constexpr char const* Name = "Byte";
    static constexpr long PerLine = 12;
    static void Element(UDebug& log, unsigned char x) { log.printf("%4d ", x); }
};

template <>
struct PrintKind<signed char> {
    static constexpr char const* Name = "Int8";
    static constexpr long PerLine = 12;
    static void Element(UDebug& log, signed char x) { log.printf("%4d ", x); }
};

template <>
struct PrintKind<long> {
    static constexpr char const* Name = "Int32";
    static constexpr long PerLine = 8;
    static void Element(UDebug& log, long x) { log.printf("%6ld ", x); }
};

template <>
struct PrintKind<float> {
    static constexpr char const* Name = "Float";
    static constexpr long PerLine = 6;
    static void Element(UDebug& log, float x) { log.printf("%9.4lf ", static_cast<double>(x)); }
};

template <>
struct PrintKind<double> {
    static constexpr char const* Name = "Double";
    static constexpr long PerLine = 6;
    static void Element(UDebug& log, double x) { log.printf("%9.4lf ", x); }
};

template <>
struct PrintKind<std::complex<double>> {
    static constexpr char const* Name = "Complex";
    static constexpr long PerLine = 3;
    static void Element(UDebug& log, std::complex<double> const& x)
    {
        log.printf("(%9.4lf,%9.4lf) ", x.real(), x.imag());
    }
};

void PrintLabel(UDebug& log, char const* label)
{
    if (label && *label) log.printf("%s: ", label);
}

template <class T, class ElementAt>
void PrintVector(UDebug& log, long dim, long inc, ElementAt at, char const* label)
{
    using Kind = PrintKind<T>;
    PrintLabel(log, label);
    log.printf("%s vector Dim = %1ld, Inc = %1ld\n", Kind::Name, dim, inc);
    for (long i = 0; i < dim; ++i) {
        Kind::Element(log, at(i));
        if ((i + 1) % Kind::PerLine == 0) log.printf("\n");
    }
    if (dim > 0 && dim % Kind::PerLine != 0) log.printf("\n");
}

template <class T, class ElementAt>
void PrintMatrix(UDebug& log, long coldim, long rowdim, long colspace, ElementAt at,
                 char const* label)
{
    using Kind = PrintKind<T>;
    PrintLabel(log, label);
    log.printf("%s matrix ColDim = %1ld, RowDim = %1ld, ColSpace = %1ld\n", Kind::Name, coldim,
               rowdim, colspace);
    for (long first = 0; first < rowdim; first += Kind::PerLine) {
        if (first > 0) log.printf("\n");
        long last = Min(first + Kind::PerLine, rowdim);
        for (long i = 0; i < coldim; ++i) {
            for (long j = first; j < last; ++j) Kind::Element(log, at(i, j));
            log.printf("\n");
        }
    }
}

}  // namespace

template <class T>
void UDebug::Print(UVector<T> const& v, char const* label)
{
    PrintVector<T>(
        *this, v.GetDim(), v.GetInc(), [&v](long i) -> T const& { return v[i]; }, label);
}

template <class T>
void UDebug::Print(UMatrix<T> const& m, char const* label)
{
    PrintMatrix<T>(
        *this, m.GetColDim(), m.GetRowDim(), m.GetColSpace(),
        [&m](long i, long j) -> T const& { return m(i, j); }, label);
}

template <class T>
void UDebug::Print(long n, T const* data, char const* label)
{
    PrintVector<T>(
        *this, n, 1, [data](long i) -> T const& { return data[i]; }, label);
}

template <class T>
void UDebug::Print(long coldim, long rowdim, long colspace, T const* data, char const* label)
{
    colspace = Max(colspace, coldim);
    PrintMatrix<T>(
        *this, coldim, rowdim, colspace,
        [data, colspace](long i, long j) -> T const& { return data[j * colspace + i]; }, label);
}

#define KALVEX_DEBUG_PRINT(T)                                                                      \
    template void UDebug::Print(UVector<T> const&, char const*);                                   \
    template void UDebug::Print(UMatrix<T> const&, char const*);                                   \
    template void UDebug::Print(long, T const*, char const*);                                      \
    template void UDebug::Print(long, long, long, T const*, char const*);

KALVEX_DEBUG_PRINT(unsigned char)
KALVEX_DEBUG_PRINT(signed char)
KALVEX_DEBUG_PRINT(long)
KALVEX_DEBUG_PRINT(float)
KALVEX_DEBUG_PRINT(double)
KALVEX_DEBUG_PRINT(std::complex<double>)
#undef KALVEX_DEBUG_PRINT
