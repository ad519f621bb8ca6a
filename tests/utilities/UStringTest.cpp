#include <gtest/gtest.h>

#include "utilities/UString.h"

namespace {

TEST(UString, EmptyStringsReadAsEmptyText)
{
    UString none;
    UString fromEmpty("");
    UString fromNull(static_cast<const char*>(nullptr));
    UString pairOfNulls(nullptr, nullptr);
    for (const UString* s : {&none, &fromEmpty, &fromNull, &pairOfNulls}) {
        EXPECT_TRUE(s->IsEmpty());
        ASSERT_NE(s->c_str(), nullptr);
        EXPECT_STREQ(s->c_str(), "");
        EXPECT_STREQ(static_cast<const char*>(*s), "");
    }
    UString assigned("x");
    assigned = "";
    EXPECT_TRUE(assigned.IsEmpty());
    assigned = static_cast<const char*>(nullptr);
    EXPECT_STREQ(assigned.c_str(), "");
}

TEST(UString, ConstructionCopiesTheText)
{
    char source[] = "abc";
    UString s(source);
    source[0] = 'x';
    EXPECT_STREQ(s.c_str(), "abc");

    UString copy(s);
    EXPECT_NE(copy.c_str(), s.c_str());
    EXPECT_STREQ(copy.c_str(), "abc");

    EXPECT_STREQ(UString("ab", "cd").c_str(), "abcd");
    EXPECT_STREQ(UString(nullptr, "cd").c_str(), "cd");
    EXPECT_STREQ(UString("ab", "").c_str(), "ab");
}

TEST(UString, AssignmentFromItselfKeepsTheText)
{
    UString s("convergence");
    UString& self = s;
    s = self;
    EXPECT_STREQ(s.c_str(), "convergence");
    s = s.c_str();
    EXPECT_STREQ(s.c_str(), "convergence");
    s = s.c_str() + 7;  // text inside the string's own buffer
    EXPECT_STREQ(s.c_str(), "ence");
}

TEST(UString, AppendCopiesAndKeepsOwnText)
{
    UString s;
    s += "ab";
    EXPECT_STREQ(s.c_str(), "ab");
    s += "";
    s += static_cast<const char*>(nullptr);
    EXPECT_STREQ(s.c_str(), "ab");
    s += UString("cd");
    EXPECT_STREQ(s.c_str(), "abcd");
    s += s;
    EXPECT_STREQ(s.c_str(), "abcdabcd");
    s += s.c_str() + 6;
    EXPECT_STREQ(s.c_str(), "abcdabcdcd");
}

TEST(UString, InPlaceEdits)
{
    UString s("  MiXed  ");
    s.trim();
    EXPECT_STREQ(s.c_str(), "MiXed");
    s.toupper();
    EXPECT_STREQ(s.c_str(), "MIXED");
    s.tolower();
    EXPECT_STREQ(s.c_str(), "mixed");

    UString blanks("   ");
    blanks.trim();
    EXPECT_TRUE(blanks.IsEmpty());
    blanks += "x";
    EXPECT_STREQ(blanks.c_str(), "x");

    UString empty;
    empty.trim();
    empty.toupper();
    empty.tolower();
    EXPECT_TRUE(empty.IsEmpty());

    s.Clear();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(UString, ConcatenationAndComparison)
{
    UString a("ab"), b("cd"), empty;
    EXPECT_STREQ((a + b).c_str(), "abcd");
    EXPECT_STREQ((empty + empty).c_str(), "");
    EXPECT_TRUE(a == UString("ab"));
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a == "ab");
    EXPECT_TRUE(a != "AB");
    EXPECT_TRUE(empty == "");
    EXPECT_TRUE(empty == UString(""));
    EXPECT_FALSE(empty != "");
}

}  // namespace
