#include "app/maps/MapTexts.h"

#include <QStringList>

namespace app {

bool IsUsableMapName(const QString& name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || forbidden.contains(c))
            return false;
    }
    return true;
}

std::array<QString, 3> SplitThreeLines(const QString& text)
{
    std::array<QString, 3> lines;
    size_t filled = 0;
    for (QString piece : text.split(u'\n')) {
        while (piece.startsWith(u'\r'))
            piece.remove(0, 1);
        while (piece.endsWith(u'\r'))
            piece.chop(1);
        if (piece.isEmpty())
            continue;
        lines[filled++] = piece;
        if (filled == lines.size())
            break;
    }
    return lines;
}

QString JoinThreeLines(const std::array<QString, 3>& lines)
{
    return lines[0] + QStringLiteral("\r\n") + lines[1] + QStringLiteral("\r\n") + lines[2];
}

}  // namespace app
