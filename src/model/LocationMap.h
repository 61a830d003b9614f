#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/geo/GeoPoint.h"
#include "fe/geo/MapHelmart.h"
#include "model/MapRecords.h"
#include "model/OutputFrame.h"
#include "model/PlacedPhoto.h"
#include "model/ReservoirSheet.h"

struct PhotoList;
struct PhotoRecord;

// The registration of a background picture: two picture points and the two plane points they show. The
// plane values are kept in the order the registration file holds them; the Helmert sets take each plane
// point with its two values exchanged, so that their plane side is (X north, Y east) like every other
// plane coordinate of the program.
struct MapReference
{
    Point2 picture1;
    Point2 picture2;
    Point2 plane1;
    Point2 plane2;

    friend bool operator==(const MapReference&, const MapReference&) = default;
};

// Run-time state of one map object that is never stored: the frame orientation flag and the line-sort
// fields. A copy-constructed map starts from the defaults; an assigned map keeps its own values. Moves carry
// the values along, so a map keeps its state when the map vector grows or a map before it is deleted.
struct LocationMapRuntime
{
    std::uint8_t frameOriented = 0;  // drawing turns with the output frame (off-screen renders)
    std::vector<Point2> sortLine;
    double sortScale = 1.0;
    std::vector<fe::geo::GeoPoint> sortLineGeo;
    double sortTolerance = 2e-6;
    std::int32_t sortContactWidth = 50;

    LocationMapRuntime() = default;
    LocationMapRuntime(const LocationMapRuntime&) {}
    LocationMapRuntime& operator=(const LocationMapRuntime&) { return *this; }
    LocationMapRuntime(LocationMapRuntime&&) noexcept = default;
    LocationMapRuntime& operator=(LocationMapRuntime&&) noexcept = default;
};

// One location map: a picture without coordinates (kind 0), a picture registered in a plane zone (kind 1),
// or a web map (kinds 2 to 4: standard, pale, aerial photo).
class LocationMap
{
public:
    static constexpr std::int32_t kPicture = 0;
    static constexpr std::int32_t kRegisteredPicture = 1;
    static constexpr std::int32_t kWebStandard = 2;
    static constexpr std::int32_t kWebPale = 3;
    static constexpr std::int32_t kWebPhoto = 4;
    static constexpr std::int32_t kNoPicture = 5;  // picture format of maps without a stored picture
    static constexpr std::uint32_t kFlagDefault = 1;
    static constexpr std::uint32_t kFlagCurrent = 2;

    std::int32_t id = -1;
    std::int32_t pictureFormat = kNoPicture;  // 0 jpg, 1 png, 2 gif, 3 tif, 4 bmp
    std::int32_t zone = 0;                    // plane zone 1-19, 0 none
    std::int32_t pictureWidth = 0;
    std::int32_t pictureHeight = 0;
    MapReference reference;
    QString sourcePictureName;
    std::int32_t kind = kPicture;
    Rect2 box{kUnset, kUnset, kUnset, kUnset};  // web maps: {west, east, south, north}
    OutputFrame frame;
    std::int32_t tileZoom = 0;
    QString name;
    PlacedPhotoList photos;
    MapItemTexts itemNames = MapItemTexts::DefaultNames();
    MapItemTexts itemValues;
    std::uint8_t outputFlag = 1;
    std::uint8_t cadOutputFlag = 1;
    std::uint8_t outputFlagCopy = 1;
    std::int32_t reservedA = 0;
    std::uint8_t reservedB = 0;
    std::int32_t reservedC = 0;
    std::int32_t reservedD = 2;
    ReservoirSheet reservoir;
    std::uint8_t showCallout = 1;
    fe::geo::GeoPoint calloutAnchor{kUnset, kUnset};
    QString locationText;
    QStringList commentLines;
    std::uint32_t flags = kFlagDefault;
    std::vector<fe::geo::GeoPoint> outline;  // rebuilt by UpdateOutline, never stored
    LocationMapTransform transform;
    MapOverlayLayout overlay;
    LocationMapRuntime runtime;

    // A map with the id, reset; a number above 0 is appended to the name ("名称未設定3").
    LocationMap(std::int32_t mapId = -1, std::int32_t number = -1);
    LocationMap(const LocationMap&) = default;
    LocationMap& operator=(const LocationMap&) = default;
    // Moves are declared noexcept so that the map vector moves its maps (keeping their run-time state)
    // instead of copying them when it grows.
    LocationMap(LocationMap&&) noexcept = default;
    LocationMap& operator=(LocationMap&&) noexcept = default;

    // Everything back to a new map's values except the id, the box, the tile zoom, rectangle B of the frame
    // and the overlay, which callers rely on surviving.
    void Reset();

    // The stored kind numbers: 0 ... 4 are maps, web maps are 2 ... 4.
    static constexpr bool IsKnownKind(std::int32_t value) { return value >= kPicture && value <= kWebPhoto; }
    static constexpr bool IsWebKind(std::int32_t value)
    {
        return value >= kWebStandard && value <= kWebPhoto;
    }

    bool IsWebMap() const { return IsWebKind(kind); }
    // A registered picture or a web map: its points have plane or latitude/longitude coordinates.
    bool HasCoordinates() const { return kind == kRegisteredPicture || IsWebMap(); }
    bool IsPictureMap() const { return kind == kPicture || kind == kRegisteredPicture; }
    bool IsCurrent() const { return (flags & kFlagCurrent) != 0; }

    // The stored picture name: "m%06d.<ext>" for picture maps ("error" as the extension of an unknown
    // format), "---" for web maps, "?" for any other kind.
    QString ImageFileName() const;
    // Helmert sets fitted to the two reference pairs: picture -> plane and plane -> picture. False (both
    // sets the identity) when the reference points cannot define a fit.
    bool MakeHelmertPair(fe::geo::MapHelmart& forward, fe::geo::MapHelmart& inverse) const;
    bool HasPlaneZone() const { return zone >= 1 && zone <= 19; }
    // The map's north direction in radians (see the implementation for each kind).
    double NorthAngle() const;
    // Drawing turns with the output frame (off-screen renders) or stands with the map again; both then point
    // the north arrow: −NorthAngle for pictures (kinds 0, 1), NorthAngle for web maps; other kinds keep it.
    void UseFrameOrientation();
    void UseMapOrientation();

    // A kind-0 map of the picture, copied into the map folder (an existing copy is never overwritten).
    bool LoadPicture(const QString& mapFolder, const QString& picturePath);
    // A kind-1 map of the picture and its registration file; the zone must be 1 to 19 and replaces the
    // registration's own. An existing copy is replaced. The registration file is only read.
    bool LoadRegisteredPicture(const QString& mapFolder, const QString& picturePath,
                               const QString& registrationPath, std::int32_t newZone);
    // A web map (kind 2 to 4) of the box {west, east, south, north} at the tile zoom.
    bool SetWebMap(std::int32_t newKind, const Rect2& newBox, std::int32_t zoom);
    // Reads a registration file and makes the map a kind-1 map.
    bool ApplyRegistration(const QString& mhcPath);
    // Registration file: version, eight reference values and, from version 2, the zone. A file that lacks a
    // value or whose two picture or two plane points coincide is refused, leaving the map unchanged.
    bool ReadRegistration(const QString& mhcPath);
    bool WriteRegistration(const QString& mhcPath) const;
    bool ReadPictureSize(const QString& picturePath);

    void UpdateOutline();
    void UpdatePlaneOutline();
    void UpdateWebOutline();
    // The midpoint of the first two outline points (the middle of the north edge); false with fewer points.
    bool SetCalloutAnchorFromOutline();

    // Fills the entry from the photo for this map; on kinds 1 to 4 a photo without a position gets the
    // map's centre as its position.
    void InitPlacedPhoto(PlacedPhoto& entry, PhotoRecord& photo, const QString& photoFilePath);
    // Brings the entries in step with the photo list: drops entries of missing photos (and, on maps other
    // than plain pictures, of photos without a position) and re-positions the others.
    void SyncPlacedPhotos(PhotoList& photoList, const QString& photoFolder);
    // Places every positioned photo inside the map's area that is not on the map yet.
    void PlacePhotosInside(PhotoList& photoList, const QString& photoFolder);

    // Sorting along the drawn line (LocationMapLineSort.cpp). The placed photos within the contact
    // distance of the map's sort line are brought together in the order the line passes them, at the place
    // of the first of them along the line; the others keep their relative order. Only the order changes:
    // numbers stay, nothing is saved, and with no photo near the line the order stays as it was. Picture
    // maps (kinds 0, 1) measure the placed positions against sortLine in picture pixels; web maps (kinds 2
    // to 4) measure the photos' shot positions against sortLineGeo in metres, and photos without a
    // position keep their relative order. A map of the other kinds or without a line is left alone.
    void SortPhotosAlongLine(const PhotoList& photoList);
    void SortAlongLineMapXY();
    void SortAlongLineLatLong(const PhotoList& photoList);
    // The contact width times the map-coordinate scale (true) or the latitude scale (false).
    double ContactDistance(bool mapCoordinates) const;

    // The distance in metres between two points on the GRS80 ellipsoid by Hubeny's formula.
    static double HubenyDistance(const fe::geo::GeoPoint& a, const fe::geo::GeoPoint& b);
    struct SegmentDistance
    {
        double metres;             // kUnset when the segment has no length or the result is not a number
        fe::geo::GeoPoint nearest; // the foot on the segment, or the point itself beyond an end
    };
    // The distance of p from the great-circle segment a-b: across the segment on a sphere of radius
    // 6371 km, or the nearer end's Hubeny distance when p lies beyond an end.
    static SegmentDistance DistanceToGeodesicSegment(const fe::geo::GeoPoint& a, const fe::geo::GeoPoint& b,
                                                     const fe::geo::GeoPoint& p);

private:
    bool ContainsForPlacing(const PhotoRecord& photo);
    // Rectangle A of the frame has a size.
    bool HasFrame() const;
    // The outline becomes the picture points through the forward Helmert set and the zone.
    void SetOutlineFromPicturePoints(const std::array<Point2, 4>& points);
    // The box corners north-west, north-east, south-east, south-west.
    std::array<fe::geo::GeoPoint, 4> BoxCorners() const;
    // The box corners as world pixels at the zoom, turned about their mean by minus the frame angle.
    std::array<Point2, 4> TurnedBoxPixels(int zoom) const;
    // The north arrow's angle from NorthAngle by the kind.
    void PointNorthArrow();
    // Sets the north arrow and the scale bar 40 pixels in from their corners.
    void PlaceOverlayAtMargin();
};
