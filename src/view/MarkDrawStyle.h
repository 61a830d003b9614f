#pragma once

#include <QString>
#include <cstdint>

namespace locmap {

// The effective look of photo marks and of the north symbol inside a location-map drawer. The view sets it
// from the selected mark template before each pass; off-screen renders scale it (SetScaled).
struct MarkDrawStyle
{
    std::uint8_t numberKind = 1;  // 0: the photo's 1-based place in the photo list; 1: the placed number text
    std::int32_t markRadius = 5;
    std::int32_t baseExtraWidth = 2;  // the ring under a mark is this much wider than its lines
    float arrowLength = 25.0f;
    float labelDistance = 12.0f;
    QString fontFace = QStringLiteral("Meiryo UI");
    std::int32_t fontHeight = 14;
    double headLength = 12.0;
    double sizeFactor = 1.0;
    std::int32_t lineWidth = 2;
    std::int32_t markKind = 0;  // 0: disc, arrow and framed label; 1: disc with the number inside
    std::uint8_t showArrows = 1;
    std::uint8_t plain = 0;  // transparent labels, hollow numbered discs
    std::uint8_t showLeaders = 0;
    double northRadius = 20.0;
    std::uint32_t northColor = 0;  // 0x00BBGGRR
    std::int32_t northPenWidth = 2;
    std::uint32_t northHaloColor = 0xFFFFFF;
    std::int32_t northHaloWidth = 4;
    double northRadiusDivisor = 16.0;
    double northMarginFactor = 1.2;
    double scaleTextDivisor = 24.0;

    // The screen sizes.
    void Reset() { *this = MarkDrawStyle(); }
    // The sizes of an output picture drawn s times larger; the number kind, the face and the colours stay.
    void SetScaled(double s);
};

}  // namespace locmap
