#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/utilities/StreamTestDevice.h"
#include "utilities/UStream.h"

namespace {

std::string const CR = "\r";
std::string const LF = "\n";
std::string const NUL(1, '\0');

// Reads lines with GetLine(buf, n) until the stream reports its end; each
// line is the whole n-byte buffer cut at its first NUL.
std::vector<std::string> ReadLines(UStream& s, long n, int limit = 100000)
{
    std::vector<std::string> lines;
    std::vector<char> buf(static_cast<size_t>(n));
    while (!s.GetAtEOF() && limit-- > 0) {
        s.GetLine(buf.data(), n);
        lines.emplace_back(buf.data(), strnlen(buf.data(), static_cast<size_t>(n)));
    }
    return lines;
}

// The text mode first: the platform then sets the line ends from it.
void Configure(UStream& s, StrictMode mode, TargetPlatform platform, bool textMode)
{
    s.SetTextMode(textMode);
    s.SetPlatform(platform);
    s.SetTranslateMode(mode);
}

struct LineCase {
    char const* name;
    std::string data;
    StrictMode mode;
    TargetPlatform platform;
    bool textMode;
    long n;
    std::vector<std::string> lines;
};

TEST(UStreamGetLine, SplitsLinesByModeAndPlatform)
{
    std::vector<LineCase> const cases = {
        {"lenient mixed",
         "a" + CR + LF + "b" + CR + "c" + LF + LF + "d",
         smLenient,
         tpLF,
         false,
         100,
         {"a", "b", "c", "", "d"}},
        {"lenient LF CR is one", "a" + LF + CR + "b", smLenient, tpLF, false, 100, {"a", "b"}},
        {"lenient CR CR is two", "a" + CR + CR + "b", smLenient, tpLF, false, 100, {"a", "", "b"}},
        {"lenient trailing end", "a" + LF, smLenient, tpLF, false, 100, {"a"}},
        {"lenient NUL is data",
         "a" + NUL + "b" + LF + "c",
         smLenient,
         tpLF,
         false,
         100,
         {"a", "c"}},
        {"collapse runs",
         "a" + CR + LF + CR + LF + LF + "b",
         smCollapse,
         tpLF,
         false,
         100,
         {"a", "b"}},
        {"collapse leading run", LF + LF + "x", smCollapse, tpLF, false, 100, {"", "x"}},
        {"strict CRLF", "a" + LF + "b" + CR + LF + "c", smStrict, tpCRLF, true, 100, {"a\nb", "c"}},
        {"strict CRLF tail CR",
         "a" + CR + LF + "b" + CR,
         smStrict,
         tpCRLF,
         true,
         100,
         {"a", "b\r"}},
        {"strict LF untranslated",
         "a" + CR + "b" + LF + "c",
         smStrict,
         tpLF,
         false,
         100,
         {"a\rb", "c"}},
        {"strict CR platform",
         "a" + LF + "b" + CR + "c",
         smStrict,
         tpCR,
         false,
         100,
         {"a\nb", "c"}},
        {"long line split", "abcdef" + LF, smLenient, tpLF, false, 4, {"abcd", "ef"}},
        {"exact length line", "abcd" + LF + "x", smLenient, tpLF, false, 4, {"abcd", "", "x"}},
        {"exact length untranslated",
         "abcd" + LF + "x",
         smStrict,
         tpLF,
         false,
         4,
         {"abcd", "", "x"}},
        {"one short of length", "abc" + LF + "x", smLenient, tpLF, false, 4, {"abc", "x"}},
    };
    for (LineCase const& c : cases) {
        SCOPED_TRACE(c.name);
        UStream s(new TestDevice(c.data));
        Configure(s, c.mode, c.platform, c.textMode);
        EXPECT_EQ(ReadLines(s, c.n), c.lines);
        EXPECT_TRUE(s.GetAtEOF());
    }
}

TEST(UStreamGetLine, LongLineFillsBufferWithoutTerminator)
{
    UStream s(new TestDevice("abcdef\n"));
    char buf[5] = {'#', '#', '#', '#', '#'};
    s.GetLine(buf, 4);
    EXPECT_EQ(std::string(buf, 5), "abcd#");
    EXPECT_EQ(s.GetPosition(), 4);
    s.GetLine(buf, 4);
    EXPECT_STREQ(buf, "ef");
    EXPECT_EQ(s.GetPosition(), 7);
}

TEST(UStreamGetLine, EndOfDataGivesEmptyLine)
{
    UStream s(new TestDevice("x"));
    char buf[8];
    s.GetLine(buf, 8);
    EXPECT_STREQ(buf, "x");
    EXPECT_TRUE(s.GetAtEOF());
    std::memset(buf, '#', sizeof buf);
    s.GetLine(buf, 8);
    EXPECT_STREQ(buf, "");
}

TEST(UStreamGetLine, PairSplitAtChunkBoundaryIsOneLineEnd)
{
    for (std::string const& pair : {CR + LF, LF + CR}) {
        std::string const data = std::string(10239, 'a') + pair + "b";
        ASSERT_EQ(data.substr(10239, 1), pair.substr(0, 1));
        UStream s(new TestDevice(data));
        std::vector<std::string> const lines = ReadLines(s, 20000);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], std::string(10239, 'a'));
        EXPECT_EQ(lines[1], "b");
    }
    // Strict: the two bytes of the external line end across the boundary.
    UStream s(new TestDevice(std::string(10239, 'a') + CR + LF + "b"));
    Configure(s, smStrict, tpCRLF, true);
    std::vector<std::string> const lines = ReadLines(s, 20000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "b");
}

TEST(UStreamGetLine, CollapseRunAcrossChunkBoundaryIsOneLineEnd)
{
    UStream s(new TestDevice(std::string(10238, 'a') + CR + LF + LF + CR + "b"));
    s.SetTranslateMode(smCollapse);
    std::vector<std::string> const lines = ReadLines(s, 20000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "b");
}

TEST(UStreamGetLine, EmptyStrictLineEndNeverMatches)
{
    UStream s(new TestDevice("ab\ncd"));
    s.SetTranslateMode(smStrict);
    s.SetExternalLineEnd("");
    std::vector<std::string> const want = {"ab\ncd"};
    EXPECT_EQ(ReadLines(s, 100), want);
}

TEST(UStreamTextInput, GetStringStopsAfterNul)
{
    UStream s(new TestDevice("ab" + NUL + "cd"));
    char buf[10];
    s.GetString(buf, 10);
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(s.GetPosition(), 3);
    EXPECT_EQ(s.GetChar(), 'c');
}

TEST(UStreamTextInput, GetTextTranslatesLineEnds)
{
    UStream s(new TestDevice("a" + CR + LF + "b" + CR + "c"));
    char buf[6];
    s.GetText(buf, 5);
    EXPECT_EQ(std::string(buf, 5), "a\nb\nc");
    EXPECT_TRUE(s.GetAtEOF());
    EXPECT_EQ(s.GetChar(), '\0');
}

TEST(UStreamTextInput, UntranslatedGetStringGivesBackTheRest)
{
    UStream s(new TestDevice("ab" + NUL + "cd"));
    s.SetTranslateMode(smStrict);
    char buf[10];
    s.GetString(buf, 10);
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(s.GetPosition(), 3);
}

// What GetTranslatedBuffer must produce, one byte at a time.
struct Expected {
    std::string bytes;
    long position;
};

Expected SplitByBytes(std::string const& data, long p, StrictMode mode, StopFlag stop, long n,
                      std::string const& ext, char internal)
{
    auto isEnd = [](char c) { return c == '\r' || c == '\n'; };
    char const stored = stop == sfLineEnd ? '\0' : internal;
    long const size = static_cast<long>(data.size());
    long const L = static_cast<long>(ext.size());
    std::string out;
    bool inRun = false;
    while (p < size) {
        char const c = data[p];
        if (inRun) {
            if (isEnd(c)) {
                ++p;
                continue;
            }
            if (stop == sfLineEnd) break;
            inRun = false;
        }
        if (static_cast<long>(out.size()) >= n) break;
        if (mode == smStrict) {
            if (L > 0 && data.compare(p, L, ext) == 0) {
                out += stored;
                p += L;
                if (stop == sfLineEnd) break;
                continue;
            }
        } else if (isEnd(c)) {
            out += stored;
            ++p;
            if (mode == smCollapse) {
                inRun = true;
                continue;
            }
            if (p < size && isEnd(data[p]) && data[p] != c) ++p;
            if (stop == sfLineEnd) break;
            continue;
        }
        out += c;
        ++p;
        if (c == '\0' && stop == sfNul) break;
    }
    return {out, p};
}

std::string RandomText(std::mt19937& rng, size_t size)
{
    // Mostly short lines with clustered line ends and some NUL bytes.
    static char const alphabet[] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', '\r', '\n', '\0'};
    std::discrete_distribution<int> pick({12, 12, 12, 12, 12, 12, 12, 4, 4, 1});
    std::string s(size, ' ');
    for (char& c : s) c = alphabet[pick(rng)];
    return s;
}

struct Setting {
    char const* name;
    StrictMode mode;
    TargetPlatform platform;
    bool textMode;
};

TEST(UStreamTextInput, AgreesWithByteSplitterOnRandomData)
{
    std::vector<Setting> const settings = {
        {"lenient", smLenient, tpLF, false},     {"collapse", smCollapse, tpLF, false},
        {"strict CRLF", smStrict, tpCRLF, true}, {"strict LF", smStrict, tpLF, false},
        {"strict CR", smStrict, tpCR, false},
    };
    std::mt19937 rng(20260);
    std::string const data = RandomText(rng, 3 * 10240 + 517);
    // Whole reads, and a device that hands out odd pieces of a chunk.
    for (long maxRead : {1L << 30, 509L})
        for (Setting const& setting : settings) {
            for (StopFlag stop : {sfNone, sfLineEnd, sfNul}) {
                for (long n : {1L, 3L, 64L, 10239L, 10240L, 10241L, 25000L}) {
                    SCOPED_TRACE(std::string(setting.name) + " stop " + std::to_string(stop) +
                                 " n " + std::to_string(n) + " reads of " +
                                 std::to_string(maxRead));
                    auto* device = new TestDevice(data);
                    device->maxRead = maxRead;
                    UStream s(device);
                    Configure(s, setting.mode, setting.platform, setting.textMode);
                    std::vector<char> buf(static_cast<size_t>(n));
                    long p = 0;
                    int calls = 0;
                    while (p < static_cast<long>(data.size()) && calls++ < 100000) {
                        Expected const want =
                            SplitByBytes(data, p, setting.mode, stop, n, s.GetExternalLineEnd(),
                                         s.GetInternalLineEnd());
                        std::fill(buf.begin(), buf.end(), '\0');
                        s.GetTranslatedBuffer(buf.data(), n, stop);
                        std::string expected = want.bytes;
                        expected.resize(static_cast<size_t>(n), '\0');
                        ASSERT_EQ(std::string(buf.data(), buf.size()), expected) << "at " << p;
                        ASSERT_EQ(s.GetPosition(), want.position) << "at " << p;
                        p = want.position;
                    }
                    EXPECT_TRUE(s.GetAtEOF());
                }
            }
        }
}

TEST(UStreamShortRead, ScansOnlyWhatWasDelivered)
{
    // The size claims far more than the data: as when the file shrinks
    // between the size query and the read.
    auto* device = new TestDevice("abc\ndef\n");
    device->claimedExtra = 50000;
    UStream s(device);
    char buf[100];
    s.GetLine(buf, 100);
    EXPECT_STREQ(buf, "abc");
    s.GetLine(buf, 100);
    EXPECT_STREQ(buf, "def");
    EXPECT_FALSE(s.GetAtEOF());
    std::memset(buf, '#', sizeof buf);
    s.GetLine(buf, 100);
    EXPECT_STREQ(buf, "");
    EXPECT_TRUE(s.GetAtEOF());  // the read of nothing ended the input
    EXPECT_EQ(s.GetPosition(), 8);
}

TEST(UStreamShortRead, PiecemealReadsDeliverEveryByte)
{
    for (StrictMode mode : {smLenient, smCollapse, smStrict}) {
        auto* device = new TestDevice("line one\nsecond\nx");
        device->maxRead = 3;
        UStream s(device);
        s.SetTranslateMode(mode);
        std::vector<std::string> const want = {"line one", "second", "x"};
        EXPECT_EQ(ReadLines(s, 100), want) << "mode " << mode;
    }
}

// A device that hands out a few bytes per read must not split a line end.
TEST(UStreamShortRead, PairSplitByAShortReadIsOneLineEnd)
{
    struct Case {
        char const* name;
        StrictMode mode;
        TargetPlatform platform;
        bool textMode;
        std::string data;
        std::vector<std::string> lines;
    };
    std::vector<Case> const cases = {
        {"lenient CR LF", smLenient, tpLF, false, "ab" + CR + LF + "cd", {"ab", "cd"}},
        {"lenient LF CR", smLenient, tpLF, false, "ab" + LF + CR + "cd", {"ab", "cd"}},
        {"strict CR LF", smStrict, tpCRLF, true, "ab" + CR + LF + "cd", {"ab", "cd"}},
        {"strict tail CR", smStrict, tpCRLF, true, "ab" + CR + LF + "c" + CR, {"ab", "c\r"}},
    };
    for (Case const& c : cases)
        for (long maxRead : {1L, 2L, 3L}) {
            SCOPED_TRACE(std::string(c.name) + " reads of " + std::to_string(maxRead));
            auto* device = new TestDevice(c.data);
            device->maxRead = maxRead;
            UStream s(device);
            Configure(s, c.mode, c.platform, c.textMode);
            EXPECT_EQ(ReadLines(s, 100), c.lines);
        }
}

TEST(UStreamShortRead, FailingDeviceEndsEveryReaderLoop)
{
    for (StrictMode mode : {smLenient, smCollapse, smStrict}) {
        auto* device = new TestDevice(std::string(100, 'a'));
        device->failReads = true;
        UStream s(device);
        s.SetTranslateMode(mode);
        EXPECT_FALSE(s.GetAtEOF());
        char buf[16];
        std::memset(buf, '#', sizeof buf);
        s.GetLine(buf, 16);
        EXPECT_STREQ(buf, "");
        EXPECT_TRUE(s.GetAtEOF()) << "mode " << mode;
        EXPECT_LT(device->reads, 3);
        // Seeking starts afresh.
        device->failReads = false;
        s.SetPosition(98);
        EXPECT_FALSE(s.GetAtEOF());
        s.GetLine(buf, 16);
        EXPECT_STREQ(buf, "aa");
    }
}

}  // namespace
