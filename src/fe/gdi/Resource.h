#pragma once

#include <QBrush>
#include <QFont>
#include <QPen>
#include <cstdint>
#include <vector>

#include "fe/gdi/LogFont.h"

namespace fe::gdi {

struct DpiInfo;

// One colour of a drawer's palette with the pen that draws in it. Channels are 0–1.
struct ColorEntry
{
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;
    std::int32_t penStyle = 0;  // solid
    std::int32_t penWidth = 1;  // pixels at 96 DPI

    ColorEntry() = default;
    // Each channel c of the 0x00BBGGRR word becomes c / 256 + 1/512, so ToColorRef gives it back exactly.
    ColorEntry(std::uint32_t colorRef, std::int32_t width);

    std::uint32_t ToColorRef() const;
    QColor ToQColor() const;
};

using ColorAry = std::vector<ColorEntry>;

class LogFontAry : public std::vector<LogFont>
{
public:
    // Appends a logical font of the face (cut to 31 characters), height and escapement with the usual
    // defaults (normal weight, Shift-JIS character set, proof quality) and returns it for the caller to
    // adjust (bold, italic, ...). The reference holds until the next Add.
    LogFont& Add(const QString& faceName, std::int32_t height, std::int32_t escapement);
};

using PenAry = std::vector<QPen>;
using BrushAry = std::vector<QBrush>;
using FontAry = std::vector<QFont>;

// The colours, pens, brushes and fonts a drawer owns, in parallel arrays: after Realize, pen i and
// brush i are made from colour i and font i from logical font i. Every slot is always filled, so an
// index keeps naming the same colour or font.
class Resource
{
public:
    virtual ~Resource() = default;

    // Remakes pens and brushes from the colours (pen widths are not scaled) and the fonts from the logical
    // fonts with heights and widths scaled by the DPI. Returns the number of fonts.
    int Realize(const DpiInfo& dpi);

    ColorAry m_colors;
    LogFontAry m_logFonts;
    PenAry m_pens;
    BrushAry m_brushes;
    FontAry m_fonts;
};

}  // namespace fe::gdi
