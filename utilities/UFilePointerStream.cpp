// The byte device over a standard I/O FILE* and the stream that owns one.
#include <algorithm>
#include <cstring>
#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

#include "utilities/UStream.h"

namespace {

long const CacheCapacity = 65536;
// The end of one load that the next keeps in front of it: a text read gives
// back at most one text chunk, also when its bytes came from two loads.
long const KeptBehind = 16384;

}  // namespace

UFilePointerBasicStream::UFilePointerBasicStream(FILE* fp, bool deleteOnExit)
    : FilePointer(fp), DeleteOnExit(deleteOnExit)
{
}

UFilePointerBasicStream::UFilePointerBasicStream(char const* path, char const* mode)
    : FilePointer(path && mode ? std::fopen(path, mode) : nullptr), DeleteOnExit(true)
{
}

// A borrowed file is never cached, so it always stands where the device
// does and is not touched here: its owner may have closed it already.
UFilePointerBasicStream::~UFilePointerBasicStream()
{
    if (DeleteOnExit && FilePointer) std::fclose(FilePointer);
}

FILE* UFilePointerBasicStream::GetFilePointer() const
{
    if (!FilePointer) return nullptr;
    // The seek also sends pending output, so that the caller may go on
    // reading or writing.
    long const position = GetPosition();
    Cached = false;
    if (position >= 0) std::fseek(FilePointer, position, SEEK_SET);
    HandedOut = true;
    return FilePointer;
}

bool UFilePointerBasicStream::UsesCache() const { return DeleteOnExit && IsRegularFile(); }

bool UFilePointerBasicStream::IsRegularFile() const
{
    if (Regular < 0) {
        struct stat info;
        int const fd = FilePointer ? fileno(FilePointer) : -1;
        Regular = fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? 1 : 0;
    }
    return Regular == 1;
}

void UFilePointerBasicStream::DropCache() const
{
    if (!Cached) return;
    Cached = false;
    std::fseek(FilePointer, Cursor, SEEK_SET);
}

// Standard I/O needs a seek between reading and writing, and the caller may
// have done either with the file it was handed: a seek to where the file
// stands lets the next transfer go the other way.
void UFilePointerBasicStream::TurnTo(Transfer next) const
{
    if (next != LastTransfer || HandedOut) {
        long const position = std::ftell(FilePointer);
        if (position >= 0) std::fseek(FilePointer, position, SEEK_SET);
    }
    LastTransfer = next;
    HandedOut = false;
}

// Up to n bytes from offset on, as many as the file holds there.
long UFilePointerBasicStream::ReadAt(char* p, long n, long offset) const
{
    int const fd = fileno(FilePointer);
    long done = 0;
    while (done < n) {
        ssize_t const got = pread(fd, p + done, static_cast<size_t>(n - done), offset + done);
        if (got <= 0) break;
        done += got;
    }
    return done;
}

// Reads the next cache load at CacheEnd; false when the file gives nothing.
bool UFilePointerBasicStream::Refill() const
{
    if (Cache.empty()) Cache.resize(KeptBehind + CacheCapacity);
    long const kept = std::min(KeptBehind, CacheEnd - CacheStart);
    std::memmove(Cache.data(), Cache.data() + (CacheEnd - CacheStart - kept),
                 static_cast<size_t>(kept));
    CacheStart = CacheEnd - kept;
    long const got = ReadAt(Cache.data() + kept, CacheCapacity, CacheEnd);
    // A load that comes back short found the end of the file as it is now;
    // one that gives nothing only that the end is not beyond.
    if (got == 0) {
        LookAgain = true;
        return false;
    }
    CacheEnd += got;
    KnownSize = got < CacheCapacity ? CacheEnd : std::max(KnownSize, CacheEnd);
    return true;
}

// While the cache holds unread bytes, the size last seen stands: a file cut
// or grown under a reader is seen at the next refill. A file that the cache
// holds whole, small enough for one load, is asked at every query instead,
// so that a cut or growth between two reads is seen at the next one; so is
// any file after a jump.
bool UFilePointerBasicStream::HoldsUnreadBytes() const
{
    bool const wholeFile = CacheStart == 0 && CacheEnd >= KnownSize;
    return Cached && !LookAgain && Cursor < CacheEnd && !wholeFile;
}

long UFilePointerBasicStream::GetPosition() const
{
    if (!FilePointer) return 0;
    return Cached ? Cursor : std::ftell(FilePointer);
}

void UFilePointerBasicStream::SetPosition(long p)
{
    if (!FilePointer) return;
    if (Cached && p >= CacheStart && p <= CacheEnd) {
        // Bytes read since the size was last answered may be given back; any
        // other move lets the next size query look at the file, as a seek
        // drops what stdio had read ahead.
        if (p < ReadFrom || p >= Cursor) LookAgain = true;
        Cursor = p;
        return;
    }
    // A seek that fails must leave the file where the device stood.
    DropCache();
    std::fseek(FilePointer, p, SEEK_SET);
}

// The size just asked of the file system.
long UFilePointerBasicStream::NoteSize(long size) const
{
    // The file was cut under the reader: what was cached or what stdio
    // buffered beyond the cut is no longer there.
    if (size < KnownSize || (Cached && CacheEnd > size)) {
        DropCache();
        std::fflush(FilePointer);
    }
    KnownSize = size;
    return size;
}

long UFilePointerBasicStream::GetSize() const
{
    if (!FilePointer) return 0;
    ReadFrom = Cursor;
    if (HoldsUnreadBytes()) return KnownSize;
    LookAgain = false;
    if (Cached) {
        // While cached the file offset is the device's own: a seek to the end
        // is the cheapest question.
        off_t const end = lseek(fileno(FilePointer), 0, SEEK_END);
        if (end >= 0) return NoteSize(static_cast<long>(end));
    }
    if (IsRegularFile()) {
        // Buffered output belongs to the file: it is counted as written.
        if (__fpending(FilePointer) > 0) std::fflush(FilePointer);
        struct stat info;
        if (fstat(fileno(FilePointer), &info) == 0)
            return NoteSize(static_cast<long>(info.st_size));
    }
    DropCache();
    long const position = std::ftell(FilePointer);
    std::fseek(FilePointer, 0, SEEK_END);
    long const size = std::ftell(FilePointer);
    std::fseek(FilePointer, position, SEEK_SET);
    return size;
}

void UFilePointerBasicStream::SetSize(long n)
{
    if (!FilePointer) return;
    DropCache();
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
    if (!UsesCache()) {
        TurnTo(tfRead);
        // The end-of-file mark would stop a file that has grown since.
        if (std::feof(FilePointer)) std::clearerr(FilePointer);
        return static_cast<long>(std::fread(p, 1, static_cast<size_t>(n), FilePointer));
    }
    if (!Cached) {
        LastTransfer = tfRead;
        HandedOut = false;
        // Buffered output goes to the file and stdio lets go of what it read
        // ahead: while cached, the file is read by offset, past stdio.
        long const position = std::ftell(FilePointer);
        if (position < 0 || std::fflush(FilePointer) != 0)
            return static_cast<long>(std::fread(p, 1, static_cast<size_t>(n), FilePointer));
        CacheStart = CacheEnd = Cursor = ReadFrom = position;
        Cached = true;
        // The file may have changed since the size was seen, by our own writes too.
        LookAgain = true;
    }
    char* const out = static_cast<char*>(p);
    long done = 0;
    while (done < n) {
        if (Cursor == CacheEnd) {
            long const left = n - done;
            if (left >= CacheCapacity) {
                // A large read goes straight to the caller.
                long const got = ReadAt(out + done, left, Cursor);
                if (got == 0) LookAgain = true;
                done += got;
                Cursor += got;
                if (got > 0) KnownSize = got < left ? Cursor : std::max(KnownSize, Cursor);
                CacheStart = CacheEnd = Cursor;
                break;
            }
            if (!Refill()) break;
        }
        long const piece = std::min(n - done, CacheEnd - Cursor);
        std::memcpy(out + done, Cache.data() + (Cursor - CacheStart), static_cast<size_t>(piece));
        Cursor += piece;
        done += piece;
    }
    return done;
}

long UFilePointerBasicStream::Write(void const* p, long n)
{
    if (n < 1 || !FilePointer) return 0;
    // The seek back to the device position also turns the file to writing.
    DropCache();
    TurnTo(tfWrite);
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
