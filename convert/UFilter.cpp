#include "convert/UFilter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "convert/FieldText.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStream.h"

namespace {
const char* const sourceName = "UFilter";
}  // namespace

const char* skeletontags[] = {"#@1",     "#@2",      "#@3",      "#@4",  "#@GEOMETRY",
                              "#@BASIS", "#@PSEUDO", "#@CHMULT", nullptr};

namespace {

// Fields are copied into buffers of this size; longer fields are cut.
const long fieldBufferSize = 2048;

// The part of s without leading and trailing blanks (tabs are not blanks).
void TrimmedSpan(const char* s, const char*& begin, long& length)
{
    while (*s == ' ') ++s;
    long n = (long)strlen(s);
    while (n > 0 && s[n - 1] == ' ') --n;
    begin = s;
    length = n;
}

}  // namespace

UFilter::UFilter(UStream* stream, bool caseSensitive)
    : input(stream), output(stream), caseSensitive(caseSensitive)
{
}

UFilter::~UFilter() {}

long UFilter::GetRecord(char* buf, long len)
{
    buf[0] = '\0';
    if (len < 1) {
        if (input->GetAtEOF()) RaiseError(cmUnexpectedEof, sourceName, __LINE__);
        return 0;
    }
    // The line is read as GetLine reads it, without clearing the whole buffer
    // first. A read stores at least the mark of a line end for every line it
    // consumes, so one that stores nothing found the end of the data.
    long const stored = input->GetTranslatedBuffer(buf, len, sfLineEnd);
    if (stored == 0) RaiseError(cmUnexpectedEof, sourceName, __LINE__);
    buf[stored] = '\0';
    long const length = static_cast<long>(strnlen(buf, static_cast<size_t>(stored)));
    strdetab(buf);
    return length;
}

long UFilter::GetSkeletonRecord(char* buf, long len)
{
    GetRecord(buf, len);
    long i = 0;
    for (; skeletontags[i] != nullptr; ++i)
        if (MatchesFromStart(buf, skeletontags[i])) break;
    return i;
}

void UFilter::GetMergeRecord(char* buf, long len, FileMergeType type)
{
    for (;;) {
        GetRecord(buf, len);
        long tag = -1;
        for (long i = 0; i < 4; ++i)
            if (MatchesFromStart(buf, skeletontags[i])) {
                tag = i;
                break;
            }
        if (tag < 0) return;
        if (tag == (long)type) {
            RemoveStart(buf, skeletontags[tag]);
            return;
        }
        if (input->GetAtEOF()) {
            buf[0] = '\0';
            return;
        }
    }
}

void UFilter::PutRecord(const char* text) { output->PutLine(text, -1); }

void UFilter::AdjustExpChars(char* s) const { FieldText::AdjustExponentLetters(s); }

bool UFilter::MemCmp(const char* a, const char* b, long n) const
{
    if (n <= 0) return false;
    if (caseSensitive) return memcmp(a, b, (size_t)n) != 0;
    return memicmp(a, b, n) != 0;
}

bool UFilter::StrCmp(const char* a, const char* b) const
{
    if (caseSensitive) return strcmp(a, b) != 0;
    return stricmp(a, b) != 0;
}

bool UFilter::MatchesFromStart(const char* line, const char* pattern) const
{
    long n = (long)strlen(pattern);
    if ((long)strlen(line) < n) return false;
    return !MemCmp(line, pattern, n);
}

void UFilter::RemoveStart(char* line, const char* prefix) const
{
    size_t n = strlen(prefix);
    memmove(line, line + n, strlen(line + n) + 1);
}

bool UFilter::Matches(const char* line, const char* pattern) const
{
    const char* begin;
    long length;
    TrimmedSpan(line, begin, length);
    long n = (long)strlen(pattern);
    return length >= n && !MemCmp(begin, pattern, n);
}

bool UFilter::MatchesFull(const char* line, const char* pattern) const
{
    const char* begin;
    long length;
    TrimmedSpan(line, begin, length);
    long n = (long)strlen(pattern);
    return length == n && !MemCmp(begin, pattern, n);
}

long UFilter::GetNamedValue(const char* s, const char** names) const
{
    for (long i = 0; names[i] != nullptr && names[i][0] != '\0'; ++i)
        if (!StrCmp(s, names[i])) return i;
    return -1;
}

long UFilter::GetNamedStart(const char* s, const char** names) const
{
    long length = (long)strlen(s);
    for (long i = 0; names[i] != nullptr && names[i][0] != '\0'; ++i) {
        long n = (long)strlen(names[i]);
        if (length >= n && !MemCmp(s, names[i], n)) return i;
    }
    return -1;
}

void UFilter::GetField(const char* line, long start, long len, char* out) const
{
    out[0] = '\0';
    if (start < 0 || len < 1) return;
    long length = (long)strlen(line);
    if (length <= start) return;
    long n = length - start < len ? length - start : len;
    memcpy(out, line + start, (size_t)n);
    out[n] = '\0';
}

bool UFilter::TestField(const char* line, long start, long len) const
{
    char field[fieldBufferSize];
    GetField(line, start, len < fieldBufferSize ? len : fieldBufferSize - 1, field);
    for (const char* c = field; *c != '\0'; ++c)
        if (*c != ' ') return true;
    return false;
}

long UFilter::GetIntField(const char* line, long start, long len) const
{
    char field[fieldBufferSize];
    GetField(line, start, len < fieldBufferSize ? len : fieldBufferSize - 1, field);
    long value;
    if (sscanf(field, "%ld", &value) != 1) return -1;
    return value;
}

double UFilter::GetDoubleField(const char* line, long start, long len) const
{
    char field[fieldBufferSize];
    GetField(line, start, len < fieldBufferSize ? len : fieldBufferSize - 1, field);
    AdjustExpChars(field);
    double value;
    if (sscanf(field, "%lf", &value) != 1) return -1.0;
    return value;
}
