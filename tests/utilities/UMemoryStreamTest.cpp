#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/RaisedCode.h"
#include "tests/utilities/RegisterUtilities.h"
#include "utilities/UMemoryStream.h"
#include "utilities/UStrUtilities.h"

namespace {

UMemoryBasicStream& Device(UMemoryStream& s)
{
    return *static_cast<UMemoryBasicStream*>(s.GetStream());
}

std::string Bytes(UMemoryBasicStream const& d, long from, long n)
{
    return std::string(d.GetMemoryPointer() + from, static_cast<size_t>(n));
}

TEST(UMemoryStream, SmallWriteGetsTheSmallestBlock)
{
    UMemoryStream s;
    s.PutText("0123456789");
    EXPECT_EQ(Device(s).GetCapacity(), 1024);
    EXPECT_EQ(s.GetSize(), 10);
    EXPECT_EQ(s.GetPosition(), 10);
    s.SetPosition(0);
    char text[11] = {};
    s.GetText(text, 10);
    EXPECT_STREQ(text, "0123456789");
}

// Capacity goes to 1.7 times what a write or a size needs, truncated, and
// new blocks are zero-filled.
TEST(UMemoryStream, GrowthByOnePointSevenKeepsTheData)
{
    UMemoryStream s;
    std::string const first(1001, 'a');
    s.PutBuffer(first.data(), 1001);
    EXPECT_EQ(Device(s).GetCapacity(), 1701);
    s.PutBuffer(std::string(800, 'b').data(), 800);
    EXPECT_EQ(Device(s).GetCapacity(), 3061);
    EXPECT_EQ(Bytes(Device(s), 0, 1001), first);
    EXPECT_EQ(Bytes(Device(s), 1801, 3061 - 1801), std::string(3061 - 1801, '\0'));

    UMemoryStream sized;
    sized.SetSize(5001);
    EXPECT_EQ(Device(sized).GetCapacity(), 8501);
    EXPECT_EQ(sized.GetSize(), 5001);
    EXPECT_EQ(Bytes(Device(sized), 0, 8501), std::string(8501, '\0'));
    sized.SetPosition(4000);
    sized.SetSize(3);
    EXPECT_EQ(sized.GetSize(), 3);
    EXPECT_EQ(sized.GetPosition(), 3);
    EXPECT_EQ(Device(sized).GetCapacity(), 8501);
}

// Within the capacity a larger size shows what the block holds.
TEST(UMemoryStream, SizeWithinTheCapacityShowsEarlierData)
{
    UMemoryStream s;
    s.PutText("abcde");
    s.SetSize(2);
    s.SetSize(7);
    s.SetPosition(0);
    char text[8] = {};
    s.GetBuffer(text, 7);
    EXPECT_EQ(std::string(text, 7), std::string("abcde\0\0", 7));
}

TEST(UMemoryStream, PositionIsClampedToTheData)
{
    UMemoryStream s;
    s.PutText("0123456789");
    s.SetPosition(-4);
    EXPECT_EQ(s.GetPosition(), 0);
    s.SetPosition(1000000);
    EXPECT_EQ(s.GetPosition(), 10);
    char buf[4] = {};
    EXPECT_EQ(s.GetBuffer(buf, 4), 0);
    s.SetPosition(8);
    EXPECT_EQ(s.GetBuffer(buf, 4), 2);
    EXPECT_EQ(std::string(buf, 2), "89");
}

TEST(UMemoryStream, NegativeCountsRaise)
{
    RegisterUtilities();
    UMemoryBasicStream d;
    char buf[4] = {};
    EXPECT_EQ(RaisedCode([&] { d.Read(buf, -1); }), umNegativeWriteCount);
    EXPECT_EQ(RaisedCode([&] { d.Write(buf, -1); }), umNegativeWriteCount);
    EXPECT_EQ(d.Read(buf, 0), 0);
    EXPECT_EQ(d.Write(buf, 0), 0);
    EXPECT_EQ(d.GetCapacity(), 0);
}

// A count that would carry the position beyond a long raises 21039 and
// leaves the device as it was.
TEST(UMemoryStream, CountBeyondTheReachOfALongRaises)
{
    RegisterUtilities();
    UMemoryBasicStream d;
    d.Write("0123456789", 10);
    char const* const block = d.GetMemoryPointer();
    EXPECT_EQ(RaisedCode([&] { d.Write("x", LONG_MAX); }), umNegativeWriteCount);
    EXPECT_EQ(RaisedCode([&] { d.Write("x", LONG_MAX - 9); }), umNegativeWriteCount);
    EXPECT_EQ(d.GetPosition(), 10);
    EXPECT_EQ(d.GetSize(), 10);
    EXPECT_EQ(d.GetCapacity(), 1024);
    EXPECT_EQ(d.GetMemoryPointer(), block);
}

#if defined(__SANITIZE_ADDRESS__)
bool const SanitizedAllocator = true;
#else
bool const SanitizedAllocator = false;
#endif

// Sizes that no block can hold: 21058, nothing changed, and no copy past
// the block. (The sanitizers' allocator ends the process instead of failing.)
TEST(UMemoryStream, SizeNoBlockCanHoldRaises)
{
    if (SanitizedAllocator) GTEST_SKIP() << "the sanitizer's allocator does not fail softly";
    RegisterUtilities();
    UMemoryBasicStream d;
    d.Write("0123456789", 10);
    char const* const block = d.GetMemoryPointer();
    std::vector<std::function<void()>> const operations = {
        [&] { d.SetSize(LONG_MAX); },
        [&] { d.SetSize(LONG_MAX / 2); },  // 1.7 times that is still a long
        [&] { d.SetCapacity(LONG_MAX); },
        [&] { d.Write("x", LONG_MAX - 10); },
    };
    for (auto const& op : operations) {
        EXPECT_EQ(RaisedCode(op), umNewReturnedNull);
        EXPECT_EQ(d.GetPosition(), 10);
        EXPECT_EQ(d.GetSize(), 10);
        EXPECT_EQ(d.GetCapacity(), 1024);
        EXPECT_EQ(d.GetMemoryPointer(), block);
    }
}

// The caller's block is read, never written, resized or freed.
TEST(UMemoryStream, ReadOnlyDeviceRefusesEveryWrite)
{
    RegisterUtilities();
    char* const block = new char[20];
    std::memcpy(block, "abcdefghij\nklmnopqrs", 20);
    {
        UMemoryStream s(block, 20);
        UMemoryBasicStream& d = Device(s);
        EXPECT_TRUE(d.GetReadOnly());
        EXPECT_FALSE(d.GetDeleteOnExit());
        EXPECT_EQ(d.GetMemoryPointer(), block);
        char line[16] = {};
        s.GetLine(line, 15);
        EXPECT_STREQ(line, "abcdefghij");
        std::vector<std::function<void()>> const writes = {
            [&] { d.Write("x", 1); },     [&] { d.Write("x", 0); },
            [&] { d.SetSize(5); },        [&] { d.SetSize(50); },
            [&] { d.SetCapacity(4096); }, [&] { s.PutLine("x"); },
            [&] { s.PutDouble(1.0); },    [&] { s.PutInt32WithSize(std::vector<long>{1, 2}); },
            [&] { s.WriteHeader("h"); },
        };
        for (auto const& write : writes) {
            EXPECT_EQ(RaisedCode(write), umWriteOnReadOnly);
            EXPECT_EQ(d.GetSize(), 20);
            EXPECT_EQ(d.GetPosition(), 11);
        }
        EXPECT_EQ(RaisedCode([&] { d.Read(line, -1); }), umNegativeWriteCount);
        s.GetLine(line, 15);
        EXPECT_STREQ(line, "klmnopqrs");
        EXPECT_TRUE(s.GetAtEOF());
    }
    // Still the caller's: the sanitizer build sees a use after free or a
    // double free here if the stream released it.
    EXPECT_EQ(std::string(block, 20), "abcdefghij\nklmnopqrs");
    delete[] block;
}

TEST(UMemoryStream, OwningDeviceFreesItsBlock)
{
    auto* d = new UMemoryBasicStream;
    EXPECT_TRUE(d->GetDeleteOnExit());
    EXPECT_FALSE(d->GetReadOnly());
    EXPECT_EQ(d->GetMemoryPointer(), nullptr);
    d->Write("abc", 3);
    UMemoryStream s;
    s.Attach(d);  // the sanitizer build sees a leak if the block outlives it
    EXPECT_EQ(s.GetSize(), 3);
}

}  // namespace
