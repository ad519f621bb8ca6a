#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/ChildProcess.h"
#include "tests/utilities/RegisterUtilities.h"

#include "utilities/CustExcept.h"
#include "utilities/UStrLoad.h"
#include "utilities/UStrUtilities.h"

namespace {

TEST(MessageTable, LooksUpRegisteredCodes)
{
    RegisterUtilities();
    EXPECT_STREQ(LoadStringFromTable(21003), "Incompatible vector/matrix dimensions");
    EXPECT_STREQ(LoadStringFromTable(21001), ".\nError in file ");
    EXPECT_STREQ(LoadStringFromTable(21002), " line ");
    EXPECT_STREQ(LoadStringFromTable(20001), "Message");
    EXPECT_EQ(LoadStringFromTable(99999), nullptr);
}

TEST(MessageTable, HoldsEveryMessageInOrder)
{
    int count = 0;
    int previous = 0;
    for (StringTableEntry* e = UtililityStringTable; e->Text; ++e, ++count) {
        EXPECT_GT(e->Code, previous);
        previous = e->Code;
    }
    EXPECT_EQ(count, 77);
}

// Filling the registry is for good, so it happens in a child process.
TEST(MessageTable, FirstRegisteredTableWinsAndFullRegistryIgnoresMore)
{
    ChildResult r = RunInChild([] {
        RegisterUtilities();
        static StringTableEntry shadow[] = {{21003, "shadow"}, {29999, "late"}, {0, nullptr}};
        AddStringsToTable(shadow);
        std::printf("%s|%s|", LoadStringFromTable(21003), LoadStringFromTable(29999));
        static StringTableEntry filler[] = {{29998, "filler"}, {0, nullptr}};
        for (int i = 0; i < 25; ++i) AddStringsToTable(filler);
        static StringTableEntry overflow[] = {{29997, "overflow"}, {0, nullptr}};
        AddStringsToTable(overflow);
        std::printf("%s", LoadStringFromTable(29997) ? "found" : "absent");
    });
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "Incompatible vector/matrix dimensions|late|absent");
}

TEST(RaisePattern, ComposesMessageFileAndLine)
{
    RegisterUtilities();
    try {
        RaiseError(umNotSquare, "UMatVec", 818);
        FAIL();
    } catch (CustomException& e) {
        EXPECT_EQ(e.Code, 21004);  // the name stands for the printed number
        EXPECT_STREQ(e.Text, "Matrix must be square.\nError in file UMatVec line 818");
    }
}

TEST(RaisePattern, PrintsZeroAndNegativeLines)
{
    EXPECT_STREQ(MakeErrorString("m", "-", "f", ":", 0), "m-f:0");
    EXPECT_STREQ(MakeErrorString("m", "-", "f", ":", -12), "m-f:-12");
    EXPECT_STREQ(MakeErrorString(nullptr, nullptr, "f", nullptr, 3), "f3");
}

TEST(RaisePattern, LongFileNameIsCutInsideTheBuffer)
{
    std::string longName(5000, 'x');
    char const* text = MakeErrorString("Message", "-", longName.c_str(), "-", 7);
    EXPECT_EQ(std::string(text).size(), 2047u);
    try {
        ThrowCustomException(text, 1);
        FAIL() << "nothing thrown";
    } catch (Exception& e) {
        EXPECT_EQ(std::string(e.Text).size(), 2047u);
    }
    // A text handed over directly is cut to the exception's buffer as well.
    std::string const longText(5000, 'y');
    try {
        ThrowException(longText.c_str());
        FAIL() << "nothing thrown";
    } catch (Exception& e) {
        EXPECT_EQ(std::string(e.Text), longText.substr(0, 2047));
    }
    try {
        RaiseError(umNotSquare, longName.c_str(), 9);
        FAIL() << "nothing raised";
    } catch (CustomException& e) {
        EXPECT_EQ(e.Code, umNotSquare);
        EXPECT_EQ(std::string(e.Text).size(), 2047u);
    }
}

TEST(RaisePattern, RootHandlerCatchesEveryKind)
{
    for (int kind = 0; kind < 3; ++kind) {
        try {
            if (kind == 0) ThrowException("plain");
            if (kind == 1) ThrowCustomException("custom", 5);
            ThrowAbortException("abort", 6);
            FAIL() << "nothing thrown for kind " << kind;
        } catch (Exception& e) {
            EXPECT_STREQ(e.Text, kind == 0 ? "plain" : kind == 1 ? "custom" : "abort");
        }
    }
}

}  // namespace
