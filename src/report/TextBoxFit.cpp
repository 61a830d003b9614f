#include "report/TextBoxFit.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMmPerPoint = 25.4 / 72;
// Lines stand this many ems apart: the broad faces readers put in for the Japanese ones reach 1.17 em from
// ascent to descent, and a reader may add a little leading.
constexpr double kLinePitch = 1.25;
// Readers put a little space between Japanese and Latin text, on each side of a change between them.
constexpr double kScriptSpace = 0.25;
const QString kEllipsis = QStringLiteral("…");

bool IsFullWidth(QStringView character)
{
    const char16_t c = character[0].unicode();
    return character.size() != 1 || (c >= 0x2E80 && !(c >= 0xFF61 && c <= 0xFF9F));
}

// The width of a character in ems, generous for every face a reader may use: full-width characters one
// em, Latin letters, digits and signs by the widths of a broad proportional face.
double CharacterEms(QStringView character)
{
    if (IsFullWidth(character))
        return 1.0;
    const char16_t c = character[0].unicode();
    if (c >= 0xFF61)  // half-width katakana
        return 0.6;
    if (c >= 0x80)
        return c < 0x250 ? 0.8 : 1.0;  // accented Latin letters, then other signs
    if (QStringView(u" !'(),-./:;I[\\]fijlrt|").contains(QChar(c)))
        return 0.42;
    if (QStringView(u"%@MWmw").contains(QChar(c)))
        return 1.0;
    if (QStringView(u"#&+<=>^~").contains(QChar(c)))
        return 0.85;
    return c >= u'A' && c <= u'Z' ? 0.8 : 0.64;
}

// The text's characters: a surrogate pair or a character followed by its combining marks stays whole.
QList<QStringView> Characters(QStringView text)
{
    QList<QStringView> characters;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i + 1;
        if (text[i].isHighSurrogate() && end < text.size() && text[end].isLowSurrogate())
            ++end;
        while (end < text.size() && text[end].isMark())
            ++end;
        characters.append(text.mid(i, end - i));
        i = end;
    }
    return characters;
}

// The non-empty lines of the text, each broken into pieces no wider than `ems`.
QStringList WrapLines(const QString& text, double ems)
{
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n', Qt::SkipEmptyParts)) {
        QString line;
        double used = 0;
        QStringView previous;
        for (QStringView character : Characters(paragraph)) {
            double width = CharacterEms(character);
            if (!previous.isEmpty() && IsFullWidth(previous) != IsFullWidth(character))
                width += kScriptSpace;
            if (!line.isEmpty() && used + width > ems) {
                lines.append(line);
                line.clear();
                used = 0;
                width = CharacterEms(character);
            }
            line += character;
            used += width;
            previous = character;
        }
        if (!line.isEmpty())
            lines.append(line);
    }
    return lines;
}

QString Joined(const QList<QStringView>& characters, qsizetype from, qsizetype count)
{
    QString text;
    for (qsizetype i = from; i < from + count; ++i)
        text += characters[i];
    return text;
}

}  // namespace

FittedText FitTextInBox(const QString& text, const QSizeF& boxMm, double margin, double largest,
                        double smallest, TextCut cut)
{
    QString flat = text;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const double width = std::max(boxMm.width() - 2 * margin, 0.0);
    const double height = std::max(boxMm.height() - 2 * margin, 0.0);
    smallest = std::min(smallest, largest);
    // Whole half points from the largest size down.
    for (double points = largest; points >= smallest - 1e-9; points -= 0.5) {
        const double em = points * kMmPerPoint;
        const QStringList lines = WrapLines(flat, width / em);
        if (lines.size() * kLinePitch * em <= height + 1e-9)
            return {lines.join(u'\n'), points};
    }
    // At the smallest size characters go, from the end or from the middle, until the rest and the
    // ellipsis that stands for them fill no more lines than the box holds.
    const double em = smallest * kMmPerPoint;
    const qsizetype kept = std::max<qsizetype>(1, qsizetype(std::floor(height / (kLinePitch * em) + 1e-9)));
    const QList<QStringView> characters = Characters(flat);
    const qsizetype n = characters.size();
    const auto shortened = [&](qsizetype removed) {
        const qsizetype head = cut == TextCut::End ? n - removed : (n - removed) * 2 / 5;
        const qsizetype tail = n - removed - head;
        return WrapLines(
            Joined(characters, 0, head).trimmed() + kEllipsis + Joined(characters, n - tail, tail).trimmed(),
            width / em);
    };
    // Fewer characters never take more lines: the fewest to leave out are found by halving.
    qsizetype low = 1, high = n;
    while (low < high) {
        const qsizetype mid = (low + high) / 2;
        if (shortened(mid).size() <= kept)
            high = mid;
        else
            low = mid + 1;
    }
    const QStringList lines = shortened(low);
    return {lines.join(u'\n'), smallest};
}
