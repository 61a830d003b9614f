#pragma once

#include <QString>
#include <QStringView>

namespace fe {

// Numbers as text in the C convention (decimal point, no grouping), independent of the process
// locale, which Qt sets from the user's environment. The scanners take the number at the start of
// the text as scanf's "%d", "%u" and "%lf" do: leading white space, then an optional sign, then the
// digits; whatever follows is ignored. They return false and leave the value unchanged when the
// text does not start with a number or the number does not fit the type (a negative "%u" too).
bool ScanInt(QStringView text, int& value);
bool ScanUInt(QStringView text, unsigned& value);
bool ScanDouble(QStringView text, double& value);

// The double with six decimals, as "%lf" writes it ("1.500000", "-0.250000", "inf", "nan").
QString DoubleToFixed6(double value);

}  // namespace fe
