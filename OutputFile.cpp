// Writing the output beside the file it replaces, and renaming it over that file when complete.
#include "OutputFile.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file that a temporary may replace, and the mode the temporary must get; an empty
// target when the output is to be written in place.
struct Replacement {
    std::string target;
    mode_t mode = 0;
};

mode_t ModeOfNewFile()
{
    mode_t const mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string ResolvedPath(const char* path)
{
    char* resolved = realpath(path, nullptr);
    if (!resolved) return "";
    std::string const target(resolved);
    std::free(resolved);
    return target;
}

// A file not yet there gets the mode that the umask gives, a regular file that we may write
// keeps its own. Anything else (a device, a pipe, a dangling link, a file we may not write)
// is written in place, so that it fares as plain writing would.
Replacement FindReplacement(const char* path)
{
    struct stat name;
    if (lstat(path, &name) != 0) {
        if (errno == ENOENT) return {path, ModeOfNewFile()};
        return {};
    }
    struct stat file;
    if (stat(path, &file) != 0 || !S_ISREG(file.st_mode) || access(path, W_OK) != 0) return {};
    return {S_ISLNK(name.st_mode) ? ResolvedPath(path) : std::string(path), file.st_mode & 07777};
}

std::string DirectoryOf(const std::string& path)
{
    std::string::size_type const slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file beside target with the given mode, or null; name receives its path.
FILE* OpenTemporary(const std::string& target, mode_t mode, std::string& name)
{
    std::string const pattern = DirectoryOf(target) + "/.kalvex-XXXXXX";
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    int const fd = mkstemp(path.data());
    if (fd < 0) return nullptr;
    FILE* const file = fchmod(fd, mode) == 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        close(fd);
        unlink(path.data());
        return nullptr;
    }
    name = path.data();
    return file;
}

// A signal that ends the run while a temporary is being written removes the temporary first;
// signals that the caller ignores or handles stay as they are.
int const endingSignals[] = {SIGHUP, SIGINT, SIGTERM, SIGXFSZ};
struct sigaction previousActions[sizeof endingSignals / sizeof endingSignals[0]];
char pendingTemporary[PATH_MAX];
volatile sig_atomic_t hasPendingTemporary = 0;

extern "C" void RemoveTemporaryAndEnd(int signal)
{
    if (hasPendingTemporary) unlink(pendingTemporary);
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigaction(signal, &fallback, nullptr);
    // Delivered with its default action once the handler returns.
    raise(signal);
}

void GuardTemporary(const std::string& name)
{
    if (name.size() >= sizeof pendingTemporary) return;
    std::memcpy(pendingTemporary, name.c_str(), name.size() + 1);
    hasPendingTemporary = 1;
    struct sigaction remover = {};
    remover.sa_handler = RemoveTemporaryAndEnd;
    sigemptyset(&remover.sa_mask);
    for (size_t i = 0; i < sizeof endingSignals / sizeof endingSignals[0]; i++) {
        sigaction(endingSignals[i], nullptr, &previousActions[i]);
        if (previousActions[i].sa_handler == SIG_DFL)
            sigaction(endingSignals[i], &remover, nullptr);
    }
}

void ReleaseTemporary()
{
    if (!hasPendingTemporary) return;
    hasPendingTemporary = 0;
    for (size_t i = 0; i < sizeof endingSignals / sizeof endingSignals[0]; i++)
        sigaction(endingSignals[i], &previousActions[i], nullptr);
}

}  // namespace

OutputFile::OutputFile(const char* path)
{
    Replacement const replacement = FindReplacement(path);
    if (!replacement.target.empty()) {
        file = OpenTemporary(replacement.target, replacement.mode, temporary);
        if (file) {
            target = replacement.target;
            GuardTemporary(temporary);
        }
    }
    if (!file) file = std::fopen(path, "wb");
}

OutputFile::~OutputFile()
{
    if (file) std::fclose(file);
    if (!temporary.empty()) unlink(temporary.c_str());
    ReleaseTemporary();
}

bool OutputFile::Commit()
{
    if (!file) return false;
    bool const written = std::fflush(file) == 0 && !std::ferror(file);
    bool const closed = std::fclose(file) == 0;
    file = nullptr;
    if (!written || !closed) return false;
    if (temporary.empty()) return true;
    if (std::rename(temporary.c_str(), target.c_str()) != 0) return false;
    temporary.clear();
    ReleaseTemporary();
    return true;
}
