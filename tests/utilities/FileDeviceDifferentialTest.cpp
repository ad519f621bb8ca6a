// The file device and the text input over it, run side by side with a plain
// model of a file in memory read byte by byte: every result, position, size
// and end-of-data answer must agree, and so must the bytes left in the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/support/TempDir.h"
#include "utilities/UStream.h"

namespace {

// A regular file opened for update, kept in memory: a seek before the start
// fails, one past the end is allowed, a write past the end leaves zeros.
class FileModel : public UBasicStream {
public:
    explicit FileModel(std::string bytes) : data(std::move(bytes)) {}

    long GetPosition() const override { return position; }
    void SetPosition(long p) override
    {
        if (p >= 0) position = p;
    }
    long GetSize() const override { return Size(); }
    void SetSize(long n) override
    {
        n = std::max(n, 0L);
        if (n < Size()) position = std::min(position, n);
        data.resize(static_cast<size_t>(n), '\0');
    }
    long Read(void* p, long n) override
    {
        if (n < 1 || position >= Size()) return 0;
        long const count = std::min(n, Size() - position);
        std::memcpy(p, data.data() + position, static_cast<size_t>(count));
        position += count;
        return count;
    }
    long Write(void const* p, long n) override
    {
        if (n < 1) return 0;
        if (position > Size()) data.resize(static_cast<size_t>(position), '\0');
        data.replace(static_cast<size_t>(position), static_cast<size_t>(n),
                     static_cast<char const*>(p), static_cast<size_t>(n));
        position += n;
        return n;
    }

    long Size() const { return static_cast<long>(data.size()); }

    std::string data;
    long position = 0;
};

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The text reading rules applied one byte at a time to the model, with the
// settings of stream s; chunks and give-backs do not show in the result.
void ModelRead(FileModel& m, UStream const& s, char* buf, long n, StopFlag stop)
{
    if (n < 1) return;
    std::string const& d = m.data;
    long const size = m.Size();
    long& p = m.position;
    long out = 0;
    if (!s.GetNeedTextTranslateOnInput()) {
        long const count = std::max(0L, std::min(n, size - p));
        std::memcpy(buf, d.data() + std::min(p, size), static_cast<size_t>(count));
        char const mark = stop == sfLineEnd ? s.GetInternalLineEnd() : '\0';
        void const* found =
            stop == sfNone ? nullptr : std::memchr(buf, mark, static_cast<size_t>(count));
        if (!found) {
            p += count;
            return;
        }
        long const k = static_cast<char const*>(found) - buf;
        std::memset(buf + k, 0, static_cast<size_t>(count - k));
        p += k + 1;
        return;
    }
    char const lineEnd = stop == sfLineEnd ? '\0' : s.GetInternalLineEnd();
    std::string const external = s.GetExternalLineEnd();
    long const L = static_cast<long>(external.size());
    // Copies the byte at p; true when it ends an sfNul read.
    auto copy = [&] {
        char const c = d[static_cast<size_t>(p++)];
        buf[out++] = c;
        return c == '\0' && stop == sfNul;
    };
    switch (s.GetTranslateMode()) {
    case smStrict:
        while (out < n && p < size) {
            if (L > 0 && p + L <= size &&
                d.compare(static_cast<size_t>(p), static_cast<size_t>(L), external) == 0) {
                buf[out++] = lineEnd;
                p += L;
                if (stop == sfLineEnd) return;
            } else if (copy()) {
                return;
            }
        }
        return;
    case smCollapse: {
        bool inRun = false;
        while (p < size) {
            char const c = d[static_cast<size_t>(p)];
            if (inRun) {
                if (IsLineEnd(c)) {
                    ++p;
                    continue;
                }
                if (stop == sfLineEnd) return;
                inRun = false;
            }
            if (out >= n) return;
            if (IsLineEnd(c)) {
                buf[out++] = lineEnd;
                ++p;
                inRun = true;
            } else if (copy()) {
                return;
            }
        }
        return;
    }
    default:
        while (out < n && p < size) {
            char const c = d[static_cast<size_t>(p)];
            if (IsLineEnd(c)) {
                buf[out++] = lineEnd;
                ++p;
                if (p < size && IsLineEnd(d[static_cast<size_t>(p)]) &&
                    d[static_cast<size_t>(p)] != c)
                    ++p;
                if (stop == sfLineEnd) return;
            } else if (copy()) {
                return;
            }
        }
        return;
    }
}

// Bytes with many line ends, NULs and lines of every length, some of them
// ending right at the text chunk or the cache boundaries.
std::string RandomText(std::mt19937& rng, long size)
{
    std::string s;
    std::uniform_int_distribution<int> kind(0, 19);
    std::uniform_int_distribution<int> letter('a', 'z');
    while (static_cast<long>(s.size()) < size) {
        int const k = kind(rng);
        if (k < 9) {
            s += static_cast<char>(letter(rng));
        } else if (k < 11) {
            s += "\r\n";
        } else if (k < 13) {
            s += '\n';
        } else if (k < 14) {
            s += '\r';
        } else if (k < 15) {
            s += '\0';
        } else if (k < 16) {
            s += std::string(std::uniform_int_distribution<size_t>(2, 30)(rng), '\n');
        } else if (k < 17) {
            s += "\n\r\r\n";
        } else if (k < 18) {
            // A line whose end falls on a boundary counted from the data start
            // or from the start of this line.
            long const boundaries[] = {10240, 65536, 2 * 65536};
            long const b = boundaries[std::uniform_int_distribution<int>(0, 2)(rng)];
            long const to = std::uniform_int_distribution<int>(0, 1)(rng)
                                ? b - static_cast<long>(s.size() % static_cast<size_t>(b))
                                : b;
            long const length =
                std::max(0L, to - 1 + std::uniform_int_distribution<long>(-2, 1)(rng));
            s += std::string(static_cast<size_t>(length), 'x') + "\r\n";
        } else {
            s += std::string(std::uniform_int_distribution<size_t>(50, 400)(rng), 'y');
        }
    }
    s.resize(static_cast<size_t>(size));
    return s;
}

struct Pair {
    UStream& sub;  // the file device under test
    UStream& ref;  // the model
    FileModel& model;
    UFilePointerBasicStream& device;
    std::string path;
    // The file was cut or grown by someone else since the device last looked
    // at it. While the device holds bytes of a load that the file went on
    // beyond, it trusts them until its next refill or the first size query
    // after a move.
    bool changeUnseen = false;
};

// Lets the device see what someone else did to the file: a move in place,
// then a size query.
void LookAgain(Pair& s)
{
    if (!s.changeUnseen) return;
    long const p = s.sub.GetPosition();
    s.sub.SetPosition(p);
    s.ref.SetPosition(p);
    s.sub.GetSize();
    s.changeUnseen = false;
}

std::string Show(std::vector<char> const& b)
{
    std::string s;
    for (char c : b) {
        if (c == '\r')
            s += "<CR>";
        else if (c == '\n')
            s += "<LF>";
        else if (c == '\0')
            s += "<0>";
        else
            s += c;
    }
    return s.size() > 200 ? s.substr(0, 200) + "..." : s;
}

long PickPosition(std::mt19937& rng, long now, long size)
{
    int const k = std::uniform_int_distribution<int>(0, 9)(rng);
    std::uniform_int_distribution<long> near(-3, 3);
    if (k < 3) return std::uniform_int_distribution<long>(0, size + 50)(rng);
    if (k < 6) return std::max(0L, now + std::uniform_int_distribution<long>(-400, 400)(rng));
    if (k < 7)
        return std::max(0L, 10240 * std::uniform_int_distribution<long>(0, 12)(rng) + near(rng));
    if (k < 8)
        return std::max(0L, 65536 * std::uniform_int_distribution<long>(0, 4)(rng) + near(rng));
    if (k < 9) return now + 65536 + near(rng);
    return std::uniform_int_distribution<int>(0, 1)(rng) ? -1 - near(rng) * near(rng)
                                                         : (1L << 40) + near(rng);
}

// The length of a read: mostly short, now and then beyond a text chunk or a
// cache load.
long ReadLength(std::mt19937& rng)
{
    int const r = std::uniform_int_distribution<int>(0, 9)(rng);
    if (r < 6) return std::uniform_int_distribution<long>(1, 300)(rng);
    if (r < 8) return std::uniform_int_distribution<long>(1, 12000)(rng);
    if (r < 9) return 10240 + std::uniform_int_distribution<long>(-2, 2)(rng);
    return std::uniform_int_distribution<long>(60000, 140000)(rng);
}

// The steps by the operation k drawn, 0 to 99: a text read for k below 40.
void TextReadStep(Pair& s, std::mt19937& rng, int k)
{
    long const n = ReadLength(rng);
    StopFlag const stops[] = {sfLineEnd, sfNone, sfNul};
    StopFlag const stop = k < 25 ? sfLineEnd : stops[k % 3];
    std::vector<char> a(static_cast<size_t>(n) + 1, '#');
    std::vector<char> b = a;
    if (stop == sfLineEnd)
        s.sub.GetLine(a.data(), n);
    else if (stop == sfNone)
        s.sub.GetText(a.data(), n);
    else
        s.sub.GetString(a.data(), n);
    std::fill(b.begin(), b.end() - 1, '\0');
    ModelRead(s.model, s.ref, b.data(), n, stop);
    ASSERT_EQ(Show(a), Show(b)) << "text read of " << n << " stop " << stop;
    ASSERT_EQ(a, b);
}

void RawReadStep(Pair& s, std::mt19937& rng)
{
    LookAgain(s);
    long const n = ReadLength(rng);
    std::vector<char> a(static_cast<size_t>(n), '#');
    std::vector<char> b = a;
    ASSERT_EQ(s.sub.GetBuffer(a.data(), n), s.ref.GetBuffer(b.data(), n)) << "raw read of " << n;
    ASSERT_EQ(a, b);
}

void WriteStep(Pair& s, std::mt19937& rng, int k)
{
    std::string const text =
        RandomText(rng, std::uniform_int_distribution<long>(1, k < 80 ? 200 : 30000)(rng));
    switch (k % 4) {
    case 0:
        s.sub.PutText(text.data(), static_cast<long>(text.size()));
        s.ref.PutText(text.data(), static_cast<long>(text.size()));
        break;
    case 1:
        s.sub.PutBuffer(text.data(), static_cast<long>(text.size()));
        s.ref.PutBuffer(text.data(), static_cast<long>(text.size()));
        break;
    case 2:
        s.sub.PutLine(text.c_str());
        s.ref.PutLine(text.c_str());
        break;
    default:
        s.sub.PutString(text.c_str());
        s.ref.PutString(text.c_str());
        break;
    }
}

void SettingsStep(Pair& s, std::mt19937& rng)
{
    StrictMode const modes[] = {smStrict, smLenient, smCollapse};
    TargetPlatform const platforms[] = {tpCRLF, tpLF, tpCR};
    std::uniform_int_distribution<int> three(0, 2);
    bool const textMode = three(rng) != 0;
    TargetPlatform const platform = platforms[three(rng)];
    StrictMode const mode = modes[three(rng)];
    // Now and then line ends of the caller's own, longer than two bytes.
    char const* const externals[] = {nullptr, nullptr, "\r\r\n", "x\n", "\n\r\n"};
    char const* const external = externals[std::uniform_int_distribution<int>(0, 4)(rng)];
    for (UStream* t : {&s.sub, &s.ref}) {
        t->SetTextMode(textMode);
        t->SetPlatform(platform);
        t->SetTranslateMode(mode);
        if (external) t->SetExternalLineEnd(external);
    }
}

// The file cut (k below 90) or grown by someone else; what we wrote is in the
// file first. A cut and a growth beyond it before the device looks again
// would read as no cut at all.
void OtherWriterStep(Pair& s, std::mt19937& rng, int k, long size)
{
    LookAgain(s);
    s.sub.GetSize();
    if (k < 90) {
        long const cut = std::uniform_int_distribution<long>(0, size)(rng);
        ASSERT_EQ(truncate(s.path.c_str(), cut), 0);
        s.model.data.resize(static_cast<size_t>(cut));
    } else {
        std::string const more =
            RandomText(rng, std::uniform_int_distribution<long>(1, 70000)(rng));
        FILE* other = std::fopen(s.path.c_str(), "ab");
        ASSERT_NE(other, nullptr);
        std::fwrite(more.data(), 1, more.size(), other);
        std::fclose(other);
        s.model.data += more;
    }
    s.changeUnseen = true;
}

// The file used directly between two calls of the device.
void DirectUseStep(Pair& s, std::mt19937& rng, int k, bool farOut)
{
    LookAgain(s);
    FILE* f = s.device.GetFilePointer();
    ASSERT_EQ(std::ftell(f), s.model.position);
    if (k != 94) {
        long const n = std::uniform_int_distribution<long>(1, 5000)(rng);
        std::vector<char> a(static_cast<size_t>(n), '#');
        std::vector<char> b = a;
        long const got = static_cast<long>(std::fread(a.data(), 1, a.size(), f));
        ASSERT_EQ(got, s.ref.GetBuffer(b.data(), n));
        ASSERT_EQ(a, b);
        std::clearerr(f);
        // The device writes next, right after the direct read.
        if (k == 95 && !farOut) {
            s.sub.PutText("after", 5);
            s.ref.PutText("after", 5);
        }
    } else if (!farOut) {
        std::fputs("direct", f);
        s.ref.PutText("direct", 6);
    }
}

// One random step on both streams; a difference is a fatal failure.
void Step(Pair& s, std::mt19937& rng, int step)
{
    std::uniform_int_distribution<int> op(0, 99);
    int const k = op(rng);
    long const size = s.model.Size();
    bool const farOut = s.model.position > size + 200000;
    SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(k) + " at " +
                 std::to_string(s.model.position) + " of " + std::to_string(size) + " mode " +
                 std::to_string(s.ref.GetTranslateMode()) + " platform " +
                 std::to_string(s.ref.GetPlatform()));
    if (k < 45) LookAgain(s);
    if (k < 40) {
        TextReadStep(s, rng, k);
    } else if (k < 45) {
        char const c = s.sub.GetChar();
        char d = 0;
        ModelRead(s.model, s.ref, &d, 1, sfNone);
        ASSERT_EQ(c, d);
    } else if (k < 55) {
        RawReadStep(s, rng);
    } else if (k < 68) {
        long const p = PickPosition(rng, s.model.position, size);
        s.sub.SetPosition(p);
        s.ref.SetPosition(p);
    } else if (k < 72) {
        if (farOut) return;
        s.changeUnseen = false;  // a resize looks at the file
        long const n = std::uniform_int_distribution<long>(0, size + 70000)(rng);
        s.sub.SetSize(n);
        s.ref.SetSize(n);
    } else if (k < 82) {
        if (farOut) return;
        WriteStep(s, rng, k);
    } else if (k < 88) {
        SettingsStep(s, rng);
    } else if (k < 92) {
        // A cut is checked from the next step on, once the device has looked.
        OtherWriterStep(s, rng, k, size);
        if (k < 90) return;
    } else if (k < 96) {
        DirectUseStep(s, rng, k, farOut);
    }
    if (::testing::Test::HasFatalFailure()) return;
    if (op(rng) < 50) {
        LookAgain(s);
        ASSERT_EQ(s.sub.GetSize(), s.ref.GetSize());
        ASSERT_EQ(s.sub.GetAtEOF(), s.ref.GetAtEOF());
    }
    ASSERT_EQ(s.sub.GetPosition(), s.ref.GetPosition());
}

void RunDifferential(unsigned seed, bool owning, int steps)
{
    TempDir dir;
    std::mt19937 rng(seed);
    std::string const initial =
        RandomText(rng, std::uniform_int_distribution<long>(0, 300000)(rng));
    dir.Write("f.bin", initial);
    FILE* fp = std::fopen("f.bin", "r+b");
    ASSERT_NE(fp, nullptr);
    auto* device = new UFilePointerBasicStream(fp, owning);
    auto* model = new FileModel(initial);
    auto sub = std::make_unique<UStream>(device);
    UStream ref(model);
    Pair pair{*sub, ref, *model, *device, dir.File("f.bin")};
    for (int step = 0; step < steps && !::testing::Test::HasFatalFailure(); ++step)
        Step(pair, rng, step);
    sub.reset();
    // A borrowed file is handed back where the device stood.
    if (!owning) {
        EXPECT_EQ(std::ftell(fp), ref.GetPosition());
        std::fclose(fp);
    }
    std::string const left = dir.Read("f.bin");
    EXPECT_EQ(left.size(), model->data.size());
    auto const differ =
        std::mismatch(left.begin(), left.end(), model->data.begin(), model->data.end());
    EXPECT_TRUE(differ.first == left.end() && differ.second == model->data.end())
        << "the bytes left in the file differ from byte " << differ.first - left.begin();
}

TEST(FileDeviceDifferential, RandomOperationsAgreeWithAPlainFile)
{
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RunDifferential(seed, seed % 4 != 0, 1500);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
