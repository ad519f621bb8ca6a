#pragma once
// Running the Kalvex executable in a temporary directory, and the texts it must print.
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

extern const char* const kalvexUsage;

// What Kalvex writes on standard error when it fails with message.
std::string ErrorReport(const std::string& message);

// Runs Kalvex with args in directory dir (the current one when empty).
ChildResult RunKalvex(const std::vector<std::string>& args, const std::string& dir = "");

bool FileExists(const std::string& path);

// A node at path for the memory device of the given minor number (3 null, 7 full), as root can
// make one; false when it cannot be made or opened here.
bool MakeDeviceNode(const std::string& path, unsigned minor);

// The blank-separated words of a file, such as the options in a case folder's "args".
std::vector<std::string> Words(const std::string& path);

// A closed-shell H2 molecule in a one-function-per-atom basis: coord, basis, control, mos.
void WriteH2Files(const TempDir& dir);
