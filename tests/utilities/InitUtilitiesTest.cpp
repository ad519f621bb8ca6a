#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/ChildProcess.h"
#include "utilities/UDebug.h"
#include "utilities/UStrLoad.h"
#include "utilities/siUtilities.h"

namespace {

TEST(InitUtilities, RegistersTheTableAndCreatesOneLog)
{
    // In a child: registrations cannot be undone.
    ChildResult r = RunInChild([] {
        InitUtilities();
        if (!Debug) std::_Exit(2);
        UDebug* first = Debug;
        if (!LoadStringFromTable(21058)) std::_Exit(3);
        InitUtilities();
        if (Debug != first) std::_Exit(4);
        // The table was registered twice: 18 further tables fill the
        // registry of 20, and the next one is refused.
        static StringTableEntry extra[19][2];
        for (int i = 0; i < 19; ++i) {
            extra[i][0] = {90000 + i, "extra"};
            extra[i][1] = {0, nullptr};
            AddStringsToTable(extra[i]);
        }
        if (!LoadStringFromTable(90017)) std::_Exit(5);
        if (LoadStringFromTable(90018)) std::_Exit(6);
    });
    EXPECT_EQ(r.exitStatus, 0);
}

TEST(InitUtilities, KeepsAnExistingLog)
{
    ChildResult r = RunInChild([] {
        UDebug own;
        InitUtilities();
        if (Debug != &own) std::_Exit(2);
    });
    EXPECT_EQ(r.exitStatus, 0);
}

}  // namespace
