#pragma once
// Text helpers shared by the Turbomole section readers.
#include "utilities/UMatVec.h"

class UFilter;

namespace TurboText {

// Index lists name at most this index; larger ones are taken as damage.
const long maxListIndex = 1L << 24;
// Beyond maxListIndex, the indices that the lists of a file span together
// may reach this many per character of the file read so far.
const long listIndicesPerCharacter = 1024;

// The digits from begin up to end as a number; saturates above maxListIndex.
long GetInt(const char* begin, const char* end);
// Grows mask with zeros until it holds index last, then marks first to last.
void AddOcc(long first, long last, UVector<long>& mask);
// True when the trimmed line is not empty and ends with a backslash.
bool hasContinue(const char* line);
// strtrim, then drops one trailing backslash and trims again.
void strtrim1(char* s);

// Trims s and cuts it at its first blank: s keeps the first word, the result
// points at the trimmed rest. Null when s holds no blank after trimming.
char* CutWord(char* s);
// Scans text as one decimal number (sign, digits, point, exponent e or E),
// apart from surrounding blanks. "nan", "inf", hexadecimal text and values
// beyond the range of a double are not numbers here.
bool ScanDouble(const char* text, double& value);
bool ScanLong(const char* text, long& value);
// The number fields of the files: text must scan as one number once the
// exponent letters of the filter's AdjustExpChars are taken for 'e' (text is
// not changed); 25010 at line otherwise.
double NumberField(const UFilter& filter, char* text, int line);

}  // namespace TurboText
