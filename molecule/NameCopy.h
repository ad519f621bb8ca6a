#pragma once
// The heap copies of names that atom bases, potentials and registries own.
#include <cstring>

// A new[] copy of name; a null name gives the empty string. The caller
// releases it with delete[].
inline char* CopyName(const char* name)
{
    const char* text = name ? name : "";
    char* copy = new char[std::strlen(text) + 1];
    std::strcpy(copy, text);
    return copy;
}
