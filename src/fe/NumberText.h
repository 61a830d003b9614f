#pragma once

#include <QString>
#include <QStringView>
#include <charconv>

namespace fe {

// Numbers as text in the C convention (decimal point, no grouping), independent of the process
// locale, which Qt sets from the user's environment. The scanners take the number at the start of
// the text as scanf's "%d", "%u" and "%lf" do: leading white space, then an optional sign, then the
// digits; whatever follows is ignored. They return false and leave the value unchanged when the
// text does not start with a number or the number does not fit the type (a negative "%u" too).
bool ScanInt(QStringView text, int& value);
bool ScanUInt(QStringView text, unsigned& value);
bool ScanDouble(QStringView text, double& value);

// The double in fixed notation with the given decimals: the same characters as
// std::to_chars(first, last, value, std::chars_format::fixed, decimals) and as printf("%.*f") in the
// C locale (exact value, rounded half to even), with the same result contract. Values below 2^53
// with at most 17 decimals, the coordinates and sizes the writers produce, take a short integer
// path that costs a fraction of the general one; other values go through std::to_chars.
std::to_chars_result ToCharsFixed(char* first, char* last, double value, int decimals);

// The double with six decimals, as "%lf" writes it ("1.500000", "-0.250000", "inf", "nan").
QString DoubleToFixed6(double value);

}  // namespace fe
