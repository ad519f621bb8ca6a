// Turbomole records: header and data lines, index lists, small writers.
#include "convert/UTurbo.h"

#include <cstring>

#include "convert/UTurboText.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStream.h"

using namespace TurboText;

namespace {
const char* const sourceName = "UTurbo";
}  // namespace

const char* sectionHeader[] = {"$end",    "$coord",         "$grad",       "$hessian",
                               "$scfmo",  "$uhfmo_alpha",   "$uhfmo_beta", "$vibrations",
                               "$basis",  "$atoms",         "$closed",     "$alpha",
                               "$beta",   "$rundimensions", "$ecp",        "$pople",
                               "$energy", "$open",          "$periodic",   ""};

UTurboFilter::UTurboFilter(UStream* stream)
    : UFilter(stream, true), listIndices(0), charactersRead(0), sectionsRead(0), recordType(-1),
      sectionType(-1), skipEmptyLines(true)
{
    record[0] = '\0';
}

UTurboFilter::~UTurboFilter() {}

namespace {

// At most len - 1 characters of the record of the given length into buf.
void CopyRecord(const char* record, long length, char* buf, long len)
{
    if (buf == nullptr || len < 1) return;
    long const n = length > len - 1 ? len - 1 : length;
    memcpy(buf, record, (size_t)n);
    buf[n] = '\0';
}

}  // namespace

long UTurboFilter::GetRecord(char* buf, long len)
{
    recordType = -2;
    // Turbomole writes '#' comment lines into every kind of file, anywhere;
    // they go wherever empty lines go.
    long length;
    do {
        length = UFilter::GetRecord(record, recordLength);
        charactersRead += length + 1;
    } while (skipEmptyLines && (record[0] == '\0' || record[0] == '#'));
    if (record[0] == '$') {
        recordType = 1;
        strtrim(record);
        length = (long)strlen(record);
        sectionType = GetNamedStart(record, sectionHeader);
        if (sectionType < 0) sectionType = -2;
    } else {
        recordType = 0;
    }
    CopyRecord(record, length, buf, len);
    return recordType;
}

void UTurboFilter::GetRecordText(char* buf, long len) const
{
    CopyRecord(record, (long)strlen(record), buf, len);
}

void UTurboFilter::SkipToHeader()
{
    while (GetRecord(nullptr, 0) != 1) {}
}

bool UTurboFilter::ReadList(UVector<long>& mask, char* text)
{
    IndexRanges ranges;
    bool cont = ReadIndexRanges(ranges, text);
    mask.SetDim(0);
    for (const std::pair<long, long>& r : ranges) AddOcc(r.first - 1, r.second - 1, mask);
    return cont;
}

bool UTurboFilter::ReadIndexRanges(IndexRanges& ranges, char* text)
{
    const long textSize = recordLength + 1;
    bool cont = hasContinue(text);
    // A backslash where the list goes on: the rest comes from the next line.
    auto continueAtBackslash = [&] {
        if (text[0] != '\\') return;
        if (GetRecord(text, textSize) == 1)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        cont = hasContinue(text);
        strtrim(text);
    };
    // The index the text starts with, taken off it; a range needs its end.
    auto takeIndex = [&] {
        char* p = text;
        while (*p >= '0' && *p <= '9') ++p;
        if (p == text) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        long index = GetInt(text, p);
        memmove(text, p, strlen(p) + 1);
        strtrim(text);
        return index;
    };
    ranges.clear();
    // The length of the list's mask: its largest range end.
    long span = 0;
    for (;;) {
        strtrim(text);
        if (text[0] < '1' || text[0] > '9') break;
        long first = takeIndex();
        continueAtBackslash();
        long last = first;
        if (text[0] == '-') {
            text[0] = ' ';
            strtrim(text);
            continueAtBackslash();
            last = takeIndex();
        }
        // Masks are sized from the indices: a huge one is damage, not a list.
        if (first > maxListIndex || last > maxListIndex)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        // A mask, and the atoms or orbitals it names, cost in proportion to
        // its span. Beyond one huge list the lists of a file must be backed
        // by its size: many short lists of a large molecule are, repeated
        // huge lists in a few lines are not.
        span = Max(span, last);
        if (listIndices + span > Max(maxListIndex, listIndicesPerCharacter * charactersRead))
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        ranges.emplace_back(first, last);
        if (text[0] == ',') {
            // Turbomole breaks a long list after a comma, too.
            text[0] = ' ';
            strtrim(text);
            continueAtBackslash();
        }
    }
    listIndices += span;
    return cont;
}

void UTurboFilter::PutSection(TurboFileSectionType type)
{
    if (type < tfsEnd || type > tfsEnergy) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    input->printf("%s\n", sectionHeader[type]);
}

void UTurboFilter::PutData(const char* text) { input->printf("%s\n", text); }
