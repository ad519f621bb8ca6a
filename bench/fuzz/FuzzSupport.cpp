#include "bench/fuzz/FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "molecule/siChemistry.h"
#include "numeric/siNumer.h"
#include "utilities/siUtilities.h"

void FuzzInit()
{
    static bool done = false;
    if (done) return;
    done = true;
    InitUtilities();
    InitNumer();
    InitChemistry();
}

MemoryFile::MemoryFile(const uint8_t* data, size_t size)
    : fd(memfd_create("fuzz", 0)), fp(nullptr), stream(nullptr)
{
    if (fd < 0) std::abort();
    for (size_t done = 0; done < size;) {
        ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += (size_t)n;
    }
    lseek(fd, 0, SEEK_SET);
    fp = fdopen(dup(fd), "rb");
    if (!fp) std::abort();
    stream = new UFilePointerStream(fp, false);
}

MemoryFile::~MemoryFile()
{
    delete stream;
    std::fclose(fp);
    close(fd);
}

std::string MemoryFile::Path() const { return "/proc/self/fd/" + std::to_string(fd); }

std::vector<std::string> SplitFiles(const uint8_t* data, size_t size, size_t count)
{
    std::string all(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> pieces;
    const std::string separator = "\n#@@\n";
    size_t start = 0;
    while (pieces.size() + 1 < count) {
        size_t at = all.find(separator, start);
        if (at == std::string::npos) break;
        pieces.push_back(all.substr(start, at + 1 - start));
        start = at + separator.size();
    }
    pieces.push_back(all.substr(start));
    pieces.resize(count);
    return pieces;
}
