#include "fe/RealNumbers.h"

#include <cmath>

double AbsValue(double value)
{
    return std::fabs(value);
}

float AbsFloat(float value)
{
    return std::fabs(value);
}

bool IsNormalNumber(double value)
{
    const int kind = std::fpclassify(value);
    return kind == FP_ZERO || kind == FP_NORMAL;
}
