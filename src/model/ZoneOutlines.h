#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "fe/Point2.h"

// The outlines of the nineteen plane rectangular zones on the zone map picture (Systems/keiarea.csv), in
// picture pixels at 96 dots per inch. Outline i (from 0) is zone i + 1.
using ZoneOutline = std::vector<Point2>;

// Limits of the outline file: more than the zone map ever needs.
inline constexpr qint64 kMaxZoneOutlineFileBytes = 4 * 1024 * 1024;
inline constexpr int kMaxZoneOutlines = 64;
inline constexpr int kMaxZoneOutlinePoints = 100000;

// Reads the outline text: each line is split at "," with empty pieces dropped; a line whose first piece
// is "KEI" ends the current outline (kept when it has a point); any other line is a point x = first
// piece, y = 500 − second piece. Lines without a piece, point lines with a single piece and pieces that
// are not finite numbers are skipped. Reading stops at the outline and point limits.
std::vector<ZoneOutline> ParseZoneOutlines(QStringView text);
// The file read as above; empty when it is missing, larger than the limit or cannot be read.
std::vector<ZoneOutline> ReadZoneOutlines(const QString& path);

// The zone (1 and up) of the first outline holding the point by the even-odd rule over consecutive
// point pairs only (an outline is closed only when its last point repeats its first); 0 when none does.
int ZoneAtPoint(const std::vector<ZoneOutline>& outlines, const Point2& point);
