// The byte device over a standard I/O FILE* and the stream that owns one.
#include <algorithm>
#include <cstring>
#include <unistd.h>

#include "utilities/UStream.h"

UFilePointerBasicStream::UFilePointerBasicStream(FILE* fp, bool deleteOnExit)
    : FilePointer(fp), DeleteOnExit(deleteOnExit)
{
}

UFilePointerBasicStream::UFilePointerBasicStream(char const* path, char const* mode)
    : FilePointer(path && mode ? std::fopen(path, mode) : nullptr), DeleteOnExit(true)
{
}

UFilePointerBasicStream::~UFilePointerBasicStream()
{
    if (DeleteOnExit && FilePointer) std::fclose(FilePointer);
}

long UFilePointerBasicStream::GetPosition() const
{
    return FilePointer ? std::ftell(FilePointer) : 0;
}

void UFilePointerBasicStream::SetPosition(long p)
{
    if (FilePointer) std::fseek(FilePointer, p, SEEK_SET);
}

long UFilePointerBasicStream::GetSize() const
{
    if (!FilePointer) return 0;
    long const position = std::ftell(FilePointer);
    std::fseek(FilePointer, 0, SEEK_END);
    long const size = std::ftell(FilePointer);
    std::fseek(FilePointer, position, SEEK_SET);
    return size;
}

void UFilePointerBasicStream::SetSize(long n)
{
    if (!FilePointer) return;
    n = std::max(n, 0L);
    long const size = GetSize();
    long const position = GetPosition();
    if (n < size) {
        // Buffered output must reach the file before it is cut.
        std::fflush(FilePointer);
        if (ftruncate(fileno(FilePointer), n) != 0) return;
        std::fseek(FilePointer, std::min(position, n), SEEK_SET);
    } else if (n > size) {
        static char const zeros[1024] = {};
        std::fseek(FilePointer, size, SEEK_SET);
        // Counted, so that a file that refuses writes cannot stall us.
        for (long left = n - size; left > 0;) {
            size_t const piece = static_cast<size_t>(std::min(left, 1024L));
            size_t const written = std::fwrite(zeros, 1, piece, FilePointer);
            if (written == 0) break;
            left -= static_cast<long>(written);
        }
        std::fseek(FilePointer, position, SEEK_SET);
    }
}

long UFilePointerBasicStream::Read(void* p, long n)
{
    if (n < 1 || !FilePointer) return 0;
    return static_cast<long>(std::fread(p, 1, static_cast<size_t>(n), FilePointer));
}

long UFilePointerBasicStream::Write(void const* p, long n)
{
    if (n < 1 || !FilePointer) return 0;
    return static_cast<long>(std::fwrite(p, 1, static_cast<size_t>(n), FilePointer));
}

namespace {

// The stream constructors never raise: a device that cannot be made is none.
template <class... Args>
UFilePointerBasicStream* NewDevice(Args... args)
{
    try {
        return new UFilePointerBasicStream(args...);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

UFilePointerStream::UFilePointerStream(FILE* fp, bool deleteOnExit)
    : UStream(nullptr), FileStream(NewDevice(fp, deleteOnExit))
{
    Stream = FileStream;
}

UFilePointerStream::UFilePointerStream(char const* path, char const* mode)
    : UStream(nullptr), FileStream(NewDevice(path, mode))
{
    Stream = FileStream;
}

UFilePointerStream::~UFilePointerStream() = default;
