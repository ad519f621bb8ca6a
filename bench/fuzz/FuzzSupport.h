#pragma once
// Shared pieces of the fuzz targets: message tables, and in-memory files that
// are regular files to the stream, so that reads go through the file cache.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "utilities/UStream.h"

// Registers every message table once.
void FuzzInit();

// A file in memory holding the given bytes, open for reading from the start.
class MemoryFile {
public:
    MemoryFile(const uint8_t* data, size_t size);
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    ~MemoryFile();
    // A stream over the file; it does not close the file.
    UStream* Stream() { return stream; }
    // A name under which the file can be opened again.
    std::string Path() const;

private:
    int fd;
    FILE* fp;
    UFilePointerStream* stream;
};

// Splits the input at lines that hold only "#@@" (the file separator of the
// multi-file targets) into at most count pieces.
std::vector<std::string> SplitFiles(const uint8_t* data, size_t size, size_t count);
