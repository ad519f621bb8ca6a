// Kalvex on real Turbomole calculations, its Molden files checked by independent tools that
// rebuild the integrals of the written basis (function order, signs, normalisation,
// occupations) and compare frequencies and normal modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/driver/DriverFixture.h"

namespace {

const char* const python = "/usr/bin/python3";

std::vector<std::string> DataFolders(const std::string& data)
{
    std::vector<std::string> folders;
    for (const auto& entry : std::filesystem::directory_iterator(data))
        if (entry.is_directory()) folders.push_back(entry.path().string());
    std::sort(folders.begin(), folders.end());
    return folders;
}

bool CheckersCanRun()
{
    return FileExists(python) && RunProgram({python, "-c", "import numpy"}).exitStatus == 0;
}

TEST(DriverRealData, EveryCasePassesTheCheckers)
{
    const std::string data = SharedPath("data");
    if (data.empty()) GTEST_SKIP() << SharedMissing("data");
    for (const char* checker : {"tools/molden-moments", "tools/molden-vib"})
        if (SharedPath(checker).empty()) GTEST_SKIP() << SharedMissing(checker);
    if (!CheckersCanRun()) GTEST_SKIP() << "the checkers need python3 with numpy";
    TempDir out;
    std::vector<std::string> folders = DataFolders(data);
    EXPECT_FALSE(folders.empty());
    for (const std::string& folder : folders) {
        std::string name = std::filesystem::path(folder).filename().string();
        SCOPED_TRACE(name);
        std::string molden = out.File(name + ".molden");
        std::vector<std::string> args = Words(folder + "/args");
        args.push_back("-o");
        args.push_back(molden);
        ChildResult r = RunKalvex(args, folder);
        EXPECT_EQ(r.exitStatus, 0) << r.err;
        EXPECT_EQ(r.out, "Kalvex exits...\n");
        EXPECT_EQ(r.err, "");
        if (r.exitStatus != 0) continue;
        int checked = 0;
        for (const char* kind : {"moments", "vib"}) {
            std::string expect = folder + "/expected-" + kind + ".json";
            if (!FileExists(expect)) continue;
            ChildResult check = RunProgram({python, SharedPath("tools/molden-" + std::string(kind)),
                                            molden, "--expect", expect});
            EXPECT_EQ(check.exitStatus, 0) << "molden-" << kind << ":\n" << check.out << check.err;
            checked++;
        }
        EXPECT_GT(checked, 0);
    }
}

}  // namespace
