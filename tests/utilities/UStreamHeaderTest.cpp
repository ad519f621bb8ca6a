#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/utilities/StreamTestDevice.h"
#include "utilities/UMemoryStream.h"

namespace {

std::string const T = "Kalvex typed data";
long const L = static_cast<long>(T.size());

struct HeaderCase {
    char const* name;
    std::string data;
    long found;  // bytes of the header, 0 when it is not recognised
    bool textMode;
    bool littleEndian;
    TargetPlatform platform;
};

// Settings that no recognised header gives, so that a change shows.
void SetUnlikelySettings(UStream& s)
{
    s.SetTextMode(true);
    s.SetLittleEndian(false);
    s.SetPlatform(static_cast<TargetPlatform>(7));
    s.SetExternalLineEnd("<>");
    s.SetInternalLineEnd('#');
}

TEST(UStreamHeader, VerifyHeaderRecognisesEachLineEndAndMark)
{
    std::string const le("\2\1\0\0", 4);
    std::string const be("\1\2\0\0", 4);
    TargetPlatform const machine = UStream::MachinePlatform;
    std::vector<HeaderCase> const cases = {
        {"LF at the end", T + "\n", L + 1, true, false, tpLF},
        {"CR at the end", T + "\r", L + 1, true, false, tpCR},
        {"CR LF at the end", T + "\r\n", L + 2, true, false, machine},
        {"LF, then text", T + "\nmore", L + 1, true, false, tpLF},
        {"CR LF, then text", T + "\r\nmore", L + 2, true, false, machine},
        {"LF LF", T + "\n\n", L + 1, true, false, tpLF},
        {"CR CR", T + "\r\r", L + 1, true, false, tpCR},
        {"LF CR", T + "\n\r", 0, false, false, tpLF},
        {"LF, little-endian mark", T + "\n" + le + "x", L + 5, false, true, tpCRLF},
        {"LF, big-endian mark", T + "\n" + be, L + 5, false, false, tpLF},
        {"CR, little-endian mark", T + "\r" + le, L + 5, false, true, tpCR},
        {"CR, big-endian mark", T + "\r" + be, L + 5, false, false, tpCR},
        {"CR LF, mark", T + "\r\n" + le, 0, false, false, tpLF},
        {"CR LF, mark byte", T + "\r\n\1", 0, false, false, tpLF},
        {"mark cut short", T + "\n" + le.substr(0, 3), 0, false, false, tpLF},
        {"first mark byte only", T + "\n\2", 0, false, false, tpLF},
        {"mark not closed by zeros", T + "\n\2\1\0\1", 0, false, false, tpLF},
        {"mark of equal bytes", T + "\n\1\1\0\0", 0, false, false, tpLF},
        {"no line end", T, 0, false, false, tpLF},
        {"text cut short", T.substr(0, 5), 0, false, false, tpLF},
        {"other text", "Kalvex typed date\n", 0, false, false, tpLF},
        {"text not ended", T + "x\n", 0, false, false, tpLF},
        {"empty", "", 0, false, false, tpLF},
    };
    for (HeaderCase const& c : cases) {
        for (long prefix : {0L, 3L}) {
            SCOPED_TRACE(std::string(c.name) + (prefix ? ", after three bytes" : ""));
            UStream s(new TestDevice(std::string(static_cast<size_t>(prefix), 'z') + c.data));
            SetUnlikelySettings(s);
            s.SetPosition(prefix);
            bool const ok = s.VerifyHeader(T.c_str());
            EXPECT_EQ(ok, c.found > 0);
            if (!ok) {
                EXPECT_EQ(s.GetPosition(), prefix);
                EXPECT_TRUE(s.GetTextMode());
                EXPECT_FALSE(s.GetLittleEndian());
                EXPECT_EQ(s.GetPlatform(), 7);
                EXPECT_STREQ(s.GetExternalLineEnd(), "<>");
                EXPECT_EQ(s.GetInternalLineEnd(), '#');
                continue;
            }
            EXPECT_EQ(s.GetPosition(), prefix + c.found);
            EXPECT_EQ(s.GetTextMode(), c.textMode);
            EXPECT_EQ(s.GetLittleEndian(), c.littleEndian);
            EXPECT_EQ(s.GetPlatform(), c.platform);
        }
    }
}

TEST(UStreamHeader, VerifyHeaderWithoutDeviceIsFalse)
{
    UStream s(nullptr);
    EXPECT_FALSE(s.VerifyHeader(T.c_str()));
}

TEST(UStreamHeader, BinaryHeaderOnPlatformOneIsTextLineFeedAndMark)
{
    UMemoryStream s;
    s.SetLittleEndian(true);
    s.WriteHeader(T.c_str());
    auto const* device = static_cast<UMemoryBasicStream const*>(s.GetStream());
    EXPECT_EQ(std::string(device->GetMemoryPointer(), static_cast<size_t>(s.GetSize())),
              T + "\n" + std::string("\2\1\0\0", 4));
    s.SetPosition(0);
    EXPECT_TRUE(s.VerifyHeader(T.c_str()));
    EXPECT_EQ(s.GetPosition(), L + 5);
    EXPECT_FALSE(s.GetTextMode());
    EXPECT_TRUE(s.GetLittleEndian());
    EXPECT_EQ(s.GetPlatform(), tpCRLF);
}

// What WriteHeader writes, VerifyHeader recognises: text mode without a
// mark, binary mode with the mark of the stream's order.
TEST(UStreamHeader, WrittenHeadersAreRecognised)
{
    for (bool text : {true, false})
        for (bool little : {true, false})
            for (TargetPlatform platform : {tpCRLF, tpLF, tpCR}) {
                SCOPED_TRACE(std::to_string(text) + std::to_string(little) +
                             std::to_string(platform));
                UMemoryStream s;
                s.SetTextMode(text);
                s.SetLittleEndian(little);
                s.SetPlatform(platform);
                s.WriteHeader(T.c_str());
                s.PutDouble(1.0);
                long const end = s.GetSize() - 8;
                s.SetPosition(0);
                s.SetTextMode(!text);
                s.SetLittleEndian(!little);
                ASSERT_TRUE(s.VerifyHeader(T.c_str()));
                EXPECT_EQ(s.GetPosition(), end);
                EXPECT_EQ(s.GetTextMode(), text);
                if (!text) {
                    EXPECT_EQ(s.GetLittleEndian(), little);
                    EXPECT_EQ(s.GetDouble(), 1.0);
                }
            }
}

// The prefix goes before every header text, written and looked for.
TEST(UStreamHeader, PrefixStandsBeforeEveryText)
{
    std::strcpy(UStream::Header, "KX/");
    UMemoryStream s;
    s.SetTextMode(true);
    s.WriteHeader("data");
    s.SetPosition(0);
    char line[16] = {};
    s.GetLine(line, 15);
    EXPECT_STREQ(line, "KX/data");
    s.SetPosition(0);
    EXPECT_TRUE(s.VerifyHeader("data"));
    s.SetPosition(0);
    EXPECT_FALSE(s.VerifyHeader("KX/data"));
    UStream::Header[0] = 0;
}

// A text far longer than a kilobyte is read whole.
TEST(UStreamHeader, LongHeaderTextIsCompared)
{
    std::string const longText(3000, 'h');
    UMemoryStream s;
    s.WriteHeader(longText.c_str());
    s.SetPosition(0);
    EXPECT_TRUE(s.VerifyHeader(longText.c_str()));
    s.SetPosition(0);
    EXPECT_FALSE(s.VerifyHeader((longText.substr(0, 2999) + "x").c_str()));
}

}  // namespace
