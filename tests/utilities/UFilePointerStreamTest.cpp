#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/support/TempDir.h"
#include "utilities/UStream.h"

namespace {

bool DescriptorIsOpen(int fd) { return fcntl(fd, F_GETFD) != -1 || errno != EBADF; }

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
        s.PutText("abcdefghij");  // still in the FILE buffer
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

// Letters and LF only, so that a lenient GetText hands back the bytes as they are.
std::string RandomLines(std::mt19937& rng, size_t size)
{
    std::uniform_int_distribution<int> pick(0, 90);
    std::string s(size, ' ');
    for (char& c : s) {
        int const k = pick(rng);
        c = k < 3 ? '\n' : static_cast<char>('a' + k % 26);
    }
    return s;
}

TEST(UFilePointerStream, CachedReadsFollowEveryJump)
{
    // Several cache loads long; jumps land inside, before and after the cached bytes.
    TempDir dir;
    std::mt19937 rng(7101);
    std::string const data = RandomLines(rng, 200000);
    long const size = static_cast<long>(data.size());
    dir.Write("r.txt", data);
    UFilePointerStream s(std::fopen("r.txt", "rb"), true);
    std::uniform_int_distribution<int> op(0, 9);
    std::uniform_int_distribution<long> anywhere(0, size + 10);
    std::uniform_int_distribution<long> length(1, 3000);
    std::vector<char> buf(3001);
    long p = 0;
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE("step " + std::to_string(step) + " at " + std::to_string(p));
        int const k = op(rng);
        if (k < 2) {
            p = k == 0 ? anywhere(rng) : std::max(0L, p - length(rng));
            s.SetPosition(p);
        } else if (k < 6) {
            long const n = length(rng);
            std::fill(buf.begin(), buf.end(), '#');
            s.GetText(buf.data(), n);
            std::string const want =
                p < size ? data.substr(static_cast<size_t>(p), static_cast<size_t>(n)) : "";
            ASSERT_EQ(std::string(buf.data(), want.size()), want);
            ASSERT_EQ(buf[want.size()], want.size() < static_cast<size_t>(n) ? '\0' : '#');
            if (p < size) p = std::min(size, p + n);
        } else {
            s.GetLine(buf.data(), 3000);
            size_t const end =
                p < size ? data.find('\n', static_cast<size_t>(p)) : std::string::npos;
            std::string want =
                p < size ? data.substr(static_cast<size_t>(p), end - static_cast<size_t>(p)) : "";
            if (want.size() >= 3000) want.resize(3000);
            ASSERT_EQ(std::string(buf.data(), strnlen(buf.data(), 3000)), want);
            if (p < size)
                p = end == std::string::npos || end - static_cast<size_t>(p) >= 3000
                        ? std::min(size, p + static_cast<long>(want.size()))
                        : static_cast<long>(end) + 1;
        }
        ASSERT_EQ(s.GetPosition(), p);
        ASSERT_EQ(s.GetAtEOF(), p >= size);
    }
}

TEST(UFilePointerStream, ReadsAndWritesMeetOnOneFile)
{
    TempDir dir;
    {
        UFilePointerStream s(std::fopen("rw.txt", "w+b"), true);
        s.PutText("abc\ndef\n");
        EXPECT_EQ(s.GetSize(), 8);  // still buffered, counted all the same
        s.SetPosition(0);
        char buf[16];
        s.GetLine(buf, 15);
        EXPECT_STREQ(buf, "abc");
        s.PutText("XY");  // over the second line, where reading stopped
        EXPECT_EQ(s.GetPosition(), 6);
        s.GetLine(buf, 15);
        EXPECT_STREQ(buf, "f");
        EXPECT_TRUE(s.GetAtEOF());
        s.PutLine("ghi");
        s.SetPosition(0);
        std::vector<std::string> const want = {"abc", "XYf", "ghi"};
        EXPECT_EQ(ReadLines(s), want);
    }
    EXPECT_EQ(dir.Read("rw.txt"), "abc\nXYf\nghi\n");
}

TEST(UFilePointerStream, SetSizeWhileReadingCutsWhatWasRead)
{
    TempDir dir;
    std::string content;
    for (int i = 0; i < 1000; ++i) content += "row " + std::to_string(i) + "\n";
    dir.Write("s.txt", content);
    UFilePointerStream s(std::fopen("s.txt", "r+b"), true);
    char buf[64];
    s.GetLine(buf, 63);
    EXPECT_STREQ(buf, "row 0");
    s.SetSize(12);  // "row 0\nrow 1\n"
    std::vector<std::string> want = {"row 1"};
    EXPECT_EQ(ReadLines(s), want);
    s.SetSize(14);
    s.SetPosition(6);
    s.GetLine(buf, 63);
    EXPECT_STREQ(buf, "row 1");
    EXPECT_EQ(s.GetChar(), '\0');
    EXPECT_EQ(s.GetPosition(), 13);
    EXPECT_EQ(dir.Read("s.txt"), std::string("row 0\nrow 1\n") + std::string(2, '\0'));
}

TEST(UFilePointerStream, FileCutOrGrownBetweenCallsIsSeenAtOnce)
{
    TempDir dir;
    dir.Write("g.txt", "first\nsecond line\nthird\n");
    UFilePointerStream s(std::fopen("g.txt", "rb"), true);
    char buf[64];
    s.GetLine(buf, 63);
    EXPECT_FALSE(s.GetAtEOF());
    ASSERT_EQ(truncate("g.txt", 9), 0);  // "first\nsec"
    s.GetLine(buf, 63);
    EXPECT_STREQ(buf, "sec");
    EXPECT_TRUE(s.GetAtEOF());
    FILE* append = std::fopen("g.txt", "ab");
    ASSERT_NE(append, nullptr);
    std::fputs("ond\nlast\n", append);
    std::fclose(append);
    EXPECT_FALSE(s.GetAtEOF());
    s.GetLine(buf, 63);
    EXPECT_STREQ(buf, "ond");
    s.GetLine(buf, 63);
    EXPECT_STREQ(buf, "last");
    EXPECT_TRUE(s.GetAtEOF());
}

TEST(UFilePointerStream, FileHandedOutStandsWhereTheStreamStood)
{
    TempDir dir;
    dir.Write("h.txt", "one\ntwo\nthree\n");
    FILE* fp = std::fopen("h.txt", "rb");
    ASSERT_NE(fp, nullptr);
    auto* device = new UFilePointerBasicStream(fp, true);
    UStream s(device);
    char buf[16];
    s.GetLine(buf, 15);
    EXPECT_EQ(std::ftell(device->GetFilePointer()), 4);
    ASSERT_NE(std::fgets(buf, sizeof buf, device->GetFilePointer()), nullptr);
    EXPECT_STREQ(buf, "two\n");
    s.GetLine(buf, 15);
    EXPECT_STREQ(buf, "three");
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

TEST(UFilePointerStream, BorrowedFileStandsWhereTheDeviceStands)
{
    TempDir dir;
    dir.Write("b.txt", "one\ntwo\nthree\nfour\n");
    FILE* fp = std::fopen("b.txt", "rb");
    ASSERT_NE(fp, nullptr);
    auto* s = new UFilePointerStream(fp, false);
    char buf[16];
    s->GetLine(buf, 15);
    EXPECT_STREQ(buf, "one");
    // Its owner reads on from the same FILE* without asking the device.
    ASSERT_NE(std::fgets(buf, sizeof buf, fp), nullptr);
    EXPECT_STREQ(buf, "two\n");
    s->GetLine(buf, 15);
    EXPECT_STREQ(buf, "three");
    // The owner may close the file before the stream goes.
    std::fclose(fp);
    delete s;
}

TEST(UFilePointerStream, HandedOutFileCanBeReadOrWrittenAtOnce)
{
    TempDir dir;
    {
        auto* device = new UFilePointerBasicStream(std::fopen("h.txt", "w+b"), true);
        UStream s(device);
        s.PutText("written\n");
        // Read straight after the device wrote (a read larger than stdio's
        // buffer bypasses it): the output must not be lost.
        std::vector<char> big(10000);
        EXPECT_EQ(std::fread(big.data(), 1, big.size(), device->GetFilePointer()), 0u);
        s.SetPosition(0);
        char buf[16];
        s.GetLine(buf, 15);
        EXPECT_STREQ(buf, "written");
        s.SetPosition(2);
        EXPECT_EQ(std::fread(big.data(), 1, big.size(), device->GetFilePointer()), 6u);
        // The device writes straight after the caller read.
        s.SetPosition(3);
        s.PutText("T");
        EXPECT_EQ(s.GetPosition(), 4);
    }
    EXPECT_EQ(dir.Read("h.txt"), "wriTten\n");
}

TEST(UFilePointerStream, BorrowedFileTurnsBetweenWritingAndReading)
{
    TempDir dir;
    FILE* fp = std::fopen("t.txt", "w+b");
    ASSERT_NE(fp, nullptr);
    {
        UFilePointerStream s(fp, false);
        s.PutText("abc\n");
        // A large read right after a write must not drop the pending output.
        std::vector<char> big(100000);
        EXPECT_EQ(s.GetBuffer(big.data(), static_cast<long>(big.size())), 0);
        EXPECT_EQ(s.GetSize(), 4);
        s.SetPosition(1);
        char c[2] = {};
        EXPECT_EQ(s.GetBuffer(c, 1), 1);
        EXPECT_EQ(c[0], 'b');
        s.PutText("X");
    }
    std::fclose(fp);
    EXPECT_EQ(dir.Read("t.txt"), "abX\n");
}

TEST(UFilePointerStream, FileCutUnderAReaderEndsAtTheCutInEveryMode)
{
    // Strict LF reads without translation; the others translate.
    struct Case {
        char const* name;
        StrictMode mode;
        bool owning;
    } const cases[] = {
        {"strict owned", smStrict, true},     {"strict borrowed", smStrict, false},
        {"lenient owned", smLenient, true},   {"lenient borrowed", smLenient, false},
        {"collapse owned", smCollapse, true},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string const kept = "head\n" + std::string(60000, 'k');
        dir.Write("c.txt", kept + std::string(100000, 'x') + "\n");
        FILE* fp = std::fopen("c.txt", "rb");
        ASSERT_NE(fp, nullptr);
        {
            UFilePointerStream s(fp, c.owning);
            s.SetTranslateMode(c.mode);
            std::vector<char> buf(200000);
            s.GetLine(buf.data(), 10);
            EXPECT_STREQ(buf.data(), "head");
            // Bytes on both sides of the coming cut pass through the device.
            s.SetPosition(static_cast<long>(kept.size()) + 50);
            s.GetText(buf.data(), 3000);
            s.SetPosition(static_cast<long>(kept.size()) - 20);
            ASSERT_EQ(truncate("c.txt", static_cast<off_t>(kept.size())), 0);
            s.GetLine(buf.data(), static_cast<long>(buf.size()));
            EXPECT_EQ(std::string(buf.data()), std::string(20, 'k'));
            EXPECT_TRUE(s.GetAtEOF());
        }
        if (!c.owning) std::fclose(fp);
    }
}

TEST(UFilePointerStream, BorrowedFileGrownAfterItsEndIsReadOn)
{
    TempDir dir;
    dir.Write("g.txt", "first\n");
    FILE* fp = std::fopen("g.txt", "rb");
    ASSERT_NE(fp, nullptr);
    {
        UFilePointerStream s(fp, false);
        EXPECT_EQ(ReadLines(s), std::vector<std::string>{"first"});
        char buf[16];
        s.GetLine(buf, 15);  // reads at the end, which marks the file
        FILE* append = std::fopen("g.txt", "ab");
        ASSERT_NE(append, nullptr);
        std::fputs("second\n", append);
        std::fclose(append);
        EXPECT_FALSE(s.GetAtEOF());
        EXPECT_EQ(ReadLines(s), std::vector<std::string>{"second"});
    }
    std::fclose(fp);
}

TEST(UFilePointerStream, CrLfSplitAtAChunkOrCacheBoundaryIsOneLineEnd)
{
    StrictMode const modes[] = {smLenient, smCollapse, smStrict};
    // Index of the CR: last byte of a text chunk read from 4 (after the first
    // line), last byte of the first or second cache load, and one beyond.
    for (long const cr : {10243L, 10244L, 65535L, 65536L, 131071L, 131072L}) {
        for (StrictMode const mode : modes) {
            SCOPED_TRACE("CR at " + std::to_string(cr) + " mode " + std::to_string(mode));
            TempDir dir;
            std::string const line(static_cast<size_t>(cr - 4), 'x');
            dir.Write("crlf.txt", "ab\r\n" + line + "\r\nlast\r\n");
            UFilePointerStream s(std::fopen("crlf.txt", "rb"), true);
            s.SetTextMode(true);
            s.SetPlatform(tpCRLF);
            s.SetTranslateMode(mode);
            std::vector<char> buf(200000);
            s.GetLine(buf.data(), static_cast<long>(buf.size()));
            EXPECT_STREQ(buf.data(), "ab");
            s.GetLine(buf.data(), static_cast<long>(buf.size()));
            EXPECT_EQ(std::string(buf.data()), line);
            EXPECT_EQ(s.GetPosition(), cr + 2);
            s.GetLine(buf.data(), static_cast<long>(buf.size()));
            EXPECT_STREQ(buf.data(), "last");
            EXPECT_TRUE(s.GetAtEOF());
        }
    }
}

// The bytes this process has read from files so far, or -1 where the system
// does not tell.
long BytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long value = 0;
    while (io >> key >> value)
        if (key == "rchar:") return value;
    return -1;
}

// A text read gives back what it did not consume, also when its bytes came
// from two loads of the device: read line by line, each byte of the file is
// read from it once, not again after a give-back across the start of a load.
TEST(UFilePointerStream, LineByLineReadsEachByteOfTheFileOnce)
{
    TempDir dir;
    std::mt19937 rng(1104);
    std::uniform_int_distribution<size_t> length(0, 9000);
    std::string data;
    long lines = 0;
    for (; data.size() < 1500000; ++lines) data += std::string(length(rng), 'x') + "\n";
    long const size = static_cast<long>(data.size());
    dir.Write("lines.txt", data);
    UFilePointerStream s(std::fopen("lines.txt", "rb"), true);
    long const before = BytesReadSoFar();
    if (before < 0) GTEST_SKIP() << "the system does not count the bytes read";
    std::vector<char> buf(10001);
    long got = 0;
    for (; !s.GetAtEOF() && got <= lines; ++got) s.GetLine(buf.data(), 10000);
    long const read = BytesReadSoFar() - before;
    EXPECT_EQ(got, lines);
    EXPECT_GE(read, size);
    EXPECT_LT(read, size + size / 50);
}

// Someone else cuts the file under a reader (and grows it again): the load or
// the large read that meets the new end makes the device report a size that
// the file holds, never the one from before the cut.
TEST(UFilePointerStream, ReadThatMeetsACutSeesIt)
{
    enum Op { opRead, opGiveBack, opCut, opGrow };
    struct Step {
        Op op;
        long n;
    };
    struct Case {
        char const* name;
        long initial;
        std::vector<Step> steps;  // after 1000 bytes read and the size asked
    };
    std::vector<Case> const cases = {
        {"cut inside the next load", 200000, {{opCut, 100000}, {opRead, 65000}}},
        {"cut at the end of the load, read given back",
         200000,
         {{opCut, 65536}, {opRead, 65000}, {opGiveBack, 100}}},
        {"cut, a large read past it, grown again",
         300000,
         {{opCut, 100000}, {opRead, 150000}, {opGrow, 200000}, {opRead, 10}}},
    };
    auto pattern = [](long from, long to) {
        std::string b;
        for (long k = from; k < to; ++k) b += static_cast<char>('a' + k % 26);
        return b;
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string file = pattern(0, c.initial);
        dir.Write("f.bin", file);
        UFilePointerStream s(std::fopen("f.bin", "rb"), true);
        std::vector<char> buf(static_cast<size_t>(c.initial));
        ASSERT_EQ(s.GetBuffer(buf.data(), 1000), 1000);
        ASSERT_EQ(s.GetSize(), c.initial);
        for (Step const& step : c.steps) {
            if (step.op == opRead) {
                s.GetBuffer(buf.data(), step.n);
            } else if (step.op == opGiveBack) {
                s.SetPosition(s.GetPosition() - step.n);
            } else if (step.op == opCut) {
                ASSERT_EQ(truncate("f.bin", step.n), 0);
                file.resize(static_cast<size_t>(step.n));
            } else {
                std::string const more = pattern(static_cast<long>(file.size()), step.n);
                FILE* append = std::fopen("f.bin", "ab");
                ASSERT_NE(append, nullptr);
                std::fwrite(more.data(), 1, more.size(), append);
                std::fclose(append);
                file += more;
            }
        }
        long const position = s.GetPosition();
        long const size = s.GetSize();
        EXPECT_GE(size, position);
        EXPECT_LE(size, static_cast<long>(file.size()));
        // What is left reads as the file holds it.
        long const rest = static_cast<long>(file.size()) - position;
        ASSERT_EQ(s.GetBuffer(buf.data(), static_cast<long>(buf.size())), rest);
        EXPECT_EQ(std::string(buf.data(), static_cast<size_t>(rest)),
                  file.substr(static_cast<size_t>(position)));
        EXPECT_TRUE(s.GetAtEOF());
    }
}

TEST(UFilePointerStream, LargeReadAfterTheFileGrewPastItsOldEnd)
{
    TempDir dir;
    dir.Write("g.bin", std::string(1000, 'a'));
    UFilePointerStream s(std::fopen("g.bin", "rb"), true);
    std::vector<char> buf(200000);
    EXPECT_EQ(s.GetBuffer(buf.data(), 2000), 1000);  // reaches the end
    FILE* append = std::fopen("g.bin", "ab");
    ASSERT_NE(append, nullptr);
    std::fwrite(std::string(100000, 'b').data(), 1, 100000, append);
    std::fclose(append);
    s.SetPosition(500);
    // Larger than the cache: the part beyond the cached bytes is read directly.
    EXPECT_EQ(s.GetBuffer(buf.data(), 80000), 80000);
    EXPECT_EQ(std::count(buf.begin(), buf.begin() + 500, 'a'), 500);
    EXPECT_EQ(std::count(buf.begin() + 500, buf.begin() + 80000, 'b'), 79500);
    EXPECT_EQ(s.GetPosition(), 80500);
}

TEST(UFilePointerStream, PipesAndDevicesEndEveryReaderLoop)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], "one\ntwo\n", 8), 8);
    close(fds[1]);
    {
        UFilePointerStream s(fdopen(fds[0], "rb"), true);
        // A pipe has no size: the text layer reads nothing, raw reads go on.
        EXPECT_TRUE(s.GetAtEOF());
        EXPECT_LE(ReadLines(s, 1000).size(), 1u);
        char raw[16] = {};
        EXPECT_EQ(s.GetBuffer(raw, 15), 8);
        EXPECT_STREQ(raw, "one\ntwo\n");
        EXPECT_EQ(s.GetBuffer(raw, 15), 0);
    }
    {
        UFilePointerStream s(std::fopen("/dev/null", "r+b"), true);
        EXPECT_EQ(s.GetSize(), 0);
        EXPECT_TRUE(s.GetAtEOF());
        s.PutLine("gone");
        EXPECT_LE(ReadLines(s, 1000).size(), 1u);
    }
}

TEST(UFilePointerStream, PositionFarBeyondTheEndReadsNothing)
{
    TempDir dir;
    dir.Write("f.txt", "abc\ndef\n");
    UFilePointerStream s(std::fopen("f.txt", "rb"), true);
    char buf[16];
    s.GetLine(buf, 15);
    long const far = 1L << 40;
    s.SetPosition(far);
    EXPECT_EQ(s.GetPosition(), far);
    EXPECT_TRUE(s.GetAtEOF());
    s.GetLine(buf, 15);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(s.GetBuffer(buf, 15), 0);
    EXPECT_EQ(s.GetPosition(), far);
    s.SetPosition(-1);  // refused: the position stays
    EXPECT_EQ(s.GetPosition(), far);
    s.SetPosition(4);
    s.GetLine(buf, 15);
    EXPECT_STREQ(buf, "def");
}

}  // namespace
