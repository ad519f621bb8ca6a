#pragma once
// In-place functions on NUL-terminated strings and small console utilities.
// A blank is the space character only; tabs are not blanks.
#include "utilities/UString.h"

class UStream;

// Each returns its first argument.
char* strtrim(char* s);
char* strtrimleft(char* s);
char* strtrimright(char* s);
char* strsubs(char* s, char from, char to);  // a null s gives null
char* strdetab(char* s);                     // tabs become blanks
char* strdecomma(char* s);                   // commas become blanks
char* strdeeq(char* s);                      // '=' becomes a blank
char* strupr(char* s);
char* strlwr(char* s);

// The length s would have after strtrim; s is not changed.
long strtrimlen(char const* s);

// Case-insensitive comparison. When b ends first the result is the next
// character of a, so a proper prefix a of b compares negative.
int stricmp(char const* a, char const* b);
// Case-insensitive comparison of exactly n characters (NUL does not stop it).
int memicmp(char const* a, char const* b, long n);
// The first case-insensitive occurrence of needle in hay, or null.
char const* stristr(char const* hay, char const* needle);
char* stristr(char* hay, char const* needle);

// Rings the console bell on standard error.
void Beep();
// Shows the text on standard error and waits for one key; returns it (or EOF).
int ShowWarning(char const* text);
// Asks on standard error; true when the key read is 'y' or 'Y'.
bool ShowQuery(char const* text);

// Compares dotted version numbers component by component: the first non-zero
// difference component(a) - component(b), or 0. "1.10" against "1.9" gives 1.
long VersionDifference(char const* a, char const* b);

// Line-end conversion of whole strings into a caller's buffer. MakeCRLF needs
// 2 * strlen(src) + 1 bytes in dst, the other two strlen(src) + 1.
char* MakeCRLF(char const* src, char* dst);
char* MakeLFOnly(char const* src, char* dst);
char* MakeCROnly(char const* src, char* dst);

// Writes the name of every entry of the directory, "." and ".." included, one
// per line in the order the system lists them; nothing when it cannot be opened.
void EnumDirContents(char const* path, UStream* out);
