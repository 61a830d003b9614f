#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace fe {

// The fields between separators, in order. Empty fields between two separators and before a leading
// separator are kept; a final separator adds nothing after it; an empty text gives no field.
QStringList SplitText(const QString& text, QChar separator);

// The text right-aligned to the width by leading blanks; a text that long or longer stays as it is.
QString PadLeft(const QString& text, int width);

// The text without the leading run of the one character c.
QString TrimLeftChar(const QString& text, QChar c);
// The text without the leading and the trailing run of the one character c.
QString TrimChar(const QString& text, QChar c);

// A copy with every `from` replaced by `to`.
QString ReplaceChar(const QString& text, QChar from, QChar to);

// The width of the text in half-width cells, as the report sheets break lines: ASCII and the
// half-width forms (U+FF61-U+FFDC, U+FFE8-U+FFEE) count 1, every other character 2. When widths
// is given, one width per UTF-16 unit is appended to it (each half of a surrogate pair counts 1,
// so a character outside the BMP counts 2 and the list stays parallel to the text).
int GetDisplayWidth(const QString& text, QList<int>* widths = nullptr);

}  // namespace fe
