// Turbomole records: header and data lines, index lists, small writers.
#include "convert/UTurbo.h"

#include <cstring>

#include "convert/UTurboText.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStream.h"

using namespace TurboText;

const char* sectionHeader[] = {"$end",   "$coord",         "$grad",        "$hessian",
                               "$scfmo", "$uhfmo_alpha",   "$uhfmo_beta",  "$vibrations",
                               "$basis", "$atoms",         "$closed",      "$alpha",
                               "$beta",  "$rundimensions", "$ecp",         "$pople",
                               "$energy", ""};

UTurboFilter::UTurboFilter(UStream* stream)
    : UFilter(stream, true), listIndices(0), sectionsRead(0), recordType(-1), sectionType(-1), skipEmptyLines(true) {
    record[0] = '\0';
}

UTurboFilter::~UTurboFilter() {}

long UTurboFilter::GetRecord(char* buf, long len) {
    recordType = -2;
    // Turbomole writes '#' comment lines into every kind of file, anywhere;
    // they go wherever empty lines go.
    do {
        UFilter::GetRecord(record, recordLength);
    } while (skipEmptyLines && (record[0] == '\0' || record[0] == '#'));
    if (record[0] == '$') {
        recordType = 1;
        strtrim(record);
        sectionType = GetNamedStart(record, sectionHeader);
        if (sectionType < 0) sectionType = -2;
    } else {
        recordType = 0;
    }
    GetRecordText(buf, len);
    return recordType;
}

void UTurboFilter::GetRecordText(char* buf, long len) const {
    if (buf == nullptr || len < 1) return;
    size_t n = strlen(record);
    if ((long)n > len - 1) n = (size_t)(len - 1);
    memcpy(buf, record, n);
    buf[n] = '\0';
}

void UTurboFilter::SkipToHeader() {
    while (GetRecord(nullptr, 0) != 1) {
    }
}

bool UTurboFilter::ReadList(UVector<long>& mask, char* text) {
    const long textSize = recordLength + 1;
    bool cont = hasContinue(text);
    // A backslash where the list goes on: the rest comes from the next line.
    auto continueAtBackslash = [&] {
        if (text[0] != '\\') return;
        if (GetRecord(text, textSize) == 1) RaiseError(25010, "UTurbo", __LINE__);
        cont = hasContinue(text);
        strtrim(text);
    };
    // The index the text starts with, taken off it; a range needs its end.
    auto takeIndex = [&] {
        char* p = text;
        while (*p >= '0' && *p <= '9') ++p;
        if (p == text) RaiseError(25010, "UTurbo", __LINE__);
        long index = GetInt(text, p);
        memmove(text, p, strlen(p) + 1);
        strtrim(text);
        return index;
    };
    mask.SetDim(0);
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
        if (first > maxListIndex || last > maxListIndex) RaiseError(25010, "UTurbo", __LINE__);
        // Each mask costs time and memory in proportion to its largest index, so
        // repeated huge lists are bounded together as one list is.
        if (listIndices + Max(mask.GetDim(), last) > maxListIndex) RaiseError(25010, "UTurbo", __LINE__);
        AddOcc(first - 1, last - 1, mask);
        if (text[0] == ',') text[0] = ' ';
    }
    listIndices += mask.GetDim();
    return cont;
}

void UTurboFilter::PutSection(TurboFileSectionType type) {
    if (type < tfsEnd || type > tfsEnergy) RaiseError(25010, "UTurbo", __LINE__);
    input->printf("%s\n", sectionHeader[type]);
}

void UTurboFilter::PutData(const char* text) { input->printf("%s\n", text); }

