#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utilities/MiscUtils.h"

namespace {

struct EditCase {
    std::string in;
    std::string out;
};

using Edit = char* (*)(char*);

void ExpectEdits(Edit edit, const std::vector<EditCase>& cases)
{
    for (const EditCase& c : cases) {
        std::vector<char> text(c.in.begin(), c.in.end());
        text.push_back('\0');
        EXPECT_EQ(edit(text.data()), text.data()) << '"' << c.in << '"';
        EXPECT_EQ(std::string(text.data()), c.out) << '"' << c.in << '"';
    }
}

TEST(StringFunctions, TrimRemovesBlanksOnly)
{
    ExpectEdits(strtrim, {{"  ab ", "ab"},
                          {"   ", ""},
                          {"", ""},
                          {"ab", "ab"},
                          {" a b ", "a b"},
                          {"\tab\t", "\tab\t"},
                          {"  \tx", "\tx"},
                          {"x   ", "x"}});
    ExpectEdits(strtrimleft, {{"  ab ", "ab "}, {"   ", ""}, {"ab", "ab"}, {"\t a", "\t a"}});
    ExpectEdits(strtrimright, {{"  ab ", "  ab"}, {"   ", ""}, {"ab", "ab"}, {"a \t", "a \t"}});
}

TEST(StringFunctions, TrimLengthLeavesArgumentUnchanged)
{
    const struct {
        const char* text;
        long length;
    } cases[] = {{" x ", 1}, {"   ", 0}, {"", 0}, {"  a b  ", 3}, {"\tq", 2}};
    for (const auto& c : cases) {
        std::string before = c.text;
        EXPECT_EQ(strtrimlen(c.text), c.length) << '"' << c.text << '"';
        EXPECT_EQ(before, c.text);
    }
}

TEST(StringFunctions, SubstitutionsReplaceEveryOccurrence)
{
    ExpectEdits(strdetab, {{"\ta\tb\t", " a b "}, {"ab", "ab"}});
    ExpectEdits(strdecomma, {{"1,2,,3", "1 2  3"}});
    ExpectEdits(strdeeq, {{"a=b==c", "a b  c"}});
    ExpectEdits(strupr, {{"aBc1-z", "ABC1-Z"}, {"\xe9x", "\xe9X"}});
    ExpectEdits(strlwr, {{"AbC1-Z", "abc1-z"}, {"\xc9X", "\xc9x"}});
    EXPECT_EQ(strsubs(nullptr, 'a', 'b'), nullptr);
}

TEST(StringFunctions, CaseInsensitiveComparison)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {{"abc", "ABC", 0}, {"ab", "abc", -1},  {"abc", "ab", 1},
                 {"", "", 0},       {"", "a", -1},      {"a", "", 1},
                 {"abd", "ABC", 1}, {"ABC", "abd", -1}, {"a[", "A{", -1}};
    for (const auto& c : cases) {
        int r = stricmp(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    }
    // When b ends first the result is a's next character itself.
    EXPECT_EQ(stricmp("abx", "AB"), 'x');
    EXPECT_EQ(stricmp("ab", "abc"), -'C');
}

TEST(StringFunctions, MemoryComparisonCountsExactlyN)
{
    EXPECT_EQ(memicmp("AbX", "aBy", 2), 0);
    EXPECT_NE(memicmp("AbX", "aBy", 3), 0);
    EXPECT_EQ(memicmp("x", "y", 0), 0);
    // NUL does not stop the comparison.
    EXPECT_LT(memicmp("a\0b", "A\0c", 3), 0);
    EXPECT_EQ(memicmp("a\0B", "A\0b", 3), 0);
}

TEST(StringFunctions, SubstringSearchIgnoresCase)
{
    const char* hay = "xAbAB";
    EXPECT_EQ(stristr(hay, "ab"), hay + 1);
    EXPECT_EQ(stristr(hay, "BAB"), hay + 2);
    EXPECT_EQ(stristr(hay, "xabab"), hay);
    EXPECT_EQ(stristr(hay, "abx"), nullptr);
    EXPECT_EQ(stristr(hay, "xAbABy"), nullptr);
    EXPECT_EQ(stristr(hay, ""), hay + 5);
    EXPECT_EQ(stristr("", "a"), nullptr);
    char editable[] = "$SCFMO file";
    char* found = stristr(editable, "scfmo");
    ASSERT_EQ(found, editable + 1);
    *found = 's';
    EXPECT_STREQ(editable, "$sCFMO file");
}

}  // namespace
