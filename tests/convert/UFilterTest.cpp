// The line-record base: records, keyword lookups, fixed-column fields.
#include <gtest/gtest.h>

#include <string>

#include "convert/UFilter.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"

namespace {

const char* keywords[] = {"$end", "$closed", "$coord", ""};

TEST(UFilter, RecordsExpandTabsAndEndWith25001)
{
    RegisterMessages();
    TextStream text("a\tb\nlast");
    UFilter filter(text.Get(), true);
    char buf[64];
    filter.GetRecord(buf, 63);
    EXPECT_STREQ("a b", buf);
    filter.GetRecord(buf, 63);
    EXPECT_STREQ("last", buf);
    std::string message;
    EXPECT_EQ(cmUnexpectedEof, RaisedCode([&] { filter.GetRecord(buf, 63); }, &message));
    EXPECT_EQ(0u, message.find("Unexpected EOF encountered.\nError in file UFilter line "));
    EXPECT_STREQ("", buf);
}

TEST(UFilter, LongLineComesInPiecesAlwaysTerminated)
{
    TextStream text(std::string(10, 'x') + "\n");
    UFilter filter(text.Get(), true);
    char buf[5];
    buf[4] = '#';
    filter.GetRecord(buf, 4);
    EXPECT_STREQ("xxxx", buf);
    filter.GetRecord(buf, 4);
    EXPECT_STREQ("xxxx", buf);
    filter.GetRecord(buf, 4);
    EXPECT_STREQ("xx", buf);
}

TEST(UFilter, KeywordLookups)
{
    UFilter strict(nullptr, true);
    EXPECT_EQ(1, strict.GetNamedStart("$closed shells", keywords));
    EXPECT_EQ(-1, strict.GetNamedValue("$closed shells", keywords));
    EXPECT_EQ(1, strict.GetNamedValue("$closed", keywords));
    EXPECT_EQ(-1, strict.GetNamedStart("", keywords));
    EXPECT_EQ(-1, strict.GetNamedStart("$END", keywords));
    UFilter loose(nullptr, false);
    EXPECT_EQ(0, loose.GetNamedStart("$END", keywords));
    EXPECT_EQ(0, loose.GetNamedValue("$END", keywords));
    EXPECT_TRUE(loose.MatchesFull("  $END ", "$end"));
    EXPECT_TRUE(loose.Matches("  $END of it", "$end"));
    EXPECT_TRUE(loose.MatchesFromStart("$END", "$end"));
    EXPECT_FALSE(loose.MemCmp("$END", "$end", 4));
    EXPECT_FALSE(loose.StrCmp("$END", "$end"));
    EXPECT_TRUE(strict.MemCmp("$END", "$end", 4));
    EXPECT_TRUE(strict.StrCmp("$END", "$end"));
    EXPECT_FALSE(strict.MatchesFromStart("$END", "$end"));
}

TEST(UFilter, Matching)
{
    UFilter filter(nullptr, true);
    const char* heading = "actual cartesian coordinates";
    EXPECT_TRUE(filter.MatchesFull("   actual cartesian coordinates  ", heading));
    EXPECT_FALSE(filter.MatchesFull(" actual cartesian coordinates and more", heading));
    EXPECT_TRUE(filter.Matches(" actual cartesian coordinates and more", heading));
    EXPECT_FALSE(filter.Matches(" actual", heading));
    EXPECT_TRUE(filter.MatchesFromStart("#@2 b", "#@2"));
    EXPECT_FALSE(filter.MatchesFromStart(" #@2 b", "#@2"));
    EXPECT_FALSE(filter.MatchesFromStart("#@", "#@2"));
    char line[] = "#@2 b";
    filter.RemoveStart(line, "#@2");
    EXPECT_STREQ(" b", line);
}

TEST(UFilter, FieldsAndExponentLetters)
{
    UFilter filter(nullptr, true);
    char s[] = "-0.1234D+02 dfgDFGeE";
    filter.AdjustExpChars(s);
    EXPECT_STREQ("-0.1234e+02 eeeeeeee", s);
    EXPECT_DOUBLE_EQ(0.0015, filter.GetDoubleField("  1.5D-3  ", 0, 10));
    EXPECT_EQ(-1.0, filter.GetDoubleField("          ", 0, 10));
    EXPECT_EQ(-1.0, filter.GetDoubleField("abc", 0, 3));
    EXPECT_EQ(42, filter.GetIntField("xx 42", 2, 3));
    EXPECT_EQ(-1, filter.GetIntField("xx 42", 5, 3));
    EXPECT_FALSE(filter.TestField("abc", 3, 2));
    EXPECT_FALSE(filter.TestField("abc    ", 3, 2));
    EXPECT_TRUE(filter.TestField("abc  d", 3, 3));
    char out[8];
    filter.GetField("abcdef", 4, 5, out);
    EXPECT_STREQ("ef", out);
    filter.GetField("abc", 3, 5, out);
    EXPECT_STREQ("", out);
}

TEST(UFilter, SkeletonAndMergeRecords)
{
    TextStream text("#@1 a\n#@2 b\nc\n#@BASIS x\n");
    UFilter filter(text.Get(), true);
    char buf[64];
    filter.GetMergeRecord(buf, 63, fmFile2);
    EXPECT_STREQ(" b", buf);
    filter.GetMergeRecord(buf, 63, fmFile2);
    EXPECT_STREQ("c", buf);
    EXPECT_EQ(5, filter.GetSkeletonRecord(buf, 63));
    EXPECT_STREQ("#@BASIS x", buf);

    TextStream tail("#@1 a\n");
    UFilter other(tail.Get(), true);
    other.GetMergeRecord(buf, 63, fmFile2);
    EXPECT_STREQ("", buf);
}

TEST(UFilter, PutRecordWritesOneLine)
{
    TextStream text;
    UFilter filter(text.Get(), true);
    filter.PutRecord("abc");
    EXPECT_EQ("abc\n", text.Contents());
}

}  // namespace
