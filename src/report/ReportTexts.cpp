#include "report/ReportTexts.h"

#include <algorithm>

#include "fe/TextUtil.h"

QString ColumnLettersFromNumber(int column)
{
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

QString ColumnLettersOfCell(const QString& reference)
{
    QString letters;
    for (const QChar c : reference) {
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if (letter)
            letters += c.toUpper();
        else if (!letters.isEmpty())
            break;
    }
    return letters;
}

int ColumnNumberFromCell(const QString& reference)
{
    int column = 0;
    for (const QChar c : ColumnLettersOfCell(reference)) {
        column = column * 26 + (c.unicode() - u'A' + 1);
        if (column > 1'000'000)
            return 0;
    }
    return column;
}

int RowNumberFromCell(const QString& reference)
{
    long long sum = 0, run = 0;
    for (const QChar c : reference) {
        if (c >= u'0' && c <= u'9') {
            run = std::min(run * 10 + (c.unicode() - u'0'), 100'000'000LL);
        } else {
            sum += run;
            run = 0;
        }
    }
    return int(std::min(sum + run, 100'000'000LL));
}

QString CellReference(int column, int row)
{
    return ColumnLettersFromNumber(column) + QString::number(row);
}

QString ShotDateTimeText(const QString& date, const QString& time, int format)
{
    const QString blank = !date.isEmpty() && !time.isEmpty() ? QStringLiteral(" ") : QString();
    switch (format) {
    case 0:
        return QString();
    case 2: {
        QString shown = time;
        if (time.count(u':') == 2)
            shown = time.left(time.lastIndexOf(u':'));
        return date + blank + shown;
    }
    case 3:
        return date + blank + time;
    default:
        return date;
    }
}

namespace {

QString TrimCarriageReturns(const QString& line)
{
    return fe::TrimChar(line, u'\r');
}

// A cut before position `at` would split a character: the second half of a surrogate pair or a combining
// mark follows.
bool SplitsCharacter(const QString& text, int at)
{
    if (at <= 0 || at >= text.size())
        return false;
    const QChar c = text.at(at);
    return c.isLowSurrogate() || c.category() == QChar::Mark_NonSpacing ||
           c.category() == QChar::Mark_Enclosing || c.category() == QChar::Mark_SpacingCombining;
}

}  // namespace

QStringList WrapCommentLines(const QStringList& lines, int width)
{
    QStringList out;
    for (const QString& raw : lines) {
        QString rest = TrimCarriageReturns(raw);
        if (rest.isEmpty())
            continue;
        while (!rest.isEmpty()) {
            QList<int> widths;
            if (fe::GetDisplayWidth(rest, &widths) <= width) {
                out.append(rest);
                break;
            }
            int cut = 0, sum = 0;
            while (cut < widths.size() && sum + widths[cut] <= width)
                sum += widths[cut++];
            while (SplitsCharacter(rest, cut))
                --cut;
            // A width too small for even one character still moves on by whole characters.
            if (cut == 0) {
                cut = 1;
                while (SplitsCharacter(rest, cut))
                    ++cut;
            }
            out.append(rest.left(cut));
            rest = rest.mid(cut);
        }
    }
    return out;
}

QStringList DamageSummaryLines(const QString& text)
{
    QStringList out;
    for (const QString& piece : fe::SplitText(text, u'\n')) {
        const QString line = TrimCarriageReturns(piece);
        if (line.isEmpty())
            continue;
        out.append(line);
        if (out.size() == 3)
            break;
    }
    return out;
}

QString WithFullWidthColon(const QString& label)
{
    return label.contains(u'：') ? label : label + u'：';
}

QString FileNamePart(const QString& text)
{
    QString part = text;
    for (QChar& c : part) {
        if (c == u'/' || c == u'\\' || c == QChar(0))
            c = u'_';
    }
    return part;
}

namespace {

constexpr int kSheetNameUnits = 31;

// The first `units` UTF-16 units of the text, one fewer when the last would split a surrogate pair.
QString CutUnits(const QString& text, int units)
{
    if (text.size() <= units)
        return text;
    return text.left(units > 0 && text[units - 1].isHighSurrogate() ? units - 1 : units);
}

QString TrimSheetNameEnds(QString name)
{
    const auto trimmed = [](QChar c) { return c.isSpace() || c == u'\''; };
    while (!name.isEmpty() && trimmed(name.front()))
        name.remove(0, 1);
    while (!name.isEmpty() && trimmed(name.back()))
        name.chop(1);
    return name;
}

bool SheetNameTaken(const QString& name, const QStringList& taken)
{
    return name.compare(QStringLiteral("History"), Qt::CaseInsensitive) == 0 ||
           taken.contains(name, Qt::CaseInsensitive);
}

}  // namespace

QString SheetNameFromTitle(const QString& title, const QStringList& taken, const QString& fallback)
{
    QString name;
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title[i];
        if (c.isHighSurrogate() && i + 1 < title.size() && title[i + 1].isLowSurrogate()) {
            name += c;
            name += title[++i];
        } else if (c == u'\n' || c == u'\r' || c == u'\t') {
            name += u' ';
        } else if (c.isSurrogate() || c.category() == QChar::Other_Control || c.unicode() >= 0xFFFE) {
            continue;
        } else {
            name += QStringView(u"[]:*?/\\").contains(c) ? u'_' : c;
        }
    }
    name = TrimSheetNameEnds(CutUnits(TrimSheetNameEnds(name), kSheetNameUnits));
    if (name.isEmpty())
        name = fallback;
    if (!SheetNameTaken(name, taken))
        return name;
    // One of the first taken.size() + 1 numbers is free.
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const QString candidate =
            TrimSheetNameEnds(CutUnits(name, kSheetNameUnits - int(suffix.size()))) + suffix;
        if (!SheetNameTaken(candidate, taken))
            return candidate;
    }
}
