#pragma once
// The in-memory byte device, growing with what is written or serving a
// caller's block read-only, and the stream that owns one.
#include "utilities/UStream.h"

class UMemoryBasicStream : public UBasicStream {
public:
    // Empty, writable, and owner of the blocks it grows into.
    UMemoryBasicStream();
    // A read-only view of size bytes at mem, which stay the caller's.
    UMemoryBasicStream(char* mem, long size);
    UMemoryBasicStream(UMemoryBasicStream const&) = delete;
    UMemoryBasicStream& operator=(UMemoryBasicStream const&) = delete;
    ~UMemoryBasicStream() override;

    long GetPosition() const override { return Position; }
    void SetPosition(long p) override;  // clamped to the data
    long GetSize() const override { return Size; }
    // A size within the capacity exposes what the block holds there: zeros
    // where nothing was written.
    void SetSize(long n) override;
    long Read(void* p, long n) override;
    long Write(void const* p, long n) override;
    // Grows the block to at least n bytes, never below 1024; keeps the data.
    void SetCapacity(long n);

    char* GetMemoryPointer() const { return MemoryPointer; }
    bool GetDeleteOnExit() const { return DeleteOnExit; }
    bool GetReadOnly() const { return ReadOnly; }
    long GetCapacity() const { return Capacity; }

private:
    void CheckWritable() const;  // 21040 on a read-only device
    void Grow(long needed);      // to 1.7 times what is needed

    char* MemoryPointer;
    bool DeleteOnExit;  // free the block when destroyed
    bool ReadOnly;
    long Size;
    long Capacity;
    long Position;  // 0 <= Position <= Size
};

class UMemoryStream : public UStream {
public:
    UMemoryStream();
    // Reads the caller's block; every write raises 21040.
    UMemoryStream(char* mem, long size);
    ~UMemoryStream() override;

private:
    UMemoryBasicStream* MemoryStream;  // the same object as Stream
};
