// Sorting a map's placed photos along a drawn line: orders worked out by hand from the geometry, and
// distances checked against values computed apart from the code (haversine cross-track formula and
// Hubeny's formula in Python).
#include <gtest/gtest.h>

#include <cmath>

#include "model/LocationMap.h"
#include "model/PhotoRecord.h"

namespace {

// A picture map whose entries (photo ids 0, 1, ...) stand at the points, with the line drawn.
LocationMap PictureMap(const std::vector<Point2>& places, const std::vector<Point2>& line)
{
    LocationMap map(1);
    map.kind = LocationMap::kPicture;
    for (size_t k = 0; k < places.size(); ++k) {
        PlacedPhoto entry;
        entry.photoId = static_cast<int>(k);
        entry.x = places[k].x;
        entry.y = places[k].y;
        entry.numberText = QStringLiteral("No.%1").arg(k);
        map.photos.entries.push_back(entry);
    }
    map.runtime.sortLine = line;
    return map;
}

std::vector<int> Order(const LocationMap& map)
{
    std::vector<int> ids;
    for (const PlacedPhoto& entry : map.photos.entries)
        ids.push_back(entry.photoId);
    return ids;
}

}  // namespace

TEST(LineSort, PictureMapsTakeThePhotosNearTheLineInLineOrder)
{
    const Point2 far(50, 500);
    struct Case
    {
        const char* what;
        std::vector<Point2> places;
        std::vector<Point2> line;
        std::vector<int> expected;
    };
    const Case cases[] = {
        // Entries 3 and 7 near the first segment, 7 nearer its start: the block stands where 7 stood.
        {"two of ten",
         {far, far, far, {80, 10}, far, far, far, {20, 5}, far, far},
         {{0, 0}, {100, 0}},
         {0, 1, 2, 4, 5, 6, 7, 3, 8, 9}},
        // One point: the photos within the width by their distance from it.
        {"one-point line", {{30, 0}, {0, 10}, {60, 0}}, {{0, 0}}, {1, 0, 2}},
        // (90, 10) is 10 from both segments and stays on the first: before (95, 2), which lies further
        // along it; on the second segment it would come after.
        {"tie goes to the earlier segment", {{95, 2}, {90, 10}}, {{0, 0}, {100, 0}, {100, 100}}, {1, 0}},
        // Beyond the start, (-5, 0) keeps its own point: 5 from the start, after (3, 1) at 3.
        {"beyond an end the photo's own point", {{-5, 0}, {3, 1}}, {{0, 0}, {100, 0}}, {1, 0}},
        // Off the line's start sideways: 57 from the start (out of the width of 50), although only 40
        // from the line's extension.
        {"beyond the start, off to the side", {{-40, 40}, {10, 1}}, {{0, 0}, {100, 0}}, {0, 1}},
        // The segment comes before the distance along it: (98, 20) lies 20 along the second segment,
        // (90, 2) 90 along the first.
        {"segment first, then along it", {{98, 20}, {90, 2}}, {{0, 0}, {100, 0}, {100, 100}}, {1, 0}},
        {"on a vertex", {{160, 60}, {100, 0}, {40, 3}}, {{0, 0}, {100, 0}, {100, 100}}, {0, 2, 1}},
        {"no photo near the line", {far, {300, 0}, far}, {{0, 0}, {100, 0}}, {0, 1, 2}},
        // A segment of no length is passed over; the next one measures.
        {"degenerate segment", {{80, 3}, {50, 4}}, {{0, 0}, {0, 0}, {100, 0}}, {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LocationMap map = PictureMap(c.places, c.line);
        map.SortPhotosAlongLine(PhotoList());
        EXPECT_EQ(Order(map), c.expected);
        // Only the order changes: every entry keeps its number.
        for (const PlacedPhoto& entry : map.photos.entries)
            EXPECT_EQ(entry.numberText, QStringLiteral("No.%1").arg(entry.photoId));
    }
}

TEST(LineSort, OnlyTheVariantsOwnMapsAndLinesAreSorted)
{
    const std::vector<Point2> places = {{500, 500}, {10, 1}};
    LocationMap noLine = PictureMap(places, {});
    noLine.SortPhotosAlongLine(PhotoList());
    EXPECT_EQ(Order(noLine), std::vector<int>({0, 1}));

    LocationMap web = PictureMap(places, {{0, 0}, {100, 0}});
    web.kind = LocationMap::kWebStandard;  // has a picture-pixel line but measures the geographic one
    web.SortAlongLineMapXY();
    web.SortPhotosAlongLine(PhotoList());
    EXPECT_EQ(Order(web), std::vector<int>({0, 1}));

    // Many photos and none near the line: an unstable sort of equal keys could reorder them; nothing moves.
    std::vector<Point2> away(40, Point2(50, 500));
    LocationMap none = PictureMap(away, {{0, 0}, {100, 0}});
    none.SortPhotosAlongLine(PhotoList());
    for (int k = 0; k < 40; ++k)
        EXPECT_EQ(none.photos.entries[static_cast<size_t>(k)].photoId, k);

    LocationMap narrow = PictureMap({{60, 20}, {10, 20}}, {{0, 0}, {100, 0}});
    narrow.runtime.sortContactWidth = 19;
    narrow.SortPhotosAlongLine(PhotoList());
    EXPECT_EQ(Order(narrow), std::vector<int>({0, 1}));
    narrow.runtime.sortContactWidth = 20;
    narrow.SortPhotosAlongLine(PhotoList());
    EXPECT_EQ(Order(narrow), std::vector<int>({1, 0}));
}

TEST(LineSort, HubenyDistanceOfTheContactWidth)
{
    struct Case
    {
        int width;
        double metres;
    };
    for (const Case& c : {Case{5, 1.1094057463}, Case{50, 11.0940575425}, Case{105, 23.2975210502}}) {
        LocationMap map(1);
        map.runtime.sortContactWidth = c.width;
        const fe::geo::GeoPoint p(139.0, 35.0);
        EXPECT_NEAR(LocationMap::HubenyDistance(p, fe::geo::GeoPoint(139.0, 35.0 + map.ContactDistance(false))),
                    c.metres, 1e-6)
            << c.width;
    }
    EXPECT_NEAR(LocationMap::HubenyDistance({139.02, 35.0}, {139.01, 35.0}), 912.8816965, 1e-6);
}

TEST(LineSort, DistanceToAGeodesicSegment)
{
    const fe::geo::GeoPoint a(139.0, 35.0);
    const fe::geo::GeoPoint b(139.01, 35.0);
    // Across the segment. The acos form loses about 0.1 mm at this short a distance.
    LocationMap::SegmentDistance across = LocationMap::DistanceToGeodesicSegment(a, b, {139.005, 35.0001});
    EXPECT_NEAR(across.metres, 11.108095, 1e-3);
    EXPECT_NEAR(across.nearest.longitude, 139.0049999999, 1e-8);
    EXPECT_NEAR(across.nearest.latitude, 35.0000001025, 1e-8);
    // The same with the ends the other way round, and west of Greenwich, where acos gave no longitude.
    across = LocationMap::DistanceToGeodesicSegment(b, a, {139.005, 35.0001});
    EXPECT_NEAR(across.metres, 11.108095, 1e-3);
    across = LocationMap::DistanceToGeodesicSegment({-0.01, 35.0}, {0.0, 35.0}, {-0.005, 35.0001});
    EXPECT_NEAR(across.metres, 11.108095, 1e-3);
    EXPECT_NEAR(across.nearest.longitude, -0.0050000001, 1e-8);

    const LocationMap::SegmentDistance beyond = LocationMap::DistanceToGeodesicSegment(a, b, {139.02, 35.0});
    EXPECT_NEAR(beyond.metres, 912.8816965, 1e-6);
    EXPECT_EQ(beyond.nearest.longitude, 139.02);

    // On an end: 0 m. Next to one: a small distance, never NaN (the angles' rounding leaves a few
    // centimetres near the far end, well below any contact distance).
    EXPECT_EQ(LocationMap::DistanceToGeodesicSegment(a, b, a).metres, 0.0);
    EXPECT_EQ(LocationMap::DistanceToGeodesicSegment(a, b, b).metres, 0.0);
    for (const fe::geo::GeoPoint& p :
         {fe::geo::GeoPoint(139.0 + 1e-12, 35.0 + 1e-12), fe::geo::GeoPoint(139.01 - 1e-9, 35.0),
          fe::geo::GeoPoint(139.0 + 1e-9, 35.0 - 1e-9)}) {
        const LocationMap::SegmentDistance near = LocationMap::DistanceToGeodesicSegment(a, b, p);
        EXPECT_FALSE(std::isnan(near.metres));
        EXPECT_LT(near.metres, 0.1);
        EXPECT_FALSE(std::isnan(near.nearest.longitude));
        EXPECT_FALSE(std::isnan(near.nearest.latitude));
    }
    EXPECT_EQ(LocationMap::DistanceToGeodesicSegment(a, a, {139.005, 35.0}).metres, kUnset);
}

TEST(LineSort, WebMapsMeasureTheShotPositions)
{
    PhotoList photos;
    const fe::geo::GeoPoint at[] = {
        {kUnset, kUnset},                     // 0: no position
        {139.0005, 35.01},                    // 1: far from the line
        {139.0008, 35.00001},                 // 2: near, 73 m along
        {139.0, 35.0},                        // 3: on the first vertex
        {0, 0},                               // 4: placed, but not in the photo list
        {139.0003, 35.00002},                 // 5: near, 27 m along
        {139.0 + 1e-8, 35.0 + 1e-8},          // 6: next to the first vertex
    };
    LocationMap map(1);
    map.kind = LocationMap::kWebPale;
    for (int k = 0; k < 7; ++k) {
        if (k != 4) {
            PhotoRecord photo(k);
            photo.position = at[k];
            photos.photos.push_back(photo);
        }
        PlacedPhoto entry;
        entry.photoId = k;
        map.photos.entries.push_back(entry);
    }
    map.runtime.sortLineGeo = {{139.0, 35.0}, {139.001, 35.0}};
    map.SortPhotosAlongLine(photos);
    EXPECT_EQ(Order(map), std::vector<int>({0, 1, 3, 6, 5, 2, 4}));

    // Without any positioned photo there is no contact distance, and nothing moves.
    LocationMap unplaced(2);
    unplaced.kind = LocationMap::kWebStandard;
    unplaced.photos.entries.resize(2);
    unplaced.photos.entries[0].photoId = 40;
    unplaced.photos.entries[1].photoId = 41;
    unplaced.runtime.sortLineGeo = {{139.0, 35.0}};
    unplaced.SortPhotosAlongLine(photos);
    EXPECT_EQ(Order(unplaced), std::vector<int>({40, 41}));
}
