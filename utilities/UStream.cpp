#include "utilities/UStream.h"

#include <cstring>

#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const sourceName = "UStream";

bool MachineIsLittleEndian()
{
    uint16_t const probe = 1;
    unsigned char first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

long const TextChunk = 10240;

}  // namespace

bool const UStream::MachineLittleEndian = MachineIsLittleEndian();
TargetPlatform const UStream::MachinePlatform = tpLF;

UStream::UStream(UBasicStream* device)
    : LittleEndian(MachineLittleEndian), TextMode(false), TranslateMode(smLenient),
      Platform(MachinePlatform), ExternalLineEnd{'\n', 0}, InternalLineEnd('\n'), Stream(device)
{
    // Not virtual here: a derived class is not built yet.
    UStream::SetDefaultFileParams();
}

UStream::~UStream() { delete Stream; }

UBasicStream* UStream::Device() const
{
    if (!Stream) RaiseError(umStreamNotInitialized, sourceName, __LINE__);
    return Stream;
}

void UStream::SetDefaultFileParams()
{
    switch (Platform) {
    case tpCRLF:
        InternalLineEnd = '\n';
        std::strcpy(ExternalLineEnd, TextMode ? "\r\n" : "\n");
        break;
    case tpLF:
        InternalLineEnd = '\n';
        std::strcpy(ExternalLineEnd, "\n");
        break;
    case tpCR:
        InternalLineEnd = '\r';
        std::strcpy(ExternalLineEnd, "\r");
        break;
    default:
        break;
    }
}

void UStream::CopyFileParams(UStream const& other)
{
    LittleEndian = other.LittleEndian;
    TextMode = other.TextMode;
    TranslateMode = other.TranslateMode;
    Platform = other.Platform;
    std::memcpy(ExternalLineEnd, other.ExternalLineEnd, sizeof ExternalLineEnd);
    InternalLineEnd = other.InternalLineEnd;
}

bool UStream::GetIsOpen() const { return Stream != nullptr; }

long UStream::GetPosition() const { return Device()->GetPosition(); }

void UStream::SetPosition(long p)
{
    Device()->SetPosition(p);
    ReadFailed = false;
}

long UStream::GetSize() const { return Device()->GetSize(); }

void UStream::SetSize(long n)
{
    UBasicStream* device = Device();
    if (GetPosition() > n) SetPosition(n);
    device->SetSize(n);
    ReadFailed = false;
}

void UStream::Attach(UBasicStream* device)
{
    // Attaching the present device again must not free it under the stream.
    if (device != Stream) delete Stream;
    Stream = device;
    ReadFailed = false;
}

UBasicStream* UStream::Detach()
{
    UBasicStream* device = Stream;
    Stream = nullptr;
    ReadFailed = false;
    return device;
}

void UStream::PutBuffer(void const* p, long n) { Device()->Write(p, n); }

long UStream::GetBuffer(void* p, long n) { return Device()->Read(p, n); }

bool UStream::GetAtEOF() const
{
    bool const atEnd = GetPosition() >= GetSize();
    return atEnd || ReadFailed;
}

void UStream::SetLittleEndian(bool b)
{
    LittleEndian = b;
    SetDefaultFileParams();
}

void UStream::SetTextMode(bool b)
{
    TextMode = b;
    SetDefaultFileParams();
}

void UStream::SetTranslateMode(StrictMode m)
{
    TranslateMode = m;
    SetDefaultFileParams();
}

void UStream::SetPlatform(TargetPlatform p)
{
    Platform = p;
    SetDefaultFileParams();
}

void UStream::SetExternalLineEnd(char const* s)
{
    if (!s) s = "";
    std::strncpy(ExternalLineEnd, s, sizeof ExternalLineEnd - 1);
    ExternalLineEnd[sizeof ExternalLineEnd - 1] = 0;
}

bool UStream::GetNeedTextTranslateOnOutput() const
{
    return !(std::strlen(ExternalLineEnd) == 1 && ExternalLineEnd[0] == InternalLineEnd);
}

bool UStream::GetNeedTextTranslateOnInput() const
{
    return GetNeedTextTranslateOnOutput() || TranslateMode != smStrict;
}

void UStream::PutTranslatedBuffer(char const* s, long n)
{
    if (n <= 0) return;
    if (!GetNeedTextTranslateOnOutput()) {
        PutBuffer(s, n);
        return;
    }
    long const L = static_cast<long>(std::strlen(ExternalLineEnd));
    char chunk[TextChunk];
    long fill = 0;
    for (long i = 0; i < n; ++i) {
        if (s[i] == InternalLineEnd) {
            std::memcpy(chunk + fill, ExternalLineEnd, L);
            fill += L;
        } else {
            chunk[fill++] = s[i];
        }
        if (fill >= TextChunk - L) {
            PutBuffer(chunk, fill);
            fill = 0;
        }
    }
    if (fill > 0) PutBuffer(chunk, fill);
}

void UStream::PutText(char const* s, long n)
{
    if (!s) return;
    if (n < 0) n = static_cast<long>(std::strlen(s));
    PutTranslatedBuffer(s, n);
}

void UStream::PutChar(char c)
{
    char const text[2] = {c, 0};
    PutText(text, -1);
}

void UStream::PutString(char const* s, long n)
{
    PutText(s, n);
    char const nul = 0;
    PutBuffer(&nul, 1);
}

void UStream::PutLine(char const* s, long n)
{
    PutText(s, n);
    PutChar('\n');
}

void UStream::puts(char const* s) { PutText(s, -1); }

void UStream::printf(char const* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    try {
        vprintf(fmt, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

void UStream::vprintf(char const* fmt, va_list args)
{
    char text[TextChunk] = {};
    int const length = std::vsnprintf(text, sizeof text, fmt, args);
    if (length < 0 || length >= TextChunk) RaiseError(umIndexOutOfRange, sourceName, __LINE__);
    PutText(text, length);
}
