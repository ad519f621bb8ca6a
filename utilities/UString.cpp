#include "utilities/UString.h"

#include <cstring>
#include <new>

#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStrUtilities.h"

namespace {

size_t LengthOf(char const* s) { return s ? std::strlen(s) : 0; }

char* NewBuffer(size_t n)
{
    char* buffer = new (std::nothrow) char[n];
    if (!buffer) RaiseError(umNewReturnedNull, "MiscUtils", __LINE__);
    return buffer;
}

}  // namespace

UString::UString() : Text(nullptr) {}

UString::UString(char const* s) : Text(nullptr) { CopyString(s); }

UString::UString(char const* a, char const* b) : Text(nullptr) { Copy2Strings(a, b); }

UString::UString(UString const& other) : Text(nullptr) { CopyString(other.Text); }

UString::~UString() { Clear(); }

UString& UString::operator=(char const* s)
{
    CopyString(s);
    return *this;
}

UString& UString::operator=(UString const& other)
{
    CopyString(other.Text);
    return *this;
}

UString& UString::operator+=(char const* s)
{
    CatString(s);
    return *this;
}

UString& UString::operator+=(UString const& other)
{
    CatString(other.Text);
    return *this;
}

void UString::Clear()
{
    delete[] Text;
    Text = nullptr;
}

void UString::trim()
{
    if (Text) strtrim(Text);
}

void UString::toupper()
{
    if (Text) strupr(Text);
}

void UString::tolower()
{
    if (Text) strlwr(Text);
}

// s may lie inside the present buffer, so the new text is built before the
// old one is freed.
void UString::CopyString(char const* s) { Copy2Strings(s, nullptr); }

void UString::Copy2Strings(char const* a, char const* b)
{
    size_t la = LengthOf(a), lb = LengthOf(b);
    char* text = nullptr;
    if (la + lb > 0) {
        text = NewBuffer(la + lb + 1);
        if (la) std::memcpy(text, a, la);
        if (lb) std::memcpy(text + la, b, lb);
        text[la + lb] = '\0';
    }
    delete[] Text;
    Text = text;
}

void UString::CatString(char const* s)
{
    if (IsEmpty())
        CopyString(s);
    else if (LengthOf(s) > 0)
        Copy2Strings(Text, s);
}

UString operator+(UString const& a, UString const& b) { return UString(a.c_str(), b.c_str()); }

bool operator==(UString const& a, UString const& b)
{
    return std::strcmp(a.c_str(), b.c_str()) == 0;
}
bool operator!=(UString const& a, UString const& b) { return !(a == b); }
bool operator==(UString const& a, char const* b) { return std::strcmp(a.c_str(), b ? b : "") == 0; }
bool operator!=(UString const& a, char const* b) { return !(a == b); }
