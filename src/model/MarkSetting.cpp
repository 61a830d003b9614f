#include "model/MarkSetting.h"

#include <bit>
#include <cmath>

#include "fe/File.h"

namespace locmap {

namespace {

// The record keeps two lengths as IEEE binary32; the file layer has no float primitive, so the
// four bytes go through an int32 of the same bits (both little-endian).
void WriteFloat(fe::FileWB& file, float value)
{
    file.writeBinInt32(std::bit_cast<std::int32_t>(value));
}

float ReadFloat(fe::FileRB& file)
{
    std::int32_t bits = 0;
    file.readBinInt32(bits);
    return std::bit_cast<float>(bits);
}

// The largest size the mark editor accepts for any field. A stored value beyond it, below zero or not
// a number can only come from a damaged file, and drawing with it (a font of millions of points, an
// arrow of infinite length) would stall or break the map and the Excel pictures.
constexpr double kMaxSize = 999.0;

bool IsSize(double value)
{
    return std::isfinite(value) && value >= 0.0 && value <= kMaxSize;
}

}  // namespace

MarkSetting::MarkSetting(std::int32_t coreRadius_, std::int32_t outlineWidth_, float arrowLength_,
                         double arrowHeadLength_, std::int32_t lineWidth_, float labelDistance_,
                         std::int32_t fontSize_, std::uint8_t textBackClear_, std::uint8_t arrow_,
                         std::uint8_t leader_)
    : coreRadius(coreRadius_),
      outlineWidth(outlineWidth_),
      arrowLength(arrowLength_),
      arrowHeadLength(arrowHeadLength_),
      lineWidth(lineWidth_),
      labelDistance(labelDistance_),
      fontSize(fontSize_),
      textBackClear(textBackClear_),
      arrow(arrow_),
      leader(leader_)
{
}

bool MarkSetting::Write(fe::FileWB& file) const
{
    try {
        file.writeBinInt32(coreRadius).writeBinInt32(outlineWidth);
        WriteFloat(file, arrowLength);
        file.writeBinDouble(arrowHeadLength).writeBinInt32(lineWidth);
        WriteFloat(file, labelDistance);
        file.writeBinInt32(fontSize).writeBinByte(textBackClear).writeBinByte(arrow).writeBinByte(leader);
        return true;
    } catch (const fe::Failure&) {
        return false;
    }
}

bool MarkSetting::Read(fe::FileRB& file, std::int32_t fileVersion)
{
    *this = MarkSetting();
    try {
        file.readBinInt32(coreRadius).readBinInt32(outlineWidth);
        arrowLength = ReadFloat(file);
        file.readBinDouble(arrowHeadLength).readBinInt32(lineWidth);
        labelDistance = ReadFloat(file);
        file.readBinInt32(fontSize).readBinByte(textBackClear).readBinByte(arrow);
        if (fileVersion >= 2)
            file.readBinByte(leader);
    } catch (const fe::Failure&) {
        *this = MarkSetting();
        return false;
    }
    for (double size : {double(coreRadius), double(outlineWidth), double(arrowLength), arrowHeadLength,
                        double(lineWidth), double(labelDistance), double(fontSize)}) {
        if (!IsSize(size)) {
            *this = MarkSetting();
            return false;
        }
    }
    // A label in a font of no size cannot be drawn; the editor starts at one point.
    if (fontSize < 1) {
        *this = MarkSetting();
        return false;
    }
    return true;
}

}  // namespace locmap

namespace {

constexpr std::uint32_t kRed = 0x0000CC;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kCream = 0xD9FDFF;
constexpr std::uint32_t kGreen = 0x758D01;

}  // namespace

void MarkStyle::SetColors(std::uint32_t draw, std::uint32_t outline, std::uint32_t text,
                          std::uint32_t textBack)
{
    drawColor = draw;
    outlineColor = outline;
    textColor = text;
    textBackColor = textBack;
}

void MarkStyle::Reset()
{
    kind = 0;
    SetColors(kRed, kWhite, kRed, kCream);
    screen = locmap::MarkSetting(5, 2, 25.0f, 12.0, 2, 12.0f, 14, 0, 1, 1);
    excel = locmap::MarkSetting(4, 2, 17.0f, 6.0, 2, 8.0f, 11, 0, 1, 1);
}

void MarkStyle::SetPreset1()
{
    kind = 1;
    SetColors(kRed, kWhite, kRed, kCream);
    screen = locmap::MarkSetting(10, 2, 30.0f, 12.0, 2, 12.0f, 16, 0, 1, 0);
    excel = locmap::MarkSetting(10, 2, 30.0f, 12.0, 2, 8.0f, 15, 0, 1, 0);
}

void MarkStyle::SetPreset2()
{
    kind = 0;
    SetColors(kRed, kWhite, kRed, kCream);
    screen = locmap::MarkSetting(5, 2, 25.0f, 12.0, 2, 12.0f, 14, 0, 0, 0);
    excel = screen;
}

void MarkStyle::SetPreset3()
{
    kind = 1;
    SetColors(kRed, kWhite, kRed, kCream);
    screen = locmap::MarkSetting(10, 2, 25.0f, 12.0, 2, 12.0f, 16, 0, 0, 0);
    excel = screen;
}

void MarkStyle::SetPreset4()
{
    kind = 0;
    SetColors(kGreen, kWhite, kGreen, kWhite);
    screen = locmap::MarkSetting(4, 2, 30.0f, 11.0, 2, 15.0f, 16, 0, 1, 0);
    excel = screen;
}

void MarkStyle::SetPreset5()
{
    kind = 1;
    SetColors(kGreen, kWhite, kGreen, kWhite);
    screen = locmap::MarkSetting(10, 2, 24.0f, 12.0, 2, 12.0f, 16, 0, 1, 0);
    excel = screen;
}

bool MarkStyle::Write(fe::FileWB& file) const
{
    try {
        file.writeBinInt32(kind)
            .writeBinInt32(static_cast<std::int32_t>(drawColor))
            .writeBinInt32(static_cast<std::int32_t>(outlineColor))
            .writeBinInt32(static_cast<std::int32_t>(textColor))
            .writeBinInt32(static_cast<std::int32_t>(textBackColor));
    } catch (const fe::Failure&) {
        return false;
    }
    return screen.Write(file) && excel.Write(file);
}

bool MarkStyle::Read(fe::FileRB& file, std::int32_t fileVersion)
{
    *this = MarkStyle();
    std::int32_t colors[4] = {};
    try {
        file.readBinInt32(kind);
        for (std::int32_t& color : colors)
            file.readBinInt32(color);
    } catch (const fe::Failure&) {
        return false;
    }
    SetColors(static_cast<std::uint32_t>(colors[0]), static_cast<std::uint32_t>(colors[1]),
              static_cast<std::uint32_t>(colors[2]), static_cast<std::uint32_t>(colors[3]));
    if (kind != 0 && kind != 1)
        kind = MarkStyle().kind;  // a shape the drawers do not know keeps the default one
    return screen.Read(file, fileVersion) && excel.Read(file, fileVersion);
}
