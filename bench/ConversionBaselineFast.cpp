// The irreducible work of a conversion done with the fastest means at hand, as a
// second yardstick: the whole orbital file in memory, every number scanned with
// fast_float and printed once with a compiled "{:20.14f}" by fmt, the text
// written in large pieces. Reads the same numbers and prints the same text as ConversionBaseline.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>

namespace {

// The whole file, or false when it cannot be read.
bool ReadWhole(const char* path, std::string& text)
{
    FILE* in = std::fopen(path, "rb");
    if (!in) return false;
    char piece[1 << 16];
    size_t got;
    while ((got = std::fread(piece, 1, sizeof piece, in)) > 0) text.append(piece, got);
    std::fclose(in);
    return true;
}

// The number of a field, its leading blanks skipped (D exponents are E by now).
double Scan(const char* begin, const char* end)
{
    while (begin < end && *begin == ' ') begin++;
    double value = 0.0;
    fast_float::from_chars(begin, end, value);
    return value;
}

void Print(fmt::memory_buffer& out, double value)
{
    fmt::format_to(fmt::appender(out), FMT_COMPILE("{:20.14f}\n"), value);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: baseline-fast ORBITAL-FILE > OUTPUT\n");
        return 1;
    }
    std::string text;
    if (!ReadWhole(argv[1], text)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    // Turbomole's D exponents read as E: one pass over the whole text.
    for (char* c = static_cast<char*>(std::memchr(&text[0], 'D', text.size())); c;
         c = static_cast<char*>(
             std::memchr(c + 1, 'D', static_cast<size_t>(&text[0] + text.size() - c - 1))))
        *c = 'E';
    fmt::memory_buffer out;
    auto flush = [&out] {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    };
    const char* p = text.data();
    const char* const last = p + text.size();
    while (p < last) {
        const char* end =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(last - p)));
        if (!end) end = last;
        const char* lineEnd = end;
        while (lineEnd > p && lineEnd[-1] == '\r') lineEnd--;
        if (p[0] != '$' && p[0] != '#') {
            const char* eq =
                static_cast<const char*>(std::memchr(p, '=', static_cast<size_t>(lineEnd - p)));
            if (eq) {  // an orbital line: its eigenvalue, up to the next blank
                const char* from = eq + 1;
                while (from < lineEnd && *from == ' ') from++;
                const char* to = from;
                while (to < lineEnd && *to != ' ') to++;
                Print(out, Scan(from, to));
            } else {
                for (const char* field = p; field + 20 <= lineEnd; field += 20)
                    Print(out, Scan(field, field + 20));
            }
        }
        if (out.size() > (1 << 20)) flush();
        p = end + 1;
    }
    flush();
    return 0;
}
