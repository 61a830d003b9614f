#pragma once

#include <QSizeF>
#include <QString>

// A text made to fit a text box of a workbook, so that no reader spills it over what lies around the box.
// The box's text keeps `margin` millimetres from its edges (the box's text margin). The text is broken into
// lines ahead of the reader, at the largest font size from `largest` down to `smallest` in half points at
// which every line fits; at the smallest size characters are left out, from the end or from the middle,
// and "…" stands in their place. Widths are reckoned generously (every full-width character one em,
// half-width ones by the widths of a broad proportional face, a little space where Japanese and Latin
// text meet), so that the reader's own face never needs more room.
struct FittedText
{
    QString text;       // the lines, joined by line feeds
    double points = 0;  // the font size
};

// Where a text too long for its box is cut: a comment at its end; a file name in the middle, keeping the
// number and extension that tell one photo's file from the next.
enum class TextCut
{
    End,
    Middle
};

FittedText FitTextInBox(const QString& text, const QSizeF& boxMm, double margin, double largest,
                        double smallest, TextCut cut = TextCut::End);
