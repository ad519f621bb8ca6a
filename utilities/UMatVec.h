#pragma once
// Vectors and column-major matrices that either own their elements or view
// elements owned elsewhere, the free templates that work on them, and lists
// that own heap objects.
//
// Copy construction makes a view, never a copy: getters hand out views by
// value and callers write through them into the owner's storage. Deep copies
// go through CloneContentsFrom, CopyTo, Vcopy and Mcopy. A view is valid only
// while the viewed storage lives and is not reallocated (an owner reallocates
// when it grows). No element access checks its index.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

// Storage kinds of UVector and UMatrix; only the low four bits are looked at.
enum : std::int32_t {
    vmRawView = 0,     // view on raw memory
    vmVectorView = 1,  // view on a caller's std::vector
    vmOwner = 2        // owns its elements
};

template <class T>
T Abs(T const& x)
{
    return x < 0 ? -x : x;
}

// Ties and unordered values give the second argument.
template <class T>
T Min(T const& a, T const& b)
{
    return a < b ? a : b;
}

// Ties and unordered values give the first argument.
template <class T>
T Max(T const& a, T const& b)
{
    return b > a ? b : a;
}

// n > 0: n elements, existing ones kept, new ones value-initialised; otherwise empty.
template <class X>
void ReSize(std::vector<X>& v, long n)
{
    if (n > 0)
        v.resize(static_cast<std::size_t>(n));
    else
        v.clear();
}

// The element count of an owner's storage. A product that a long cannot hold
// is refused as the too-large request it is, before anything is allocated.
inline long StorageSize(long a, long b)
{
    long n = 0;
    if (__builtin_mul_overflow(a, b, &n)) throw std::length_error("UMatVec: storage too large");
    return n;
}

// An owner's increment. Its storage holds Inc * Dim elements from element 0
// on: below 1, the elements it claims would lie before or outside that.
inline long OwnerIncrement(long inc)
{
    if (inc < 1) throw std::invalid_argument("UMatVec: owner increment below 1");
    return inc;
}

template <class T>
class UMatrix;

template <class T>
class UVector {
public:
    // An owner of dim value-initialised elements, inc apart.
    UVector(long dim, long inc)
        : Mode(vmOwner), Inc(OwnerIncrement(inc)), Dim(dim), Offset(0), AutoResize(true),
          Vec(&Storage), RawData(nullptr)
    {
        if (dim >= 1) ReSize(Storage, StorageSize(dim, inc));
    }

    // A raw view on src's elements; nothing is copied.
    UVector(UVector const& src)
        : Mode(vmRawView), Inc(src.Inc), Dim(src.Dim), Offset(0), AutoResize(false), Vec(&Storage),
          RawData(src.Base())
    {
    }

    // Moving takes over src as it is: a view of a dying owner would dangle,
    // so a moved owner stays an owner (returning a local, growing a
    // std::vector of vectors). src is left an empty owner or unchanged view.
    UVector(UVector&& src) noexcept
        : Mode(src.Mode), Inc(src.Inc), Dim(src.Dim), Offset(src.Offset),
          AutoResize(src.AutoResize), Storage(std::move(src.Storage)), Vec(src.Vec),
          RawData(src.RawData)
    {
        if ((src.Mode & 0xF) != vmVectorView) Vec = &Storage;
        if ((src.Mode & 0xF) == vmOwner) {
            src.Storage.clear();
            src.Dim = 0;
        }
    }

    // A view on v from offset; dim < 0 takes every element up to v's end.
    UVector(std::vector<T>& v, long dim, long offset, long inc)
        : Mode(vmVectorView), Inc(inc),
          Dim(dim < 0 ? (static_cast<long>(v.size()) - offset) / inc : dim), Offset(offset),
          AutoResize(false), Vec(&v), RawData(nullptr)
    {
    }

    // A view on raw memory.
    UVector(T* data, long dim, long inc)
        : Mode(vmRawView), Inc(inc), Dim(dim), Offset(0), AutoResize(false), Vec(&Storage),
          RawData(data)
    {
    }

    // Assigning would leave an owner pointing into the other's storage.
    UVector& operator=(UVector const&) = delete;

    ~UVector() = default;

    long GetDim() const { return Dim; }
    long GetInc() const { return Inc; }

    // The storage is resized before the fields change: a failed resize
    // leaves the vector as it was.
    void SetDim(long n)
    {
        if (AutoResize) ReSize(Storage, StorageSize(Inc, n));
        Dim = n;
    }

    // Elements are not moved. A view takes any increment.
    void SetInc(long n)
    {
        if (AutoResize) ReSize(Storage, StorageSize(OwnerIncrement(n), Dim));
        Inc = n;
    }

    void Clear()
    {
        SetDim(0);
        SetInc(1);
    }

    // x may live in this vector: it is copied before the storage can move.
    void Add(T const& x)
    {
        T value(x);
        SetDim(Dim + 1);
        Element(Dim - 1) = std::move(value);
    }

    T& operator[](long i) { return At(i); }
    T const& operator[](long i) const { return At(i); }
    T& operator()(long i) { return At(i); }
    T const& operator()(long i) const { return At(i); }
    T& Element(long i) { return At(i); }
    T const& Element(long i) const { return At(i); }

    T* GetData() { return Base(); }
    T const* GetData() const { return Base(); }
    T const* GetConstData() const { return Base(); }

    void CopyTo(UVector& dst) const
    {
        if (Dim != dst.Dim) RaiseError(umIllegalCopyDimensions, "UMatVec", __LINE__);
        for (long i = 0; i < Dim; ++i) dst.At(i) = At(i);
    }

    // Makes this owner a packed copy of src. src is read in full before the
    // storage changes, so it may view this vector itself.
    void CloneContentsFrom(UVector const& src)
    {
        if ((Mode & 0xF) != vmOwner) RaiseError(umIllegalCopy, "UMatVec", __LINE__);
        std::vector<T> copy;
        copy.reserve(src.Dim > 0 ? static_cast<std::size_t>(src.Dim) : 0);
        for (long i = 0; i < src.Dim; ++i) copy.push_back(src.At(i));
        long n = src.Dim;
        SetInc(1);
        SetDim(n);
        for (long i = 0; i < n; ++i) At(i) = std::move(copy[static_cast<std::size_t>(i)]);
    }

    // n elements: start, start + step, ... A negative n gives an empty view.
    UVector SubVector(long start, long n, long step) const
    {
        long dim = n < 0 ? 0 : n;
        if (IsVectorBacked()) return UVector(Vec, Offset + start * Inc, dim, step * Inc);
        return UVector(RawData + start * Inc, dim, step * Inc);
    }

    // Whether SetDim(n) keeps every element inside the storage: an owner
    // grows, a vector view is bounded by the viewed vector, and a raw view,
    // which knows no storage beyond its elements, cannot grow.
    bool CanHold(long n) const
    {
        if (AutoResize || n <= 0) return true;
        if (!IsVectorBacked()) return Dim > 0 && (n <= Dim || Inc == 0);
        long const size = static_cast<long>(Vec->size());
        long last = 0;
        if (__builtin_mul_overflow(n - 1, Inc, &last) ||
            __builtin_add_overflow(last, Offset, &last))
            return false;
        return Offset >= 0 && Offset < size && last >= 0 && last < size;
    }

private:
    friend class UMatrix<T>;

    // A vector view with its fields as given.
    UVector(std::vector<T>* vec, long offset, long dim, long inc)
        : Mode(vmVectorView), Inc(inc), Dim(dim), Offset(offset), AutoResize(false), Vec(vec),
          RawData(nullptr)
    {
    }

    bool IsVectorBacked() const { return (Mode & 0xF) != vmRawView; }

    // Element 0; data() + Offset never touches an element of an empty vector.
    T* Base() const { return IsVectorBacked() ? Vec->data() + Offset : RawData; }

    T& At(long i) const
    {
        return IsVectorBacked() ? Vec->data()[Offset + i * Inc] : RawData[i * Inc];
    }

    std::int32_t Mode;
    long Inc;
    long Dim;
    long Offset;
    bool AutoResize;
    std::vector<T> Storage;
    std::vector<T>* Vec;
    T* RawData;
};

template <class T>
class UMatrix {
public:
    // An owner of coldim rows and rowdim columns; colspace -1 packs it.
    UMatrix(long coldim, long rowdim, long colspace)
        : Mode(vmOwner), RowDim(rowdim), ColDim(coldim), ColSpace(Max(colspace, coldim)), Offset(0),
          AutoResize(true), Vec(&Storage), RawData(nullptr)
    {
        long const size = StorageSize(ColSpace, RowDim);
        if (size >= 1) ReSize(Storage, size);
    }

    // A raw view on src's elements; nothing is copied.
    UMatrix(UMatrix const& src)
        : Mode(vmRawView), RowDim(src.RowDim), ColDim(src.ColDim), ColSpace(src.ColSpace),
          Offset(0), AutoResize(false), Vec(&Storage), RawData(src.Base())
    {
    }

    // Moving takes over src as it is: a moved owner stays an owner, so a
    // returned local never becomes a view of freed storage. src is left an
    // empty owner or unchanged view.
    UMatrix(UMatrix&& src) noexcept
        : Mode(src.Mode), RowDim(src.RowDim), ColDim(src.ColDim), ColSpace(src.ColSpace),
          Offset(src.Offset), AutoResize(src.AutoResize), Storage(std::move(src.Storage)),
          Vec(src.Vec), RawData(src.RawData)
    {
        if ((src.Mode & 0xF) != vmVectorView) Vec = &Storage;
        if ((src.Mode & 0xF) == vmOwner) {
            src.Storage.clear();
            src.RowDim = 0;
            src.ColDim = 0;
        }
    }

    // An owner that takes over packed, its coldim x rowdim elements column by
    // column; packed is sized to them.
    UMatrix(std::vector<T>&& packed, long coldim, long rowdim)
        : Mode(vmOwner), RowDim(rowdim), ColDim(coldim), ColSpace(coldim), Offset(0),
          AutoResize(true), Storage(std::move(packed)), Vec(&Storage), RawData(nullptr)
    {
        ReSize(Storage, StorageSize(ColSpace, RowDim));
    }

    // A view on v with element (0, 0) at v[offset].
    UMatrix(std::vector<T>& v, long coldim, long rowdim, long offset, long colspace)
        : Mode(vmVectorView), RowDim(rowdim), ColDim(coldim), ColSpace(Max(colspace, coldim)),
          Offset(offset), AutoResize(false), Vec(&v), RawData(nullptr)
    {
    }

    // A view on raw memory.
    UMatrix(T* data, long coldim, long rowdim, long colspace)
        : Mode(vmRawView), RowDim(rowdim), ColDim(coldim), ColSpace(Max(colspace, coldim)),
          Offset(0), AutoResize(false), Vec(&Storage), RawData(data)
    {
    }

    // Assigning would leave an owner pointing into the other's storage.
    UMatrix& operator=(UMatrix const&) = delete;

    ~UMatrix() = default;

    long GetColDim() const { return ColDim; }  // rows
    long GetRowDim() const { return RowDim; }  // columns
    long GetColSpace() const { return ColSpace; }
    // Only an owner's resizers size storage; a view's change its shape alone.
    bool IsOwner() const { return AutoResize; }

    // Existing columns keep their place. As in every resizer, the storage
    // is resized before the fields change: a failed resize leaves the matrix
    // as it was.
    void SetRowDim(long n)
    {
        if (AutoResize) ReSize(Storage, StorageSize(ColSpace, n));
        RowDim = n;
    }

    // Elements are not moved.
    void SetColSpace(long n)
    {
        if (AutoResize) ReSize(Storage, StorageSize(n, RowDim));
        ColSpace = n;
        ColDim = Min(ColSpace, ColDim);
    }

    // An owner widens its columns when n exceeds the leading dimension and
    // keeps the old block; added rows are not reset. A view cannot widen.
    void SetColDim(long n)
    {
        if (!AutoResize) {
            if (n > ColSpace) RaiseError(umIllegalColumnDimension, "UMatVec", __LINE__);
            ColDim = n;
            return;
        }
        long s = Max(ColSpace, n);
        if (s == ColSpace) {
            ColDim = n;
            return;
        }
        long const size = StorageSize(s, RowDim);
        long oldColDim = ColDim;
        UMatrix saved(oldColDim, RowDim, -1);
        CopyTo(saved);
        ReSize(Storage, size);
        ColSpace = s;
        ColDim = n;
        UMatrix block = SubMatrix(0, 0, oldColDim, RowDim);
        saved.CopyTo(block);
    }

    void Clear()
    {
        SetColDim(0);
        SetColSpace(0);
        SetRowDim(0);
    }

    T& operator()(long i, long j) { return At(i, j); }
    T const& operator()(long i, long j) const { return At(i, j); }
    T const& Element(long i, long j) const { return At(i, j); }

    T* GetData() { return Base(); }
    T const* GetData() const { return Base(); }
    T const* GetConstData() const { return Base(); }

    void CopyTo(UMatrix& dst) const
    {
        if (ColDim != dst.ColDim || RowDim != dst.RowDim)
            RaiseError(umIllegalCopyDimensions, "UMatVec", __LINE__);
        for (long i = 0; i < ColDim; ++i)
            for (long j = 0; j < RowDim; ++j) dst.At(i, j) = At(i, j);
    }

    // Makes this owner a packed copy of src. src is read in full before the
    // storage changes, so it may view this matrix itself.
    void CloneContentsFrom(UMatrix const& src)
    {
        if ((Mode & 0xF) != vmOwner) RaiseError(umIllegalCopy, "UMatVec", __LINE__);
        if (!Overlaps(src)) {
            // Nothing of src moves with this storage: copied in place, column by column.
            long const rows = src.ColDim;
            long const cols = src.RowDim;
            ReSize(Storage, StorageSize(rows, cols));
            ColDim = rows;
            ColSpace = rows;
            RowDim = cols;
            T* to = Storage.data();
            T const* from = src.Base();
            for (long j = 0; j < cols; ++j)
                for (long i = 0; i < rows; ++i) to[j * rows + i] = from[j * src.ColSpace + i];
            return;
        }
        UMatrix packed(src.ColDim, src.RowDim, -1);
        src.CopyTo(packed);
        SetColDim(packed.ColDim);
        SetColSpace(packed.ColDim);
        SetRowDim(packed.RowDim);
        packed.CopyTo(*this);
    }

    // Makes this owner hold src's elements: an owner's storage is taken over
    // without a copy, leaving src empty; a view's elements are cloned.
    void TakeContentsFrom(UMatrix&& src)
    {
        if ((Mode & 0xF) != vmOwner) RaiseError(umIllegalCopy, "UMatVec", __LINE__);
        if ((src.Mode & 0xF) != vmOwner || &src == this) {
            CloneContentsFrom(src);
            return;
        }
        Storage = std::move(src.Storage);
        RowDim = src.RowDim;
        ColDim = src.ColDim;
        ColSpace = src.ColSpace;
        src.Storage.clear();
        src.RowDim = 0;
        src.ColDim = 0;
    }
    // The block from (i, j): n rows (n < 0: to the last row) and m columns
    // (m < 0: to the last column), with this matrix's leading dimension.
    UMatrix SubMatrix(long i, long j, long n, long m) const
    {
        long rows = n < 0 ? ColDim - i : n;
        long cols = m < 0 ? RowDim - j : m;
        if (IsVectorBacked()) return UMatrix(*Vec, rows, cols, Offset + i + j * ColSpace, ColSpace);
        return UMatrix(RawData + j * ColSpace + i, rows, cols, ColSpace);
    }

    UVector<T> ColVector(long j) const
    {
        if (IsVectorBacked()) return UVector<T>(Vec, Offset + j * ColSpace, ColDim, 1);
        return UVector<T>(RawData + j * ColSpace, ColDim, 1);
    }

    // The diagonal through (i, j); i < 0 with j = 0 is the -i-th
    // super-diagonal. n < 1 runs to the matrix's edge.
    UVector<T> BandVector(long i, long j, long n) const
    {
        long row = i;
        long col = j;
        if (i < 0 && j == 0) {
            row = 0;
            col = -i;
        }
        long dim = n < 1 ? Min(ColDim - row, RowDim - col) : n;
        if (IsVectorBacked())
            return UVector<T>(Vec, Offset + row + col * ColSpace, dim, ColSpace + 1);
        return UVector<T>(RawData + col * ColSpace + row, dim, ColSpace + 1);
    }

    // Whether SetColDim(rows) and SetRowDim(cols) keep every element inside
    // the storage: an owner grows; a view keeps its leading dimension, and
    // its elements end within the viewed vector or, for a raw view, which
    // knows no storage beyond its elements, within its present last element.
    bool CanHold(long rows, long cols) const
    {
        if (AutoResize) return true;
        if (rows > ColSpace) return false;
        if (rows <= 0 || cols <= 0) return true;
        long end = 0;  // one past element (rows - 1, cols - 1)
        if (__builtin_mul_overflow(cols - 1, ColSpace, &end) ||
            __builtin_add_overflow(end, rows, &end))
            return false;
        if (IsVectorBacked()) return Offset >= 0 && end <= static_cast<long>(Vec->size()) - Offset;
        return ColDim > 0 && RowDim > 0 && end <= (RowDim - 1) * ColSpace + ColDim;
    }

private:
    bool IsVectorBacked() const { return (Mode & 0xF) != vmRawView; }

    // Element (0, 0); data() + Offset never touches an element of an empty vector.
    T* Base() const { return IsVectorBacked() ? Vec->data() + Offset : RawData; }

    // True when an element of src may lie in this matrix's own storage.
    bool Overlaps(UMatrix const& src) const
    {
        if (src.ColDim <= 0 || src.RowDim <= 0 || Storage.empty()) return false;
        T const* first = src.Base();
        T const* last = first + (src.RowDim - 1) * src.ColSpace + (src.ColDim - 1);
        std::less<T const*> before;
        return !before(last, Storage.data()) && before(first, Storage.data() + Storage.size());
    }

    T& At(long i, long j) const
    {
        return IsVectorBacked() ? Vec->data()[Offset + j * ColSpace + i]
                                : RawData[j * ColSpace + i];
    }

    std::int32_t Mode;
    long RowDim;
    long ColDim;
    long ColSpace;
    long Offset;
    bool AutoResize;
    std::vector<T> Storage;
    std::vector<T>* Vec;
    T* RawData;
};

// Sets x[0], x[inc], ... (n elements); nothing for n <= 0 or inc <= 0.
template <class T>
void Vset(long n, T* x, long inc, T const& a)
{
    if (inc <= 0) return;
    for (long k = 0; k < n; ++k) x[k * inc] = a;
}

template <class T>
void Vset(UVector<T>& v, T const& a)
{
    Vset(v.GetDim(), v.GetData(), v.GetInc(), a);
}

// Copies n elements of x to y as DCOPY does: a negative increment walks its
// array backwards from element -(n-1)*inc, a zero increment stays on element 0.
template <class T>
void Vcopy(long n, T const* x, long incx, T* y, long incy)
{
    if (n <= 0) return;
    if (incx == 1 && incy == 1) {
        for (long i = 0; i < n; ++i) y[i] = x[i];
        return;
    }
    long ix = incx < 0 ? (1 - n) * incx : 0;
    long iy = incy < 0 ? (1 - n) * incy : 0;
    for (long i = 0; i < n; ++i, ix += incx, iy += incy) y[iy] = x[ix];
}

// Element k of a becomes element k of b. A vector whose increment is negative
// has its lowest address at its last element, which is where DCOPY starts.
template <class T>
void Vcopy(UVector<T> const& a, UVector<T>& b)
{
    if (a.GetDim() != b.GetDim()) RaiseError(umIncompatibleDimensions, "UMatVec", __LINE__);
    long n = a.GetDim();
    if (n <= 0) return;
    T const* x = a.GetInc() < 0 ? &a[n - 1] : a.GetConstData();
    T* y = b.GetInc() < 0 ? &b[n - 1] : b.GetData();
    Vcopy(n, x, a.GetInc(), y, b.GetInc());
}

template <class T>
void Mset(UMatrix<T>& m, T const& x)
{
    for (long j = 0; j < m.GetRowDim(); ++j)
        for (long i = 0; i < m.GetColDim(); ++i) m(i, j) = x;
}

template <class T>
void Mset(UMatrix<T>& m, T const& offdiag, T const& diag)
{
    for (long j = 0; j < m.GetRowDim(); ++j) {
        for (long i = 0; i < m.GetColDim(); ++i) m(i, j) = offdiag;
        if (j < m.GetColDim()) m(j, j) = diag;
    }
}

template <class T>
void Mcopy(UMatrix<T> const& a, UMatrix<T>& b)
{
    if (a.GetColDim() != b.GetColDim() || a.GetRowDim() != b.GetRowDim())
        RaiseError(umIncompatibleDimensions, "UMatVec", __LINE__);
    for (long i = 0; i < a.GetColDim(); ++i)
        for (long j = 0; j < a.GetRowDim(); ++j) b(i, j) = a(i, j);
}

// Transposes a square matrix in place.
template <class T>
void Mtrans(UMatrix<T>& m)
{
    if (m.GetColDim() != m.GetRowDim()) RaiseError(umNotSquare, "UMatVec", __LINE__);
    for (long i = 1; i < m.GetColDim(); ++i)
        for (long j = 0; j < i; ++j) std::swap(m(i, j), m(j, i));
}

// A growable array of owned heap objects (made with new); null slots are
// allowed. Elements are deleted when the list shrinks, is cleared or dies.
template <class T>
class UPointerList {
public:
    UPointerList() = default;
    UPointerList(UPointerList const&) = delete;
    UPointerList& operator=(UPointerList const&) = delete;

    virtual ~UPointerList() { clear(); }

    // Deletes the element of slot i; the slot stays, now null.
    virtual void DeleteElement(long i)
    {
        T*& slot = Slots[static_cast<std::size_t>(i)];
        if (slot) delete slot;
        slot = nullptr;
    }

    // The list owns p from now on.
    void Add(T* p) { Slots.push_back(p); }

    // Replacing a pointer here does not delete the old element.
    T*& operator[](long i) { return Slots[static_cast<std::size_t>(i)]; }
    T* operator[](long i) const { return Slots[static_cast<std::size_t>(i)]; }

    long size() const { return static_cast<long>(Slots.size()); }
    long GetDim() const { return size(); }

    // Growing adds null slots; shrinking deletes slots n, n+1, ... in order.
    // n < 0 empties the list.
    void resize(long n)
    {
        long s = size();
        if (n > s) {
            Slots.resize(static_cast<std::size_t>(n), nullptr);
        } else if (n < s) {
            for (long k = Max(n, 0L); k < s; ++k) DeleteElement(k);
            ReSize(Slots, n);
        }
    }

    void clear() { resize(0); }

private:
    std::vector<T*> Slots;
};

// A UPointerList of elements made with array new.
template <class T>
class UArrayList : public UPointerList<T> {
public:
    UArrayList() = default;

    // Here the virtual call still reaches the array delete below.
    ~UArrayList() override { this->clear(); }

    void DeleteElement(long i) override
    {
        T*& slot = (*this)[i];
        if (slot) delete[] slot;
        slot = nullptr;
    }
};
