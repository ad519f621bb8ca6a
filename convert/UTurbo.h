#pragma once
// Reader and writer of Turbomole's $-section text files and of aoforce output.
#include "convert/UFilter.h"
#include "molecule/UQBasis.h"
#include "molecule/UQGauss.h"
#include "utilities/UMatVec.h"

#include <utility>
#include <vector>

class UQGeometryData;

// Indexes sectionHeader: the keyword that a header line starts with.
enum TurboFileSectionType {
    tfsEnd = 0,
    tfsCoord = 1,
    tfsGrad = 2,
    tfsHessian = 3,
    tfsScfMo = 4,
    tfsUhfMoAlpha = 5,
    tfsUhfMoBeta = 6,
    tfsVibrations = 7,
    tfsBasis = 8,
    tfsAtoms = 9,
    tfsClosed = 10,
    tfsAlpha = 11,
    tfsBeta = 12,
    tfsRunDimensions = 13,
    tfsEcp = 14,
    tfsPople = 15,
    tfsEnergy = 16,
    tfsOpen = 17,
    tfsPeriodic = 18
};

// The 19 section keywords in TurboFileSectionType order, closed by "".
extern const char* sectionHeader[];

class UTurboFilter : public UFilter {
public:
    // Records hold at most this many characters.
    static constexpr long recordLength = 2047;

    explicit UTurboFilter(UStream* stream);
    ~UTurboFilter() override;

    // Reads the next record into the filter and a copy of at most len - 1
    // characters into buf; returns 1 for a header, 0 for a data line.
    long GetRecord(char* buf, long len);
    long GetRecordType() const { return recordType; }
    long GetSectionType() const { return sectionType; }
    // Copies the current record into buf, at most len - 1 characters.
    void GetRecordText(char* buf, long len) const;
    // While set, empty lines and lines starting with '#' are not records.
    bool GetSkipEmptyLines() const { return skipEmptyLines; }
    // Sections that ReadGeometry handed to a reader; unknown ones it skipped
    // are not counted.
    long GetSectionsRead() const { return sectionsRead; }
    void SetSkipEmptyLines(bool skip) { skipEmptyLines = skip; }

    // Section dispatch over a whole file.
    void ReadGeometry(UQGeometryData* geom);
    void ReadControl(UQGeometryData* geom);
    // aoforce output.
    void ReadVibrations(UQGeometryData* geom);

    // Parses a Turbomole index list (1-5,7) into a 0/1 mask; text must hold
    // 2048 characters since continuation lines are read into it. Returns
    // whether the last line taken ends with a backslash. A list names at most
    // maxListIndex; the lists of one file together span at most that many
    // indices, or more in proportion to the characters read (else 25010).
    bool ReadList(UVector<long>& mask, char* text);

    void PutSection(TurboFileSectionType type);
    void PutData(const char* text);

    // Section readers: entered with their header current, they return with
    // the record that ends the section current.
    void ReadCoordinates(UQGeometryData* geom);
    void ReadEnergy(UQGeometryData* geom);
    void ReadGradients(UQGeometryData* geom);
    void ReadHessian(UQGeometryData* geom);
    void ReadBasis(UQGeometryData* geom);
    void ReadEcp(UQGeometryData* geom);
    void ReadBasisType(UQGeometryData* geom, const char* header);
    void ReadAtomBasis(UQGeometryData* geom);
    // Every line of "$closed shells", "$alpha shells", "$beta shells" or "$open shells" (type
    // 10, 11, 12 or 17), each with its own occupation; "$open shells" adds to the restricted set.
    void ReadOccupations(UQGeometryData* geom, TurboFileSectionType type);
    void ReadDimension(UQGeometryData* geom);
    void ReadOrbitals(UQGeometryData* geom, TurboFileSectionType type, const char* header);

    // Section writers, header to "$end".
    void WriteCoordinates(UQGeometryData* geom);
    void WriteGradients(UQGeometryData* geom);
    void WriteHessian(UQGeometryData* geom);
    void WriteOrbitals(UQGeometryData* geom, TurboFileSectionType type);

    ShellType GetShellType(const char* name, BasFuncType dType, BasFuncType fType) const;

private:
    // The ranges of an index list, first to last (1-based), as written.
    using IndexRanges = std::vector<std::pair<long, long>>;

    // Reads records up to the next header.
    void SkipToHeader();
    // Once the control file is read, every atom of the molecule must have a
    // basis set (25007), or its functions would be missing from the orbitals.
    void RequireBasisForEveryAtom(UQGeometryData* geom);
    // ReadList without the mask: the list's ranges, each range that ends
    // below its start kept as written.
    bool ReadIndexRanges(IndexRanges& ranges, char* text);

    // Per OrbitalType, the orbitals that occupation lines named so far: a second line may name
    // one again, but not with another occupation.
    std::vector<bool> occupationGiven[3];
    char record[recordLength + 1];
    long listIndices;     // indices spanned by the lists read so far
    long charactersRead;  // of the lines read so far, line ends included
    long sectionsRead;
    long recordType;
    long sectionType;
    bool skipEmptyLines;
};
