// Text input of UStream: reading characters, strings and lines through the
// line-end translation.
#include <algorithm>
#include <cstring>

#include "utilities/UStream.h"

namespace {

long const TextChunk = 10240;
// The first piece of a chunk that a text read fetches: a typical line.
long const FirstPiece = 128;

bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// How many of the n bytes at p come before the first CR or LF, or NUL when
// nulStops.
long OrdinaryRun(char const* p, long n, bool nulStops)
{
    auto before = [p](char c, long within) {
        void const* found = std::memchr(p, c, static_cast<size_t>(within));
        return found ? static_cast<char const*>(found) - p : within;
    };
    long end = before('\n', n);
    end = before('\r', end);
    return nulStops ? before('\0', end) : end;
}

}  // namespace

// Reads up to want bytes, asking again while the device hands out less, so
// that a short read never splits a line end; only what was delivered counts.
long UStream::ReadChunk(char* chunk, long want)
{
    long got = 0;
    while (got < want) {
        long const piece = std::clamp(GetBuffer(chunk + got, want - got), 0L, want - got);
        if (piece == 0) break;
        got += piece;
    }
    return got;
}

// One translated read. Each chunk is fetched from the device as the scan
// reaches the end of what is at hand, in growing pieces, so that a short line
// does not copy a whole chunk; the scan sees the same bytes as if the chunk
// had been read at once. Whenever a scan ends inside a chunk, the unscanned
// bytes are given back, so that the position stands after the last byte
// consumed.
class UStream::TextScan {
public:
    TextScan(UStream& stream, char* buf, long n, StopFlag stop)
        : stream(stream), buf(buf), n(n), stop(stop),
          lineEndChar(stop == sfLineEnd ? 0 : stream.InternalLineEnd),
          external(stream.ExternalLineEnd), L(static_cast<long>(std::strlen(external)))
    {
    }

    long Run();

private:
    bool NextChunk();  // false at the end of the data
    void Fetch();
    bool AtEnd() const;
    bool CopyByte();
    void ScanChunk();
    // The scans of the three modes over the bytes at hand: true when the read
    // needs no more of the chunk.
    bool ScanStrict();
    bool ScanCollapse();
    bool ScanLenient();
    using TranslateModeScan = bool (TextScan::*)();

    UStream& stream;
    char* const buf;
    long const n;
    StopFlag const stop;
    char const lineEndChar;
    char const* const external;
    long const L;
    long out = 0;        // characters stored into buf
    bool inRun = false;  // collapse mode: inside a run of CR and LF

    char chunk[TextChunk];
    long size = 0;
    long position = 0;   // of the chunk's first byte
    long want = 0;       // the chunk's length, as far as the size tells
    long have = 0;       // bytes of the chunk fetched so far
    bool whole = false;  // have is all the chunk gets
    long i = 0;          // the next byte to scan
    bool done = false;   // a stop ended the read
};

long UStream::TextScan::Run()
{
    // A run of line ends in collapse mode is consumed whole, even once buf is
    // full, so that it never yields empty lines on the next call.
    while (out < n || inRun) {
        if (!NextChunk()) return out;
        ScanChunk();
        if (i < have) stream.SetPosition(stream.GetPosition() - (have - i));
        if (done) return out;
    }
    return out;
}

bool UStream::TextScan::NextChunk()
{
    size = stream.GetSize();
    position = stream.GetPosition();
    want = std::min(TextChunk, size - position);
    if (want < 1) return false;
    have = 0;
    whole = false;
    i = 0;
    Fetch();
    // A read that gives nothing although data should remain ends the input.
    if (have == 0) stream.ReadFailed = true;
    return have > 0;
}

void UStream::TextScan::Fetch()
{
    long const more = std::min(want, std::max(FirstPiece, 2 * have)) - have;
    long const got = stream.ReadChunk(chunk + have, more);
    have += got;
    whole = got < more || have == want;
}

// Less than asked means the device has no more: the data end here.
bool UStream::TextScan::AtEnd() const { return whole && (have < want || position + have >= size); }

// Copies one byte; true when it was the NUL that ends an sfNul read.
bool UStream::TextScan::CopyByte()
{
    char const c = chunk[i++];
    buf[out++] = c;
    return c == 0 && stop == sfNul;
}

void UStream::TextScan::ScanChunk()
{
    TranslateModeScan const scan = stream.TranslateMode == smStrict     ? &TextScan::ScanStrict
                                   : stream.TranslateMode == smCollapse ? &TextScan::ScanCollapse
                                                                        : &TextScan::ScanLenient;
    while (!(this->*scan)() && !whole) Fetch();
    // The last bytes of the data, fewer than a line end, are bytes like any other.
    if (scan == &TextScan::ScanStrict)
        while (!done && AtEnd() && i < have && out < n) done = CopyByte();
}

// L bytes are compared at each index; a shorter tail waits for the next
// chunk unless the data end here.
bool UStream::TextScan::ScanStrict()
{
    long const limit = L > 0 ? have - L + 1 : have;
    while (i < limit && out < n) {
        if (L > 0 && std::memcmp(chunk + i, external, L) == 0) {
            buf[out++] = lineEndChar;
            i += L;
            if (stop == sfLineEnd) return done = true;
        } else if (CopyByte()) {
            return done = true;
        }
    }
    return out >= n;
}

bool UStream::TextScan::ScanCollapse()
{
    while (i < have) {
        char const c = chunk[i];
        if (inRun) {
            if (IsLineEndByte(c)) {
                ++i;
                continue;
            }
            if (stop == sfLineEnd) return done = true;
            inRun = false;
        }
        if (out >= n) return true;
        if (IsLineEndByte(c)) {
            buf[out++] = lineEndChar;
            ++i;
            inRun = true;
        } else if (CopyByte()) {
            return done = true;
        }
    }
    return false;
}

// The last byte of a chunk is left for the next one, so that a CR LF pair
// split between two chunks is still one line end; before the chunk is whole,
// the byte after each one is at hand.
bool UStream::TextScan::ScanLenient()
{
    long const limit = AtEnd() ? have : have - 1;
    while (i < limit && out < n) {
        // The bytes up to the next line end (or NUL stop) go at once.
        long const room = std::min(limit - i, n - out);
        long const run = OrdinaryRun(chunk + i, room, stop == sfNul);
        std::memcpy(buf + out, chunk + i, static_cast<size_t>(run));
        out += run;
        i += run;
        if (run == room) continue;
        char const c = chunk[i];
        if (IsLineEndByte(c)) {
            buf[out++] = lineEndChar;
            ++i;
            if (i < have && IsLineEndByte(chunk[i]) && chunk[i] != c) ++i;
            if (stop == sfLineEnd) return done = true;
        } else if (CopyByte()) {
            return done = true;
        }
    }
    return out >= n;
}

long UStream::GetTranslatedBuffer(char* buf, long n, StopFlag stop)
{
    if (n < 1) return 0;
    if (!GetNeedTextTranslateOnInput()) return GetUntranslated(buf, n, stop);
    TextScan scan(*this, buf, n, stop);
    return scan.Run();
}

// No translation needed: the bytes go straight into buf until n are read,
// the device delivers no more, or a stop character is met; what was read
// after the stop character is given back and cleared from buf.
long UStream::GetUntranslated(char* buf, long n, StopFlag stop)
{
    bool const stops = stop == sfLineEnd || stop == sfNul;
    char const mark = stop == sfLineEnd ? InternalLineEnd : 0;
    long out = 0;
    // Asked first, as by a translated read: the device looks at the file unless
    // what it holds answers, and the bytes read from here on may be given back
    // without making it look again.
    GetSize();
    while (out < n) {
        long const got = std::clamp(GetBuffer(buf + out, n - out), 0L, n - out);
        if (got == 0) {
            if (GetPosition() < GetSize()) ReadFailed = true;
            return out;
        }
        char* const found = stops ? static_cast<char*>(std::memchr(buf + out, mark, got)) : nullptr;
        out += got;
        if (found) {
            *found = 0;
            long const unread = buf + out - (found + 1);
            if (unread > 0) {
                SetPosition(GetPosition() - unread);
                std::memset(found + 1, 0, unread);
            }
            return found + 1 - buf;
        }
    }
    return out;
}

char UStream::GetChar()
{
    char c = 0;
    GetTranslatedBuffer(&c, 1, sfNone);
    return c;
}

void UStream::GetText(char* buf, long n)
{
    if (n < 1) return;
    std::memset(buf, 0, n);
    GetTranslatedBuffer(buf, n, sfNone);
}

void UStream::GetString(char* buf, long n)
{
    if (n < 1) return;
    std::memset(buf, 0, n);
    GetTranslatedBuffer(buf, n, sfNul);
}

void UStream::GetLine(char* buf, long n)
{
    if (n < 1) return;
    // Only what the line leaves is cleared: a record buffer is long, a line short.
    if (!Stream) std::memset(buf, 0, n);
    long const stored = GetTranslatedBuffer(buf, n, sfLineEnd);
    std::memset(buf + stored, 0, n - stored);
}
