#pragma once
// Streams over given text for the Turbomole filter tests, and the message
// tables that error texts are looked up in.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "molecule/UQGeom.h"
#include "tests/support/RaisedCode.h"
#include "utilities/CustExcept.h"
#include "utilities/UStream.h"

// Registers the utilities and chemistry message tables once per process.
void RegisterMessages();

// A stream over a temporary file that starts out holding text.
class TextStream {
public:
    explicit TextStream(const std::string& text = "");
    UStream* Get() { return stream.get(); }
    // Everything the file holds now.
    std::string Contents();

private:
    FILE* file;
    std::unique_ptr<UFilePointerStream> stream;
};

// The contents of a file of the shared real data, "" when absent.
std::string SharedFile(const std::string& relative);

// Every number of a text such as expected-vib.json, in order.
std::vector<double> NumbersIn(const std::string& text);

// Reads contents as a whole Turbomole file (ReadGeometry) or as a control
// file (ReadControl); returns the raised code, 0 when none.
int ReadTurboFile(UQGeometryData& geom, const std::string& contents,
                  std::string* message = nullptr);
int ReadControlFile(UQGeometryData& geom, const std::string& contents);

// A molecule that whole files are read into, the message tables registered.
class TurboFileTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterMessages(); }
    int Read(const std::string& contents) { return ReadTurboFile(geom, contents); }
    int ReadControl(const std::string& contents) { return ReadControlFile(geom, contents); }

    UQGeometryData geom;
};
