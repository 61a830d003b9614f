#pragma once

#include <QPoint>

#include "fe/Rect2i.h"

namespace locmap {

// Where a site map's callout goes: the name's box beside the anchor P, on the side away from the map's
// centre C (or, with P on C, right when P lies in the left half of the view and above unless P is within six
// text heights of the top), and the box point its arrow starts from.
struct CalloutLayout
{
    Rect2i box;     // left, right, top, bottom
    QPoint textAt;  // top-left of the name
    QPoint target;  // where the arrow to P starts
};

CalloutLayout LayOutCallout(const QPoint& anchor, const QPoint& centre, int textWidth, int textHeight, int k,
                            int viewportWidth);

}  // namespace locmap
