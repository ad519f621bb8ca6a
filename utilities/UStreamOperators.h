#pragma once
// The streaming operators of UStream: single values with their kind's
// writer and reader, containers with their dimensions (the WithSize forms),
// and a text with PutString (its characters and a NUL byte).
#include "utilities/UStream.h"

// Bool
inline UStream& operator<<(UStream& s, bool x)
{
    s.PutBool(x);
    return s;
}
inline UStream& operator<<(UStream& s, std::vector<bool> const& x)
{
    s.PutBoolWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, bool& x)
{
    x = s.GetBool();
    return s;
}
inline UStream& operator>>(UStream& s, std::vector<bool>& x)
{
    s.GetBoolWithSize(x);
    return s;
}

// Byte
inline UStream& operator<<(UStream& s, unsigned char x)
{
    s.PutByte(x);
    return s;
}
inline UStream& operator<<(UStream& s, std::vector<unsigned char> const& x)
{
    s.PutByteWithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UVector<unsigned char> const& x)
{
    s.PutByteWithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UMatrix<unsigned char> const& x)
{
    s.PutByteWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, unsigned char& x)
{
    x = s.GetByte();
    return s;
}
inline UStream& operator>>(UStream& s, std::vector<unsigned char>& x)
{
    s.GetByteWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UVector<unsigned char>& x)
{
    s.GetByteWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UMatrix<unsigned char>& x)
{
    s.GetByteWithSize(x);
    return s;
}

// Int8
inline UStream& operator<<(UStream& s, signed char x)
{
    s.PutInt8(x);
    return s;
}
inline UStream& operator<<(UStream& s, std::vector<signed char> const& x)
{
    s.PutInt8WithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UVector<signed char> const& x)
{
    s.PutInt8WithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UMatrix<signed char> const& x)
{
    s.PutInt8WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, signed char& x)
{
    x = s.GetInt8();
    return s;
}
inline UStream& operator>>(UStream& s, std::vector<signed char>& x)
{
    s.GetInt8WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UVector<signed char>& x)
{
    s.GetInt8WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UMatrix<signed char>& x)
{
    s.GetInt8WithSize(x);
    return s;
}

// Int16
inline UStream& operator<<(UStream& s, short x)
{
    s.PutInt16(x);
    return s;
}
inline UStream& operator<<(UStream& s, std::vector<short> const& x)
{
    s.PutInt16WithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UVector<short> const& x)
{
    s.PutInt16WithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UMatrix<short> const& x)
{
    s.PutInt16WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, short& x)
{
    x = s.GetInt16();
    return s;
}
inline UStream& operator>>(UStream& s, std::vector<short>& x)
{
    s.GetInt16WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UVector<short>& x)
{
    s.GetInt16WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UMatrix<short>& x)
{
    s.GetInt16WithSize(x);
    return s;
}

// Int32
inline UStream& operator<<(UStream& s, long x)
{
    s.PutInt32(x);
    return s;
}
inline UStream& operator<<(UStream& s, std::vector<long> const& x)
{
    s.PutInt32WithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UVector<long> const& x)
{
    s.PutInt32WithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UMatrix<long> const& x)
{
    s.PutInt32WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, long& x)
{
    x = s.GetInt32();
    return s;
}
inline UStream& operator>>(UStream& s, std::vector<long>& x)
{
    s.GetInt32WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UVector<long>& x)
{
    s.GetInt32WithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UMatrix<long>& x)
{
    s.GetInt32WithSize(x);
    return s;
}

// Float
inline UStream& operator<<(UStream& s, float x)
{
    s.PutFloat(x);
    return s;
}
inline UStream& operator<<(UStream& s, std::vector<float> const& x)
{
    s.PutFloatWithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UVector<float> const& x)
{
    s.PutFloatWithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UMatrix<float> const& x)
{
    s.PutFloatWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, float& x)
{
    x = s.GetFloat();
    return s;
}
inline UStream& operator>>(UStream& s, std::vector<float>& x)
{
    s.GetFloatWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UVector<float>& x)
{
    s.GetFloatWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UMatrix<float>& x)
{
    s.GetFloatWithSize(x);
    return s;
}

// Double
inline UStream& operator<<(UStream& s, double x)
{
    s.PutDouble(x);
    return s;
}
inline UStream& operator<<(UStream& s, std::vector<double> const& x)
{
    s.PutDoubleWithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UVector<double> const& x)
{
    s.PutDoubleWithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UMatrix<double> const& x)
{
    s.PutDoubleWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, double& x)
{
    x = s.GetDouble();
    return s;
}
inline UStream& operator>>(UStream& s, std::vector<double>& x)
{
    s.GetDoubleWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UVector<double>& x)
{
    s.GetDoubleWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UMatrix<double>& x)
{
    s.GetDoubleWithSize(x);
    return s;
}

// Complex
inline UStream& operator<<(UStream& s, std::complex<double> const& x)
{
    s.PutComplex(x);
    return s;
}
inline UStream& operator<<(UStream& s, std::vector<std::complex<double>> const& x)
{
    s.PutComplexWithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UVector<std::complex<double>> const& x)
{
    s.PutComplexWithSize(x);
    return s;
}
inline UStream& operator<<(UStream& s, UMatrix<std::complex<double>> const& x)
{
    s.PutComplexWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, std::complex<double>& x)
{
    x = s.GetComplex();
    return s;
}
inline UStream& operator>>(UStream& s, std::vector<std::complex<double>>& x)
{
    s.GetComplexWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UVector<std::complex<double>>& x)
{
    s.GetComplexWithSize(x);
    return s;
}
inline UStream& operator>>(UStream& s, UMatrix<std::complex<double>>& x)
{
    s.GetComplexWithSize(x);
    return s;
}

inline UStream& operator<<(UStream& s, char const* text)
{
    s.PutString(text, -1);
    return s;
}
