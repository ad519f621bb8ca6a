// Typed data read from arbitrary bytes: every WithSize form, single values,
// the skips and the header check, over a read-only memory stream or a file,
// directly or through a window. The first byte chooses the byte order, the
// stream and the window; then each byte read names the next form. What a
// read accepts must be what writing its result gives back, byte for byte
// (a Bool byte only as zero or not zero).
#include <climits>
#include <complex>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "bench/fuzz/FuzzSupport.h"
#include "utilities/CustExcept.h"
#include "utilities/UMemoryStream.h"
#include "utilities/UStreamOperators.h"
#include "utilities/USubStream.h"

namespace {

struct Run {
    UStream& s;
    const uint8_t* bytes;  // the data, from the stream's offset 0
    long size;
};

using Op = std::function<void(Run&)>;

long const NoBool = LONG_MAX;

bool SameBytes(Run const& r, long from, long to, std::string const& written, long boolFrom)
{
    if (to - from != static_cast<long>(written.size()) || to > r.size) return false;
    for (long i = 0; i < to - from; ++i) {
        unsigned char byte = r.bytes[from + i];
        if (i >= boolFrom) byte = byte != 0;
        if (byte != static_cast<unsigned char>(written[static_cast<size_t>(i)])) return false;
    }
    return true;
}

// Reads a C with its operator (a container with its WithSize form), writes
// the result back the same way and compares. Bool bytes start at boolFrom.
template <class C, class Make>
void ReadBack(Run& r, Make make, long boolFrom, bool single)
{
    C c = make();
    long const from = r.s.GetPosition();
    try {
        r.s >> c;
    } catch (CustomException const&) {
        return;
    }
    long const to = r.s.GetPosition();
    UMemoryStream out;
    out.SetLittleEndian(r.s.GetLittleEndian());
    out << c;
    auto const* device = static_cast<UMemoryBasicStream const*>(out.GetStream());
    std::string const written(device->GetMemoryPointer() ? device->GetMemoryPointer() : "",
                              static_cast<size_t>(device->GetSize()));
    // The data ended inside a single value, which then reads as zero.
    if (single && to - from < static_cast<long>(written.size())) return;
    if (!SameBytes(r, from, to, written, boolFrom)) __builtin_trap();
}

template <class T>
void AddKind(std::vector<Op>& ops)
{
    bool constexpr boolean = std::is_same<T, bool>::value;
    ops.push_back([](Run& r) {
        ReadBack<T>(
            r, [] { return T(); }, boolean ? 0 : NoBool, true);
    });
    ops.push_back([](Run& r) {
        ReadBack<std::vector<T>>(
            r, [] { return std::vector<T>(); }, boolean ? 4 : NoBool, false);
    });
    if constexpr (!boolean) {
        ops.push_back([](Run& r) {
            ReadBack<UVector<T>>(
                r, [] { return UVector<T>(0, 1); }, NoBool, false);
        });
        ops.push_back([](Run& r) {
            ReadBack<UMatrix<T>>(
                r, [] { return UMatrix<T>(0, 0, -1); }, NoBool, false);
        });
    }
}

// A skip that succeeds stays within the data. (A window does not limit
// transfers, so its dimensions may be read beyond its end, not the data's.)
Op Skip(void (UStream::*skip)())
{
    return [skip](Run& r) {
        try {
            (r.s.*skip)();
        } catch (CustomException const&) {
            return;
        }
        if (r.s.GetPosition() > r.size) __builtin_trap();
    };
}

std::vector<Op> AllOps()
{
    std::vector<Op> ops;
    AddKind<bool>(ops);
    AddKind<unsigned char>(ops);
    AddKind<signed char>(ops);
    AddKind<short>(ops);
    AddKind<long>(ops);
    AddKind<float>(ops);
    AddKind<double>(ops);
    AddKind<std::complex<double>>(ops);
    // Containers that already have a shape and a stride.
    ops.push_back([](Run& r) {
        ReadBack<UVector<double>>(
            r, [] { return UVector<double>(3, 2); }, NoBool, false);
    });
    ops.push_back([](Run& r) {
        ReadBack<UMatrix<long>>(
            r, [] { return UMatrix<long>(2, 3, 4); }, NoBool, false);
    });
    for (auto skip :
         {&UStream::SkipBoolVector, &UStream::SkipByteVector, &UStream::SkipInt8Vector,
          &UStream::SkipInt16Vector, &UStream::SkipInt32Vector, &UStream::SkipFloatVector,
          &UStream::SkipDoubleVector, &UStream::SkipComplexVector, &UStream::SkipByteMatrix,
          &UStream::SkipInt8Matrix, &UStream::SkipInt16Matrix, &UStream::SkipInt32Matrix,
          &UStream::SkipFloatMatrix, &UStream::SkipDoubleMatrix, &UStream::SkipComplexMatrix})
        ops.push_back(Skip(skip));
    ops.push_back([](Run& r) { r.s.VerifyHeader("Kalvex"); });
    return ops;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInit();
    if (size < 1) return 0;
    static std::vector<Op> const ops = AllOps();
    unsigned const flags = data[0];
    const uint8_t* const bytes = data + 1;
    long const n = static_cast<long>(size - 1);

    std::vector<char> block(bytes, bytes + n);
    std::unique_ptr<MemoryFile> file;
    std::unique_ptr<UMemoryStream> memory;
    UStream* s = nullptr;
    if (flags & 2) {
        file = std::make_unique<MemoryFile>(bytes, static_cast<size_t>(n));
        s = file->Stream();
    } else {
        memory = std::make_unique<UMemoryStream>(block.data(), n);
        s = memory.get();
    }
    // A window from the start that ends up to 31 bytes before the data do.
    std::unique_ptr<USubStream> window;
    if (flags & 4) {
        window =
            std::make_unique<USubStream>(*s, 0, std::max(0L, n - static_cast<long>(flags >> 3)));
        s = window.get();
    }
    s->SetLittleEndian(flags & 1);
    Run run{*s, bytes, n};
    for (int k = 0; k < 200 && !s->GetAtEOF(); ++k) ops[s->GetByte() % ops.size()](run);
    return 0;
}
