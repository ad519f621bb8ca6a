#pragma once
// Words and numbers of the text records that the Turbomole and Molden readers
// take apart.

namespace FieldText {

// Every exponent letter of s (eEdDfFgG) becomes 'e', so that exponents
// written with D (1.0D-03) read as numbers.
void AdjustExponentLetters(char* s);

// Trims s and cuts it at its first blank: s keeps the first word, the result
// points at the trimmed rest. Null when s holds no blank after trimming.
char* CutWord(char* s);

// Scans text as one decimal number (sign, digits, point, exponent e or E),
// apart from surrounding blanks. "nan", "inf", hexadecimal text and values
// beyond the range of a double are not numbers here.
bool ScanDouble(const char* text, double& value);
// ScanDouble with any exponent letter of AdjustExponentLetters taken for 'e';
// text is not changed.
bool ScanNumberField(const char* text, double& value);
// ScanNumberField of the length characters from text on, which hold no NUL.
bool ScanNumberField(const char* text, long length, double& value);
bool ScanLong(const char* text, long& value);

}  // namespace FieldText
