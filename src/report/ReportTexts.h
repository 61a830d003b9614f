#pragma once

#include <QString>
#include <QStringList>

// Cell references of the report sheets: columns numbered from 1 (A), references letters then digits.
// "A" for 1, "Z" for 26, "AA" for 27, "ZZ" for 702, "AAA" for 703; empty below 1.
QString ColumnLettersFromNumber(int column);
// The first run of ASCII letters of the reference, upper-cased; empty when it has none.
QString ColumnLettersOfCell(const QString& reference);
// The column number of the reference's letters (Q2 gives 17, AJ3 36, ZZ9 702); 0 without letters.
int ColumnNumberFromCell(const QString& reference);
// The sum of the runs of decimal digits in the reference (E39 gives 39).
int RowNumberFromCell(const QString& reference);
// The reference of the column number and row: (17, 2) gives "Q2".
QString CellReference(int column, int row);

// A photo's shot date and time as the sheets show them, by the report's format: 0 nothing, 1 the date,
// 2 the date and the time without its seconds (a time of three ':'-parts loses the last), 3 the date and
// the whole time; any other format the date. A blank goes between the two only when both are there.
QString ShotDateTimeText(const QString& date, const QString& time, int format);

// Comment lines as the ledgers print them: each line loses its carriage returns at either end, empty lines
// are dropped, and a line wider than `width` half-width cells (half-width characters count 1, others 2) is
// cut into pieces of at most that width. A piece never ends between the two halves of a surrogate pair or
// before a combining mark, so no character is split.
QStringList WrapCommentLines(const QStringList& lines, int width);

// The first three non-empty lines of a text (split at line feeds, carriage returns trimmed).
QStringList DamageSummaryLines(const QString& text);

// The label followed by the full-width colon "：", unless it holds one already.
QString WithFullWidthColon(const QString& label);

// A map title as a part of a file name: path separators and NUL become '_'.
QString FileNamePart(const QString& text);

// A title as the name of a sheet that spreadsheet programs accept: the characters a sheet name may not
// hold ([ ] : * ? / \) become '_', line breaks and tabs blanks, other control characters go; blanks and
// apostrophes leave both ends; the name is cut to 31 UTF-16 units without splitting a character. An
// empty result takes the fallback. A name already taken (compared regardless of case) or the reserved
// "History" gets " (2)", " (3)", ... within the 31 units.
QString SheetNameFromTitle(const QString& title, const QStringList& taken, const QString& fallback);
