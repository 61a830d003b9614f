#pragma once

#include <QPoint>
#include <vector>

#include "fe/geo/TileIndex.h"

namespace fe::geo {

// The values strictly between a and b (either order), from the middle outwards: the middle first,
// then alternately one step to each side; with an even count the steps start toward the farther
// side and the last value is the remaining end. Empty when nothing lies between.
std::vector<int> CentreOutOrder(int a, int b);

// The smaller of a and b, then the larger when they differ.
std::vector<int> RangeEnds(int a, int b);

// The tiles of the range in drawing and download order: the inner tiles from the middle outwards,
// then the top and bottom edge rows of the inner columns, then the left and right edge columns with
// their corners.
std::vector<QPoint> OrderTilesCentreOut(const TileRange& range);

}  // namespace fe::geo
