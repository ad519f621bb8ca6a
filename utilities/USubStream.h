#pragma once
// A window onto a range of another stream, which it does not own.
#include "utilities/UStream.h"

class USubStream : public UStream {
public:
    // size < 0: the window runs to the parent's end. The parent's settings
    // are not taken over.
    USubStream(UStream& parent, long start, long size);
    ~USubStream() override = default;

    bool GetIsOpen() const override;
    long GetPosition() const override;  // relative to the window's start
    void SetPosition(long p) override;
    long GetSize() const override;
    void SetSize(long n) override;  // the window only; the parent keeps its size
    // Transfers go to the parent unchanged: the window does not limit them.
    void PutBuffer(void const* p, long n) override;
    long GetBuffer(void* p, long n) override;
    using UStream::GetBuffer;
    using UStream::PutBuffer;

private:
    long Start;
    long Size;
    UStream* Parent;
};
