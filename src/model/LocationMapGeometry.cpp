// Helmert sets, north angle and the latitude/longitude outline of a location map.
#include <cmath>
#include <numbers>

#include "fe/geo/PlaneRectConverter.h"
#include "model/LocationMap.h"

using fe::geo::GeoPoint;

namespace {

constexpr int kWebOutlineZoom = 18;

bool IsPlaneZone(std::int32_t zone)
{
    return zone >= 1 && zone <= 19;
}

}  // namespace

void LocationMap::MakeHelmertPair(fe::geo::MapHelmart& forward, fe::geo::MapHelmart& inverse) const
{
    // The plane side of the fit takes each stored plane point with its two values exchanged: (X north,
    // Y east), the order of PlaneRectConverter, so that no other conversion has to exchange them.
    const std::vector<Point2> picture = {reference.picture1, reference.picture2};
    const std::vector<Point2> plane = {{reference.plane1.y, reference.plane1.x},
                                       {reference.plane2.y, reference.plane2.x}};
    forward.Set(picture, plane);
    inverse.Set(plane, picture);
}

double LocationMap::NorthAngle() const
{
    if (kind == kRegisteredPicture) {
        fe::geo::MapHelmart forward;
        fe::geo::MapHelmart inverse;
        MakeHelmertPair(forward, inverse);
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

void LocationMap::UpdateOutline()
{
    outline.clear();
    if (IsWebMap()) {
        UpdateWebOutline();
        return;
    }
    if (kind != kRegisteredPicture || !IsPlaneZone(zone)) {
        return;
    }
    const double extent =
        std::max(std::abs(frame.rectA.x1 - frame.rectA.x0), std::abs(frame.rectA.y1 - frame.rectA.y0));
    if (extent != 0.0) {
        UpdatePlaneOutline();
        return;
    }
    fe::geo::MapHelmart forward;
    fe::geo::MapHelmart inverse;
    MakeHelmertPair(forward, inverse);
    fe::geo::PlaneRectConverter converter(zone);
    const double w = pictureWidth;
    const double h = pictureHeight;
    for (const Point2& corner : {Point2(0, 0), Point2(w, 0), Point2(w, h), Point2(0, h)}) {
        GeoPoint point;
        outline.push_back(converter.ToGeoPoint(point, forward.Map(corner)));
    }
}

void LocationMap::UpdatePlaneOutline()
{
    if (kind != kRegisteredPicture || !IsPlaneZone(zone)) {
        return;
    }
    outline.clear();
    fe::geo::MapHelmart forward;
    fe::geo::MapHelmart inverse;
    MakeHelmertPair(forward, inverse);
    fe::geo::PlaneRectConverter converter(zone);
    for (const Point2& corner : frame.Corners()) {
        GeoPoint point;
        outline.push_back(converter.ToGeoPoint(point, forward.Map(corner)));
    }
}

void LocationMap::UpdateWebOutline()
{
    outline.clear();
    const std::array<GeoPoint, 4> corners = {GeoPoint(box.x0, box.y1), GeoPoint(box.x1, box.y1),
                                             GeoPoint(box.x1, box.y0), GeoPoint(box.x0, box.y0)};
    if (std::abs(frame.angle) < 1e-4) {
        outline.assign(corners.begin(), corners.end());
        return;
    }
    // Turn the box in Web-Mercator pixels, where the frame is drawn, not in degrees.
    std::array<Point2, 4> pixels;
    Point2 centre;
    for (size_t k = 0; k < 4; ++k) {
        pixels[k] = corners[k].ToWorldPixel(kWebOutlineZoom);
        centre = centre + pixels[k];
    }
    centre = centre.Scale(0.25);
    for (const Point2& pixel : pixels) {
        const Point2 turned = centre + (pixel - centre).Rotate(-frame.angle);
        GeoPoint point;
        point.SetFromWorldPixel(turned.x, turned.y, kWebOutlineZoom);
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
