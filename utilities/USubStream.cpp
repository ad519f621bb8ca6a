#include "utilities/USubStream.h"

#include <limits>

USubStream::USubStream(UStream& parent, long start, long size)
    : UStream(nullptr), Start(start), Size(size), Parent(&parent)
{
}

bool USubStream::GetIsOpen() const { return Parent->GetIsOpen(); }

long USubStream::GetPosition() const { return Parent->GetPosition() - Start; }

// A position beyond the reach of a long stays at the farthest one.
void USubStream::SetPosition(long p)
{
    long target = 0;
    if (__builtin_add_overflow(p, Start, &target))
        target = p > 0 ? std::numeric_limits<long>::max() : std::numeric_limits<long>::min();
    Parent->SetPosition(target);
    ForgetReadFailure();
}

long USubStream::GetSize() const { return Size >= 0 ? Size : Parent->GetSize() - Start; }

void USubStream::SetSize(long n)
{
    Size = n;
    ForgetReadFailure();
}

void USubStream::PutBuffer(void const* p, long n) { Parent->PutBuffer(p, n); }

long USubStream::GetBuffer(void* p, long n) { return Parent->GetBuffer(p, n); }
