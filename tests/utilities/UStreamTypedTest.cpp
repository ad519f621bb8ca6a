// The typed layer's byte layouts, chunking, skips and operators, and what it
// does with failing writes and damaged data.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <complex>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/support/RaisedCode.h"
#include "tests/utilities/RegisterUtilities.h"
#include "tests/utilities/StreamTestDevice.h"
#include "tests/utilities/TypedKinds.h"
#include "utilities/UMemoryStream.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStreamOperators.h"

namespace {

std::string Int32Bytes(std::int32_t x, bool little)
{
    std::string b(4, '\0');
    for (int k = 0; k < 4; ++k)
        b[static_cast<size_t>(little ? k : 3 - k)] = static_cast<char>((x >> (8 * k)) & 0xFF);
    return b;
}

template <class T>
std::string BytesOf(T const& x)
{
    return std::string(reinterpret_cast<char const*>(&x), sizeof x);
}

TEST(UStreamTyped, Int32IsFourBytesInEitherOrder)
{
    for (bool little : {true, false}) {
        auto* device = new TestDevice;
        UStream s(device);
        s.SetLittleEndian(little);
        s.PutInt32(1);
        EXPECT_EQ(device->data, little ? std::string("\1\0\0\0", 4) : std::string("\0\0\0\1", 4));
        s.SetPosition(0);
        EXPECT_EQ(s.GetInt32(), 1);
        s.PutInt32(-1);
        s.SetPosition(4);
        EXPECT_EQ(s.GetInt32(), -1);  // sign-extended into the long
    }
}

TEST(UStreamTyped, ComplexWithSizeIsCountRealImaginary)
{
    auto* device = new TestDevice;
    UStream s(device);
    s.PutComplexWithSize(std::vector<std::complex<double>>{{1.5, -2.0}});
    EXPECT_EQ(device->data, Int32Bytes(1, true) + BytesOf(1.5) + BytesOf(-2.0));
}

TEST(UStreamTyped, PaddedMatrixIsWrittenWithoutPaddingAndReadBackPacked)
{
    auto* device = new TestDevice;
    UStream s(device);
    UMatrix<double> m(3, 2, 5);
    for (long j = 0; j < 2; ++j)
        for (long i = 0; i < 3; ++i) m(i, j) = i + 10.0 * j;
    s.PutDoubleWithSize(m);
    std::string expected = Int32Bytes(3, true) + Int32Bytes(2, true);
    for (double x : {0.0, 1.0, 2.0, 10.0, 11.0, 12.0}) expected += BytesOf(x);
    EXPECT_EQ(device->data, expected);
    s.SetPosition(0);
    UMatrix<double> back(0, 0, -1);
    s.GetDoubleWithSize(back);
    EXPECT_EQ(back.GetColSpace(), 3);
    for (long j = 0; j < 2; ++j)
        for (long i = 0; i < 3; ++i) EXPECT_EQ(back(i, j), m(i, j));
}

// The device writes of each form: packed data in one piece unless it must
// be swapped, everything else in chunks of at most 8192 elements, matrices
// in whole columns.
TEST(UStreamTyped, ContainersMoveInChunksOfWholeColumns)
{
    std::vector<double> store(3 * 20000, 1.0);
    struct Case {
        char const* name;
        bool swap;
        std::function<void(UStream&)> write;
        std::vector<long> writes;  // elements per device write
    };
    std::vector<Case> const cases = {
        {"packed vector", false, [&](UStream& s) { s.PutDouble(store); }, {60000}},
        {"packed vector, swapped",
         true,
         [&](UStream& s) { s.PutDouble(store); },
         {8192, 8192, 8192, 8192, 8192, 8192, 8192, 2656}},
        {"strided vector",
         false,
         [&](UStream& s) { s.PutDouble(UVector<double>(store.data(), 20000, 3)); },
         {8192, 8192, 3616}},
        {"3000 x 5, space 3001",
         false,
         [&](UStream& s) { s.PutDouble(UMatrix<double>(store.data(), 3000, 5, 3001)); },
         {6000, 6000, 3000}},
        {"5000 x 3, space 5003",
         false,
         [&](UStream& s) { s.PutDouble(UMatrix<double>(store.data(), 5000, 3, 5003)); },
         {5000, 5000, 5000}},
        {"5000 x 3 packed",
         false,
         [&](UStream& s) { s.PutDouble(UMatrix<double>(store.data(), 5000, 3, 5000)); },
         {15000}},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        auto* device = new TestDevice;
        UStream s(device);
        if (c.swap) s.SetLittleEndian(!UStream::MachineLittleEndian);
        c.write(s);
        std::vector<long> elements;
        for (long w : device->writes) elements.push_back(w / 8);
        EXPECT_EQ(elements, c.writes);
    }
}

template <class T>
class TypedLayer : public ::testing::Test {
};

using Kinds = ::testing::Types<bool, unsigned char, signed char, short, long, float, double,
                               std::complex<double>>;
TYPED_TEST_SUITE(TypedLayer, Kinds);

// A write that raises must not leave the caller's container byte-swapped:
// neither on a stream without a device nor on a read-only memory stream.
TYPED_TEST(TypedLayer, FailedWriteLeavesTheCallersDataAsItWas)
{
    using T = TypeParam;
    using K = Kind<T>;
    RegisterUtilities();
    char block[16] = {};
    UStream none(nullptr);
    UMemoryStream readOnly(block, sizeof block);
    std::pair<UStream*, int> const streams[] = {{&none, umStreamNotInitialized},
                                                {&readOnly, umWriteOnReadOnly}};
    for (auto const& [s, code] : streams) {
        s->SetLittleEndian(!UStream::MachineLittleEndian);
        std::vector<T> const expected = Samples<T>(100);
        std::vector<T> v = expected;
        EXPECT_EQ(RaisedCode([&] { K::PutPlain(*s, v); }), code);
        EXPECT_EQ(RaisedCode([&] { K::PutSized(*s, v); }), code);
        EXPECT_EQ(v, expected);
        if constexpr (!std::is_same<T, bool>::value) {
            UMatrix<T> packed(v.data(), 10, 10, 10);
            EXPECT_EQ(RaisedCode([&] { K::PutPlain(*s, packed); }), code);
            EXPECT_EQ(RaisedCode([&] { K::PutSized(*s, packed); }), code);
            UVector<T> unit(v.data(), 100, 1);
            EXPECT_EQ(RaisedCode([&] { K::PutPlain(*s, unit); }), code);
            EXPECT_EQ(v, expected);
        }
    }
    EXPECT_EQ(std::string(block, sizeof block), std::string(sizeof block, '\0'));
}

// A matrix without rows but with a column space reads nothing and needs no
// division by its row count.
TYPED_TEST(TypedLayer, MatrixWithoutRowsReadsAndWritesNothing)
{
    using T = TypeParam;
    if constexpr (!std::is_same<T, bool>::value) {
        using K = Kind<T>;
        auto* device = new TestDevice(Int32Bytes(0, true) + Int32Bytes(4, true) + "payload");
        UStream s(device);
        UMatrix<T> m(0, 4, 3);
        K::GetPlain(s, m);
        EXPECT_EQ(s.GetPosition(), 0);
        K::PutPlain(s, m);
        EXPECT_TRUE(device->writes.empty());
        UMatrix<T> sized(2, 2, 3);
        K::GetSized(s, sized);
        EXPECT_EQ(sized.GetColDim(), 0);
        EXPECT_EQ(sized.GetRowDim(), 4);
        EXPECT_EQ(s.GetPosition(), 8);
    }
}

// Dimensions from damaged data: refused with 21049 before the container is
// sized, while dimensions that the data hold exactly are read.
TYPED_TEST(TypedLayer, DamagedDimensionsAreRefusedBeforeAnythingIsSized)
{
    using T = TypeParam;
    using K = Kind<T>;
    RegisterUtilities();
    long const size = WireBytes<T>();
    std::string const payload(static_cast<size_t>(6 * size), '\1');
    auto count = [](std::int32_t n) { return Int32Bytes(n, true); };
    struct Case {
        char const* name;
        std::string data;
        bool matrix;
        bool refused;
    };
    std::vector<Case> const cases = {
        {"negative count", count(-1) + payload, false, true},
        {"count beyond the data", count(7) + payload, false, true},
        {"huge count", count(INT32_MAX) + payload, false, true},
        {"count cut short", std::string("\6\0", 2), false, true},
        {"count that fits", count(6) + payload, false, false},
        {"negative rows", count(-1) + count(2) + payload, true, true},
        {"negative columns", count(2) + count(-3) + payload, true, true},
        {"product beyond the data", count(65536) + count(65536) + payload, true, true},
        {"largest product", count(INT32_MAX) + count(INT32_MAX) + payload, true, true},
        {"columns cut short", count(2) + std::string("\3", 1), true, true},
        {"shape that fits", count(2) + count(3) + payload, true, false},
        {"no rows, many columns", count(0) + count(INT32_MAX), true, false},
        {"many rows, no columns", count(INT32_MAX) + count(0), true, false},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.matrix && std::is_same<T, bool>::value) continue;
        UStream s(new TestDevice(c.data));
        std::vector<T> v(2, Sample<T>(1));
        int code = 0;
        if (!c.matrix) {
            code = RaisedCode([&] { K::GetSized(s, v); });
            if (code) {
                EXPECT_EQ(v.size(), 2u);
            }
            s.SetPosition(0);
            EXPECT_EQ(RaisedCode([&] { K::SkipVector(s); }), code);
        }
        if constexpr (!std::is_same<T, bool>::value) {
            if (c.matrix) {
                // Already 1 x 1: a dimension of 0 must not let the other
                // one size storage through the old shape.
                UMatrix<T> m(1, 1, -1);
                code = RaisedCode([&] { K::GetSized(s, m); });
                if (code) {
                    EXPECT_EQ(m.GetColDim() * 10 + m.GetRowDim(), 11);
                }
                s.SetPosition(0);
                EXPECT_EQ(RaisedCode([&] { K::SkipMatrix(s); }), code);
            }
        }
        EXPECT_EQ(code, c.refused ? umStreamInputError : 0);
        if (!c.refused) {
            EXPECT_EQ(s.GetPosition(), static_cast<long>(c.data.size()));
        }
    }
}

// A single value that the data hold only in part reads as zero.
TYPED_TEST(TypedLayer, SingleValueAtTheEndReadsAsZero)
{
    using T = TypeParam;
    long const size = WireBytes<T>();
    for (long held = 0; held < size; ++held) {
        UStream s(new TestDevice(std::string(static_cast<size_t>(held), '\x7f')));
        T const x = Kind<T>::Get(s);
        if constexpr (std::is_same<T, std::complex<double>>::value) {
            // The real part is a Double of its own.
            EXPECT_EQ(x.imag(), 0.0);
            if (held < 8) {
                EXPECT_EQ(x.real(), 0.0);
            }
        } else {
            EXPECT_TRUE(x == T{}) << held;
        }
    }
}

// A container read where the data end inside an element keeps that element
// and the ones after it as they were.
TYPED_TEST(TypedLayer, ReadEndingInsideAnElementKeepsTheRest)
{
    using T = TypeParam;
    using K = Kind<T>;
    UMemoryStream data;
    K::Put(data, Sample<T>(0));
    K::Put(data, Sample<T>(1));
    data.PutText(std::string(static_cast<size_t>(WireBytes<T>() - 1), '\x55').c_str());
    T const keep = Sample<T>(77);
    std::vector<T> v(4, keep);
    data.SetPosition(0);
    K::GetPlain(data, v);
    EXPECT_EQ(v, (std::vector<T>{Sample<T>(0), Sample<T>(1), keep, keep}));
    EXPECT_TRUE(data.GetAtEOF());
    if constexpr (!std::is_same<T, bool>::value) {
        UMatrix<T> m(2, 2, -1);
        Mset(m, keep);
        data.SetPosition(0);
        K::GetPlain(data, m);
        EXPECT_TRUE(m(1, 0) == Sample<T>(1) && m(0, 1) == keep && m(1, 1) == keep);
    }
}

TYPED_TEST(TypedLayer, SkipsMoveByWholeElements)
{
    using T = TypeParam;
    using K = Kind<T>;
    long const size = WireBytes<T>();
    UMemoryStream s;
    s.SetSize(1000);
    K::Skip(s, 3);
    EXPECT_EQ(s.GetPosition(), 3 * size);
    K::Skip(s, -1);
    EXPECT_EQ(s.GetPosition(), 2 * size);
    s.SetPosition(0);
    s.PutInt32(5);
    s.SetPosition(0);
    K::SkipVector(s);
    EXPECT_EQ(s.GetPosition(), 4 + 5 * size);
    if constexpr (!std::is_same<T, bool>::value) {
        s.SetPosition(0);
        s.PutInt32(3);
        s.PutInt32(4);
        s.SetPosition(0);
        K::SkipMatrix(s);
        EXPECT_EQ(s.GetPosition(), 8 + 12 * size);
    }
    RegisterUtilities();
    s.SetPosition(7);
    EXPECT_EQ(RaisedCode([&] { K::Skip(s, LONG_MAX); }), umIndexOutOfRange);
    EXPECT_EQ(s.GetPosition(), 7);
}

TEST(UStreamTyped, Int32BeyondThirtyTwoBitsIsNotWritten)
{
    RegisterUtilities();
    auto* device = new TestDevice;
    UStream s(device);
    EXPECT_EQ(RaisedCode([&] { s.PutInt32(2147483648L); }), umStreamOutputError);
    EXPECT_EQ(RaisedCode([&] { s.PutInt32(-2147483649L); }), umStreamOutputError);
    std::vector<long> v = {1, 2, 1L << 40};
    EXPECT_EQ(RaisedCode([&] { s.PutInt32WithSize(v); }), umStreamOutputError);
    EXPECT_EQ(RaisedCode([&] { s.PutInt32(UVector<long>(v.data(), 3, 1)); }), umStreamOutputError);
    EXPECT_EQ(RaisedCode([&] { s.PutInt32(UMatrix<long>(v.data(), 1, 3, 1)); }),
              umStreamOutputError);
    EXPECT_EQ(device->data, "");
    s.PutInt32(2147483647L);
    s.PutInt32(-2147483648L);
    EXPECT_EQ(device->data, Int32Bytes(INT32_MAX, true) + Int32Bytes(INT32_MIN, true));
}

TEST(UStreamTyped, BoolReadsEveryNonZeroByteAsTrue)
{
    std::vector<bool> v;
    UStream s(new TestDevice(Int32Bytes(4, true) + std::string("\0\1\2\xff", 4) + "\x80"));
    s.GetBoolWithSize(v);
    EXPECT_EQ(v, (std::vector<bool>{false, true, true, true}));
    EXPECT_TRUE(s.GetBool());
}

TEST(UStreamTyped, OperatorsWriteValuesAndContainersWithSize)
{
    auto* device = new TestDevice;
    UStream s(device);
    s << "ab";
    EXPECT_EQ(device->data, std::string("ab\0", 3));
    std::vector<short> const shorts = {1, -2};
    UMatrix<double> m(2, 1, 4);
    m(0, 0) = 0.25;
    m(1, 0) = -8.0;
    s << static_cast<short>(7) << 3L << std::complex<double>(1, 2) << shorts << m << true;
    s.SetPosition(3);
    short a = 0;
    long b = 0;
    std::complex<double> c;
    std::vector<short> d;
    UMatrix<double> e(0, 0, -1);
    bool f = false;
    s >> a >> b >> c >> d >> e >> f;
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(c, std::complex<double>(1, 2));
    EXPECT_EQ(d, shorts);
    ASSERT_EQ(e.GetColDim(), 2);
    EXPECT_EQ(e(1, 0), -8.0);
    EXPECT_TRUE(f);
    EXPECT_TRUE(s.GetAtEOF());
}

// Doubles 100, 101, ... behind the dimensions given, read from the start.
void PutSizedDoubles(UMemoryStream& s, std::vector<long> const& dims)
{
    long count = 1;
    for (long d : dims) {
        s.PutInt32(d);
        count *= d;
    }
    for (long k = 0; k < count; ++k) s.PutDouble(100.0 + k);
    s.SetPosition(0);
}

// A sized read may shrink a view, or grow it inside the storage behind it;
// a count beyond that storage is refused before anything is written, and
// the view and the owner's elements stay as they were.
TEST(UStreamTyped, SizedReadIntoAViewStaysInsideItsStorage)
{
    RegisterUtilities();
    struct VectorCase {
        char const* name;
        long ownerDim;
        std::function<UVector<double>(UVector<double>&)> view;
        long count;
        int code;
    };
    auto copy = [](UVector<double>& owner) { return UVector<double>(owner); };
    auto sub = [](long start, long n, long step) {
        return [=](UVector<double>& owner) { return owner.SubVector(start, n, step); };
    };
    std::vector<VectorCase> const vectorCases = {
        {"copy of 3, count 64", 3, copy, 64, umStreamInputError},
        {"copy of 3, count 4", 3, copy, 4, umStreamInputError},
        {"copy of 3, count 2", 3, copy, 2, 0},
        {"first 3 of 5, count 5", 5, sub(0, 3, 1), 5, 0},
        {"from 2 of 5, count 4", 5, sub(2, 1, 1), 4, umStreamInputError},
        {"every second of 5, count 3", 5, sub(0, 1, 2), 3, 0},
        {"every second of 5, count 4", 5, sub(0, 1, 2), 4, umStreamInputError},
        {"first 3 of 5, count 0", 5, sub(0, 3, 1), 0, 0},
        {"copy of none, count 0", 0, copy, 0, 0},
        // Downwards from element 1, or from just past the end, of 6.
        {"down from 1 of 6, count 2", 6, sub(1, 1, -1), 2, 0},
        {"down from 1 of 6, count 3", 6, sub(1, 1, -1), 3, umStreamInputError},
        {"down from past the end of 6, count 2", 6, sub(6, 0, -1), 2, umStreamInputError},
    };
    for (VectorCase const& c : vectorCases) {
        SCOPED_TRACE(c.name);
        UVector<double> owner(c.ownerDim, 1);
        Vset(owner, -1.0);
        UVector<double> v = c.view(owner);
        long const dim = v.GetDim();
        UMemoryStream s;
        PutSizedDoubles(s, {c.count});
        EXPECT_EQ(RaisedCode([&] { s >> v; }), c.code);
        long const read = c.code ? 0 : c.count;
        EXPECT_EQ(v.GetDim(), c.code ? dim : c.count);
        for (long k = 0; k < read; ++k) EXPECT_EQ(v[k], 100.0 + k);
        long const kept = std::count(owner.GetData(), owner.GetData() + c.ownerDim, -1.0);
        EXPECT_EQ(kept, c.ownerDim - read);
    }

    struct MatrixCase {
        char const* name;
        long ownerRows, ownerCols;
        std::function<UMatrix<double>(UMatrix<double>&)> view;
        long rows, cols;
        int code;
    };
    auto copyMatrix = [](UMatrix<double>& owner) { return UMatrix<double>(owner); };
    auto block = [](UMatrix<double>& owner) { return owner.SubMatrix(0, 0, 2, 2); };
    // A raw view whose last element is the owner's last.
    auto lowerBlock = [](UMatrix<double>& owner) {
        return UMatrix<double>(owner).SubMatrix(1, 0, 2, 2);
    };
    std::vector<MatrixCase> const matrixCases = {
        {"copy of 3 x 3, 3 x 64", 3, 3, copyMatrix, 3, 64, umStreamInputError},
        {"copy of 3 x 3, 2 x 4", 3, 3, copyMatrix, 2, 4, umStreamInputError},
        {"copy of 3 x 3, 4 x 1", 3, 3, copyMatrix, 4, 1, umIllegalColumnDimension},
        {"copy of 3 x 3, 4 x 0", 3, 3, copyMatrix, 4, 0, umIllegalColumnDimension},
        {"copy of 3 x 3, 2 x 3", 3, 3, copyMatrix, 2, 3, 0},
        {"2 x 2 block of 3 x 4, 3 x 4", 3, 4, block, 3, 4, 0},
        {"2 x 2 block of 3 x 4, 3 x 5", 3, 4, block, 3, 5, umStreamInputError},
        {"lower 2 x 2 of a copy of 3 x 2, 2 x 2", 3, 2, lowerBlock, 2, 2, 0},
        {"lower 2 x 2 of a copy of 3 x 2, 3 x 2", 3, 2, lowerBlock, 3, 2, umStreamInputError},
    };
    for (MatrixCase const& c : matrixCases) {
        SCOPED_TRACE(c.name);
        UMatrix<double> owner(c.ownerRows, c.ownerCols, -1);
        Mset(owner, -1.0);
        UMatrix<double> m = c.view(owner);
        long const rows = m.GetColDim();
        long const cols = m.GetRowDim();
        UMemoryStream s;
        PutSizedDoubles(s, {c.rows, c.cols});
        EXPECT_EQ(RaisedCode([&] { s >> m; }), c.code);
        long const read = c.code ? 0 : c.rows * c.cols;
        EXPECT_EQ(m.GetColDim(), c.code ? rows : c.rows);
        EXPECT_EQ(m.GetRowDim(), c.code ? cols : c.cols);
        for (long k = 0; k < read; ++k) EXPECT_EQ(m(k % c.rows, k / c.rows), 100.0 + k);
        long const size = c.ownerRows * c.ownerCols;
        EXPECT_EQ(std::count(owner.GetData(), owner.GetData() + size, -1.0), size - read);
    }
}

// A read into a view changes its rows and columns only: the leading
// dimension stays, also after a shape without rows or columns, so that a
// later read fits wherever the storage behind the view holds it.
TEST(UStreamTyped, SizedReadIntoAViewKeepsItsLeadingDimension)
{
    RegisterUtilities();
    struct Case {
        char const* name;
        std::function<UMatrix<double>(UMatrix<double>&)> view;  // of a 3 x 4 owner
        long rows, cols;                                        // of the first read
        int laterCode;                                          // of a 2 x 2 read after it
    };
    auto block = [](UMatrix<double>& owner) { return owner.SubMatrix(0, 0, 2, 2); };
    auto copy = [](UMatrix<double>& owner) { return UMatrix<double>(owner); };
    std::vector<Case> const cases = {
        {"block, 0 x 3", block, 0, 3, 0},
        {"block, 0 x 0", block, 0, 0, 0},
        {"block, 2 x 0", block, 2, 0, 0},
        // A raw view ends at its present elements, and it has none left.
        {"copy, 0 x 3", copy, 0, 3, umStreamInputError},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        UMatrix<double> owner(3, 4, -1);
        Mset(owner, -1.0);
        UMatrix<double> m = c.view(owner);
        UMemoryStream first;
        PutSizedDoubles(first, {c.rows, c.cols});
        EXPECT_EQ(RaisedCode([&] { first >> m; }), 0);
        EXPECT_EQ(m.GetColDim(), c.rows);
        EXPECT_EQ(m.GetRowDim(), c.cols);
        EXPECT_EQ(m.GetColSpace(), 3);
        UMemoryStream later;
        PutSizedDoubles(later, {2, 2});
        EXPECT_EQ(RaisedCode([&] { later >> m; }), c.laterCode);
        EXPECT_EQ(m.GetColSpace(), 3);
        long const read = c.laterCode ? 0 : 4;
        for (long k = 0; k < read; ++k) EXPECT_EQ(owner(k % 2, k / 2), 100.0 + k);
        EXPECT_EQ(std::count(owner.GetData(), owner.GetData() + 12, -1.0), 12 - read);
    }
}

TEST(UStreamTyped, SwapReversesEachUnit)
{
    char bytes[] = "abcdefghijkl";
    UStream::Swap(bytes, 2, 2);
    EXPECT_STREQ(bytes, "badcefghijkl");
    UStream::Swap(bytes, 4, 3);
    EXPECT_STREQ(bytes, "cdabhgfelkji");
    UStream::Swap(bytes, 3, 4);
    EXPECT_STREQ(bytes, "adcghblefijk");
    UStream::Swap(bytes, 8, 1);
    EXPECT_STREQ(bytes, "elbhgcdafijk");
    UStream::Swap(bytes, 1, 12);
    EXPECT_STREQ(bytes, "elbhgcdafijk");
    UStream s(nullptr);
    s.SwapIf_Double(bytes, 1);
    EXPECT_STREQ(bytes, "elbhgcdafijk");
    s.SetLittleEndian(!UStream::MachineLittleEndian);
    s.SwapIf_Int16(bytes, 1);
    EXPECT_STREQ(bytes, "lebhgcdafijk");
}

}  // namespace
