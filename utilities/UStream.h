#pragma once
// Streams: a text layer (line ends, lenient line splitting) over an owned
// byte device, and the device and stream over a standard I/O FILE*.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

// Line-end convention of the data.
enum TargetPlatform : int32_t {
    tpCRLF = 0,   // internal '\n'; "\r\n" in text mode, "\n" in binary mode
    tpLF = 1,     // internal '\n', external "\n"
    tpCR = 2      // internal '\r', external "\r"
};

// How input recognises line ends.
enum StrictMode : int32_t {
    smStrict = 0,     // only the exact external line end
    smLenient = 1,    // every CR or LF; CR LF and LF CR count as one
    smCollapse = 2    // every run of CR and LF counts as one
};

// Where a text read stops.
enum StopFlag : int32_t {
    sfNone = 0,      // after n characters
    sfLineEnd = 1,   // after a line end, stored as NUL
    sfNul = 2        // after a NUL byte, which is stored
};

// The abstract byte device: positions, sizes and raw transfers only.
class UBasicStream {
public:
    virtual long GetPosition() const = 0;
    virtual void SetPosition(long p) = 0;
    virtual long GetSize() const = 0;
    virtual void SetSize(long n) = 0;
    virtual long Read(void* p, long n) = 0;          // bytes read
    virtual long Write(void const* p, long n) = 0;   // bytes written
    virtual ~UBasicStream() = default;

    long ReadBuffer(void* p, long n) { return Read(p, n); }
    long WriteBuffer(void const* p, long n) { return Write(p, n); }
};

class UStream {
public:
    static bool const MachineLittleEndian;
    static TargetPlatform const MachinePlatform;

    // Takes over the device, which may be null.
    explicit UStream(UBasicStream* device);
    UStream(UStream const&) = delete;
    UStream& operator=(UStream const&) = delete;

    virtual void SetDefaultFileParams();
    virtual void CopyFileParams(UStream const& other);
    virtual bool GetIsOpen() const;
    virtual long GetPosition() const;
    virtual void SetPosition(long p);
    virtual long GetSize() const;
    virtual void SetSize(long n);
    virtual ~UStream();
    virtual void Attach(UBasicStream* device);
    virtual UBasicStream* Detach();
    virtual void PutBuffer(void const* p, long n);
    virtual long GetBuffer(void* p, long n);

    void PutBuffer(char const* p, long n) { PutBuffer(static_cast<void const*>(p), n); }
    long GetBuffer(char* p, long n) { return GetBuffer(static_cast<void*>(p), n); }

    // True at the end of the data, and after a read that delivered nothing
    // although data should remain (a read error), so readers cannot spin.
    bool GetAtEOF() const;

    void SetLittleEndian(bool b);
    void SetTextMode(bool b);
    void SetTranslateMode(StrictMode m);
    void SetPlatform(TargetPlatform p);
    bool GetLittleEndian() const { return LittleEndian; }
    bool GetTextMode() const { return TextMode; }
    StrictMode GetTranslateMode() const { return TranslateMode; }
    TargetPlatform GetPlatform() const { return Platform; }
    UBasicStream* GetStream() const { return Stream; }

    void SetExternalLineEnd(char const* s);   // at most 9 characters are kept
    void SetInternalLineEnd(char c) { InternalLineEnd = c; }
    char const* GetExternalLineEnd() const { return ExternalLineEnd; }
    char GetInternalLineEnd() const { return InternalLineEnd; }

    bool GetNeedTextTranslateOnOutput() const;
    bool GetNeedTextTranslateOnInput() const;

    // Text output: internal line ends become the external line end.
    void PutTranslatedBuffer(char const* s, long n);
    void PutText(char const* s, long n = -1);   // n < 0: strlen(s)
    void PutChar(char c);
    void PutString(char const* s, long n = -1);   // the text, then a raw NUL
    void PutLine(char const* s, long n = -1);     // the text, then a line end
    void puts(char const* s);
    // Formatted texts must stay below 10240 characters (else 21055).
    void printf(char const* fmt, ...) __attribute__((format(printf, 2, 3)));
    void vprintf(char const* fmt, va_list args) __attribute__((format(printf, 2, 0)));

    // Text input: at most n characters into buf.
    void GetTranslatedBuffer(char* buf, long n, StopFlag stop);
    char GetChar();   // NUL at the end of the data
    void GetText(char* buf, long n);
    void GetString(char* buf, long n);
    // One line without its line end; a line of n or more characters fills
    // all n bytes unterminated and leaves the rest for the next call.
    void GetLine(char* buf, long n);

protected:
    bool LittleEndian;
    bool TextMode;
    StrictMode TranslateMode;
    TargetPlatform Platform;
    char ExternalLineEnd[10];
    char InternalLineEnd;
    UBasicStream* Stream;

private:
    UBasicStream* Device() const;   // the device, or raise 21038
    long ReadChunk(char* chunk, long want);
    // GetTranslatedBuffer and its untranslated form; both return how many
    // characters they stored into buf.
    long ReadTranslated(char* buf, long n, StopFlag stop);
    long GetUntranslated(char* buf, long n, StopFlag stop);

    bool ReadFailed = false;   // a read gave nothing though data should remain
};

// The device over a standard I/O file. While it lives, the file is used
// through it, or directly only after GetFilePointer.
class UFilePointerBasicStream : public UBasicStream {
public:
    UFilePointerBasicStream(FILE* fp, bool deleteOnExit);
    // Opens the file itself and owns it; a failed open leaves a null file
    // pointer, on which every operation does nothing.
    UFilePointerBasicStream(char const* path, char const* mode);
    UFilePointerBasicStream(UFilePointerBasicStream const&) = delete;
    UFilePointerBasicStream& operator=(UFilePointerBasicStream const&) = delete;
    ~UFilePointerBasicStream() override;

    long GetPosition() const override;
    void SetPosition(long p) override;
    long GetSize() const override;
    void SetSize(long n) override;
    long Read(void* p, long n) override;
    long Write(void const* p, long n) override;

    // The file, positioned where the device stands, with no output pending;
    // the device reads it afresh afterwards, so the caller may read or write
    // it directly in between.
    FILE* GetFilePointer() const;
    bool GetDeleteOnExit() const { return DeleteOnExit; }

private:
    // A regular file that the device owns is read through a cache, so that a
    // text read that gives back what it did not consume costs no seek. While
    // cached, the file is read by offset past stdio and its size is found by
    // a seek to the end; otherwise the size of a regular file is asked of the
    // file system without moving the file position.
    bool IsRegularFile() const;
    bool UsesCache() const;   // a regular file that the device owns
    bool Refill() const;
    long ReadAt(char* p, long n, long offset) const;   // bytes read, by offset
    long NoteSize(long size) const;   // the size the file system gave
    void DropCache() const;   // the file position becomes Cursor again
    enum Transfer { tfNone, tfRead, tfWrite };
    void TurnTo(Transfer next) const;

    FILE* FilePointer;
    bool DeleteOnExit;   // close the file when destroyed

    mutable int Regular = -1;         // -1 not yet known, else 0 or 1
    mutable bool Cached = false;      // the cache stands for the file position
    mutable std::vector<char> Cache;  // file bytes CacheStart .. CacheEnd
    mutable long CacheStart = 0;
    mutable long CacheEnd = 0;
    mutable long Cursor = 0;          // the device position while Cached
    mutable long KnownSize = 0;       // the size last asked of the file system
    mutable bool HandedOut = false;   // GetFilePointer was called since the last transfer
    mutable Transfer LastTransfer = tfNone;
};

// A stream that creates and owns a file device. Never raises: when the
// device cannot be created the stream has none and does not close the file.
class UFilePointerStream : public UStream {
public:
    UFilePointerStream(FILE* fp, bool deleteOnExit);
    UFilePointerStream(char const* path, char const* mode);
    ~UFilePointerStream() override;

private:
    UFilePointerBasicStream* FileStream;   // the same object as Stream
};
