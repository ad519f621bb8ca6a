#include "utilities/UMemoryStream.h"

#include <cstring>
#include <limits>
#include <new>

#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

namespace {
const char* const sourceName = "UStream";
}  // namespace

UMemoryBasicStream::UMemoryBasicStream()
    : MemoryPointer(nullptr), DeleteOnExit(true), ReadOnly(false), Size(0), Capacity(0), Position(0)
{
}

UMemoryBasicStream::UMemoryBasicStream(char* mem, long size)
    : MemoryPointer(mem), DeleteOnExit(false), ReadOnly(true), Size(size), Capacity(size),
      Position(0)
{
}

UMemoryBasicStream::~UMemoryBasicStream()
{
    if (DeleteOnExit && MemoryPointer) delete[] MemoryPointer;
}

void UMemoryBasicStream::CheckWritable() const
{
    if (ReadOnly) RaiseError(umWriteOnReadOnly, sourceName, __LINE__);
}

void UMemoryBasicStream::SetPosition(long p) { Position = Max(0L, Min(p, Size)); }

void UMemoryBasicStream::SetCapacity(long n)
{
    CheckWritable();
    n = Max(n, 1024L);
    if (n <= Capacity) return;
    char* const block = new (std::nothrow) char[static_cast<size_t>(n)]();
    if (!block) RaiseError(umNewReturnedNull, sourceName, __LINE__);
    if (Size > 0) std::memcpy(block, MemoryPointer, static_cast<size_t>(Size));
    if (Capacity > 0 && MemoryPointer) delete[] MemoryPointer;
    MemoryPointer = block;
    Capacity = n;
}

// 1.7 times what is needed, truncated; where that is beyond a long, what is
// needed. The block must hold needed bytes afterwards.
void UMemoryBasicStream::Grow(long needed)
{
    double const grown = static_cast<double>(needed) * 1.7;
    bool const fits = grown < static_cast<double>(std::numeric_limits<long>::max());
    SetCapacity(fits ? static_cast<long>(grown) : needed);
    if (Capacity < needed) RaiseError(umNewReturnedNull, sourceName, __LINE__);
}

void UMemoryBasicStream::SetSize(long n)
{
    CheckWritable();
    if (n > Capacity) Grow(n);
    Size = Max(0L, n);
    Position = Min(Position, Size);
}

long UMemoryBasicStream::Read(void* p, long n)
{
    if (n < 0) RaiseError(umNegativeWriteCount, sourceName, __LINE__);
    long const count = Max(0L, Min(n, Size - Position));
    if (count == 0) return 0;
    std::memcpy(p, MemoryPointer + Position, static_cast<size_t>(count));
    Position += count;
    return count;
}

long UMemoryBasicStream::Write(void const* p, long n)
{
    if (n < 0) RaiseError(umNegativeWriteCount, sourceName, __LINE__);
    CheckWritable();
    if (n == 0) return 0;
    long end = 0;
    if (__builtin_add_overflow(Position, n, &end))
        RaiseError(umNegativeWriteCount, sourceName, __LINE__);
    if (end > Capacity) Grow(end);
    std::memcpy(MemoryPointer + Position, p, static_cast<size_t>(n));
    Position = end;
    Size = Max(Position, Size);
    return n;
}

namespace {

template <class... Args>
UMemoryBasicStream* NewMemoryDevice(Args... args)
{
    UMemoryBasicStream* const device = new (std::nothrow) UMemoryBasicStream(args...);
    if (!device) RaiseError(umNewReturnedNull, sourceName, __LINE__);
    return device;
}

}  // namespace

UMemoryStream::UMemoryStream() : UStream(nullptr), MemoryStream(NewMemoryDevice())
{
    Stream = MemoryStream;
}

UMemoryStream::UMemoryStream(char* mem, long size)
    : UStream(nullptr), MemoryStream(NewMemoryDevice(mem, size))
{
    Stream = MemoryStream;
}

UMemoryStream::~UMemoryStream() = default;
