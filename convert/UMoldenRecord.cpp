// Reading a Molden file line by line, and the dispatcher that hands each
// section of a whole file to its reader.
#include <cstring>

#include "convert/FieldText.h"
#include "convert/UMolden.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"

namespace {
const char* const sourceName = "UMolden";
}

void UMoldenFilter::AdjustExpChars(char* s) const { FieldText::AdjustExponentLetters(s); }

long UMoldenFilter::GetRecord(char* buf, long len)
{
    recordType = -2;
    // Without room for a character no line would ever be read.
    if (len < 1) RaiseError(umIndexOutOfRange, sourceName, __LINE__);
    bool skippedEmpty = false;
    for (;;) {
        buf[0] = '\0';
        if (stream->GetAtEOF()) {
            if (!skippedEmpty) RaiseError(cmUnexpectedEof, sourceName, __LINE__);
            // Empty lines at the end of a file end its last section.
            recordType = 1;
            sectionType = mfsNone;
            sectionLine[0] = '\0';
            return recordType;
        }
        stream->GetLine(buf, len);
        buf[len] = '\0';
        // A line that filled buf is too long unless its line end (or the end
        // of the stream) comes next.
        if ((long)std::strlen(buf) == len && !stream->GetAtEOF()) {
            char next = '\0';
            stream->GetLine(&next, 1);
            if (next != '\0') RaiseError(cmInvalidMoldenFile, sourceName, __LINE__);
        }
        strdetab(buf);
        if (buf[0] != '\0') break;
        skippedEmpty = true;
    }
    if (buf[0] != '[') {
        recordType = 0;
        return recordType;
    }
    recordType = 1;
    strtrim(buf);
    long length = (long)std::strlen(buf);
    sectionType = -2;
    for (long i = 1; i < 21; ++i) {
        long n = (long)std::strlen(sectionHeader[i]);
        if (length >= n && memicmp(buf, sectionHeader[i], n) == 0) {
            sectionType = i;
            break;
        }
    }
    std::strncpy(sectionLine, buf, recordLength);
    sectionLine[recordLength] = '\0';
    return recordType;
}

bool UMoldenFilter::NextDataLine(char* line)
{
    if (stream->GetAtEOF()) return false;
    return GetRecord(line, recordLength) == 0;
}

void UMoldenFilter::SkipSection()
{
    char line[recordLength + 1];
    while (NextDataLine(line)) {}
}

void UMoldenFilter::ReadGeometry(UQGeometryData* geom)
{
    char line[recordLength + 1];
    GetRecord(line, recordLength);
    // A file of empty lines is as empty as one without any.
    if (recordType == 1 && sectionType == mfsNone)
        RaiseError(cmUnexpectedEof, sourceName, __LINE__);
    for (;;) {
        if (recordType == 0) {
            // Lines of blanks may stand outside the sections; nothing else may,
            // also not as the last line.
            strtrim(line);
            if (line[0] != '\0') RaiseError(cmInvalidMoldenFile, sourceName, __LINE__);
            if (stream->GetAtEOF()) return;
            GetRecord(line, recordLength);
            continue;
        }
        // A section line that ends the file has nothing to read.
        if (stream->GetAtEOF()) return;
        switch (sectionType) {
        case mfsMoldenFormat:
            GetRecord(line, recordLength);
            continue;
        case mfsFreq:
            ReadFrequencies(geom);
            break;
        case mfsFrCoord:
            ReadFreqCoordinates(geom);
            break;
        case mfsFrNormCoord:
            ReadVibrations(geom);
            break;
        case mfsAtoms:
            std::strcpy(line, sectionLine);
            ReadCoordinates(geom, line);
            break;
        default:
            // Title, basis set, orbitals, intensities, histories and the
            // sections of other programs carry nothing for the geometry.
            SkipSection();
        }
        // A section ends at the next section line or with the file's last line.
        if (recordType == 0) return;
    }
}
