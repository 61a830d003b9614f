#pragma once

#include <QString>

namespace fe {

// Number and text formatting with printf-style formats, always in the C convention (decimal point,
// no grouping) whatever the user's locale. A format holds literal text, "%%" and exactly one
// conversion for the value: flags "-+ #0", a width and a precision (at most 4095), a length
// modifier that is ignored, and a conversion that suits the value: d i u x X o for integers,
// f F e E g G a A for doubles, s S for texts. Any other format gives an empty text, so a bad
// format never reads a value that was not given.
QString IntToText(int value, const QString& format = QStringLiteral("%d"));
QString UIntToText(unsigned value, const QString& format = QStringLiteral("%u"));
QString DoubleToText(double value, const QString& format = QStringLiteral("%lf"));
QString FormatText(const QString& text, const QString& format = QStringLiteral("%s"));

}  // namespace fe
