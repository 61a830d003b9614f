#pragma once

#include <cstdint>

namespace fe {
class FileRB;
class FileWB;
}  // namespace fe

namespace locmap {

// The sizes of photo-position marks for one kind of output (the screen or the Excel pictures).
// The defaults are those of the first factory template's screen sizes.
class MarkSetting
{
public:
    std::int32_t coreRadius = 5;     // radius of the mark at the shot position
    std::int32_t outlineWidth = 2;   // width of the mark's outline
    float arrowLength = 25.0f;       // length of the direction arrow
    double arrowHeadLength = 12.0;   // length of the arrow's head
    std::int32_t lineWidth = 2;      // width of arrow and leader lines
    float labelDistance = 12.0f;     // distance of the label from the photo position
    std::int32_t fontSize = 14;      // label font size in points
    std::uint8_t textBackClear = 0;  // 1: the label has no background fill
    std::uint8_t arrow = 1;          // draw the direction arrow
    std::uint8_t leader = 1;         // draw a leader line to the label

    MarkSetting() = default;
    MarkSetting(std::int32_t coreRadius, std::int32_t outlineWidth, float arrowLength, double arrowHeadLength,
                std::int32_t lineWidth, float labelDistance, std::int32_t fontSize,
                std::uint8_t textBackClear, std::uint8_t arrow, std::uint8_t leader);
    virtual ~MarkSetting() = default;
    MarkSetting(const MarkSetting&) = default;
    MarkSetting& operator=(const MarkSetting&) = default;

    // One setting record: 35 bytes (34 in files of version 1, which have no leader byte).
    bool Write(fe::FileWB& file) const;
    // Takes the class defaults first, then reads the record of a file of the given version; the
    // leader flag is read only from version 2 on and stays 1 before. False (and the class defaults)
    // when a read fails or a size is negative, not a number or larger than the editor allows (999),
    // or the font size is below one point.
    bool Read(fe::FileRB& file, std::int32_t fileVersion);

    friend bool operator==(const MarkSetting&, const MarkSetting&) = default;
};

}  // namespace locmap

// One mark template: the shape, four colours and the sizes for the screen and for Excel output.
class MarkStyle
{
public:
    // 0: label beside the mark ("形状1"); 1: number inside the circle ("形状2").
    std::int32_t kind = 0;
    // Colours as 0x00BBGGRR words.
    std::uint32_t drawColor = 0;
    std::uint32_t outlineColor = 0;
    std::uint32_t textColor = 0;
    std::uint32_t textBackColor = 0;
    locmap::MarkSetting screen;
    locmap::MarkSetting excel;

    // The first factory template.
    MarkStyle() { Reset(); }

    // Factory templates 0 (Reset) to 5 (SetPreset5).
    void Reset();
    void SetPreset1();
    void SetPreset2();
    void SetPreset3();
    void SetPreset4();
    void SetPreset5();

    bool Write(fe::FileWB& file) const;
    // Starts from the constructor's template, then reads the kind, the colours and both settings. A
    // kind other than 0 and 1 keeps the default kind.
    bool Read(fe::FileRB& file, std::int32_t fileVersion);

    friend bool operator==(const MarkStyle&, const MarkStyle&) = default;

private:
    void SetColors(std::uint32_t draw, std::uint32_t outline, std::uint32_t text, std::uint32_t textBack);
};
