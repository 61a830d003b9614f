#include "view/MarkTemplate.h"

#include <cmath>

#include "model/MarkSetting.h"
#include "view/DrawLoc.h"

namespace locmap {

void ApplyMarkTemplate(DrawLoc& drawer, const MarkStyle& style, const MarkSetting& sizes, double a, double b,
                       double sizeFactor)
{
    const double f = a * b;
    MarkDrawStyle& out = drawer.style;
    out.markKind = style.kind;
    drawer.palette.mapMark = style.drawColor;
    drawer.palette.base = style.outlineColor;
    drawer.palette.numberText = style.textColor;
    drawer.palette.labelFill = style.textBackColor;
    out.markRadius = int(sizes.coreRadius * f);
    out.baseExtraWidth = int(sizes.outlineWidth * f);
    out.arrowLength = float(sizes.arrowLength * f);
    out.labelDistance = float(sizes.labelDistance * f);
    out.headLength = sizes.arrowHeadLength * f;
    out.fontHeight = int(sizes.fontSize * f);
    out.lineWidth = int(std::lround(sizes.lineWidth == 1 ? b : sizes.lineWidth * f));
    out.sizeFactor = sizeFactor;
    out.plain = sizes.textBackClear;
    out.showArrows = sizes.arrow;
    out.showLeaders = sizes.leader;
}

void ApplyScreenMarkTemplate(DrawLoc& drawer, const MarkStyle& style)
{
    ApplyMarkTemplate(drawer, style, style.screen, 1.0, 1.0, 1.0);
}

}  // namespace locmap
