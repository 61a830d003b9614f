#pragma once

// The value with its sign bit cleared.
double AbsValue(double value);
float AbsFloat(float value);

// True for zero and for normal finite values of either sign; false for NaN, the infinities and
// denormal values. Writers check values with it before putting them into output files.
bool IsNormalNumber(double value);
