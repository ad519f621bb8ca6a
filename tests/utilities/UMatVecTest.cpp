#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/VectorItems.h"
#include "tests/utilities/RegisterUtilities.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

extern "C" void dcopy_(const int*, const double*, const int*, double*, const int*);

namespace {

// Runs body, expecting a raise of code from UMatVec with the given message.
template <class F>
void ExpectRaise(int code, char const* message, F body)
{
    RegisterUtilities();
    try {
        body();
        ADD_FAILURE() << "no raise of " << code;
    } catch (CustomException& e) {
        EXPECT_EQ(e.Code, code);
        std::string text = e.Text;
        std::string head = std::string(message) + ".\nError in file UMatVec line ";
        EXPECT_EQ(text.substr(0, head.size()), head);
        EXPECT_GT(text.size(), head.size());
    }
}

// ---- UVector ----

TEST(UVector, EmptyOwnerGrowsByAdd)
{
    UVector<double> v(0, 1);
    EXPECT_EQ(v.GetDim(), 0);
    for (int k = 0; k < 3; ++k) v.Add(1.5);
    EXPECT_EQ(Items(v), (std::vector<double>{1.5, 1.5, 1.5}));
}

TEST(UVector, OwnerIsValueInitialisedAndStrided)
{
    UVector<double> v(3, 2);
    EXPECT_EQ(Items(v), (std::vector<double>{0, 0, 0}));
    v[2] = 4.0;
    EXPECT_EQ(v.GetData()[4], 4.0);
    EXPECT_EQ(&v(1), &v.Element(1));
    EXPECT_EQ(&v[1], v.GetConstData() + 2);
}

// Adding one of the vector's own elements must survive the reallocation.
TEST(UVector, AddOfOwnElementAppendsItsValue)
{
    UVector<std::string> v(1, 1);
    v[0] = "a string too long for any small-string buffer";
    for (int k = 0; k < 6; ++k) v.Add(v[0]);
    v.Add(v[v.GetDim() - 1]);
    ASSERT_EQ(v.GetDim(), 8);
    for (long i = 0; i < v.GetDim(); ++i) EXPECT_EQ(v[i], v[0]) << i;
    EXPECT_EQ(v[0], "a string too long for any small-string buffer");
}

TEST(UVector, CopyIsAViewSharingTheElements)
{
    UVector<double> owner(3, 1);
    {
        UVector<double> copy(owner);
        EXPECT_EQ(copy.GetDim(), 3);
        EXPECT_EQ(copy.GetData(), owner.GetData());
        copy[0] = 2.5;
        ExpectRaise(umIllegalCopy, "Illegal copying of vector / matrix",
                    [&] { copy.CloneContentsFrom(owner); });
    }
    EXPECT_EQ(owner[0], 2.5);
    owner[2] = 1.0;
    EXPECT_EQ(Items(owner), (std::vector<double>{2.5, 0, 1.0}));
}

// An empty owner has no element 0; its data pointer and copies must not ask for one.
TEST(UVector, EmptyOwnerHandsOutDataWithoutAnElement)
{
    UVector<double> empty(0, 1);
    UVector<double> copy(empty);
    EXPECT_EQ(copy.GetDim(), 0);
    EXPECT_EQ(copy.GetConstData(), empty.GetConstData());
    UVector<double> sub = empty.SubVector(0, 0, 1);
    EXPECT_EQ(sub.GetDim(), 0);
    std::vector<double> none;
    UVector<double> view(none, -1, 0, 1);
    EXPECT_EQ(view.GetDim(), 0);
    EXPECT_EQ(view.GetData(), none.data());
}

TEST(UVector, ViewOnStdVector)
{
    std::vector<double> data{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    UVector<double> tail(data, -1, 1, 3);  // (10 - 1) / 3 elements
    EXPECT_EQ(Items(tail), (std::vector<double>{1, 4, 7}));
    tail[2] = -7;
    EXPECT_EQ(data[7], -7);
    tail.SetDim(2);  // a view only changes its length
    EXPECT_EQ(data.size(), 10u);
    tail.Add(40);  // writes the slot after the last element
    EXPECT_EQ(data[7], 40);
    UVector<double> copy(tail);  // a raw view on the same elements
    copy[0] = -1;
    EXPECT_EQ(data[1], -1);
}

TEST(UVector, RawViewAndSubVectors)
{
    double raw[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    UVector<double> view(raw, 4, 2);
    EXPECT_EQ(Items(view), (std::vector<double>{0, 2, 4, 6}));
    UVector<double> sub = view.SubVector(1, 2, 1);
    EXPECT_EQ(sub.GetInc(), 2);
    EXPECT_EQ(Items(sub), (std::vector<double>{2, 4}));

    UVector<double> owner(6, 1);
    for (long i = 0; i < 6; ++i) owner[i] = 10.0 * i;
    UVector<double> odd = owner.SubVector(1, 3, 2);
    EXPECT_EQ(odd.GetInc(), 2);
    EXPECT_EQ(Items(odd), (std::vector<double>{10, 30, 50}));
    UVector<double> nested = odd.SubVector(1, 2, 1);
    nested[1] = -5;
    EXPECT_EQ(owner[5], -5);
    EXPECT_EQ(owner.SubVector(2, -1, 1).GetDim(), 0);
}

TEST(UVector, SetIncLeavesElementsInPlace)
{
    UVector<double> v(3, 1);
    for (long i = 0; i < 3; ++i) v[i] = i + 1.0;
    v.SetInc(2);
    EXPECT_EQ(v[0], 1.0);
    EXPECT_EQ(v[1], 3.0);
    EXPECT_EQ(v[2], 0.0);
    v.Clear();
    EXPECT_EQ(v.GetDim(), 0);
    EXPECT_EQ(v.GetInc(), 1);
    v.Add(9.0);
    EXPECT_EQ(Items(v), (std::vector<double>{9.0}));
}

// An owner's storage holds Inc * Dim elements from element 0 on: with an
// increment below 1 its elements would lie before that storage or outside
// it, so an owner refuses one and a refused SetInc leaves it as it was.
// A view takes any increment, as it always has.
TEST(UVector, OwnerRefusesAnIncrementBelowOneAViewTakesAny)
{
    for (long inc : {0L, -1L, -2L}) {
        SCOPED_TRACE("increment " + std::to_string(inc));
        for (long dim : {0L, 2L, 4L})
            EXPECT_THROW(UVector<double>(dim, inc), std::invalid_argument);
        UVector<double> owner(2, 1);
        owner[0] = 1;
        owner[1] = 2;
        double const* data = owner.GetConstData();
        EXPECT_THROW(owner.SetInc(inc), std::invalid_argument);
        EXPECT_EQ(owner.GetInc(), 1);
        EXPECT_EQ(owner.GetConstData(), data);
        EXPECT_EQ(Items(owner), (std::vector<double>{1, 2}));
        owner.Add(3);  // still an owner that grows
        EXPECT_EQ(Items(owner), (std::vector<double>{1, 2, 3}));
    }

    double raw[5] = {0, 1, 2, 3, 4};
    std::vector<double> vec = {10, 11, 12, 13, 14};
    UVector<double> whole(5, 1);
    for (long i = 0; i < 5; ++i) whole[i] = 20.0 + i;
    struct ViewCase {
        char const* name;
        std::function<UVector<double>()> view;
        long inc;
        std::vector<double> items;
    };
    ViewCase const views[] = {
        {"raw view from its last element",
         [&] { return UVector<double>(raw + 4, 3, 1); },
         -2,
         {4, 2, 0}},
        {"raw view", [&] { return UVector<double>(raw, 3, 1); }, 0, {0, 0, 0}},
        {"vector view from its last element",
         [&] { return UVector<double>(vec, 3, 4, 1); },
         -1,
         {14, 13, 12}},
        {"vector view", [&] { return UVector<double>(vec, 3, 1, 1); }, 0, {11, 11, 11}},
        {"copy of an owner", [&] { return UVector<double>(whole); }, 0, {20, 20, 20, 20, 20}},
        {"part of an owner", [&] { return whole.SubVector(4, 3, 1); }, -2, {24, 22, 20}},
    };
    for (ViewCase const& c : views) {
        SCOPED_TRACE(c.name);
        UVector<double> v = c.view();
        v.SetInc(c.inc);
        EXPECT_EQ(v.GetInc(), c.inc);
        EXPECT_EQ(Items(v), c.items);
    }
}

TEST(UVector, CloneMakesAPackedCopy)
{
    double raw[6] = {1, 2, 3, 4, 5, 6};
    UVector<double> strided(raw, 3, 2);
    UVector<double> owner(1, 3);
    owner.CloneContentsFrom(strided);
    EXPECT_EQ(owner.GetInc(), 1);
    EXPECT_EQ(Items(owner), (std::vector<double>{1, 3, 5}));
    raw[0] = 0;
    EXPECT_EQ(owner[0], 1);
}

// The source may view the owner itself, whose storage the clone replaces.
TEST(UVector, CloneFromAViewOfItself)
{
    UVector<double> v(4, 1);
    for (long i = 0; i < 4; ++i) v[i] = i + 1.0;
    v.CloneContentsFrom(v.SubVector(1, 3, 1));
    EXPECT_EQ(Items(v), (std::vector<double>{2, 3, 4}));
    UVector<double> w(2, 1);
    w[0] = 7;
    w[1] = 8;
    UVector<double> self(w);
    w.CloneContentsFrom(self);
    EXPECT_EQ(Items(w), (std::vector<double>{7, 8}));
    UVector<double> s(2, 3);
    s[0] = 1;
    s[1] = 2;
    s.CloneContentsFrom(s);
    EXPECT_EQ(s.GetInc(), 1);
    EXPECT_EQ(Items(s), (std::vector<double>{1, 2}));
}

TEST(UVector, CopyToHonoursBothStridesAndChecksLength)
{
    double a[3] = {1, 2, 3};
    double b[6] = {};
    UVector<double> src(a, 3, 1);
    UVector<double> dst(b, 3, 2);
    src.CopyTo(dst);
    EXPECT_EQ(std::vector<double>(b, b + 6), (std::vector<double>{1, 0, 2, 0, 3, 0}));

    UVector<double> four(4, 1);
    four[0] = 9;
    ExpectRaise(umIllegalCopyDimensions, "Illegal dimensions for copying of vector / matrix",
                [&] { src.CopyTo(four); });
    EXPECT_EQ(Items(four), (std::vector<double>{9, 0, 0, 0}));
}

TEST(UVector, CloneIntoViewLeavesItUnchanged)
{
    double raw[2] = {1, 2};
    UVector<double> view(raw, 2, 1);
    UVector<double> src(3, 1);
    ExpectRaise(umIllegalCopy, "Illegal copying of vector / matrix",
                [&] { view.CloneContentsFrom(src); });
    EXPECT_EQ(view.GetDim(), 2);
    EXPECT_EQ(raw[0], 1);
    EXPECT_EQ(raw[1], 2);
}

// ---- UMatrix ----

TEST(UMatrix, PackedOwnerIsColumnMajor)
{
    UMatrix<double> m(3, 2, -1);
    EXPECT_EQ(m.GetColDim(), 3);
    EXPECT_EQ(m.GetRowDim(), 2);
    EXPECT_EQ(m.GetColSpace(), 3);
    m(2, 1) = 5.0;
    EXPECT_EQ(m.GetData()[5], 5.0);
    EXPECT_EQ(&m.Element(2, 1), m.GetConstData() + 5);
}

TEST(UMatrix, LeadingDimensionAndPackedClone)
{
    UMatrix<double> m(3, 2, 5);
    EXPECT_EQ(m.GetColSpace(), 5);
    for (long j = 0; j < 2; ++j)
        for (long i = 0; i < 3; ++i) m(i, j) = 10.0 * i + j;
    EXPECT_EQ(m.GetData()[7], 21.0);

    UMatrix<double> c(1, 1, 4);
    c.CloneContentsFrom(m);
    EXPECT_EQ(c.GetColDim(), 3);
    EXPECT_EQ(c.GetRowDim(), 2);
    EXPECT_EQ(c.GetColSpace(), 3);
    for (long j = 0; j < 2; ++j)
        for (long i = 0; i < 3; ++i) EXPECT_EQ(c.GetData()[j * 3 + i], 10.0 * i + j);

    UMatrix<double> view(m);
    ExpectRaise(umIllegalCopy, "Illegal copying of vector / matrix",
                [&] { view.CloneContentsFrom(c); });
}

TEST(UMatrix, CloneFromABlockOfItself)
{
    UMatrix<double> m(3, 3, -1);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 3; ++i) m(i, j) = 10.0 * i + j;
    m.CloneContentsFrom(m.SubMatrix(1, 1, 2, 2));
    ASSERT_EQ(m.GetColDim(), 2);
    ASSERT_EQ(m.GetRowDim(), 2);
    EXPECT_EQ(m(0, 0), 11);
    EXPECT_EQ(m(1, 0), 21);
    EXPECT_EQ(m(0, 1), 12);
    EXPECT_EQ(m(1, 1), 22);
}

TEST(UMatrix, CloneFromRawViewsOnItsOwnStorageAndFromEmpty)
{
    UMatrix<double> m(3, 3, -1);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 3; ++i) m(i, j) = 10.0 * i + j;
    // The last two columns, seen through raw memory as one 2 x 3 block.
    UMatrix<double> tail(m.GetData() + 3, 2, 2, 3);
    m.CloneContentsFrom(tail);
    ASSERT_EQ(m.GetColDim(), 2);
    ASSERT_EQ(m.GetRowDim(), 2);
    EXPECT_EQ(m(0, 0), 1);
    EXPECT_EQ(m(1, 0), 11);
    EXPECT_EQ(m(0, 1), 2);
    EXPECT_EQ(m(1, 1), 12);

    UMatrix<double> empty(0, 4, -1);
    m.CloneContentsFrom(empty);
    EXPECT_EQ(m.GetColDim(), 0);
    EXPECT_EQ(m.GetRowDim(), 4);
    EXPECT_EQ(m.GetColSpace(), 0);
}

TEST(UMatrix, CloneFromAnyBlockOfItselfOrAnotherMatchesAnElementCopy)
{
    // Sources: blocks of the destination itself (through SubMatrix and raw
    // memory, overlapping it or not) and of another matrix, in every shape.
    std::mt19937 rng(1102);
    std::uniform_int_distribution<long> dim(0, 7);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        long const rows = dim(rng) + 1;
        long const cols = dim(rng) + 1;
        UMatrix<double> m(rows, cols, rows + dim(rng) % 3);
        UMatrix<double> other(rows, cols, -1);
        for (long j = 0; j < cols; ++j)
            for (long i = 0; i < rows; ++i) {
                m(i, j) = 100.0 * i + j;
                other(i, j) = -(100.0 * i + j) - 1;
            }
        long const i0 = std::uniform_int_distribution<long>(0, rows - 1)(rng);
        long const j0 = std::uniform_int_distribution<long>(0, cols - 1)(rng);
        long const n = std::uniform_int_distribution<long>(0, rows - i0)(rng);
        long const k = std::uniform_int_distribution<long>(0, cols - j0)(rng);
        int const kind = round % 3;
        UMatrix<double> const source =
            kind == 0 ? m.SubMatrix(i0, j0, n, k)
            : kind == 1
                ? UMatrix<double>(m.GetData() + i0 + j0 * m.GetColSpace(), n, k, m.GetColSpace())
                : other.SubMatrix(i0, j0, n, k);
        std::vector<double> want;
        for (long j = 0; j < k; ++j)
            for (long i = 0; i < n; ++i) want.push_back(source(i, j));
        m.CloneContentsFrom(source);
        ASSERT_EQ(m.GetColDim(), n);
        ASSERT_EQ(m.GetRowDim(), k);
        ASSERT_EQ(m.GetColSpace(), n);
        std::vector<double> got;
        for (long j = 0; j < k; ++j)
            for (long i = 0; i < n; ++i) got.push_back(m(i, j));
        EXPECT_EQ(got, want);
    }
}

TEST(UMatrix, OwnerTakesOverAPackedVector)
{
    std::vector<double> packed{1, 2, 3, 4, 5, 6};
    const double* elements = packed.data();
    UMatrix<double> m(std::move(packed), 2, 3);
    EXPECT_EQ(m.GetConstData(), elements);
    EXPECT_EQ(m.GetColSpace(), 2);
    EXPECT_EQ(m(1, 2), 6);
    m.SetRowDim(4);  // an owner grows
    EXPECT_EQ(m(0, 3), 0);
    // A vector of another length is sized to the shape.
    UMatrix<double> padded(std::vector<double>{7}, 2, 2);
    EXPECT_EQ(padded(0, 0), 7);
    EXPECT_EQ(padded(1, 1), 0);
}

TEST(UMatrix, TakingContentsMovesAnOwnerAndClonesAView)
{
    UMatrix<double> source(3, 2, 4);
    source(2, 1) = 8;
    const double* elements = source.GetConstData();
    UMatrix<double> m(1, 1, -1);
    m.TakeContentsFrom(std::move(source));
    EXPECT_EQ(m.GetConstData(), elements);
    EXPECT_EQ(m.GetColSpace(), 4);
    EXPECT_EQ(m(2, 1), 8);
    EXPECT_EQ(source.GetColDim(), 0);
    EXPECT_EQ(source.GetRowDim(), 0);

    UMatrix<double> view = m.SubMatrix(1, 0, 2, 2);
    UMatrix<double> copy(0, 0, -1);
    copy.TakeContentsFrom(std::move(view));
    EXPECT_NE(copy.GetConstData(), m.GetConstData());
    EXPECT_EQ(copy.GetColSpace(), 2);
    EXPECT_EQ(copy(1, 1), 8);
    EXPECT_EQ(m(2, 1), 8);

    UMatrix<double> target = m;  // a view cannot take anything over
    ExpectRaise(umIllegalCopy, "Illegal copying of vector / matrix",
                [&] { target.TakeContentsFrom(std::move(copy)); });
}

TEST(UMatrix, CopyIsAViewSharingTheElements)
{
    UMatrix<double> owner(2, 2, 3);
    {
        UMatrix<double> copy(owner);
        EXPECT_EQ(copy.GetColSpace(), 3);
        copy(1, 1) = 4.0;
    }
    EXPECT_EQ(owner(1, 1), 4.0);
    EXPECT_EQ(owner.GetData()[4], 4.0);

    UMatrix<double> empty(0, 0, -1);
    UMatrix<double> emptyCopy(empty);
    EXPECT_EQ(emptyCopy.GetColDim(), 0);
    EXPECT_EQ(emptyCopy.GetConstData(), empty.GetConstData());
}

TEST(UMatrix, GrowingColumnsKeepsTheOldBlock)
{
    UMatrix<double> m(2, 2, -1);
    m(0, 0) = 1;
    m(1, 0) = 2;
    m(0, 1) = 3;
    m(1, 1) = 4;
    m.SetColDim(3);
    EXPECT_EQ(m.GetColDim(), 3);
    EXPECT_EQ(m.GetColSpace(), 3);
    EXPECT_EQ(m(0, 0), 1);
    EXPECT_EQ(m(1, 0), 2);
    EXPECT_EQ(m(0, 1), 3);
    EXPECT_EQ(m(1, 1), 4);

    UMatrix<double> wide(2, 2, 4);
    wide(1, 1) = 6;
    wide.SetColDim(3);  // fits in the leading dimension
    EXPECT_EQ(wide.GetColSpace(), 4);
    EXPECT_EQ(wide(1, 1), 6);
    wide.SetColDim(1);
    EXPECT_EQ(wide.GetColDim(), 1);
    EXPECT_EQ(wide.GetColSpace(), 4);
}

TEST(UMatrix, RowDimAndColSpaceResizeTheOwner)
{
    UMatrix<double> m(2, 2, -1);
    m(1, 1) = 4;
    m.SetRowDim(3);
    EXPECT_EQ(m(1, 1), 4);
    EXPECT_EQ(m(0, 2), 0);
    EXPECT_EQ(m(1, 2), 0);
    m.SetColSpace(1);
    EXPECT_EQ(m.GetColDim(), 1);
    EXPECT_EQ(m.GetColSpace(), 1);
    m.Clear();
    EXPECT_EQ(m.GetColDim(), 0);
    EXPECT_EQ(m.GetRowDim(), 0);
    EXPECT_EQ(m.GetColSpace(), 0);
}

TEST(UMatrix, ViewCannotWidenItsColumns)
{
    double raw[9] = {};
    UMatrix<double> view(raw, 3, 3, 3);
    ExpectRaise(umIllegalColumnDimension, "Illegal column dimension set",
                [&] { view.SetColDim(4); });
    view.SetColDim(2);
    EXPECT_EQ(view.GetColDim(), 2);
    EXPECT_EQ(view.GetColSpace(), 3);
}

TEST(UMatrix, ViewsOnStdVectorAndRawMemory)
{
    std::vector<double> data(12);
    for (std::size_t k = 0; k < data.size(); ++k) data[k] = double(k);
    UMatrix<double> onVector(data, 2, 3, 1, 3);  // (i, j) at 1 + 3j + i
    EXPECT_EQ(onVector(1, 2), 8);
    onVector(0, 1) = -4;
    EXPECT_EQ(data[4], -4);
    UMatrix<double> narrow(data.data(), 3, 2, 1);  // leading dimension at least the rows
    EXPECT_EQ(narrow.GetColSpace(), 3);
    EXPECT_EQ(narrow(0, 1), 3);
}

TEST(UMatrix, SubMatrixOfOwnerAndView)
{
    UMatrix<double> m(4, 3, 5);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 4; ++i) m(i, j) = 10.0 * i + j;
    UMatrix<double> block = m.SubMatrix(1, 1, -1, -1);
    EXPECT_EQ(block.GetColDim(), 3);
    EXPECT_EQ(block.GetRowDim(), 2);
    EXPECT_EQ(block.GetColSpace(), 5);
    EXPECT_EQ(block(0, 0), 11);
    EXPECT_EQ(block(2, 1), 32);
    UMatrix<double> raw(m);
    UMatrix<double> inner = raw.SubMatrix(2, 1, 1, 2);
    EXPECT_EQ(inner.GetColDim(), 1);
    EXPECT_EQ(inner(0, 1), 22);
    inner(0, 0) = -1;
    EXPECT_EQ(m(2, 1), -1);
}

TEST(UMatrix, ColumnAndBandVectors)
{
    UMatrix<double> m(3, 2, -1);
    for (long j = 0; j < 2; ++j)
        for (long i = 0; i < 3; ++i) m(i, j) = 10.0 * i + j;
    UVector<double> col = m.ColVector(1);
    EXPECT_EQ(col.GetInc(), 1);
    EXPECT_EQ(Items(col), (std::vector<double>{1, 11, 21}));
    col[2] = -21;
    EXPECT_EQ(m(2, 1), -21);
    UMatrix<double> raw(m);
    EXPECT_EQ(Items(raw.ColVector(0)), (std::vector<double>{0, 10, 20}));
    EXPECT_EQ(Items(m.BandVector(0, 0, 0)), (std::vector<double>{0, 11}));

    UMatrix<double> sq(3, 3, -1);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 3; ++i) sq(i, j) = 10.0 * i + j;
    UVector<double> super = sq.BandVector(-1, 0, 0);
    EXPECT_EQ(super.GetInc(), 4);
    EXPECT_EQ(Items(super), (std::vector<double>{1, 12}));
    EXPECT_EQ(Items(sq.BandVector(1, 0, 0)), (std::vector<double>{10, 21}));
    EXPECT_EQ(Items(sq.BandVector(0, 0, 2)), (std::vector<double>{0, 11}));
    UMatrix<double> sqView(sq);
    EXPECT_EQ(Items(sqView.BandVector(-2, 0, 0)), (std::vector<double>{2}));
}

// ---- free templates ----

TEST(FreeTemplates, AbsMinMax)
{
    EXPECT_TRUE(std::signbit(Abs(-0.0)));
    EXPECT_EQ(Abs(-2.5), 2.5);
    EXPECT_EQ(Abs(-3L), 3L);
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(Abs(nan)));
    EXPECT_TRUE(std::signbit(Min(0.0, -0.0)));   // a tie gives the second
    EXPECT_FALSE(std::signbit(Max(0.0, -0.0)));  // a tie gives the first
    EXPECT_EQ(Min(nan, 1.0), 1.0);
    EXPECT_TRUE(std::isnan(Min(1.0, nan)));
    EXPECT_TRUE(std::isnan(Max(nan, 1.0)));
    EXPECT_EQ(Max(1.0, nan), 1.0);
    EXPECT_EQ(Min(3L, -4L), -4L);
    EXPECT_EQ(Max(3L, -4L), 3L);
}

TEST(FreeTemplates, ReSizeKeepsOrEmpties)
{
    std::vector<long> v{1, 2};
    ReSize(v, 4);
    EXPECT_EQ(v, (std::vector<long>{1, 2, 0, 0}));
    ReSize(v, 1);
    EXPECT_EQ(v, (std::vector<long>{1}));
    ReSize(v, -3);
    EXPECT_TRUE(v.empty());
}

TEST(FreeTemplates, VsetWalksPositiveIncrementsOnly)
{
    struct Case {
        long start, n, inc;  // x is the buffer from element start
        std::vector<double> expected;
    };
    // A negative count with a negative increment must not walk below x.
    Case cases[] = {
        {0, 3, 1, {7, 7, 7, 0, 0, 0}},   {0, 3, 2, {7, 0, 7, 0, 7, 0}},
        {0, 4, -1, {0, 0, 0, 0, 0, 0}},  {0, 3, 0, {0, 0, 0, 0, 0, 0}},
        {0, 0, 1, {0, 0, 0, 0, 0, 0}},   {3, -2, -1, {0, 0, 0, 0, 0, 0}},
        {5, -1, -4, {0, 0, 0, 0, 0, 0}}, {0, -3, 2, {0, 0, 0, 0, 0, 0}},
        {1, 2, 3, {0, 7, 0, 0, 7, 0}},
    };
    for (Case const& c : cases) {
        std::vector<double> x(6, 0.0);
        Vset(c.n, x.data() + c.start, c.inc, 7.0);
        EXPECT_EQ(x, c.expected) << "start " << c.start << " n " << c.n << " inc " << c.inc;
    }
    UVector<unsigned char> bytes(3, 2);
    Vset(bytes, (unsigned char)5);
    EXPECT_EQ(bytes[2], 5);
    EXPECT_EQ(bytes.GetData()[1], 0);
}

TEST(FreeTemplates, VcopyAgreesWithReferenceDcopy)
{
    long const incs[] = {-3, -1, 0, 1, 2};
    long const lengths[] = {-1, 0, 1, 4};
    for (long n : lengths)
        for (long incx : incs)
            for (long incy : incs) {
                std::vector<double> x(16), ours(16, -1.0), reference(16, -1.0);
                for (std::size_t k = 0; k < x.size(); ++k) x[k] = 1.0 + k;
                Vcopy(n, x.data(), incx, ours.data(), incy);
                int fn = int(n), fx = int(incx), fy = int(incy);
                dcopy_(&fn, x.data(), &fx, reference.data(), &fy);
                EXPECT_EQ(ours, reference) << "n " << n << " incx " << incx << " incy " << incy;
            }
    double x[3] = {1, 2, 3};
    double y[3] = {};
    Vcopy(3L, x, -1L, y, 1L);
    EXPECT_EQ(std::vector<double>(y, y + 3), (std::vector<double>{3, 2, 1}));
}

TEST(FreeTemplates, VcopyOfVectorsCopiesElementByElement)
{
    double a[6] = {1, 2, 3, 4, 5, 6};
    double b[6] = {};
    UVector<double> src(a, 3, 2);
    UVector<double> dst(b, 3, 1);
    Vcopy(src, dst);
    EXPECT_EQ(std::vector<double>(b, b + 3), (std::vector<double>{1, 3, 5}));

    // A negative increment walks down from element 0 at the highest address.
    UVector<double> down(a + 5, 3, -2);
    UVector<double> packed(3, 1);
    Vcopy(down, packed);
    EXPECT_EQ(Items(packed), (std::vector<double>{6, 4, 2}));
    double c[3] = {};
    UVector<double> back(c + 2, 3, -1);
    Vcopy(packed, back);
    EXPECT_EQ(std::vector<double>(c, c + 3), (std::vector<double>{2, 4, 6}));

    UVector<double> four(4, 1);
    ExpectRaise(umIncompatibleDimensions, "Incompatible vector/matrix dimensions",
                [&] { Vcopy(src, four); });
    EXPECT_EQ(Items(four), (std::vector<double>{0, 0, 0, 0}));
}

TEST(FreeTemplates, MsetFillsAndSetsTheDiagonal)
{
    UMatrix<double> m(2, 3, 4);
    Mset(m, 2.0);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 2; ++i) EXPECT_EQ(m(i, j), 2.0);
    EXPECT_EQ(m.GetData()[2], 0.0);  // beyond the rows, inside the leading dimension
    Mset(m, 0.0, 1.0);
    EXPECT_EQ(m(0, 0), 1.0);
    EXPECT_EQ(m(1, 1), 1.0);
    EXPECT_EQ(m(0, 2), 0.0);
    EXPECT_EQ(m(1, 2), 0.0);
    EXPECT_EQ(m(1, 0), 0.0);

    UMatrix<std::complex<double>> tall(3, 2, -1);
    Mset(tall, std::complex<double>(0, 1), std::complex<double>(2, 0));
    EXPECT_EQ(tall(1, 1), std::complex<double>(2, 0));
    EXPECT_EQ(tall(2, 1), std::complex<double>(0, 1));
}

TEST(FreeTemplates, McopyAcrossLeadingDimensions)
{
    UMatrix<double> a(2, 2, 3);
    a(0, 0) = 1;
    a(1, 0) = 2;
    a(0, 1) = 3;
    a(1, 1) = 4;
    UMatrix<double> b(2, 2, -1);
    Mcopy(a, b);
    EXPECT_EQ(std::vector<double>(b.GetData(), b.GetData() + 4), (std::vector<double>{1, 2, 3, 4}));

    UMatrix<std::complex<double>> ca(1, 2, -1);
    UMatrix<std::complex<double>> cb(1, 2, 2);
    ca(0, 1) = {1, -1};
    Mcopy(ca, cb);
    EXPECT_EQ(cb(0, 1), std::complex<double>(1, -1));

    UMatrix<double> wide(2, 3, -1);
    ExpectRaise(umIncompatibleDimensions, "Incompatible vector/matrix dimensions",
                [&] { Mcopy(a, wide); });
    UMatrix<double> tall(3, 2, -1);
    ExpectRaise(umIncompatibleDimensions, "Incompatible vector/matrix dimensions",
                [&] { Mcopy(a, tall); });
    EXPECT_EQ(tall(0, 0), 0);
}

TEST(FreeTemplates, MtransTransposesSquareMatrices)
{
    UMatrix<double> m(3, 3, 4);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 3; ++i) m(i, j) = 10.0 * i + j;
    Mtrans(m);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 3; ++i) EXPECT_EQ(m(i, j), 10.0 * j + i);
    UMatrix<double> r(2, 3, -1);
    r(0, 1) = 5;
    ExpectRaise(umNotSquare, "Matrix must be square", [&] { Mtrans(r); });
    EXPECT_EQ(r(0, 1), 5);
}

// Two return paths keep the compiler from building the result in place.
UVector<double> MakeVector(bool first)
{
    UVector<double> a(2, 1);
    UVector<double> b(3, 1);
    a[0] = 1;
    b[0] = 2;
    if (first) return a;
    return b;
}

UMatrix<double> MakeMatrix(bool first)
{
    UMatrix<double> a(2, 2, -1);
    UMatrix<double> b(1, 3, 2);
    a(1, 1) = 1;
    b(0, 2) = 2;
    if (first) return a;
    return b;
}

// A returned or relocated owner keeps its elements instead of viewing freed ones.
TEST(Containers, MovedOwnersStayOwners)
{
    UVector<double> v = MakeVector(false);
    EXPECT_EQ(v.GetDim(), 3);
    EXPECT_EQ(v[0], 2);
    v.Add(5);  // only an owner grows
    EXPECT_EQ(Items(v), (std::vector<double>{2, 0, 0, 5}));

    UMatrix<double> m = MakeMatrix(false);
    EXPECT_EQ(m.GetColSpace(), 2);
    EXPECT_EQ(m(0, 2), 2);
    m.SetColDim(3);
    EXPECT_EQ(m(0, 2), 2);

    std::vector<UVector<double>> rows;
    for (int k = 0; k < 20; ++k) {
        rows.emplace_back(1, 1);
        rows.back()[0] = k;
    }
    for (int k = 0; k < 20; ++k) EXPECT_EQ(rows[k][0], k);

    std::vector<double> data{1, 2, 3};
    UVector<double> view(data, -1, 1, 1);
    UVector<double> moved(std::move(view));
    moved[0] = -2;
    EXPECT_EQ(data[1], -2);
    moved.SetDim(1);
    EXPECT_EQ(data.size(), 3u);
}

// True when body fails as an allocation does: std::bad_alloc or std::length_error.
template <class Body>
bool FailsToAllocate(Body body)
{
    try {
        body();
    } catch (std::bad_alloc const&) {
        return true;
    } catch (std::length_error const&) {
        return true;
    }
    return false;
}

template <class Container>
struct ResizeCase {
    char const* name;
    std::function<void(Container&)> resize;
};

// Storage whose element count a long cannot hold is refused before anything
// is allocated, instead of wrapping round to a small block behind huge
// dimensions; a resize that fails leaves the owner as it was.
TEST(Containers, StorageBeyondAnyAllocationFailsAndChangesNothing)
{
    EXPECT_TRUE(FailsToAllocate([] {
        UMatrix<double> m(1L << 32, 1L << 32, -1);
        m(0, 1) = 1.0;
    }));
    EXPECT_TRUE(FailsToAllocate([] {
        UVector<double> v(1L << 62, 4);
        v[5] = 1.0;
    }));
    EXPECT_TRUE(
        FailsToAllocate([] { UMatrix<double> m(std::vector<double>(1), 1L << 32, 1L << 32); }));

    ResizeCase<UVector<double>> const vectorCases[] = {
        {"SetDim, product overflows", [](UVector<double>& v) { v.SetDim(1L << 62); }},
        {"SetInc, product overflows", [](UVector<double>& v) { v.SetInc(1L << 62); }},
        {"SetDim beyond a vector's reach", [](UVector<double>& v) { v.SetDim(1L << 60); }},
    };
    for (auto const& c : vectorCases) {
        SCOPED_TRACE(c.name);
        UVector<double> v(3, 4);
        for (long i = 0; i < 3; ++i) v[i] = i + 1.0;
        double const* data = v.GetConstData();
        EXPECT_TRUE(FailsToAllocate([&] { c.resize(v); }));
        EXPECT_EQ(v.GetDim(), 3);
        EXPECT_EQ(v.GetInc(), 4);
        EXPECT_EQ(v.GetConstData(), data);
        EXPECT_EQ(Items(v), (std::vector<double>{1, 2, 3}));
    }

    ResizeCase<UMatrix<double>> const matrixCases[] = {
        {"SetRowDim, product overflows", [](UMatrix<double>& m) { m.SetRowDim(1L << 62); }},
        {"SetColSpace, product overflows", [](UMatrix<double>& m) { m.SetColSpace(1L << 62); }},
        {"SetColDim, product overflows", [](UMatrix<double>& m) { m.SetColDim(1L << 62); }},
        {"SetRowDim beyond a vector's reach", [](UMatrix<double>& m) { m.SetRowDim(1L << 59); }},
        {"SetColDim beyond a vector's reach", [](UMatrix<double>& m) { m.SetColDim(1L << 59); }},
    };
    for (auto const& c : matrixCases) {
        SCOPED_TRACE(c.name);
        UMatrix<double> m(2, 2, 3);
        for (long j = 0; j < 2; ++j)
            for (long i = 0; i < 2; ++i) m(i, j) = 10.0 * i + j;
        double const* data = m.GetConstData();
        EXPECT_TRUE(FailsToAllocate([&] { c.resize(m); }));
        // The elements are looked at through the shape kept.
        ASSERT_EQ(m.GetColDim(), 2);
        ASSERT_EQ(m.GetRowDim(), 2);
        ASSERT_EQ(m.GetColSpace(), 3);
        EXPECT_EQ(m.GetConstData(), data);
        for (long j = 0; j < 2; ++j)
            for (long i = 0; i < 2; ++i) EXPECT_EQ(m(i, j), 10.0 * i + j);
    }
}

}  // namespace

// Every member must compile for the element types the system uses.
template class UVector<double>;
template class UVector<long>;
template class UVector<unsigned char>;
template class UVector<signed char>;
template class UVector<short>;
template class UVector<float>;
template class UVector<std::complex<double>>;
template class UMatrix<double>;
template class UMatrix<long>;
template class UMatrix<unsigned char>;
template class UMatrix<signed char>;
template class UMatrix<short>;
template class UMatrix<float>;
template class UMatrix<std::complex<double>>;
