#pragma once
// Text helpers shared by the Turbomole section readers.
#include "utilities/UMatVec.h"

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

// The number fields of the files: text must scan as one number, exponent
// letters included (FieldText::ScanNumberField); 25010 at line otherwise.
double NumberField(const char* text, int line);
// NumberField of the length characters from text on, which hold no NUL.
double NumberField(const char* text, long length, int line);

}  // namespace TurboText
