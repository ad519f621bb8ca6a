#pragma once
// Streams: a text layer (line ends, lenient line splitting) and a typed
// binary layer over an owned byte device, and the device and stream over a
// standard I/O FILE*.
#include <complex>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "utilities/UMatVec.h"

// Line-end convention of the data.
enum TargetPlatform : int32_t {
    tpCRLF = 0,  // internal '\n'; "\r\n" in text mode, "\n" in binary mode
    tpLF = 1,    // internal '\n', external "\n"
    tpCR = 2     // internal '\r', external "\r"
};

// How input recognises line ends.
enum StrictMode : int32_t {
    smStrict = 0,   // only the exact external line end
    smLenient = 1,  // every CR or LF; CR LF and LF CR count as one
    smCollapse = 2  // every run of CR and LF counts as one
};

// Where a text read stops.
enum StopFlag : int32_t {
    sfNone = 0,     // after n characters
    sfLineEnd = 1,  // after a line end, stored as NUL
    sfNul = 2       // after a NUL byte, which is stored
};

// The abstract byte device: positions, sizes and raw transfers only.
class UBasicStream {
public:
    virtual long GetPosition() const = 0;
    virtual void SetPosition(long p) = 0;
    virtual long GetSize() const = 0;
    virtual void SetSize(long n) = 0;
    virtual long Read(void* p, long n) = 0;         // bytes read
    virtual long Write(void const* p, long n) = 0;  // bytes written
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

    void SetExternalLineEnd(char const* s);  // at most 9 characters are kept
    void SetInternalLineEnd(char c) { InternalLineEnd = c; }
    char const* GetExternalLineEnd() const { return ExternalLineEnd; }
    char GetInternalLineEnd() const { return InternalLineEnd; }

    bool GetNeedTextTranslateOnOutput() const;
    bool GetNeedTextTranslateOnInput() const;

    // Text output: internal line ends become the external line end.
    void PutTranslatedBuffer(char const* s, long n);
    void PutText(char const* s, long n = -1);  // n < 0: strlen(s)
    void PutChar(char c);
    void PutString(char const* s, long n = -1);  // the text, then a raw NUL
    void PutLine(char const* s, long n = -1);    // the text, then a line end
    void puts(char const* s);
    // Formatted texts must stay below 10240 characters (else 21055).
    void printf(char const* fmt, ...) __attribute__((format(printf, 2, 3)));
    void vprintf(char const* fmt, va_list args) __attribute__((format(printf, 2, 0)));

    // Text input: at most n characters into buf.
    // Returns how many characters it stored.
    long GetTranslatedBuffer(char* buf, long n, StopFlag stop);
    char GetChar();  // NUL at the end of the data
    void GetText(char* buf, long n);
    void GetString(char* buf, long n);
    // One line without its line end; a line of n or more characters fills
    // all n bytes unterminated and leaves the rest for the next call.
    void GetLine(char* buf, long n);

    // Typed binary layer, in the stream's byte order. Containers are written
    // without dimensions, or with an Int32 count (vectors) or ColDim and
    // RowDim (matrices) in front by the WithSize forms; the plain readers fill
    // the container's present dimensions, the WithSize readers size it first
    // and refuse dimensions that are negative or exceed the data left (21049).
    // A single value that the data do not hold in full reads as zero. Skip
    // moves by n elements, SkipVector and SkipMatrix by the dimensions they read.

    // Bool: bool, 1 byte, written 0 or 1, any other byte reads as true.
    void PutBool(bool x);
    void PutBool(std::vector<bool> const& v);
    void PutBoolWithSize(std::vector<bool> const& v);
    bool GetBool();
    void GetBool(std::vector<bool>& v);
    void GetBoolWithSize(std::vector<bool>& v);
    void SkipBool(long n);
    void SkipBoolVector();

    // Byte: unsigned char, 1 byte.
    void PutByte(unsigned char x);
    void PutByte(std::vector<unsigned char> const& v);
    void PutByte(UVector<unsigned char> const& v);
    void PutByte(UMatrix<unsigned char> const& m);
    void PutByteWithSize(std::vector<unsigned char> const& v);
    void PutByteWithSize(UVector<unsigned char> const& v);
    void PutByteWithSize(UMatrix<unsigned char> const& m);
    unsigned char GetByte();
    void GetByte(std::vector<unsigned char>& v);
    void GetByte(UVector<unsigned char>& v);
    void GetByte(UMatrix<unsigned char>& m);
    void GetByteWithSize(std::vector<unsigned char>& v);
    void GetByteWithSize(UVector<unsigned char>& v);
    void GetByteWithSize(UMatrix<unsigned char>& m);
    void SkipByte(long n);
    void SkipByteVector();
    void SkipByteMatrix();

    // Int8: signed char, 1 byte.
    void PutInt8(signed char x);
    void PutInt8(std::vector<signed char> const& v);
    void PutInt8(UVector<signed char> const& v);
    void PutInt8(UMatrix<signed char> const& m);
    void PutInt8WithSize(std::vector<signed char> const& v);
    void PutInt8WithSize(UVector<signed char> const& v);
    void PutInt8WithSize(UMatrix<signed char> const& m);
    signed char GetInt8();
    void GetInt8(std::vector<signed char>& v);
    void GetInt8(UVector<signed char>& v);
    void GetInt8(UMatrix<signed char>& m);
    void GetInt8WithSize(std::vector<signed char>& v);
    void GetInt8WithSize(UVector<signed char>& v);
    void GetInt8WithSize(UMatrix<signed char>& m);
    void SkipInt8(long n);
    void SkipInt8Vector();
    void SkipInt8Matrix();

    // Int16: short, 2 bytes.
    void PutInt16(short x);
    void PutInt16(std::vector<short> const& v);
    void PutInt16(UVector<short> const& v);
    void PutInt16(UMatrix<short> const& m);
    void PutInt16WithSize(std::vector<short> const& v);
    void PutInt16WithSize(UVector<short> const& v);
    void PutInt16WithSize(UMatrix<short> const& m);
    short GetInt16();
    void GetInt16(std::vector<short>& v);
    void GetInt16(UVector<short>& v);
    void GetInt16(UMatrix<short>& m);
    void GetInt16WithSize(std::vector<short>& v);
    void GetInt16WithSize(UVector<short>& v);
    void GetInt16WithSize(UMatrix<short>& m);
    void SkipInt16(long n);
    void SkipInt16Vector();
    void SkipInt16Matrix();

    // Int32: long, 4 bytes; a value beyond 32 bits is not written (21050).
    void PutInt32(long x);
    void PutInt32(std::vector<long> const& v);
    void PutInt32(UVector<long> const& v);
    void PutInt32(UMatrix<long> const& m);
    void PutInt32WithSize(std::vector<long> const& v);
    void PutInt32WithSize(UVector<long> const& v);
    void PutInt32WithSize(UMatrix<long> const& m);
    long GetInt32();
    void GetInt32(std::vector<long>& v);
    void GetInt32(UVector<long>& v);
    void GetInt32(UMatrix<long>& m);
    void GetInt32WithSize(std::vector<long>& v);
    void GetInt32WithSize(UVector<long>& v);
    void GetInt32WithSize(UMatrix<long>& m);
    void SkipInt32(long n);
    void SkipInt32Vector();
    void SkipInt32Matrix();

    // Float: float, 4 bytes.
    void PutFloat(float x);
    void PutFloat(std::vector<float> const& v);
    void PutFloat(UVector<float> const& v);
    void PutFloat(UMatrix<float> const& m);
    void PutFloatWithSize(std::vector<float> const& v);
    void PutFloatWithSize(UVector<float> const& v);
    void PutFloatWithSize(UMatrix<float> const& m);
    float GetFloat();
    void GetFloat(std::vector<float>& v);
    void GetFloat(UVector<float>& v);
    void GetFloat(UMatrix<float>& m);
    void GetFloatWithSize(std::vector<float>& v);
    void GetFloatWithSize(UVector<float>& v);
    void GetFloatWithSize(UMatrix<float>& m);
    void SkipFloat(long n);
    void SkipFloatVector();
    void SkipFloatMatrix();

    // Double: double, 8 bytes.
    void PutDouble(double x);
    void PutDouble(std::vector<double> const& v);
    void PutDouble(UVector<double> const& v);
    void PutDouble(UMatrix<double> const& m);
    void PutDoubleWithSize(std::vector<double> const& v);
    void PutDoubleWithSize(UVector<double> const& v);
    void PutDoubleWithSize(UMatrix<double> const& m);
    double GetDouble();
    void GetDouble(std::vector<double>& v);
    void GetDouble(UVector<double>& v);
    void GetDouble(UMatrix<double>& m);
    void GetDoubleWithSize(std::vector<double>& v);
    void GetDoubleWithSize(UVector<double>& v);
    void GetDoubleWithSize(UMatrix<double>& m);
    void SkipDouble(long n);
    void SkipDoubleVector();
    void SkipDoubleMatrix();

    // Complex: std::complex<double>, 16 bytes, the real part first.
    void PutComplex(std::complex<double> const& x);
    void PutComplex(std::vector<std::complex<double>> const& v);
    void PutComplex(UVector<std::complex<double>> const& v);
    void PutComplex(UMatrix<std::complex<double>> const& m);
    void PutComplexWithSize(std::vector<std::complex<double>> const& v);
    void PutComplexWithSize(UVector<std::complex<double>> const& v);
    void PutComplexWithSize(UMatrix<std::complex<double>> const& m);
    std::complex<double> GetComplex();
    void GetComplex(std::vector<std::complex<double>>& v);
    void GetComplex(UVector<std::complex<double>>& v);
    void GetComplex(UMatrix<std::complex<double>>& m);
    void GetComplexWithSize(std::vector<std::complex<double>>& v);
    void GetComplexWithSize(UVector<std::complex<double>>& v);
    void GetComplexWithSize(UMatrix<std::complex<double>>& m);
    void SkipComplex(long n);
    void SkipComplexVector();
    void SkipComplexMatrix();

    // Byte order: Swap reverses each of count units of size bytes; SwapIf
    // does so when the stream's byte order is not the machine's.
    static void Swap(char* p, long size, long count);
    bool GetNeedByteSwap() const { return LittleEndian != MachineLittleEndian; }
    void SwapIf(char* p, long size, long count);
    void SwapIf_Int16(char* p, long count) { SwapIf(p, 2, count); }
    void SwapIf_Int32(char* p, long count) { SwapIf(p, 4, count); }
    void SwapIf_Float(char* p, long count) { SwapIf(p, 4, count); }
    void SwapIf_Double(char* p, long count) { SwapIf(p, 8, count); }

    // The prefix of every header text; empty unless a program sets it.
    static char Header[2048];
    // Header, text and a line end, then in binary mode the byte-order mark
    // 2 1 0 0 (little-endian) or 1 2 0 0.
    void WriteHeader(char const* text);
    // True when the data at the position begin with the header of text; the
    // position then stands after it and the settings follow what was found.
    // Otherwise, and on a stream without a device, false and nothing changes.
    bool VerifyHeader(char const* text);

protected:
    bool LittleEndian;
    bool TextMode;
    StrictMode TranslateMode;
    TargetPlatform Platform;
    char ExternalLineEnd[10];
    char InternalLineEnd;
    UBasicStream* Stream;

    // A window or other stream that keeps its own positions forgets a read
    // failure whenever it moves.
    void ForgetReadFailure() { ReadFailed = false; }

private:
    friend struct UStreamTypedIO;

    UBasicStream* Device() const;  // the device, or raise 21038
    long ReadChunk(char* chunk, long want);
    class TextScan;  // one translated read
    // GetTranslatedBuffer without translation.
    long GetUntranslated(char* buf, long n, StopFlag stop);

    bool ReadFailed = false;  // a read gave nothing though data should remain
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
    // a seek to the end, asked only when the cache cannot answer; otherwise
    // the size of a regular file is asked of the file system without moving
    // the file position.
    bool IsRegularFile() const;
    bool UsesCache() const;  // a regular file that the device owns
    bool Refill() const;
    bool HoldsUnreadBytes() const;                    // the size last seen answers
    long ReadAt(char* p, long n, long offset) const;  // bytes read, by offset
    long NoteSize(long size) const;                   // the size the file system gave
    void DropCache() const;                           // the file position becomes Cursor again
    enum Transfer { tfNone, tfRead, tfWrite };
    void TurnTo(Transfer next) const;

    FILE* FilePointer;
    bool DeleteOnExit;  // close the file when destroyed

    mutable int Regular = -1;         // -1 not yet known, else 0 or 1
    mutable bool Cached = false;      // the cache stands for the file position
    mutable std::vector<char> Cache;  // file bytes CacheStart .. CacheEnd
    mutable long CacheStart = 0;
    mutable long CacheEnd = 0;
    mutable long Cursor = 0;         // the device position while Cached
    mutable long KnownSize = 0;      // the size last asked, or found by a load
    mutable bool LookAgain = true;   // the next size query asks the file system
    mutable long ReadFrom = 0;       // the position when the size was last answered
    mutable bool HandedOut = false;  // GetFilePointer was called since the last transfer
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
    UFilePointerBasicStream* FileStream;  // the same object as Stream
};
