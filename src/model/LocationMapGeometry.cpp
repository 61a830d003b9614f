// Helmert sets, north angle and the latitude/longitude outline of a location map.
#include <cmath>
#include <numbers>

#include "fe/geo/PlaneRectConverter.h"
#include "model/LocationMap.h"

using fe::geo::GeoPoint;

namespace {

constexpr int kWebOutlineZoom = 18;

}  // namespace

bool LocationMap::MakeHelmertPair(fe::geo::MapHelmart& forward, fe::geo::MapHelmart& inverse) const
{
    // The plane side of the fit takes each stored plane point with its two values exchanged: (X north,
    // Y east), the order of PlaneRectConverter, so that no other conversion has to exchange them.
    const std::vector<Point2> picture = {reference.picture1, reference.picture2};
    const std::vector<Point2> plane = {{reference.plane1.y, reference.plane1.x},
                                       {reference.plane2.y, reference.plane2.x}};
    const bool fitted = forward.Set(picture, plane);
    return inverse.Set(plane, picture) && fitted;
}

double LocationMap::NorthAngle() const
{
    if (kind == kRegisteredPicture) {
        fe::geo::MapHelmart forward;
        fe::geo::MapHelmart inverse;
        if (!MakeHelmertPair(forward, inverse)) {
            return 0.0;
        }
        // The picture's upward direction expressed in plane coordinates.
        const Point2 up = forward.Map({0.0, 0.0}) - forward.Map({0.0, 100.0});
        double angle = std::atan2(up.y, up.x);
        if (angle < 0.0) {
            angle += 2.0 * std::numbers::pi;
        }
        if (runtime.frameOriented != 0) {
            angle = std::fmod(angle - frame.angle, 2.0 * std::numbers::pi);
        }
        return angle;
    }
    if (IsWebMap()) {
        return runtime.frameOriented != 0 ? -frame.angle : 0.0;
    }
    return 0.0;
}

void LocationMap::UseFrameOrientation()
{
    runtime.frameOriented = 1;
    PointNorthArrow();
}

void LocationMap::UseMapOrientation()
{
    runtime.frameOriented = 0;
    PointNorthArrow();
}

void LocationMap::PointNorthArrow()
{
    if (IsPictureMap())
        overlay.northArrowAngle = -NorthAngle();
    else if (IsWebMap())
        overlay.northArrowAngle = NorthAngle();
}

void LocationMap::UpdateOutline()
{
    outline.clear();
    if (IsWebMap()) {
        UpdateWebOutline();
        return;
    }
    if (kind != kRegisteredPicture || !HasPlaneZone()) {
        return;
    }
    if (HasFrame()) {
        UpdatePlaneOutline();
        return;
    }
    const double w = pictureWidth;
    const double h = pictureHeight;
    SetOutlineFromPicturePoints({Point2(0, 0), Point2(w, 0), Point2(w, h), Point2(0, h)});
}

void LocationMap::UpdatePlaneOutline()
{
    if (kind != kRegisteredPicture || !HasPlaneZone()) {
        return;
    }
    const std::array<Point2, 4> corners = frame.Corners();
    SetOutlineFromPicturePoints(corners);
}

void LocationMap::SetOutlineFromPicturePoints(const std::array<Point2, 4>& points)
{
    outline.clear();
    fe::geo::MapHelmart forward;
    fe::geo::MapHelmart inverse;
    if (!MakeHelmertPair(forward, inverse)) {
        return;  // no registration, no area: better no outline than a made-up one
    }
    const fe::geo::PlaneRectConverter converter(zone);
    for (const Point2& point : points) {
        GeoPoint geo;
        outline.push_back(converter.ToGeoPoint(geo, forward.Map(point)));
    }
}

bool LocationMap::HasFrame() const
{
    return std::max(std::abs(frame.rectA.x1 - frame.rectA.x0), std::abs(frame.rectA.y1 - frame.rectA.y0)) !=
           0.0;
}

std::array<GeoPoint, 4> LocationMap::BoxCorners() const
{
    return {GeoPoint(box.x0, box.y1), GeoPoint(box.x1, box.y1), GeoPoint(box.x1, box.y0),
            GeoPoint(box.x0, box.y0)};
}

std::array<Point2, 4> LocationMap::TurnedBoxPixels(int zoom) const
{
    // The frame is drawn turned in Web-Mercator pixels, so the box is turned there, not in degrees.
    const std::array<GeoPoint, 4> corners = BoxCorners();
    std::array<Point2, 4> pixels;
    Point2 centre;
    for (size_t k = 0; k < 4; ++k) {
        pixels[k] = corners[k].ToWorldPixel(zoom);
        centre = centre + pixels[k];
    }
    centre = centre.Scale(0.25);
    for (Point2& pixel : pixels) {
        pixel = centre + (pixel - centre).Rotate(-frame.angle);
    }
    return pixels;
}

void LocationMap::UpdateWebOutline()
{
    outline.clear();
    if (std::abs(frame.angle) < 1e-4) {
        const std::array<GeoPoint, 4> corners = BoxCorners();
        outline.assign(corners.begin(), corners.end());
        return;
    }
    for (const Point2& pixel : TurnedBoxPixels(kWebOutlineZoom)) {
        GeoPoint point;
        point.SetFromWorldPixel(pixel.x, pixel.y, kWebOutlineZoom);
        outline.push_back(point);
    }
}

bool LocationMap::SetCalloutAnchorFromOutline()
{
    if (outline.size() < 2) {
        return false;
    }
    calloutAnchor = GeoPoint((outline[0].longitude + outline[1].longitude) / 2,
                             (outline[0].latitude + outline[1].latitude) / 2);
    return true;
}
