// Byte order and the header line of typed data.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "utilities/CustExcept.h"
#include "utilities/UStream.h"

char UStream::Header[2048] = {};

void UStream::Swap(char* p, long size, long count)
{
    if (!p || size < 2) return;
    for (long k = 0; k < count; ++k, p += size) std::reverse(p, p + size);
}

void UStream::SwapIf(char* p, long size, long count)
{
    if (GetNeedByteSwap()) Swap(p, size, count);
}

void UStream::WriteHeader(char const* text)
{
    PutText(Header, -1);
    PutLine(text, -1);
    if (TextMode) return;
    bool const little = LittleEndian;
    PutByte(little ? 2 : 1);
    PutByte(little ? 1 : 2);
    PutByte(0);
    PutByte(0);
}

namespace {

bool IsLineEndByte(unsigned char c) { return c == '\r' || c == '\n'; }

bool IsMarkByte(unsigned char c) { return c == 1 || c == 2; }

// What a header check found: how many bytes it spans, and the settings.
struct FoundHeader {
    long length = 0;  // 0: no header
    bool textMode = false;
    bool littleEndian = false;
    TargetPlatform platform = tpLF;
};

// b holds the first bytes of data that hold size bytes in all (at least
// L + 1 of them, and L + 5 when there are that many); the first L are the header.
FoundHeader Recognise(std::vector<unsigned char> const& b, long L, long size)
{
    FoundHeader found;
    unsigned char const c1 = b[L];
    if (!IsLineEndByte(c1)) return found;
    bool const onlyOneMore = size == L + 1;
    unsigned char const c2 = onlyOneMore ? 0 : b[L + 1];
    if (onlyOneMore || (!IsMarkByte(c2) && !(IsLineEndByte(c2) && c2 != c1))) {
        found.length = L + 1;
        found.textMode = true;
        found.platform = c1 == '\r' ? tpCR : tpLF;
        return found;
    }
    if (c1 == '\r' && c2 == '\n' && (size == L + 2 || !IsMarkByte(b[L + 2]))) {
        found.length = L + 2;
        found.textMode = true;
        found.platform = UStream::MachinePlatform;
        return found;
    }
    if (size < L + 5 || b[L + 3] != 0 || b[L + 4] != 0) return found;
    bool const little = c2 == 2 && b[L + 2] == 1;
    if (!little && !(c2 == 1 && b[L + 2] == 2)) return found;
    found.length = L + 5;
    found.littleEndian = little;
    found.platform = c1 == '\r' ? tpCR : little ? tpCRLF : tpLF;
    return found;
}

}  // namespace

// The header is looked for at the position, with the data that follow it;
// a header of any length is read whole.
bool UStream::VerifyHeader(char const* text)
{
    std::string const h = std::string(Header) + (text ? text : "");
    long const L = static_cast<long>(h.size());
    try {
        long const start = GetPosition();
        long size = GetSize() - start;
        if (size <= L) return false;
        std::vector<unsigned char> b(static_cast<size_t>(L + 5), 0);
        long const got = ReadChunk(reinterpret_cast<char*>(b.data()), std::min(L + 5, size));
        SetPosition(start);
        // Data that end before their size says end where the read ended.
        if (got < std::min(L + 5, size)) size = got;
        if (size <= L || std::memcmp(b.data(), h.data(), static_cast<size_t>(L)) != 0) return false;
        FoundHeader const found = Recognise(b, L, size);
        if (found.length == 0) return false;
        SetPosition(start + found.length);
        SetTextMode(found.textMode);
        if (!found.textMode) SetLittleEndian(found.littleEndian);
        SetPlatform(found.platform);
        return true;
    } catch (CustomException const&) {
        // A stream without a device has no header.
        return false;
    }
}
