// Turbomole records: headers and data lines, index lists.
#include <gtest/gtest.h>

#include <string>

#include "convert/UTurbo.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"

namespace {

TEST(UTurboRecords, HeadersDataAndSections)
{
    TextStream text("  $coord\n$coordinates  \n$COORD\n\n$closed shells\n$user-defined bonds\n");
    UTurboFilter filter(text.Get());
    EXPECT_EQ(-1, filter.GetRecordType());
    EXPECT_EQ(-1, filter.GetSectionType());
    char buf[2048];
    EXPECT_EQ(0, filter.GetRecord(buf, sizeof buf));
    EXPECT_STREQ("  $coord", buf);
    EXPECT_EQ(-1, filter.GetSectionType());
    EXPECT_EQ(1, filter.GetRecord(buf, sizeof buf));
    EXPECT_STREQ("$coordinates", buf);
    EXPECT_EQ(tfsCoord, filter.GetSectionType());
    EXPECT_EQ(1, filter.GetRecord(buf, sizeof buf));
    EXPECT_EQ(-2, filter.GetSectionType());
    // The empty line is skipped.
    EXPECT_EQ(1, filter.GetRecord(buf, sizeof buf));
    EXPECT_EQ(tfsClosed, filter.GetSectionType());
    EXPECT_EQ(1, filter.GetRecord(nullptr, 0));
    EXPECT_EQ(-2, filter.GetSectionType());
}

TEST(UTurboRecords, EmptyLinesAreRecordsWhenAsked)
{
    TextStream text("a\n\nb\n");
    UTurboFilter filter(text.Get());
    filter.SetSkipEmptyLines(false);
    char buf[16];
    filter.GetRecord(buf, sizeof buf);
    EXPECT_EQ(0, filter.GetRecord(buf, sizeof buf));
    EXPECT_STREQ("", buf);
}

TEST(UTurboRecords, CopiesNeverExceedTheGivenBuffer)
{
    TextStream text(std::string(5000, 'y') + "\n$end\n");
    UTurboFilter filter(text.Get());
    char small[8];
    char guard[8] = "guard";
    filter.GetRecord(small, sizeof small);
    EXPECT_STREQ("yyyyyyy", small);
    EXPECT_STREQ("guard", guard);
    char whole[2048];
    filter.GetRecordText(whole, sizeof whole);
    EXPECT_EQ(std::string(2047, 'y'), whole);
    filter.GetRecordText(small, 4);
    EXPECT_STREQ("yyy", small);
    // The rest of the 5000 characters comes as two more records.
    filter.GetRecord(whole, sizeof whole);
    EXPECT_EQ(std::string(2047, 'y'), whole);
    filter.GetRecord(whole, sizeof whole);
    EXPECT_EQ(std::string(5000 - 2 * 2047, 'y'), whole);
    EXPECT_EQ(1, filter.GetRecord(whole, sizeof whole));
}

// '#' in the first column is a comment wherever an empty line is skipped;
// after blanks it is data, and without skipping every line is a record.
TEST(UTurboRecords, CommentLinesGoWhereEmptyLinesGo)
{
    const char* lines =
        "# revision header\n#\n$coord\n# between\n\n  # after blanks\n#$end\n$end\n";
    TextStream text(lines);
    UTurboFilter filter(text.Get());
    char buf[2048];
    EXPECT_EQ(1, filter.GetRecord(buf, sizeof buf));
    EXPECT_EQ(tfsCoord, filter.GetSectionType());
    EXPECT_EQ(0, filter.GetRecord(buf, sizeof buf));
    EXPECT_STREQ("  # after blanks", buf);
    EXPECT_EQ(1, filter.GetRecord(buf, sizeof buf));
    EXPECT_STREQ("$end", buf);

    TextStream kept(lines);
    UTurboFilter raw(kept.Get());
    raw.SetSkipEmptyLines(false);
    EXPECT_EQ(0, raw.GetRecord(buf, sizeof buf));
    EXPECT_STREQ("# revision header", buf);
    EXPECT_EQ(0, raw.GetRecord(buf, sizeof buf));
    EXPECT_STREQ("#", buf);
    EXPECT_EQ(1, raw.GetRecord(buf, sizeof buf));
}

struct ListCase {
    const char* text;
    const char* following;
    std::string mask;
    bool continues;
    std::string rest;
};

TEST(UTurboRecords, IndexLists)
{
    const ListCase cases[] = {
        {"1-3,5 ( 2 )", "", "11101", false, "( 2 )"},
        {"2", "", "01", false, ""},
        {"3-1", "", "0", false, ""},
        {"0,1", "", "", false, "0,1"},
        // Broken after a comma, the list goes on on the next line.
        {"1-3,\\", "5\n", "11101", false, ""},
        {"1-3, \\", "   basis =c sto-3g\n", "111", false, "basis =c sto-3g"},
        {"1,\\", "  3 \\\n   basis =c sto-3g\n", "101", false, "basis =c sto-3g"},
        {"1-\\", "4\n", "1111", false, ""},
        {"19   \\", "   basis =c sto-3g\n", "0000000000000000001", false, "basis =c sto-3g"},
    };
    for (const ListCase& c : cases) {
        TextStream text(c.following);
        UTurboFilter filter(text.Get());
        char buf[2048];
        strcpy(buf, c.text);
        UVector<long> mask(0, 1);
        bool continues = filter.ReadList(mask, buf);
        std::string got;
        for (long i = 0; i < mask.GetDim(); ++i) got += (char)('0' + mask[i]);
        EXPECT_EQ(c.mask, got) << c.text;
        EXPECT_EQ(c.continues, continues) << c.text;
        EXPECT_EQ(c.rest, buf) << c.text;
    }
}

TEST(UTurboRecords, DamagedIndexLists)
{
    RegisterMessages();
    const char* cases[][2] = {
        {"1-\\", "$end\n"},  // a header where the continuation is due
        {"3\\", "$end\n"},
        {"3,\\", "$end\n"},
        {"16777217", ""},  // far beyond any molecule
        {"1-99999999999999999999", ""},
        {"2-x", ""},  // a range without its end
    };
    for (auto& c : cases) {
        TextStream text(c[1]);
        UTurboFilter filter(text.Get());
        char buf[2048];
        strcpy(buf, c[0]);
        UVector<long> mask(0, 1);
        std::string message;
        EXPECT_EQ(cmInvalidTurbomoleFile, RaisedCode([&] { filter.ReadList(mask, buf); }, &message))
            << c[0];
        EXPECT_EQ(
            0u, message.find("Invalid Turbomole file header/contents.\nError in file UTurbo line "))
            << message;
    }
}

TEST(UTurboRecords, SectionAndDataWriters)
{
    TextStream text;
    UTurboFilter filter(text.Get());
    filter.PutSection(tfsUhfMoBeta);
    filter.PutData("x y");
    filter.PutSection(tfsEnd);
    EXPECT_EQ("$uhfmo_beta\nx y\n$end\n", text.Contents());
}

}  // namespace
