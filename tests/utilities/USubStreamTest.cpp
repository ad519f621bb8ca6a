#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/RaisedCode.h"
#include "tests/utilities/RegisterUtilities.h"
#include "utilities/UMemoryStream.h"
#include "utilities/UStrUtilities.h"
#include "utilities/USubStream.h"

namespace {

TEST(USubStream, WindowPositionsAndSizes)
{
    UMemoryStream parent;
    parent.SetSize(1000);
    USubStream toEnd(parent, 100, -1);
    EXPECT_EQ(toEnd.GetSize(), 900);
    USubStream window(parent, 100, 50);
    EXPECT_EQ(window.GetSize(), 50);
    window.SetPosition(10);
    EXPECT_EQ(parent.GetPosition(), 110);
    EXPECT_EQ(window.GetPosition(), 10);
    window.SetSize(20);
    EXPECT_EQ(window.GetSize(), 20);
    EXPECT_EQ(parent.GetSize(), 1000);
    EXPECT_TRUE(window.GetIsOpen());
}

// Text and typed reads end where the window does, though the parent goes on.
TEST(USubStream, ReadsStopAtTheWindowsEnd)
{
    RegisterUtilities();
    UMemoryStream parent;
    parent.PutText("aaaa\nbbbb\ncccc\n");
    USubStream window(parent, 5, 7);
    window.SetPosition(0);
    std::vector<std::string> lines;
    char line[16];
    while (!window.GetAtEOF()) {
        window.GetLine(line, 15);
        lines.emplace_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"bbbb", "cc"}));
    EXPECT_EQ(parent.GetPosition(), 12);

    parent.SetPosition(0);
    parent.PutInt32WithSize(std::vector<long>{1, 2, 3});
    USubStream shorter(parent, 0, 12);
    shorter.SetPosition(0);
    std::vector<long> v;
    EXPECT_EQ(RaisedCode([&] { shorter.GetInt32WithSize(v); }), umStreamInputError);
    USubStream whole(parent, 0, 16);
    whole.SetPosition(0);
    whole.GetInt32WithSize(v);
    EXPECT_EQ(v, (std::vector<long>{1, 2, 3}));
}

// Only a negative size runs to the parent's end: a window of size 0 is empty,
// so it is at its end at once and holds no data to read.
TEST(USubStream, SizeZeroIsAnEmptyWindow)
{
    RegisterUtilities();
    UMemoryStream parent;
    parent.PutInt32WithSize(std::vector<long>{1, 2, 3});
    USubStream empty(parent, 0, 0);
    EXPECT_EQ(empty.GetSize(), 0);
    empty.SetPosition(0);
    EXPECT_TRUE(empty.GetAtEOF());
    std::vector<long> v;
    EXPECT_EQ(RaisedCode([&] { empty.GetInt32WithSize(v); }), umStreamInputError);
    EXPECT_TRUE(v.empty());
}

TEST(USubStream, WritesGoToTheParentAndItsSettingsStayItsOwn)
{
    UMemoryStream parent;
    parent.SetLittleEndian(false);
    parent.SetSize(8);
    {
        USubStream window(parent, 4, 2);
        EXPECT_TRUE(window.GetLittleEndian());
        window.SetPosition(0);
        window.PutText("xyz");  // not limited by the window
        window.PutInt16(0x0102);
    }
    char bytes[9] = {};
    parent.SetPosition(0);
    EXPECT_EQ(parent.GetBuffer(bytes, 9), 9);
    EXPECT_EQ(std::string(bytes, 9), std::string("\0\0\0\0xyz\2\1", 9));
}

// A window beyond the parent's data: the failed read ends the input, and
// moving the window makes it readable again.
TEST(USubStream, MovingForgetsAFailedRead)
{
    UMemoryStream parent;
    parent.PutText("ab\ncd");
    USubStream window(parent, 0, 50);
    window.SetPosition(0);
    char line[8];
    int reads = 0;
    while (!window.GetAtEOF() && reads < 10) {
        window.GetLine(line, 7);
        ++reads;
    }
    EXPECT_EQ(reads, 2);
    EXPECT_STREQ(line, "cd");
    window.SetPosition(3);
    EXPECT_FALSE(window.GetAtEOF());
    window.GetLine(line, 7);
    EXPECT_STREQ(line, "cd");
}

TEST(USubStream, ParentWithoutDeviceRaises)
{
    RegisterUtilities();
    UStream parent(nullptr);
    USubStream window(parent, 0, -1);
    EXPECT_FALSE(window.GetIsOpen());
    EXPECT_EQ(RaisedCode([&] { window.GetSize(); }), umStreamNotInitialized);
    EXPECT_EQ(RaisedCode([&] { window.GetPosition(); }), umStreamNotInitialized);
    EXPECT_EQ(RaisedCode([&] { window.PutBuffer("x", 1); }), umStreamNotInitialized);
}

}  // namespace
