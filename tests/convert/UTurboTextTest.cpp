// The number rule of the Turbomole readers: what is a number and what is damage.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "convert/FieldText.h"
#include "convert/UTurboText.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"

namespace {

TEST(TurboNumbers, DecimalTextOnly)
{
    struct Case {
        const char* text;
        bool scans;
        double value;
    } cases[] = {
        {"1.5", true, 1.5},     {"  -0.25  ", true, -0.25},
        {"+3", true, 3.0},      {".5", true, 0.5},
        {"2.", true, 2.0},      {"-1.5e-3", true, -0.0015},
        {"1E+02", true, 100.0}, {"1e-400", true, 0.0},
        {"", false, 0},         {"   ", false, 0},
        {".", false, 0},        {"-", false, 0},
        {"1.5x", false, 0},     {"1.0.0", false, 0},
        {"1 2", false, 0},      {"1e", false, 0},
        {"1e+", false, 0},      {"1D-3", false, 0},
        {"nan", false, 0},      {"-nan", false, 0},
        {"inf", false, 0},      {"infinity", false, 0},
        {"0x1p3", false, 0},    {"1e999", false, 0},
        {"-1e400", false, 0},   {"0.1234-100", false, 0},
        {"12:45678", false, 0}, {"1e ", false, 0},
        {"1e- ", false, 0},
    };
    for (const Case& c : cases) {
        double value = -99.0;
        EXPECT_EQ(c.scans, FieldText::ScanDouble(c.text, value)) << c.text;
        if (c.scans)
            EXPECT_DOUBLE_EQ(c.value, value) << c.text;
        else
            EXPECT_EQ(-99.0, value) << c.text;
    }
}

TEST(TurboNumbers, ValuesAreBitForBitThoseOfStrtod)
{
    // Field-like texts of every digit count around the exact fast range,
    // with exponents inside and beyond it, and a few hand-picked hard ones.
    std::vector<std::string> texts = {"0.0",
                                      "-0.0",
                                      "-0",
                                      "0.1",
                                      "1e22",
                                      "1e23",
                                      "9007199254740993",
                                      "9007199254740992",
                                      "-900719925474099.25",
                                      "9999999999999999999",
                                      "18446744073709551617",
                                      "0.0000000000000000000000012345",
                                      "123456789012345",
                                      "1234567890123456",
                                      "0.30000000000000004",
                                      "2.2250738585072014e-308",
                                      "4.9e-324",
                                      "000000000000000000001.5",
                                      "1." + std::string(30, '0') + "1",
                                      "1.7976931348623157e308"};
    std::mt19937_64 rng(4106);
    char text[64];
    for (int k = 0; k < 200000; ++k) {
        int const digits = 1 + (int)(rng() % 18);
        int const point = (int)(rng() % (digits + 1));
        int const exponent = (int)(rng() % 61) - 30;
        std::string t = rng() % 2 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            if (d == point) t += '.';
            t += (char)('0' + rng() % 10);
        }
        snprintf(text, sizeof text, "%se%+03d", t.c_str(), exponent);
        texts.push_back(text);
        // As the orbital files have them: "%20.13E".
        snprintf(text, sizeof text, "%20.13E",
                 std::ldexp((double)(rng() >> 11), -53) * (rng() % 2 ? 1 : -1));
        texts.push_back(text);
    }
    for (const std::string& t : texts) {
        double value = -99.0;
        ASSERT_TRUE(FieldText::ScanDouble(t.c_str(), value)) << t;
        double const want = std::strtod(t.c_str(), nullptr);
        ASSERT_EQ(0, std::memcmp(&want, &value, sizeof value)) << t;
        // The same text as a field of a line that goes on with digits.
        std::string const line = t + "12345678";
        double field = -99.0;
        ASSERT_TRUE(FieldText::ScanNumberField(line.c_str(), (long)t.size(), field)) << t;
        ASSERT_EQ(0, std::memcmp(&want, &field, sizeof field)) << t;
    }
}

TEST(TurboNumbers, FieldsEndAtTheirWidth)
{
    // The next field's characters follow at once; only the first length count.
    struct Case {
        const char* line;
        long length;
        bool scans;
        double value;
    } cases[] = {
        {"-.20551614518074D+02-.1D+01", 20, true, -20.551614518074},
        {"1.5D+0012", 7, true, 1.5},
        {"12345678901234567890", 8, true, 12345678.0},
        {"123456789", 9, true, 123456789.0},
        {"0.25  9", 6, true, 0.25},
        {"  7.0D-01", 9, true, 0.7},
        {"1.5D+0", 4, false, 0},
        {"1.5D+0", 5, false, 0},
        {"-", 1, false, 0},
        {" 1.0 2.0", 8, false, 0},
        {"        ", 8, false, 0},
    };
    for (const Case& c : cases) {
        double value = -99.0;
        EXPECT_EQ(c.scans, FieldText::ScanNumberField(c.line, c.length, value))
            << c.line << " " << c.length;
        EXPECT_EQ(c.scans ? c.value : -99.0, value) << c.line << " " << c.length;
    }
}

TEST(TurboNumbers, FieldsAdjustExponentLettersOrRaise25010)
{
    RegisterMessages();
    // The last needs more digits than the exact fast path holds.
    const char* good[][2] = {{"-0.1234D+02", "-12.34"},
                             {"1.5d-3", "0.0015"},
                             {"2.0F1", "20"},
                             {"2.0g1", "20"},
                             {"0.12345678901234567D+02", "12.345678901234567"}};
    for (auto& c : good) {
        EXPECT_EQ(std::stod(c[1]), TurboText::NumberField(c[0], 7)) << c[0];
    }
    for (const char* bad : {"nan", "1.0Q2", "", "0x10", "1D ", "0.1234:678"}) {
        std::string message;
        EXPECT_EQ(cmInvalidTurbomoleFile,
                  RaisedCode([&] { TurboText::NumberField(bad, 7); }, &message))
            << bad;
        EXPECT_EQ("Invalid Turbomole file header/contents.\nError in file UTurbo line 7", message);
    }
}

}  // namespace
