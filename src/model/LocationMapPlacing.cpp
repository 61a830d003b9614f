// Placed photos of one location map: initialising entries from their photos, keeping them in step with the
// photo list and placing the photos that lie inside the map.
#include <QDir>
#include <cmath>

#include "fe/geo/PlaneRectConverter.h"
#include "fe/img/PictureFile.h"
#include "model/LocationMap.h"
#include "model/PhotoRecord.h"

using fe::geo::GeoPoint;

namespace {

constexpr int kPlacingZoom = 18;
// Below this frame angle (radians) a map counts as not turned when photos are placed.
constexpr double kUnturnedAngle = 0.1;

// Even-odd test with a horizontal ray: an edge counts when the point's y lies in [y_i, y_j) (either
// order) and the point lies left of the edge at that y. The closing edge is tested too.
bool InsideEvenOdd(const std::vector<Point2>& polygon, const Point2& p)
{
    bool inside = false;
    const size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point2& a = polygon[i];
        const Point2& b = polygon[j];
        const bool spans = (a.y <= p.y && p.y < b.y) || (b.y <= p.y && p.y < a.y);
        if (spans && p.x < a.x + (b.x - a.x) * (p.y - a.y) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside;
}

QString PhotoPath(const QString& photoFolder, const PhotoRecord& photo)
{
    return QDir(photoFolder).filePath(photo.FileName());
}

}  // namespace

void LocationMap::InitPlacedPhoto(PlacedPhoto& entry, PhotoRecord& photo, const QString& photoFilePath)
{
    entry.photoId = photo.id;
    entry.direction = photo.direction;

    const double extent =
        std::max(std::abs(entry.frame.x1 - entry.frame.x0), std::abs(entry.frame.y1 - entry.frame.y0));
    int width = 0;
    int height = 0;
    if (extent == 0.0 && fe::img::FileIO().GetImageSize(width, height, photoFilePath)) {
        if (photo.rotation == 90 || photo.rotation == 270) {
            std::swap(width, height);
        }
        entry.frame = Rect2(0, 0, width, height);
    }

    const Point2 frameCentre = frame.rectA.Centre();
    // Both directions on a registered picture use a fresh fit: the stored sets may still be the identity
    // of a new map. Without a usable registration the mark goes to the frame centre and the photo is left
    // as it is rather than given a made-up position.
    const bool registered =
        kind == kRegisteredPicture && HasPlaneZone() && MakeHelmertPair(transform.forward, transform.inverse);
    if (kind == kPicture || (kind == kRegisteredPicture && !registered)) {
        if (kind == kPicture) {
            entry.direction = kUnset;
        }
        entry.x = frameCentre.x;
        entry.y = frameCentre.y;
        return;
    }
    if (kind == kRegisteredPicture) {
        fe::geo::PlaneRectConverter converter(zone);
        if (photo.HasPosition()) {
            const Point2 pixel = transform.inverse.Map(converter.ToPlaneXY(photo.position));
            entry.x = pixel.x;
            entry.y = pixel.y;
        } else {
            entry.x = frameCentre.x;
            entry.y = frameCentre.y;
            converter.ToGeoPoint(photo.position, transform.forward.Map(frameCentre));
        }
        return;
    }
    if (!photo.HasPosition()) {
        const Point2 centre = box.Centre();
        photo.position.longitude = centre.x;
        photo.position.latitude = centre.y;
    }
    entry.x = photo.position.longitude;
    entry.y = photo.position.latitude;
}

void LocationMap::SyncPlacedPhotos(PhotoList& photoList, const QString& photoFolder)
{
    std::vector<PlacedPhoto>& entries = photos.entries;
    size_t k = 0;
    while (k < entries.size()) {
        PlacedPhoto& entry = entries[k];
        const int index = photoList.IndexOfId(entry.photoId);
        if (index < 0 || (kind != kPicture && !photoList.photos[static_cast<size_t>(index)].HasPosition())) {
            // The entry that moves into this place is examined next.
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(k));
            continue;
        }
        if (kind != kPicture) {
            PhotoRecord& photo = photoList.photos[static_cast<size_t>(index)];
            InitPlacedPhoto(entry, photo, PhotoPath(photoFolder, photo));
        }
        ++k;
    }
}

bool LocationMap::ContainsForPlacing(const PhotoRecord& photo)
{
    const bool turned = std::abs(frame.angle) >= kUnturnedAngle;
    if (kind == kRegisteredPicture) {
        if (!turned) {
            std::vector<Point2> polygon;
            for (const GeoPoint& point : outline) {
                polygon.emplace_back(point.longitude, point.latitude);
            }
            return polygon.size() >= 3 &&
                   InsideEvenOdd(polygon, {photo.position.longitude, photo.position.latitude});
        }
        if (!HasPlaneZone() || !MakeHelmertPair(transform.forward, transform.inverse)) {
            return false;
        }
        const Point2 pixel =
            transform.inverse.Map(fe::geo::PlaneRectConverter(zone).ToPlaneXY(photo.position));
        const std::array<Point2, 4> corners = frame.Corners();
        std::vector<Point2> polygon(corners.begin(), corners.end());
        ClosePolygon(polygon);
        return InsideEvenOdd(polygon, pixel);
    }
    if (!IsWebMap()) {
        return false;
    }
    const double lon = photo.position.longitude;
    const double lat = photo.position.latitude;
    if (!turned) {
        return box.x0 < lon && lon < box.x1 && box.y0 < lat && lat < box.y1;
    }
    const std::array<Point2, 4> corners = TurnedBoxPixels(kPlacingZoom);
    std::vector<Point2> polygon(corners.begin(), corners.end());
    ClosePolygon(polygon);
    return InsideEvenOdd(polygon, photo.position.ToWorldPixel(kPlacingZoom));
}

void LocationMap::PlacePhotosInside(PhotoList& photoList, const QString& photoFolder)
{
    if (kind == kPicture) {
        return;
    }
    for (PhotoRecord& photo : photoList.photos) {
        if (!photo.HasPosition() || photos.IndexOfPhoto(photo.id) >= 0 || !ContainsForPlacing(photo)) {
            continue;
        }
        PlacedPhoto entry;
        InitPlacedPhoto(entry, photo, PhotoPath(photoFolder, photo));
        photos.Add(entry);
    }
}
