// Feeds arbitrary text to the reader of the plane-zone outlines (Systems/keiarea.csv). Whatever the text,
// reading must end without a crash or a leak, within the outline and point bounds, with finite points
// only; looking a point up in what was read must give a zone of the outlines or none.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "model/ZoneOutlines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > size_t(kMaxZoneOutlineFileBytes))
        return 0;
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::vector<ZoneOutline> outlines = ParseZoneOutlines(text);
    if (outlines.size() > size_t(kMaxZoneOutlines))
        std::abort();
    size_t points = 0;
    for (const ZoneOutline& outline : outlines) {
        if (outline.empty())
            std::abort();
        for (const Point2& point : outline)
            if (!std::isfinite(point.x) || !std::isfinite(point.y))
                std::abort();
        points += outline.size();
    }
    if (points > size_t(kMaxZoneOutlinePoints))
        std::abort();
    for (const Point2& probe : {Point2(0, 0), Point2(250, 250), Point2(-1e9, 1e9)}) {
        const int zone = ZoneAtPoint(outlines, probe);
        if (zone < 0 || zone > static_cast<int>(outlines.size()))
            std::abort();
    }
    return 0;
}
