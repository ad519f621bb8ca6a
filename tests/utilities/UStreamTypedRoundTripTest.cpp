// Every typed form of every kind written and read back, in both byte orders,
// through a memory stream and through a file: single values, std::vector,
// strided UVector and UMatrix with and without padding, plain and with
// dimensions, large enough for every chunked path.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/utilities/TypedKinds.h"
#include "utilities/UMemoryStream.h"

namespace {

long const VectorLength = 20000;  // three chunks of at most 8192

// Matrices of the chunked paths: shape, column space, and the first sample.
struct MatrixShape {
    long rows;
    long cols;
    long space;
    long first;
};

std::vector<MatrixShape> const Shapes = {
    {3000, 5, 3001, 100000},  // columns gathered, two per chunk
    {5000, 3, 5003, 200000},  // one column at a time
    {70, 40, 70, 300000},     // packed: one piece
    {3, 2, 5, 400000},        // the small padded one
};

// Elements outside a container's own ones: reads must leave them alone.
template <class T>
T Filler()
{
    return Sample<T>(999983);
}

// A view on store with the shape and samples from shape.first; the padding
// holds the filler.
template <class T>
UMatrix<T> SampleMatrix(std::vector<T>& store, MatrixShape const& shape)
{
    store.assign(static_cast<size_t>(shape.space * shape.cols), Filler<T>());
    UMatrix<T> m(store.data(), shape.rows, shape.cols, shape.space);
    for (long j = 0; j < shape.cols; ++j)
        for (long i = 0; i < shape.rows; ++i) m(i, j) = Sample<T>(shape.first + j * shape.rows + i);
    return m;
}

template <class T>
void ExpectSamples(UMatrix<T> const& m, MatrixShape const& shape)
{
    ASSERT_EQ(m.GetColDim(), shape.rows);
    ASSERT_EQ(m.GetRowDim(), shape.cols);
    long wrong = 0;
    for (long j = 0; j < shape.cols; ++j)
        for (long i = 0; i < shape.rows; ++i)
            wrong += !(m(i, j) == Sample<T>(shape.first + j * shape.rows + i));
    EXPECT_EQ(wrong, 0);
}

template <class T>
void ExpectPaddingKept(std::vector<T> const& store, MatrixShape const& shape)
{
    long wrong = 0;
    for (long j = 0; j < shape.cols; ++j)
        for (long i = shape.rows; i < shape.space; ++i)
            wrong += !(store[static_cast<size_t>(j * shape.space + i)] == Filler<T>());
    EXPECT_EQ(wrong, 0);
}

template <class T>
void WriteEveryForm(UStream& s)
{
    using K = Kind<T>;
    for (long k = 0; k < 5; ++k) K::Put(s, Sample<T>(k));
    std::vector<T> const v = Samples<T>(VectorLength, 10);
    K::PutPlain(s, v);
    K::PutSized(s, v);
    K::PutSized(s, std::vector<T>());
    EXPECT_EQ(v, Samples<T>(VectorLength, 10));  // the caller's data stays as it was
    if constexpr (!std::is_same<T, bool>::value) {
        std::vector<T> store(static_cast<size_t>(3 * VectorLength), Filler<T>());
        UVector<T> strided(store.data(), VectorLength, 3);
        for (long k = 0; k < VectorLength; ++k) strided[k] = Sample<T>(50000 + k);
        K::PutPlain(s, strided);
        K::PutSized(s, strided);
        for (MatrixShape const& shape : Shapes) {
            std::vector<T> matrixStore;
            UMatrix<T> const m = SampleMatrix(matrixStore, shape);
            K::PutPlain(s, m);
            K::PutSized(s, m);
            ExpectSamples(m, shape);
        }
    }
}

template <class T>
void ReadEveryForm(UStream& s)
{
    using K = Kind<T>;
    for (long k = 0; k < 5; ++k) EXPECT_TRUE(K::Get(s) == Sample<T>(k)) << k;
    std::vector<T> plain(static_cast<size_t>(VectorLength));
    K::GetPlain(s, plain);
    EXPECT_EQ(plain, Samples<T>(VectorLength, 10));
    std::vector<T> sized(3, Filler<T>());
    K::GetSized(s, sized);
    EXPECT_EQ(sized, Samples<T>(VectorLength, 10));
    K::GetSized(s, sized);
    EXPECT_TRUE(sized.empty());
    if constexpr (!std::is_same<T, bool>::value) {
        std::vector<T> const expected = Samples<T>(VectorLength, 50000);
        std::vector<T> store(static_cast<size_t>(2 * VectorLength), Filler<T>());
        UVector<T> strided(store.data(), VectorLength, 2);
        K::GetPlain(s, strided);
        long wrong = 0;
        for (long k = 0; k < VectorLength; ++k) {
            wrong += !(strided[k] == expected[static_cast<size_t>(k)]);
            wrong += !(store[static_cast<size_t>(2 * k + 1)] == Filler<T>());
        }
        EXPECT_EQ(wrong, 0);
        UVector<T> owner(0, 1);
        K::GetSized(s, owner);
        ASSERT_EQ(owner.GetDim(), VectorLength);
        EXPECT_EQ(std::vector<T>(owner.GetData(), owner.GetData() + VectorLength), expected);
        for (MatrixShape const& shape : Shapes) {
            SCOPED_TRACE(std::to_string(shape.rows) + " x " + std::to_string(shape.cols));
            std::vector<T> viewStore(static_cast<size_t>((shape.rows + 2) * shape.cols),
                                     Filler<T>());
            UMatrix<T> view(viewStore.data(), shape.rows, shape.cols, shape.rows + 2);
            K::GetPlain(s, view);
            ExpectSamples(view, shape);
            ExpectPaddingKept(viewStore, {shape.rows, shape.cols, shape.rows + 2, 0});
            UMatrix<T> fresh(0, 0, -1);
            K::GetSized(s, fresh);
            ExpectSamples(fresh, shape);
            EXPECT_EQ(fresh.GetColSpace(), shape.rows);
        }
    }
}

template <class T>
class TypedRoundTrip : public ::testing::Test {
};

using Kinds = ::testing::Types<bool, unsigned char, signed char, short, long, float, double,
                               std::complex<double>>;
TYPED_TEST_SUITE(TypedRoundTrip, Kinds);

std::string Bytes(UMemoryStream& s)
{
    auto const* device = static_cast<UMemoryBasicStream const*>(s.GetStream());
    return std::string(device->GetMemoryPointer(), static_cast<size_t>(device->GetSize()));
}

TYPED_TEST(TypedRoundTrip, EveryFormInBothByteOrdersThroughMemoryAndFile)
{
    TempDir dir;
    for (bool little : {true, false}) {
        SCOPED_TRACE(little ? "little-endian" : "big-endian");
        UMemoryStream memory;
        memory.SetLittleEndian(little);
        WriteEveryForm<TypeParam>(memory);
        long const size = memory.GetSize();
        memory.SetPosition(0);
        ReadEveryForm<TypeParam>(memory);
        EXPECT_EQ(memory.GetPosition(), size);
        std::string const image = Bytes(memory);

        FILE* fp = std::fopen("typed.bin", "w+b");
        ASSERT_NE(fp, nullptr);
        UFilePointerStream file(fp, true);
        file.SetLittleEndian(little);
        WriteEveryForm<TypeParam>(file);
        EXPECT_EQ(file.GetSize(), size);
        file.SetPosition(0);
        ReadEveryForm<TypeParam>(file);
        EXPECT_TRUE(file.GetAtEOF());
        std::fflush(fp);
        EXPECT_TRUE(dir.Read("typed.bin") == image);
    }
}

}  // namespace
