// Copying extended attributes through the system calls, so that no ACL library is needed: an
// access ACL travels as the attribute system.posix_acl_access.
#include "driver/FileAttributes.h"

#include <cerrno>
#include <map>

#include <sys/xattr.h>

namespace {

using Attributes = std::map<std::string, std::string>;

// What read(buffer, size) gives, read into text: the size asked first, and asked again when the
// text grew in between.
template <typename Read>
bool ReadWhole(Read read, std::string& text)
{
    for (int tries = 0; tries < 8; tries++) {
        ssize_t const size = read(nullptr, 0);
        if (size < 0) return false;
        text.resize(static_cast<std::size_t>(size));
        if (size == 0) return true;
        ssize_t const got = read(&text[0], text.size());
        if (got >= 0) {
            text.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE) return false;
    }
    return false;
}

// Every attribute of a file, listed by list and read by get.
template <typename List, typename Get>
bool ReadAttributes(List list, Get get, Attributes& attributes)
{
    std::string names;
    if (!ReadWhole(list, names)) return errno == ENOTSUP;
    // Each name ends with a null character, the last one too.
    std::string name;
    for (std::size_t at = 0; at < names.size(); at += name.size() + 1) {
        name = names.c_str() + at;
        auto read = [&](char* value, std::size_t size) { return get(name.c_str(), value, size); };
        if (!ReadWhole(read, attributes[name])) return false;
    }
    return true;
}

bool AttributesOfPath(const std::string& path, Attributes& attributes)
{
    const char* const file = path.c_str();
    return ReadAttributes(
        [file](char* names, std::size_t size) { return listxattr(file, names, size); },
        [file](const char* name, char* value, std::size_t size) {
            return getxattr(file, name, value, size);
        },
        attributes);
}

bool AttributesOfOpenFile(int fd, Attributes& attributes)
{
    return ReadAttributes(
        [fd](char* names, std::size_t size) { return flistxattr(fd, names, size); },
        [fd](const char* name, char* value, std::size_t size) {
            return fgetxattr(fd, name, value, size);
        },
        attributes);
}

// The attributes of fd that are not wanted, such as an access ACL that the directory's default
// ACL gave a new file, removed.
bool RemoveUnwanted(int fd, const Attributes& present, const Attributes& wanted)
{
    for (const auto& attribute : present)
        if (wanted.count(attribute.first) == 0 && fremovexattr(fd, attribute.first.c_str()) != 0)
            return false;
    return true;
}

// Only those that differ are set, so that one the process may not set but fd already holds,
// such as a security label, is no reason to fail.
bool SetWanted(int fd, const Attributes& present, const Attributes& wanted)
{
    for (const auto& attribute : wanted) {
        auto const made = present.find(attribute.first);
        if (made != present.end() && made->second == attribute.second) continue;
        const std::string& value = attribute.second;
        if (fsetxattr(fd, attribute.first.c_str(), value.data(), value.size(), 0) != 0)
            return false;
    }
    return true;
}

}  // namespace

bool CopyAttributes(const std::string& path, int fd)
{
    Attributes wanted;
    Attributes present;
    return AttributesOfPath(path, wanted) && AttributesOfOpenFile(fd, present) &&
           RemoveUnwanted(fd, present, wanted) && SetWanted(fd, present, wanted);
}
