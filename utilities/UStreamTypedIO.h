#pragma once
// The transfers behind the typed layer of UStream: how each element kind is
// held in the data, and the chunked writing and reading of containers. Used
// only by the typed layer's own sources.
#include <algorithm>
#include <complex>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"

static_assert(sizeof(short) == 2 && sizeof(float) == 4 && sizeof(double) == 8 &&
                  sizeof(std::complex<double>) == 16,
              "the typed layer moves these types as they lie in memory");

// An element kind as it lies in the data: Wire, swapped in units of Unit bytes.
template <class T>
struct WireKind {
    using Wire = T;
    static constexpr long Unit = sizeof(T);
    static Wire ToWire(T x) { return x; }
    static T FromWire(Wire w) { return w; }
    static bool Fits(T) { return true; }
};

template <>
struct WireKind<bool> {
    using Wire = std::uint8_t;
    static constexpr long Unit = 1;
    static Wire ToWire(bool x) { return x ? 1 : 0; }
    static bool FromWire(Wire w) { return w != 0; }
    static bool Fits(bool) { return true; }
};

// Int32 is a long in memory, which holds more than the four bytes of the data.
template <>
struct WireKind<long> {
    using Wire = std::int32_t;
    static constexpr long Unit = 4;
    static Wire ToWire(long x) { return static_cast<Wire>(x); }
    static long FromWire(Wire w) { return w; }
    static bool Fits(long x)
    {
        return x >= std::numeric_limits<Wire>::min() && x <= std::numeric_limits<Wire>::max();
    }
};

// Two Doubles, the real part first.
template <>
struct WireKind<std::complex<double>> {
    using Wire = std::complex<double>;
    static constexpr long Unit = sizeof(double);
    static Wire ToWire(Wire const& x) { return x; }
    static Wire FromWire(Wire const& w) { return w; }
    static bool Fits(Wire const&) { return true; }
};

struct UStreamTypedIO {
    // Elements that a gathered transfer moves at a time.
    static constexpr long Chunk = 8192;

    template <class T>
    using Wire = typename WireKind<T>::Wire;

    template <class T>
    static long constexpr WireSize()
    {
        return sizeof(Wire<T>);
    }

    // The memory holds the data's bytes themselves.
    template <class T>
    static bool constexpr SameAsWire()
    {
        return std::is_same<T, Wire<T>>::value;
    }

    template <class T>
    static bool NeedsSwap(UStream const& s)
    {
        return WireKind<T>::Unit > 1 && s.GetNeedByteSwap();
    }

    // The working buffer of a kind, shared by all streams.
    template <class T>
    static Wire<T>* Buffer()
    {
        static Wire<T> buffer[Chunk];
        return buffer;
    }

    template <class T>
    static void SwapWire(UStream& s, Wire<T>* w, long count)
    {
        long const unit = WireKind<T>::Unit;
        s.SwapIf(reinterpret_cast<char*>(w), unit, count * (WireSize<T>() / unit));
    }

    // Reads up to n bytes, asking again while the device delivers less.
    static long ReadFully(UStream& s, void* p, long n)
    {
        return s.ReadChunk(static_cast<char*>(p), n);
    }

    // A value that the data cannot hold raises 21050 before anything is written.
    template <class T, class At>
    static void CheckFits(long n, At at)
    {
        if constexpr (std::is_same<T, long>::value) {
            for (long k = 0; k < n; ++k)
                if (!WireKind<T>::Fits(at(k))) RaiseError(umStreamOutputError, "UStream", __LINE__);
        }
    }

    static void PutDimension(UStream& s, long n)
    {
        long const dim = std::max(n, 0L);
        if (!WireKind<long>::Fits(dim)) RaiseError(umStreamOutputError, "UStream", __LINE__);
        s.PutInt32(dim);
    }

    template <class T>
    static void PutValue(UStream& s, T const& x)
    {
        if (!WireKind<T>::Fits(x)) RaiseError(umStreamOutputError, "UStream", __LINE__);
        Wire<T> w = WireKind<T>::ToWire(x);
        SwapWire<T>(s, &w, 1);
        s.PutBuffer(&w, WireSize<T>());
    }

    template <class T>
    static T GetValue(UStream& s)
    {
        Wire<T> w{};
        if (ReadFully(s, &w, WireSize<T>()) < WireSize<T>()) return T{};
        SwapWire<T>(s, &w, 1);
        return WireKind<T>::FromWire(w);
    }

    // Writes element at(0) .. at(n - 1) through the working buffer, perChunk at a time.
    template <class T, class At>
    static void PutGathered(UStream& s, long n, long perChunk, At at)
    {
        Wire<T>* const buffer = Buffer<T>();
        for (long done = 0; done < n;) {
            long const m = std::min(perChunk, n - done);
            for (long k = 0; k < m; ++k) buffer[k] = WireKind<T>::ToWire(at(done + k));
            SwapWire<T>(s, buffer, m);
            s.PutBuffer(buffer, m * WireSize<T>());
            done += m;
        }
    }

    // Reads n elements through the working buffer, perChunk at a time, and
    // hands each to put(k, value); a short read ends it.
    template <class T, class Put>
    static void GetScattered(UStream& s, long n, long perChunk, Put put)
    {
        Wire<T>* const buffer = Buffer<T>();
        for (long done = 0; done < n;) {
            long const m = std::min(perChunk, n - done);
            long const got = ReadFully(s, buffer, m * WireSize<T>()) / WireSize<T>();
            SwapWire<T>(s, buffer, got);
            for (long k = 0; k < got; ++k) put(done + k, WireKind<T>::FromWire(buffer[k]));
            if (got < m) return;
            done += m;
        }
    }

    // n elements inc apart. The caller's data is never changed: what must be
    // converted or swapped goes through the working buffer.
    template <class T>
    static void PutRun(UStream& s, T const* data, long n, long inc)
    {
        if (n <= 0) return;
        if (SameAsWire<T>() && inc == 1 && !NeedsSwap<T>(s)) {
            s.PutBuffer(data, n * WireSize<T>());
            return;
        }
        PutGathered<T>(s, n, Chunk, [&](long k) { return data[k * inc]; });
    }

    // Where the data end inside the run, only whole elements are stored:
    // the rest of the destination stays as it was.
    template <class T>
    static void GetRun(UStream& s, T* data, long n, long inc)
    {
        if (n <= 0) return;
        if constexpr (SameAsWire<T>()) {
            if (inc == 1 && s.GetSize() - s.GetPosition() >= n * WireSize<T>()) {
                long const got = ReadFully(s, data, n * WireSize<T>()) / WireSize<T>();
                SwapWire<T>(s, data, got);
                return;
            }
        }
        GetScattered<T>(s, n, Chunk, [&](long k, T const& x) { data[k * inc] = x; });
    }

    template <class T>
    static void PutElements(UStream& s, T const* data, long n, long inc, bool withSize)
    {
        CheckFits<T>(n, [&](long k) { return data[k * inc]; });
        if (withSize) PutDimension(s, n);
        PutRun(s, data, n, inc);
    }

    template <class T>
    static void PutVector(UStream& s, std::vector<T> const& v)
    {
        PutElements(s, v.data(), static_cast<long>(v.size()), 1, false);
    }

    template <class T>
    static void PutVector(UStream& s, UVector<T> const& v)
    {
        PutElements(s, v.GetConstData(), v.GetDim(), v.GetInc(), false);
    }

    template <class T>
    static void PutVectorWithSize(UStream& s, std::vector<T> const& v)
    {
        PutElements(s, v.data(), static_cast<long>(v.size()), 1, true);
    }

    template <class T>
    static void PutVectorWithSize(UStream& s, UVector<T> const& v)
    {
        PutElements(s, v.GetConstData(), v.GetDim(), v.GetInc(), true);
    }

    // std::vector<bool> holds no array of bools: element by element.
    static void PutVector(UStream& s, std::vector<bool> const& v)
    {
        PutGathered<bool>(s, static_cast<long>(v.size()), Chunk,
                          [&](long k) { return bool(v[k]); });
    }

    static void PutVectorWithSize(UStream& s, std::vector<bool> const& v)
    {
        PutDimension(s, static_cast<long>(v.size()));
        PutVector(s, v);
    }

    template <class T>
    static void GetVector(UStream& s, std::vector<T>& v)
    {
        GetRun(s, v.data(), static_cast<long>(v.size()), 1);
    }

    template <class T>
    static void GetVector(UStream& s, UVector<T>& v)
    {
        GetRun(s, v.GetData(), v.GetDim(), v.GetInc());
    }

    static void GetVector(UStream& s, std::vector<bool>& v)
    {
        GetScattered<bool>(s, static_cast<long>(v.size()), Chunk,
                           [&](long k, bool x) { v[k] = x; });
    }

    template <class T>
    static long Elements(UMatrix<T> const& m)
    {
        return m.GetColDim() > 0 && m.GetRowDim() > 0 ? m.GetColDim() * m.GetRowDim() : 0;
    }

    // Column by column without the padding: packed data in one piece, long
    // columns one at a time, shorter ones gathered whole into the buffer.
    template <class T>
    static void PutMatrixElements(UStream& s, UMatrix<T> const& m)
    {
        long const n = Elements(m);
        if (n == 0) return;
        long const rows = m.GetColDim();
        long const space = m.GetColSpace();
        T const* const data = m.GetConstData();
        if (space == rows) {
            PutRun(s, data, n, 1);
        } else if (2 * rows > Chunk) {
            for (long j = 0; j < m.GetRowDim(); ++j) PutRun(s, data + j * space, rows, 1);
        } else {
            PutGathered<T>(s, n, Chunk / rows * rows,
                           [&](long k) { return data[k / rows * space + k % rows]; });
        }
    }

    template <class T>
    static void CheckMatrixFits(UMatrix<T> const& m)
    {
        long const rows = m.GetColDim();
        CheckFits<T>(Elements(m), [&](long k) { return m(k % rows, k / rows); });
    }

    template <class T>
    static void PutMatrix(UStream& s, UMatrix<T> const& m)
    {
        CheckMatrixFits(m);
        PutMatrixElements(s, m);
    }

    template <class T>
    static void PutMatrixWithSize(UStream& s, UMatrix<T> const& m)
    {
        CheckMatrixFits(m);
        PutDimension(s, m.GetColDim());
        PutDimension(s, m.GetRowDim());
        PutMatrixElements(s, m);
    }

    // The mirror of PutMatrixElements. A matrix without elements reads nothing.
    template <class T>
    static void GetMatrix(UStream& s, UMatrix<T>& m)
    {
        long const n = Elements(m);
        if (n == 0) return;
        long const rows = m.GetColDim();
        long const space = m.GetColSpace();
        T* const data = m.GetData();
        if (space == rows) {
            GetRun(s, data, n, 1);
        } else if (2 * rows > Chunk) {
            for (long j = 0; j < m.GetRowDim(); ++j) GetRun(s, data + j * space, rows, 1);
        } else {
            GetScattered<T>(s, n, Chunk / rows * rows,
                            [&](long k, T const& x) { data[k / rows * space + k % rows] = x; });
        }
    }

    // A dimension read from the data: all four bytes there and not negative.
    static long GetDimension(UStream& s)
    {
        std::int32_t w = 0;
        if (ReadFully(s, &w, sizeof w) < static_cast<long>(sizeof w))
            RaiseError(umStreamInputError, "UStream", __LINE__);
        s.SwapIf_Int32(reinterpret_cast<char*>(&w), 1);
        if (w < 0) RaiseError(umStreamInputError, "UStream", __LINE__);
        return w;
    }

    // Elements of size bytes that the dimensions ask for, when the data left
    // in the stream hold them; else 21049.
    static long CheckedCount(UStream& s, long rows, long cols, long size)
    {
        long count = 0;
        if (__builtin_mul_overflow(rows, cols, &count))
            RaiseError(umStreamInputError, "UStream", __LINE__);
        long const left = std::max(s.GetSize() - s.GetPosition(), 0L);
        if (count > left / size) RaiseError(umStreamInputError, "UStream", __LINE__);
        return count;
    }

    static long GetVectorCount(UStream& s, long size)
    {
        long const n = GetDimension(s);
        return CheckedCount(s, n, 1, size);
    }

    template <class T>
    static void GetVectorWithSize(UStream& s, std::vector<T>& v)
    {
        ReSize(v, GetVectorCount(s, WireSize<T>()));
        GetVector(s, v);
    }

    // A view is not sized beyond the storage behind it.
    template <class T>
    static void GetVectorWithSize(UStream& s, UVector<T>& v)
    {
        long const n = GetVectorCount(s, WireSize<T>());
        if (!v.CanHold(n)) RaiseError(umStreamInputError, "UStream", __LINE__);
        v.SetDim(n);
        GetVector(s, v);
    }

    template <class T>
    static void GetMatrixWithSize(UStream& s, UMatrix<T>& m)
    {
        long const rows = GetDimension(s);
        long const cols = GetDimension(s);
        CheckedCount(s, rows, cols, WireSize<T>());
        // A view keeps its shape unless the storage behind it holds the new one.
        if (!m.CanHold(rows, cols))
            RaiseError(rows > m.GetColSpace() ? umIllegalColumnDimension : umStreamInputError,
                       "UStream", __LINE__);
        // Without rows or without columns the data bound only one dimension:
        // the other must not size an owner's storage through its old shape.
        // A view keeps its leading dimension, which bounds its later reads.
        if (cols == 0) m.SetRowDim(0);
        m.SetColDim(rows);
        if (rows == 0 && m.IsOwner()) m.SetColSpace(0);
        m.SetRowDim(cols);
        GetMatrix(s, m);
    }

    // Moves the position by n elements of size bytes.
    static void Skip(UStream& s, long n, long size)
    {
        long bytes = 0;
        long target = 0;
        long const position = s.GetPosition();
        if (__builtin_mul_overflow(n, size, &bytes) ||
            __builtin_add_overflow(position, bytes, &target))
            RaiseError(umIndexOutOfRange, "UStream", __LINE__);
        s.SetPosition(target);
    }

    static void SkipVector(UStream& s, long size) { Skip(s, GetVectorCount(s, size), size); }

    static void SkipMatrix(UStream& s, long size)
    {
        long const rows = GetDimension(s);
        long const cols = GetDimension(s);
        Skip(s, CheckedCount(s, rows, cols, size), size);
    }
};
