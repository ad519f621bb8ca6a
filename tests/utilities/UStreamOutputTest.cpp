#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/utilities/RegisterUtilities.h"
#include "tests/utilities/StreamTestDevice.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"

namespace {

// Runs body, which must raise; returns the code and the message text up to
// the file name (the line number is not pinned).
std::pair<int, std::string> Raised(std::function<void()> const& body)
{
    RegisterUtilities();
    try {
        body();
    } catch (CustomException const& e) {
        std::string text = e.Text;
        return {e.Code, text.substr(0, text.rfind(" line "))};
    }
    return {0, "nothing raised"};
}

struct PlatformCase {
    TargetPlatform platform;
    bool textMode;
    std::string line;  // PutLine("x")
    std::string text;  // PutText("a\nb\rc")
};

TEST(UStreamOutput, LineEndsFollowPlatformAndMode)
{
    std::vector<PlatformCase> const cases = {
        {tpCRLF, true, "x\r\n", "a\r\nb\rc"},
        {tpCRLF, false, "x\n", "a\nb\rc"},
        {tpLF, true, "x\n", "a\nb\rc"},
        {tpCR, false, "x\n", "a\nb\rc"},
    };
    for (PlatformCase const& c : cases) {
        SCOPED_TRACE(std::to_string(c.platform) + (c.textMode ? " text" : " binary"));
        auto* device = new TestDevice;
        UStream s(device);
        s.SetTextMode(c.textMode);
        s.SetPlatform(c.platform);
        s.PutLine("x");
        EXPECT_EQ(device->data, c.line);
        device->data.clear();
        device->position = 0;
        s.PutText("a\nb\rc");
        EXPECT_EQ(device->data, c.text);
    }
}

TEST(UStreamOutput, ForeignLineEndIsWrittenInPlaceOfEachInternalOne)
{
    auto* device = new TestDevice;
    UStream s(device);
    s.SetExternalLineEnd("<EOL>");
    s.PutLine("a\nb", -1);
    s.PutText("cdef", 2);
    s.puts("z\n");
    EXPECT_EQ(device->data, "a<EOL>b<EOL>cdz<EOL>");
}

TEST(UStreamOutput, CharsAndStrings)
{
    auto* device = new TestDevice;
    UStream s(device);
    s.SetTextMode(true);
    s.SetPlatform(tpCRLF);
    s.PutChar('\0');
    EXPECT_EQ(device->data, "");
    s.PutChar('\n');
    s.PutString("ab");
    s.PutString("c\nd", 2);
    EXPECT_EQ(device->data, std::string("\r\nab\0c\r\n\0", 9));
}

TEST(UStreamOutput, LongTranslatedTextGoesOutInChunks)
{
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i) + "\n";
    std::string expected;
    for (char c : text) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    auto* device = new TestDevice;
    UStream s(device);
    s.SetTextMode(true);
    s.SetPlatform(tpCRLF);
    s.PutText(text.c_str());
    EXPECT_EQ(device->data, expected);
    EXPECT_GT(device->writes.size(), 1u);
    for (long w : device->writes) EXPECT_LE(w, 10240);
}

TEST(UStreamOutput, PrintfFormatsBelowTheLimit)
{
    auto* device = new TestDevice;
    UStream s(device);
    s.SetTextMode(true);
    s.SetPlatform(tpCRLF);
    s.printf("%5.2f|%ld|%s\n", 3.14159, 1234567890123L, "x");
    EXPECT_EQ(device->data, " 3.14|1234567890123|x\r\n");
}

TEST(UStreamOutput, PrintfOfTenThousandTwoHundredFortyCharactersRaises)
{
    auto* device = new TestDevice;
    UStream s(device);
    std::string const longest(10239, 'q');
    s.printf("%s", longest.c_str());
    EXPECT_EQ(device->data, longest);
    device->data.clear();
    device->position = 0;

    std::string const tooLong(10240, 'q');
    auto const raised = Raised([&] { s.printf("%s", tooLong.c_str()); });
    EXPECT_EQ(raised.first, umIndexOutOfRange);
    EXPECT_EQ(raised.second, "Index out of range.\nError in file UStream");
    auto const raisedByWidth = Raised([&] { s.printf("%20000d", 1); });
    EXPECT_EQ(raisedByWidth.first, umIndexOutOfRange);
    EXPECT_EQ(device->data, "");
}

TEST(UStreamSettings, DefaultLineEndsPerPlatform)
{
    UStream s(nullptr);
    EXPECT_TRUE(s.GetLittleEndian());
    EXPECT_FALSE(s.GetTextMode());
    EXPECT_EQ(s.GetTranslateMode(), smLenient);
    EXPECT_EQ(s.GetPlatform(), tpLF);
    EXPECT_STREQ(s.GetExternalLineEnd(), "\n");
    EXPECT_FALSE(s.GetNeedTextTranslateOnOutput());
    EXPECT_TRUE(s.GetNeedTextTranslateOnInput());

    s.SetPlatform(tpCRLF);
    EXPECT_STREQ(s.GetExternalLineEnd(), "\n");
    s.SetTextMode(true);
    EXPECT_STREQ(s.GetExternalLineEnd(), "\r\n");
    EXPECT_EQ(s.GetInternalLineEnd(), '\n');
    EXPECT_TRUE(s.GetNeedTextTranslateOnOutput());

    s.SetPlatform(tpCR);
    EXPECT_STREQ(s.GetExternalLineEnd(), "\r");
    EXPECT_EQ(s.GetInternalLineEnd(), '\r');
    s.SetTranslateMode(smStrict);
    EXPECT_FALSE(s.GetNeedTextTranslateOnInput());

    // Other platforms keep whatever line ends were set.
    s.SetExternalLineEnd("0123456789ABC");
    EXPECT_STREQ(s.GetExternalLineEnd(), "012345678");
    s.SetInternalLineEnd('#');
    s.SetPlatform(static_cast<TargetPlatform>(7));
    EXPECT_STREQ(s.GetExternalLineEnd(), "012345678");
    EXPECT_EQ(s.GetInternalLineEnd(), '#');
    s.SetPlatform(tpLF);
    EXPECT_STREQ(s.GetExternalLineEnd(), "\n");

    UStream copy(nullptr);
    s.SetLittleEndian(false);
    s.SetExternalLineEnd("ab");
    copy.CopyFileParams(s);
    EXPECT_FALSE(copy.GetLittleEndian());
    EXPECT_EQ(copy.GetTranslateMode(), smStrict);
    EXPECT_STREQ(copy.GetExternalLineEnd(), "ab");
}

TEST(UStreamDevice, EveryDeviceOperationWithoutDeviceRaises)
{
    UStream s(nullptr);
    EXPECT_FALSE(s.GetIsOpen());
    char buf[8] = {};
    std::vector<std::pair<char const*, std::function<void()>>> const operations = {
        {"GetPosition", [&] { s.GetPosition(); }},   {"SetPosition", [&] { s.SetPosition(0); }},
        {"GetSize", [&] { s.GetSize(); }},           {"SetSize", [&] { s.SetSize(0); }},
        {"GetAtEOF", [&] { s.GetAtEOF(); }},         {"PutBuffer", [&] { s.PutBuffer("a", 1); }},
        {"GetBuffer", [&] { s.GetBuffer(buf, 1); }}, {"PutLine", [&] { s.PutLine("a"); }},
        {"GetLine", [&] { s.GetLine(buf, 8); }},     {"printf", [&] { s.printf("%d", 1); }},
    };
    for (auto const& op : operations) {
        auto const raised = Raised(op.second);
        EXPECT_EQ(raised.first, umStreamNotInitialized) << op.first;
        EXPECT_EQ(raised.second, "UStream: Stream not intialized.\nError in file UStream")
            << op.first;
    }
}

TEST(UStreamDevice, AttachDeletesTheOldDeviceAndDetachHandsItOver)
{
    int destroyed = 0;
    {
        UStream s(new TestDevice("a", &destroyed));
        s.Attach(new TestDevice("b", &destroyed));
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(s.GetChar(), 'b');
        UBasicStream* device = s.Detach();
        EXPECT_FALSE(s.GetIsOpen());
        EXPECT_EQ(destroyed, 1);
        s.Attach(device);
        s.Attach(device);  // the same device again stays attached
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(s.GetPosition(), 1);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(UStreamDevice, SetSizePullsThePositionBack)
{
    auto* device = new TestDevice("0123456789");
    UStream s(device);
    s.SetPosition(8);
    s.SetSize(3);
    EXPECT_EQ(s.GetSize(), 3);
    EXPECT_EQ(s.GetPosition(), 3);
    EXPECT_TRUE(s.GetAtEOF());
    s.SetPosition(1);
    s.SetSize(2);
    EXPECT_EQ(s.GetPosition(), 1);
}

}  // namespace
