// Making a file of a new random name with the mode the caller asks for, which mkstemp does not
// take.
#include "driver/UniqueFile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

namespace {

char const nameLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
std::uint64_t const letterCount = sizeof nameLetters - 1;
std::size_t const suffixLength = 6;
// Each try takes a random name; this many taken in a row means someone takes them on purpose.
int const maximumTries = 1000;

// Random bits for a name; where the system has none to give yet, the clock, the process id and
// a count mixed, so that no two tries of a process repeat a name.
std::uint64_t NameBits()
{
    std::uint64_t bits;
    if (getrandom(&bits, sizeof bits, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof bits))
        return bits;
    static std::uint64_t count = 0;
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
           static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(getpid()) << 40) ^
           (++count * 0x9E3779B97F4A7C15u);
}

}  // namespace

int CreateUniqueFile(char* pattern, mode_t mode)
{
    std::size_t const length = std::strlen(pattern);
    if (length < suffixLength || std::strcmp(pattern + length - suffixLength, "XXXXXX") != 0) {
        errno = EINVAL;
        return -1;
    }
    char* const suffix = pattern + length - suffixLength;
    for (int tries = 0; tries < maximumTries; tries++) {
        std::uint64_t bits = NameBits();
        for (std::size_t i = 0; i < suffixLength; i++, bits /= letterCount)
            suffix[i] = nameLetters[bits % letterCount];
        int const fd = open(pattern, O_RDWR | O_CREAT | O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}
