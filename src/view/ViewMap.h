#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "view/DrawLoc.h"

class LocationMap;
class LocusTrack;
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
    void SetRotatedTarget(double angle, fe::img::Image* image, int kind);

    // The screen point of a map point through the transform, turned about the target's centre while the
    // drawer is turned. Needs a transform.
    QPoint ScreenPoint(double x, double y) const;

    // The photo marks of the map (a set x and the displayed bit; placed photos whose record is missing are
    // drawn grey and numbered "-" among the unselected).
    void DrawMapPhotos(const LocationMap& map, const PhotoList& photos);
    // A grey dot where every positioned photo would be placed on a map in a plane zone.
    void DrawShotPositions(const PhotoList& photos, const LocationMap& map);

    // The background picture stretched through the transform (a mirrored mapping stays mirrored): kind 0 at
    // the map's stored picture size, kind 1 at the loaded picture's own size, other kinds not at all. While
    // the drawer is turned it draws the turned background instead. Remembers the map's id.
    void DrawBackground(const LocationMap& map, const QImage& picture);
    // Fills the turned target by looking every target pixel up in the picture (nearest pixel) through the
    // frame's rectangle A; pixels outside the picture stay white.
    void DrawRotatedBackground(const LocationMap& map, const QImage& picture);

    // Furniture on screen (client size set) and off screen at the render scale.
    void DrawOutputFrame(const LocationMap& map);
    void DrawScreenNorthArrow(const LocationMap& map);
    void DrawScreenScaleBar(const LocationMap& map);
    void DrawNorthArrow(double scale, const LocationMap& map);
    void DrawScaleBar(double scale, const LocationMap& map);

    // Tracks within the client area of a map in the plane zone (1 to 19), those with a current point on top.
    void DrawTracks(const std::vector<LocusTrack>& tracks, int width, int height, int zone);
    void DrawTrack(const LocusTrack& track, int zone);
    void DrawSortLine(const LocationMap& map);
    void DrawSortLinePoints(double halfWidth, const std::vector<Point2>& points);

    std::int32_t mapKind = 1;
    std::int32_t smooth = 1;                          // smooth stretching of the background
    const LocationMapTransform* transform = nullptr;  // of the current map; not owned
    std::int32_t lastMapId = -1;
    std::int32_t clientWidth = 0;  // 0 off screen
    std::int32_t clientHeight = 0;

protected:
    // The smallest and largest x and y of the output frame's rectangle A through the transform.
    Rect2 FrameOnScreen(const LocationMap& map) const;
    double XRatio() const;
};

// The blank margins of a picture fitted into a target prefilled with the value 1: from each edge, every pixel
// that is 1 becomes the colour (0x00RRGGBB) until the first pixel that is not; inner runs of 1 stay.
void FillBlankFromLeft(QImage& image, std::uint32_t rgb);
void FillBlankFromRight(QImage& image, std::uint32_t rgb);
void FillBlankFromTop(QImage& image, std::uint32_t rgb);
void FillBlankFromBottom(QImage& image, std::uint32_t rgb);

}  // namespace locmap
