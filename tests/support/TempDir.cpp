#include "tests/support/TempDir.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

TempDir::TempDir()
{
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) previous = cwd;
    std::string pattern = (std::filesystem::temp_directory_path() / "kalvex-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path = pattern;
    if (chdir(path.c_str()) != 0) throw std::runtime_error("chdir failed");
}

TempDir::~TempDir()
{
    // A failed return leaves the working directory removed under us; the
    // test process ends soon after, so there is nothing better to do.
    if (!previous.empty() && chdir(previous.c_str()) != 0) previous.clear();
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void TempDir::Write(const std::string& name, const std::string& contents) const
{
    std::ofstream f(File(name), std::ios::binary);
    f << contents;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string SharedPath(const std::string& relative)
{
    std::error_code ec;
    std::filesystem::path path = std::filesystem::path(KALVEX_SHARED_DIR) / relative;
    if (!std::filesystem::exists(path, ec)) return "";
    return std::filesystem::canonical(path, ec).string();
}

std::string SharedMissing(const std::string& relative)
{
    return "no " + relative + " in the shared folder " KALVEX_SHARED_DIR;
}
