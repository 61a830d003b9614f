#include "app/settings/CommentTemplate.h"

#include <QDir>
#include <QFileInfo>
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

namespace {

// Builds the set line by line, within the bounds; Add is false once reading should stop.
class CommentSetBuilder
{
public:
    bool Add(const QString& line)
    {
        if (IsBlankLine(line))
            return true;
        if (line.startsWith('@')) {
            if (m_open && !m_open->lines.isEmpty())
                m_set.categories.push_back(std::move(*m_open));
            if (static_cast<int>(m_set.categories.size()) >= kMaxCommentCategories) {
                m_open.reset();
                return false;
            }
            m_open = CommentCategory{{}, line == QStringLiteral("@") ? QStringLiteral("分類名なし") : line.mid(1)};
        } else if (m_open) {
            if (m_lines >= kMaxCommentLines)
                return false;
            m_open->lines.append(line);
            ++m_lines;
        }
        return true;
    }

    CommentTemplateSet Finish()
    {
        if (m_open)
            m_set.categories.push_back(std::move(*m_open));
        m_open.reset();
        return std::move(m_set);
    }

private:
    CommentTemplateSet m_set;
    std::optional<CommentCategory> m_open;
    int m_lines = 0;
};

}  // namespace

CommentTemplateSet CommentTemplateSet::Parse(const QStringList& lines)
{
    CommentSetBuilder builder;
    for (const QString& line : lines) {
        if (!builder.Add(line))
            break;
    }
    return builder.Finish();
}

bool CommentTemplateSet::Load(const QString& path)
{
    if (QFileInfo(path).size() > kMaxCommentTemplateBytes)
        return false;
    fe::FileR file;
    if (!file.open(path, 1))
        return false;
    // Lines are taken as they are read, blank ones never kept; a file that grew past the bound since
    // its size was taken stops being read there.
    CommentSetBuilder builder;
    qint64 bytes = 0;
    QString line;
    while (!file.eof()) {
        file.readLine(line);
        if (file.eof() && line.isEmpty())
            break;
        bytes += line.size() + 1;
        if (bytes > kMaxCommentTemplateBytes || !builder.Add(line))
            break;
    }
    *this = builder.Finish();
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
