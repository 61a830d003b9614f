#include "fe/TextUtil.h"

namespace fe {
namespace {

int UnitWidth(char16_t u)
{
    if (u < 0x80 || (u >= 0xFF61 && u <= 0xFFDC) || (u >= 0xFFE8 && u <= 0xFFEE))
        return 1;
    if (QChar::isSurrogate(u))
        return 1;
    return 2;
}

}  // namespace

QStringList SplitText(const QString& text, QChar separator)
{
    QStringList fields = text.split(separator);
    // split() gives one empty field for an empty text and one after a final separator.
    if (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

QString PadLeft(const QString& text, int width)
{
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), u' ') + text;
}

QString TrimLeftChar(const QString& text, QChar c)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == c)
        ++start;
    return text.mid(start);
}

QString TrimChar(const QString& text, QChar c)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == c)
        --end;
    return TrimLeftChar(text.left(end), c);
}

QString ReplaceChar(const QString& text, QChar from, QChar to)
{
    QString out = text;
    out.replace(from, to);
    return out;
}

int GetDisplayWidth(const QString& text, QList<int>* widths)
{
    int total = 0;
    for (const QChar c : text) {
        const int w = UnitWidth(c.unicode());
        total += w;
        if (widths)
            widths->append(w);
    }
    return total;
}

}  // namespace fe
