// Writing the output beside the file it replaces, and renaming it over that file when complete.
#include "driver/OutputFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "driver/FileAttributes.h"
#include "driver/TemporaryGuard.h"

namespace {

// The file that a temporary may replace and, when that file exists, the owner, group and mode
// the temporary must take; an empty target when the output is to be written in place.
struct Replacement {
    std::string target;
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

std::string DirectoryOf(const std::string& path)
{
    std::string::size_type const slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The descriptor that a name of the process's own open files stands for, or -1.
int DescriptorOfName(const std::string& name)
{
    const char* const streams[] = {"/dev/stdin", "/dev/stdout", "/dev/stderr"};
    for (int fd = 0; fd < 3; fd++)
        if (name == streams[fd]) return fd;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        std::string::size_type const length = std::strlen(prefix);
        if (name.compare(0, length, prefix) != 0) continue;
        std::string const digits = name.substr(length);
        if (digits.empty() || digits.size() > 9) return -1;
        if (digits.find_first_not_of("0123456789") != std::string::npos) return -1;
        return std::atoi(digits.c_str());
    }
    return -1;
}

// The descriptor that path names (/dev/stdout, /dev/fd/3, /proc/self/fd/3, or a symbolic link
// to one of them), or -1. Such a name is the file the caller handed over, not a file to replace.
int DescriptorNamedBy(const char* path)
{
    std::string name(path);
    for (int links = 0; links < 40; links++) {
        int const fd = DescriptorOfName(name);
        if (fd >= 0) return fd;
        char target[PATH_MAX];
        ssize_t const length = readlink(name.c_str(), target, sizeof target);
        if (length <= 0 || length == static_cast<ssize_t>(sizeof target)) return -1;
        std::string const next(target, static_cast<size_t>(length));
        name = next[0] == '/' ? next : DirectoryOf(name) + "/" + next;
    }
    return -1;
}

// The caller's descriptor, written at its own position and never truncated; a duplicate, so
// that closing the output leaves the caller's descriptor open.
FILE* OpenDescriptor(int descriptor)
{
    int const flags = fcntl(descriptor, F_GETFL);
    if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) return nullptr;
    // What the run printed before goes first when the descriptor is standard output's file.
    std::fflush(stdout);
    int const copy = dup(descriptor);
    if (copy < 0) return nullptr;
    FILE* const file = fdopen(copy, "wb");
    if (!file) close(copy);
    return file;
}

std::string ResolvedPath(const char* path)
{
    char* resolved = realpath(path, nullptr);
    if (!resolved) return "";
    std::string const target(resolved);
    std::free(resolved);
    return target;
}

// A file not yet there is made as plain creation would make it, a regular file that we may
// write keeps its owner, group, attributes and mode. Anything else (a device, a pipe, a dangling
// link, a file we may not write) is written in place, so that it fares as plain writing would.
Replacement FindReplacement(const char* path)
{
    struct stat name;
    if (lstat(path, &name) != 0) {
        if (errno == ENOENT) return {path, false, 0, 0, 0};
        return {};
    }
    struct stat file;
    if (stat(path, &file) != 0 || !S_ISREG(file.st_mode) || access(path, W_OK) != 0) return {};
    std::string const target = S_ISLNK(name.st_mode) ? ResolvedPath(path) : std::string(path);
    return {target, true, static_cast<mode_t>(file.st_mode & 07777), file.st_uid, file.st_gid};
}

// The replaced file's owner, group, extended attributes (its ACL among them) and mode on the
// temporary. The system refuses another user's owner, or a group we are not in, to all but root,
// and some attributes to all but their owner or root: such a file is written in place, as plain
// writing would, which also keeps it from a rename that a sticky directory would refuse.
bool TakePermissions(int fd, const Replacement& replacement)
{
    struct stat made;
    if (fstat(fd, &made) != 0) return false;
    bool const owned = made.st_uid == replacement.owner && made.st_gid == replacement.group;
    if (!owned && fchown(fd, replacement.owner, replacement.group) != 0) return false;
    // After the owner, which may clear the set-user and set-group bits, and after the ACL, which
    // sets the group bits: for a file with an ACL they are its mask, which the mode keeps.
    return CopyAttributes(replacement.target, fd) && fchmod(fd, replacement.mode) == 0;
}

// A new file beside the replaced one that takes its permissions, or one made as plain creation
// would make it; null when none can be made so. name receives its path.
FILE* OpenTemporary(const Replacement& replacement, std::string& name)
{
    std::string path = DirectoryOf(replacement.target) + "/.kalvex-XXXXXX";
    // Shut to others until it holds the replaced file's permissions.
    int const fd = MakeGuardedTemporary(path, replacement.exists ? 0600 : 0666);
    if (fd < 0) return nullptr;
    bool const ready = !replacement.exists || TakePermissions(fd, replacement);
    FILE* const file = ready ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        close(fd);
        unlink(path.c_str());
        ReleaseTemporary();
        return nullptr;
    }
    name = path;
    return file;
}

}  // namespace

OutputFile::OutputFile(const char* path)
{
    int const descriptor = DescriptorNamedBy(path);
    if (descriptor >= 0) {
        file = OpenDescriptor(descriptor);
        return;
    }
    Replacement const replacement = FindReplacement(path);
    if (!replacement.target.empty()) {
        file = OpenTemporary(replacement, temporary);
        if (file) target = replacement.target;
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
