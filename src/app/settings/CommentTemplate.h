#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace app {

// One category of ready-made ledger comments.
struct CommentCategory
{
    QStringList lines;  // the comment texts, in file order
    QString name;

    friend bool operator==(const CommentCategory&, const CommentCategory&) = default;
};

// The bounds the comment file is read within: far more than anyone writes by hand.
inline constexpr qint64 kMaxCommentTemplateBytes = 4 * 1024 * 1024;
inline constexpr int kMaxCommentCategories = 1000;
inline constexpr int kMaxCommentLines = 100'000;  // comment texts over all categories

// The ready-made comments of CommentTemplate.txt, by category in file order. The file is UTF-8 text:
// "@name" opens a category ("@" alone: "分類名なし"), blank lines (empty or spaces only) are ignored,
// every other line is a comment text of the category opened last, taken exactly as written. Texts
// before the first category are ignored; a category without texts is kept only when it is the last.
// Reading stops at kMaxCommentCategories categories or kMaxCommentLines texts.
struct CommentTemplateSet
{
    std::vector<CommentCategory> categories;

    static CommentTemplateSet Parse(const QStringList& lines);
    // Reads the file; false, with the set unchanged, when it cannot be opened or is larger than
    // kMaxCommentTemplateBytes.
    bool Load(const QString& path);
};

// CommentTemplate.txt in the writable folder.
QString CommentTemplatePath();

// The editor's text of a set: "@" + name, the texts, then an empty line, each line ended by CR LF.
QString CommentEditorText(const CommentTemplateSet& set);

// Writes the editor's text as the file: split at line feeds, carriage returns stripped from both ends
// of each piece, every non-empty piece one line (UTF-8 with byte-order mark, CR LF, replaced whole).
// False when the file could not be written; the old file then stays as it was.
bool WriteCommentTemplateFile(const QString& path, const QString& text);

}  // namespace app
