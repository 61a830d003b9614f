#include "view/MarkDrawStyle.h"

#include <algorithm>

namespace locmap {

void MarkDrawStyle::SetScaled(double s)
{
    markRadius = std::int32_t(4 * s);
    baseExtraWidth = 2;
    arrowLength = float(17 * s);
    labelDistance = float(8 * s);
    fontHeight = std::int32_t(11 * s);
    headLength = 6 * s;
    sizeFactor = s / 1.5;
    lineWidth = 2;
    markKind = 0;
    showArrows = 1;
    plain = 0;
    showLeaders = 0;
    northRadius = std::max(20.0, 20 * s);
    northPenWidth = std::max(2, std::int32_t(2 * s));
    northHaloWidth = std::max(4, std::int32_t(4 * s));
}

}  // namespace locmap
