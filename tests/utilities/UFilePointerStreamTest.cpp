#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/support/TempDir.h"
#include "utilities/UStream.h"

namespace {

bool DescriptorIsOpen(int fd)
{
    return fcntl(fd, F_GETFD) != -1 || errno != EBADF;
}

std::vector<std::string> ReadLines(UStream& s, int limit = 100000)
{
    std::vector<std::string> lines;
    char buf[2048];
    while (!s.GetAtEOF() && limit-- > 0) {
        s.GetLine(buf, 2047);
        lines.emplace_back(buf);
    }
    return lines;
}

TEST(UFilePointerStream, OwningStreamClosesItsFile)
{
    TempDir dir;
    dir.Write("in.txt", "abc\n");
    FILE* fp = std::fopen("in.txt", "rb");
    ASSERT_NE(fp, nullptr);
    int const fd = fileno(fp);
    {
        UFilePointerStream s(fp, true);
        EXPECT_TRUE(s.GetIsOpen());
        EXPECT_EQ(s.GetSize(), 4);
    }
    EXPECT_FALSE(DescriptorIsOpen(fd));
}

TEST(UFilePointerStream, BorrowingStreamLeavesItsFileOpen)
{
    TempDir dir;
    dir.Write("in.txt", "abc\ndef\n");
    FILE* fp = std::fopen("in.txt", "rb");
    ASSERT_NE(fp, nullptr);
    {
        UFilePointerStream s(fp, false);
        char buf[16];
        s.GetLine(buf, 15);
        EXPECT_STREQ(buf, "abc");
    }
    EXPECT_TRUE(DescriptorIsOpen(fileno(fp)));
    char buf[16] = {};
    ASSERT_NE(std::fgets(buf, sizeof buf, fp), nullptr);
    EXPECT_STREQ(buf, "def\n");
    std::fclose(fp);
}

TEST(UFilePointerStream, PathConstructorOpensAndOwns)
{
    TempDir dir;
    {
        UFilePointerStream out("out.txt", "wb");
        out.SetTextMode(true);
        out.SetPlatform(tpCRLF);
        out.PutLine("first");
        out.printf("%d %s\n", 2, "second");
    }
    EXPECT_EQ(dir.Read("out.txt"), "first\r\n2 second\r\n");
    UFilePointerStream in("out.txt", "rb");
    std::vector<std::string> const want = {"first", "2 second"};
    EXPECT_EQ(ReadLines(in), want);
}

TEST(UFilePointerStream, FileThatCannotBeOpenedReadsNothing)
{
    TempDir dir;
    UFilePointerStream s("missing.txt", "rb");
    EXPECT_TRUE(s.GetIsOpen());
    EXPECT_TRUE(s.GetAtEOF());
    char buf[8] = {'#'};
    s.GetLine(buf, 8);
    EXPECT_STREQ(buf, "");
    s.PutLine("lost");
    s.SetSize(10);
    EXPECT_EQ(s.GetSize(), 0);
}

TEST(UFilePointerStream, SetSizeTruncatesAndExtends)
{
    TempDir dir;
    dir.Write("f.bin", "0123456789");
    {
        UFilePointerStream s(std::fopen("f.bin", "r+b"), true);
        s.SetPosition(8);
        s.SetSize(3);
        EXPECT_EQ(s.GetSize(), 3);
        EXPECT_EQ(s.GetPosition(), 3);
    }
    EXPECT_EQ(dir.Read("f.bin"), "012");

    dir.Write("g.bin", "0123456789");
    {
        UFilePointerStream s(std::fopen("g.bin", "r+b"), true);
        s.SetPosition(4);
        s.SetSize(2000);
        EXPECT_EQ(s.GetSize(), 2000);
        EXPECT_EQ(s.GetPosition(), 4);
        EXPECT_EQ(s.GetChar(), '4');
    }
    std::string const grown = dir.Read("g.bin");
    EXPECT_EQ(grown, "0123456789" + std::string(1990, '\0'));
}

TEST(UFilePointerStream, TruncationKeepsOnlyWhatWasWrittenBeforeTheCut)
{
    TempDir dir;
    {
        UFilePointerStream s(std::fopen("w.txt", "w+b"), true);
        s.PutText("abcdefghij");   // still in the FILE buffer
        s.SetSize(4);
        s.PutText("XY");
    }
    EXPECT_EQ(dir.Read("w.txt"), "abcdXY");
}

TEST(UFilePointerStream, ExtendingAReadOnlyFileDoesNotStall)
{
    TempDir dir;
    dir.Write("r.txt", "abc");
    UFilePointerStream s(std::fopen("r.txt", "rb"), true);
    s.SetPosition(1);
    s.SetSize(5000);
    EXPECT_EQ(s.GetPosition(), 1);
    EXPECT_EQ(s.GetSize(), 3);
}

TEST(UFilePointerStream, FileShrinkingUnderTheReaderEndsCleanly)
{
    TempDir dir;
    std::string content;
    for (int i = 0; i < 4000; ++i) content += "line " + std::to_string(i) + "\n";
    dir.Write("big.txt", content);
    UFilePointerStream s(std::fopen("big.txt", "rb"), true);
    std::vector<std::string> lines = ReadLines(s, 10);
    long const cut = 20005;
    ASSERT_EQ(truncate("big.txt", cut), 0);
    for (std::string const& line : ReadLines(s)) lines.push_back(line);

    std::vector<std::string> want;
    std::string const kept = content.substr(0, cut);
    size_t start = 0;
    for (size_t end; (end = kept.find('\n', start)) != std::string::npos; start = end + 1)
        want.push_back(kept.substr(start, end - start));
    want.push_back(kept.substr(start));
    EXPECT_EQ(lines, want);
}

TEST(UFilePointerStream, DirectoryOpenedAsFileEndsEveryReaderLoop)
{
    TempDir dir;
    FILE* fp = std::fopen(".", "rb");
    if (!fp) GTEST_SKIP() << "directories cannot be opened as files here";
    UFilePointerStream s(fp, true);
    EXPECT_LE(ReadLines(s, 1000).size(), 2u);
    EXPECT_TRUE(s.GetAtEOF());
}

}  // namespace
