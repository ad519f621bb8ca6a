// Section dispatch: a whole Turbomole file, section by section.
#include <cstring>

#include "convert/FieldText.h"
#include "convert/UTurbo.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"

namespace {

const char* const sourceName = "UTurbo";

// A header such as "$coord    file=coord" names the file that holds its section.
bool NamesItsFile(const char* header) { return strstr(header, " file=") != nullptr; }

// "$periodic 1", 2 or 3: a chain, a slab or a crystal, whose cell's orbitals a Molden file, made
// for molecules, cannot describe. "$periodic 0" is a molecule.
void RefusePeriodic(const char* header)
{
    long dimensions = 0;
    if (FieldText::ScanLong(header + strlen(sectionHeader[tfsPeriodic]), dimensions) &&
        dimensions >= 1 && dimensions <= 3)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
}

}  // namespace

void UTurboFilter::ReadGeometry(UQGeometryData* geom)
{
    char header[recordLength + 1];
    GetRecord(nullptr, 0);
    for (;;) {
        if (recordType != 1) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        // Only a control file points to the files of its sections: there is no data here,
        // and read as an empty section it would meet the atoms with a misleading count.
        if (sectionType > tfsEnd && NamesItsFile(record))
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        switch (sectionType) {
        case tfsEnd:
            return;
        case tfsCoord:
            ReadCoordinates(geom);
            break;
        case tfsGrad:
            ReadGradients(geom);
            break;
        case tfsHessian:
            ReadHessian(geom);
            break;
        case tfsEnergy:
            ReadEnergy(geom);
            break;
        case tfsScfMo:
        case tfsUhfMoAlpha:
        case tfsUhfMoBeta:
            GetRecordText(header, sizeof header);
            ReadOrbitals(geom, (TurboFileSectionType)sectionType, header);
            break;
        case tfsBasis:
            ReadBasis(geom);
            break;
        case tfsEcp:
            ReadEcp(geom);
            break;
        case tfsPople:
            GetRecordText(header, sizeof header);
            ReadBasisType(geom, header);
            break;
        case tfsPeriodic:
            RefusePeriodic(record);
            SkipToHeader();
            continue;
        case -2:
            // Turbomole writes sections of its own into these files
            // ("$redundant", "$user-defined bonds"); they carry nothing for us.
            SkipToHeader();
            continue;
        default:
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        }
        ++sectionsRead;
    }
}

void UTurboFilter::ReadControl(UQGeometryData* geom)
{
    char header[recordLength + 1];
    GetRecord(nullptr, 0);
    for (;;) {
        if (recordType != 1) {
            GetRecord(nullptr, 0);
            continue;
        }
        switch (sectionType) {
        case tfsEnd:
            RequireBasisForEveryAtom(geom);
            return;
        case tfsAtoms:
            ReadAtomBasis(geom);
            break;
        case tfsClosed:
        case tfsAlpha:
        case tfsBeta:
        case tfsOpen:
            ReadOccupations(geom, (TurboFileSectionType)sectionType);
            break;
        case tfsRunDimensions:
            ReadDimension(geom);
            break;
        case tfsPople:
            GetRecordText(header, sizeof header);
            ReadBasisType(geom, header);
            break;
        case tfsPeriodic:
            RefusePeriodic(record);
            GetRecord(nullptr, 0);
            break;
        default:
            GetRecord(nullptr, 0);
        }
    }
}
