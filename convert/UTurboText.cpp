#include "convert/UTurboText.h"

#include <cstring>

#include "convert/FieldText.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"

namespace TurboText {

long GetInt(const char* begin, const char* end)
{
    long value = 0;
    for (const char* c = begin; c < end && *c >= '0' && *c <= '9'; ++c) {
        value = value * 10 + (*c - '0');
        if (value > maxListIndex) return maxListIndex + 1;
    }
    return value;
}

void AddOcc(long first, long last, UVector<long>& mask)
{
    long old = mask.GetDim();
    if (old <= last) {
        mask.SetDim(last + 1);
        for (long i = old; i <= last; ++i) mask[i] = 0;
    }
    for (long i = first < 0 ? 0 : first; i <= last; ++i) mask[i] = 1;
}

bool hasContinue(const char* line)
{
    long n = (long)strlen(line);
    while (n > 0 && line[n - 1] == ' ') --n;
    return n > 0 && line[n - 1] == '\\';
}

void strtrim1(char* s)
{
    strtrim(s);
    long n = (long)strlen(s);
    if (n > 0 && s[n - 1] == '\\') {
        s[n - 1] = '\0';
        strtrim(s);
    }
}

double NumberField(const char* text, int line)
{
    return NumberField(text, (long)strlen(text), line);
}

double NumberField(const char* text, long length, int line)
{
    double value;
    if (!FieldText::ScanNumberField(text, length, value))
        RaiseError(cmInvalidTurbomoleFile, "UTurbo", line);
    return value;
}

}  // namespace TurboText
