#pragma once

#include <QPoint>
#include <cstdint>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "view/DrawLoc.h"

class LocationMap;
struct LocationMapTransform;
struct PhotoList;

namespace fe::img {
class Image;
}

namespace locmap {

// The drawer of a location map over its background picture (kinds 0 and 1): the picture, straight or turned,
// and the marks, frames and furniture through the map's transform (picture pixels to screen pixels).
class ViewMap : public DrawLoc
{
public:
    ViewMap();

    // As DrawLoc::Reset and client size 0 × 0; the turned state, the smooth flag and the transform stay.
    void Reset() override;
    // Off-screen drawing into a target turned by the angle, for a map of the kind.
    void SetRotatedTarget(double angle, fe::img::Image* target, int kind);
    void ClearRotatedTarget();

    // The screen point of a map point through the transform, turned about the target's centre while the
    // drawer is turned. Needs a transform.
    QPoint ScreenPoint(double x, double y) const;

    // The photo marks of the map (a set x and the displayed bit; placed photos whose record is missing are
    // drawn grey and numbered "-" among the unselected).
    void DrawMapPhotos(LocationMap& map, const PhotoList& photos);
    // A grey dot where every positioned photo would be placed on a map in a plane zone.
    void DrawShotPositions(const PhotoList& photos, const LocationMap& map);

    bool rotated = false;
    fe::img::Image* target = nullptr;  // not owned
    Rect2 targetRect;
    Point2 targetCentre;
    double targetAngle = 0.0;
    std::int32_t mapKind = 1;
    std::int32_t smooth = 1;                          // smooth stretching of the background
    const LocationMapTransform* transform = nullptr;  // of the current map; not owned
    std::int32_t lastMapId = -1;
    std::int32_t clientWidth = 0;  // 0 off screen
    std::int32_t clientHeight = 0;

protected:
    QPoint TurnedPoint(const QPoint& p) const;
};

}  // namespace locmap
