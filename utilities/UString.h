#pragma once
// A small owning heap string. The empty string holds no buffer; a null text
// counts as "" wherever one is taken.

class UString {
public:
    UString();
    UString(char const* s);
    UString(char const* a, char const* b);
    UString(UString const& other);
    ~UString();

    UString& operator=(char const* s);
    UString& operator=(UString const& other);
    UString& operator+=(char const* s);
    UString& operator+=(UString const& other);

    operator char const*() const { return c_str(); }
    char const* c_str() const { return Text ? Text : ""; }  // never null
    bool IsEmpty() const { return Text == nullptr || Text[0] == '\0'; }
    void Clear();

    void trim();
    void toupper();
    void tolower();

private:
    void CopyString(char const* s);
    void Copy2Strings(char const* a, char const* b);
    void CatString(char const* s);

    char* Text;
};

UString operator+(UString const& a, UString const& b);
bool operator==(UString const& a, UString const& b);
bool operator!=(UString const& a, UString const& b);
bool operator==(UString const& a, char const* b);
bool operator!=(UString const& a, char const* b);
