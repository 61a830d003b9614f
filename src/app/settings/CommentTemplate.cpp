#include "app/settings/CommentTemplate.h"

#include <QDir>
#include <optional>

#include "fe/AppFolders.h"
#include "fe/File.h"

namespace app {
namespace {

bool IsBlankLine(const QString& line)
{
    for (const QChar c : line) {
        if (c != QChar(' '))
            return false;
    }
    return true;
}

}  // namespace

CommentTemplateSet CommentTemplateSet::Parse(const QStringList& lines)
{
    CommentTemplateSet set;
    std::optional<CommentCategory> open;
    for (const QString& line : lines) {
        if (IsBlankLine(line))
            continue;
        if (line.startsWith('@')) {
            if (open && !open->lines.isEmpty())
                set.categories.push_back(*open);
            open = CommentCategory{{}, line == QStringLiteral("@") ? QStringLiteral("分類名なし") : line.mid(1)};
        } else if (open) {
            open->lines.append(line);
        }
    }
    if (open)
        set.categories.push_back(*open);
    return set;
}

bool CommentTemplateSet::Load(const QString& path)
{
    fe::FileR file;
    if (!file.open(path, 1))
        return false;
    QStringList lines;
    QString line;
    while (!file.eof()) {
        file.readLine(line);
        if (file.eof() && line.isEmpty())
            break;
        lines.append(line);
    }
    *this = Parse(lines);
    return true;
}

QString CommentTemplatePath()
{
    return QDir(fe::GetWritableFolder()).filePath(QStringLiteral("CommentTemplate.txt"));
}

QString CommentEditorText(const CommentTemplateSet& set)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text;
    for (const CommentCategory& category : set.categories) {
        text += '@' + category.name + lineEnd;
        for (const QString& line : category.lines)
            text += line + lineEnd;
        text += lineEnd;
    }
    return text;
}

bool WriteCommentTemplateFile(const QString& path, const QString& text)
{
    QStringList pieces = text.split('\n');
    // Nothing follows a final line feed.
    if (!pieces.isEmpty() && pieces.back().isEmpty())
        pieces.removeLast();
    try {
        fe::FileW file;
        if (!file.open(path, 1))
            return false;
        for (QString piece : pieces) {
            while (piece.startsWith('\r'))
                piece.remove(0, 1);
            while (piece.endsWith('\r'))
                piece.chop(1);
            if (!piece.isEmpty())
                file.writeLine(piece + '\n');
        }
        return file.close();
    } catch (const fe::Failure&) {
        return false;
    }
}

}  // namespace app
