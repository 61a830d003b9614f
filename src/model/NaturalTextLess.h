#pragma once

#include <QString>

// Natural-order comparison of two texts: runs of decimal digits compare by their numeric value, other
// characters one UTF-16 unit at a time. With `ascending` false the order is reversed. Digit runs of equal
// value but different spelling ("01" against "1") are neither less nor greater, so the result is false both
// ways; digit runs of any length compare without overflow.
bool NaturalTextLess(bool ascending, const QString& a, const QString& b);
