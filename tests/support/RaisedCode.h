#pragma once
// The code of the error that a call raises, or 0 when it raises none.
#include <string>

#include "utilities/CustExcept.h"

// Runs body and returns the code of the CustomException it raises (0 when it
// raises none); text, when given, receives the exception's message.
template <class Body>
int RaisedCode(Body body, std::string* text = nullptr)
{
    try {
        body();
    } catch (CustomException const& e) {
        if (text != nullptr) *text = e.Text;
        return e.Code;
    }
    return 0;
}
