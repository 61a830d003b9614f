#include "model/NaturalTextLess.h"

namespace {

bool IsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Compares two digit runs by value: leading zeros dropped, then the longer run is the larger number and runs
// of equal length compare digit by digit. Returns <0, 0 or >0.
int CompareDigitRuns(QStringView a, QStringView b)
{
    auto stripZeros = [](QStringView run) {
        qsizetype k = 0;
        while (k + 1 < run.size() && run[k] == u'0') {
            ++k;
        }
        return run.mid(k);
    };
    const QStringView x = stripZeros(a);
    const QStringView y = stripZeros(b);
    if (x.size() != y.size()) {
        return x.size() < y.size() ? -1 : 1;
    }
    return x.compare(y);
}

}  // namespace

bool NaturalTextLess(bool ascending, const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            qsizetype ie = i;
            while (ie < a.size() && IsDigit(a[ie])) {
                ++ie;
            }
            qsizetype je = j;
            while (je < b.size() && IsDigit(b[je])) {
                ++je;
            }
            const QStringView runA = QStringView(a).mid(i, ie - i);
            const QStringView runB = QStringView(b).mid(j, je - j);
            i = ie;
            j = je;
            if (runA == runB) {
                continue;
            }
            const int order = CompareDigitRuns(runA, runB);
            return ascending ? order < 0 : order > 0;
        }
        if (a[i] != b[j]) {
            return ascending ? a[i].unicode() < b[j].unicode() : a[i].unicode() > b[j].unicode();
        }
        ++i;
        ++j;
    }
    return ascending ? a.size() < b.size() : a.size() > b.size();
}
