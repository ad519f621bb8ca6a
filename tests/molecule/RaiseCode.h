#pragma once
// The code of the error that a call raises, or 0 when it raises none.
#include <functional>

#include "utilities/CustExcept.h"

inline int RaisedCode(const std::function<void()>& call)
{
    try {
        call();
    } catch (CustomException const& e) {
        return e.Code;
    }
    return 0;
}
