#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStream.h"

namespace {

TEST(VersionDifference, ComparesComponentByComponent)
{
    const struct {
        const char* a;
        const char* b;
        long difference;
    } cases[] = {{"1.10", "1.9", 1},    {"2", "2.0", 0},        {"1.2", "1", 2},
                 {"1.2.3", "1.2.3", 0}, {"1.2.3", "1.2.5", -2}, {"3", "1.9", 2},
                 {"", "", 0},           {"", "0.0.1", -1},      {" 4.-1", "4.1", -2},
                 {"1.x", "1.0", 0},     {"1.7b", "1.7", 0},     {"1..2", "1.0.2", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(VersionDifference(c.a, c.b), c.difference) << c.a << " vs " << c.b;
}

std::string Converted(char* (*convert)(char const*, char*), const std::string& src)
{
    std::vector<char> dst(2 * src.size() + 1, '#');
    EXPECT_EQ(convert(src.c_str(), dst.data()), dst.data());
    return dst.data();
}

TEST(LineEnds, EveryLineEndBecomesOneCRLF)
{
    const struct {
        const char* src;
        const char* dst;
    } cases[] = {{"a\nb\r\nc\n\n", "a\r\nb\r\nc\r\n\r\n"},
                 {"a\rb\n\rc", "a\r\nb\r\nc"},
                 {"\r\r", "\r\n\r\n"},
                 {"\n\r\n\r", "\r\n\r\n"},
                 {"\r\n\r\n", "\r\n\r\n"},
                 {"\n", "\r\n"},
                 {"plain", "plain"},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(Converted(MakeCRLF, c.src), c.dst) << c.src;
}

TEST(LineEnds, SingleCharacterLineEnds)
{
    EXPECT_EQ(Converted(MakeLFOnly, "a\r\nb"), "a\nb");
    EXPECT_EQ(Converted(MakeLFOnly, "\r\r\n\n"), "\n\n");
    EXPECT_EQ(Converted(MakeCROnly, "a\r\nb"), "a\rb");
    EXPECT_EQ(Converted(MakeCROnly, "\n\r\n\r"), "\r\r");
    EXPECT_EQ(Converted(MakeLFOnly, ""), "");
}

TEST(Console, BeepRingsTheBellOnStandardError)
{
    ChildResult r = RunInChild([] { Beep(); });
    EXPECT_EQ(r.err, "\a");
    EXPECT_EQ(r.out, "");
}

TEST(Console, WarningWaitsForOneKey)
{
    ChildResult r = RunInChild([] { std::printf("[%d]", ShowWarning("disk nearly full")); }, "xy");
    EXPECT_EQ(r.err, "Warning: disk nearly full\nPress any key to continue\n");
    EXPECT_EQ(r.out, "[" + std::to_string('x') + "]");

    ChildResult atEnd = RunInChild([] { std::printf("[%d]", ShowWarning("w")); });
    EXPECT_EQ(atEnd.out, "[" + std::to_string(EOF) + "]");
}

TEST(Console, QueryConfirmsOnlyWithY)
{
    const struct {
        const char* input;
        bool confirmed;
    } cases[] = {{"Y", true}, {"y\n", true}, {"n", false}, {"\ny", false}, {"", false}};
    for (const auto& c : cases) {
        ChildResult r =
            RunInChild([] { std::printf("%d", ShowQuery("overwrite?") ? 1 : 0); }, c.input);
        EXPECT_EQ(r.err, "Query: overwrite?\nEnter \"y\" to confirm, any other key to cancel\n");
        EXPECT_EQ(r.out, c.confirmed ? "1" : "0") << '"' << c.input << '"';
    }
}

}  // namespace

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "unterminated last line";
    return lines;
}

std::string Listing(const char* path)
{
    FILE* f = std::tmpfile();
    {
        UFilePointerStream out(f, false);
        EnumDirContents(path, &out);
    }
    std::string text;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;) text += char(c);
    std::fclose(f);
    return text;
}

TEST(EnumDirContents, ListsEveryEntryOnItsOwnLine)
{
    TempDir dir;
    dir.Write("coord", "$coord\n");
    dir.Write("basis file", "");
    std::filesystem::create_directory("sub");
    std::vector<std::string> names = Lines(Listing(dir.Path().c_str()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "basis file", "coord", "sub"}));
}

TEST(EnumDirContents, UnopenableDirectoryWritesNothing)
{
    TempDir dir;
    EXPECT_EQ(Listing("no such directory"), "");
    dir.Write("plain", "not a directory");
    EXPECT_EQ(Listing(dir.File("plain").c_str()), "");
}

}  // namespace
