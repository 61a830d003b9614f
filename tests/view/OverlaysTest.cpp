// Tracks and the linear-sort line over web tiles and over a registered picture.
#include <gtest/gtest.h>

#include "PixelCanvas.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/LocationMap.h"
#include "model/LocusTrack.h"
#include "view/ViewGsi.h"
#include "view/ViewMap.h"

using namespace locmap;

namespace {

const QColor kTrackBlue(0, 0, 255);
const QColor kCurrentRed(196, 0, 0);
const QColor kDartRed(255, 0, 0);
const fe::geo::GeoPoint kCentre(139.75, 35.68);

LocusTrack Track(std::initializer_list<std::pair<double, double>> offsets, int current = -1)
{
    LocusTrack track;
    for (const auto& [dLon, dLat] : offsets) {
        LocusPoint point;
        point.position = fe::geo::GeoPoint(kCentre.longitude + dLon, kCentre.latitude + dLat);
        track.points.push_back(point);
    }
    track.currentPoint = current;
    track.UpdateBounds();
    return track;
}

struct WebTracks
{
    ViewGsi drawer;
    PixelCanvas canvas{300, 300};

    WebTracks()
    {
        drawer.viewport.Set(17, kCentre, 300, 300);
        drawer.UseMapPalette();
        drawer.SetupResources();
    }

    Rect2 ViewBox() const
    {
        fe::geo::GeoPoint nw, se;
        nw.SetFromWorldPixel(drawer.viewport.centreX - 150, drawer.viewport.centreY - 150, 17);
        se.SetFromWorldPixel(drawer.viewport.centreX + 150, drawer.viewport.centreY + 150, 17);
        return Rect2(nw.longitude, se.latitude, se.longitude, nw.latitude);
    }

    void Draw(const std::vector<LocusTrack>& tracks)
    {
        canvas.Paint([&](QPainter& p) {
            ASSERT_TRUE(drawer.BeginAtZoom(&p, 17));
            drawer.DrawTracks(tracks, ViewBox());
            drawer.End();
        });
    }
};

TEST(Overlays, TracksOutsideTheViewAreSkippedAndTheCurrentOneLiesOnTop)
{
    WebTracks web;
    // A west–east track with a current point listed first, a south–north one crossing it, and one far away.
    const std::vector<LocusTrack> tracks = {
        Track({{-0.0004, 0}, {0.0004, 0}}, 1),
        Track({{0, -0.0004}, {0, 0.0004}}),
        Track({{0.5, 0.5}, {0.6, 0.6}}),
    };
    web.Draw(tracks);
    EXPECT_EQ(web.canvas.At(150, 150), kCurrentRed);                      // the crossing
    EXPECT_GT(web.canvas.Count(QRect(148, 120, 5, 25), kTrackBlue), 20);  // the crossing track, under it
    EXPECT_GT(web.canvas.Count(QRect(120, 148, 25, 5), kCurrentRed), 20);

    WebTracks away;
    away.Draw({tracks[2]});
    EXPECT_EQ(away.canvas.Count(away.canvas.image.rect(), kTrackBlue), 0);
    // Hidden tracks draw nothing.
    WebTracks hidden;
    hidden.drawer.showTracks = 0;
    hidden.Draw(tracks);
    EXPECT_EQ(hidden.canvas.Count(hidden.canvas.image.rect(), kCurrentRed), 0);
}

TEST(Overlays, SinglePointTrackDartPointsLeft)
{
    WebTracks web;
    web.Draw({Track({{0, 0}}, 0)});
    EXPECT_GT(web.canvas.Count(QRect(150 + 5, 140, 20, 20), kDartRed), 20);  // its body opens to the right
    EXPECT_EQ(web.canvas.Count(QRect(150 - 20, 140, 18, 20), kDartRed), 0);
    EXPECT_EQ(web.canvas.Count(QRect(150 + 30, 130, 20, 40), kDartRed), 0);
}

TEST(Overlays, DartPointsAlongTheDirectionOfTravel)
{
    WebTracks web;
    // Travelling east: the dart at the last point has its body to the west.
    web.Draw({Track({{-0.0008, 0}, {0, 0}}, 1)});
    EXPECT_GT(web.canvas.Count(QRect(150 - 22, 140, 20, 20), kDartRed), 20);
    EXPECT_EQ(web.canvas.Count(QRect(150 + 3, 130, 20, 40), kDartRed), 0);
}

TEST(Overlays, OnePointSortLineIsATranslucentDotWithoutArrowhead)
{
    WebTracks web;
    LocationMap map(1);
    map.runtime.sortLineGeo = {kCentre};
    web.canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(web.drawer.BeginAtZoom(&p, 17));
        web.drawer.DrawSortLine(map);
        web.drawer.End();
    });
    const QColor dot = web.canvas.At(150, 150);
    EXPECT_NEAR(dot.red(), 109, 2);
    EXPECT_NEAR(dot.green(), 134, 2);
    EXPECT_NEAR(dot.blue(), 160, 2);
    // Round: the dot's corners stay grey.
    const QRect band = web.canvas.BoundsOf(dot, 2);
    ASSERT_GT(band.width(), 6);
    EXPECT_EQ(web.canvas.At(band.left(), band.top()), QColor(0x88, 0x88, 0x88));
    EXPECT_EQ(web.canvas.Count(web.canvas.image.rect(), kCurrentRed), 0);  // no line, no arrowhead
}

TEST(Overlays, SortLineWithAnArrowheadAtItsEnd)
{
    WebTracks web;
    LocationMap map(1);
    map.runtime.sortLineGeo = {fe::geo::GeoPoint(139.7495, 35.68), fe::geo::GeoPoint(139.7505, 35.68)};
    web.canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(web.drawer.BeginAtZoom(&p, 17));
        web.drawer.DrawSortLine(map);
        web.drawer.End();
    });
    const QRect red = web.canvas.BoundsOf(kCurrentRed);
    EXPECT_GT(red.width(), 80);
    EXPECT_GT(red.height(), 6);  // the head widens the line at its east end
    EXPECT_GT(web.canvas.Count(QRect(red.right() - 12, red.top(), 13, red.height()), kCurrentRed),
              web.canvas.Count(QRect(red.left(), red.top(), 13, red.height()), kCurrentRed));
}

// A north-up registered picture of zone 9 whose pixel (150, 150) is the plane point of kCentre, one metre
// per pixel, shown 1:1 in a 300 × 300 client.
struct PictureTracks
{
    LocationMap map{2};
    ViewMap drawer;
    PixelCanvas canvas{300, 300};

    PictureTracks()
    {
        map.kind = LocationMap::kRegisteredPicture;
        map.zone = 9;
        const Point2 centre = fe::geo::PlaneRectConverter(9).ToPlaneXY(kCentre);
        map.transform.Reset(LocationMapTransform::kPlane);
        map.transform.forward = {0, -1, centre.x + 150, centre.y - 150};
        map.transform.inverse = {0, 1, 150 - centre.y, centre.x + 150};
        drawer.transform = &map.transform;
        drawer.clientWidth = 300;
        drawer.clientHeight = 300;
        drawer.UseMapPalette();
        drawer.SetupResources();
    }

    void Draw(std::vector<LocusTrack>& tracks, int zone)
    {
        canvas.Paint([&](QPainter& p) {
            ASSERT_TRUE(drawer.Begin(&p));
            drawer.DrawTracks(tracks, 300, 300, zone);
            drawer.End();
        });
    }
};

TEST(Overlays, TrackWhollyInsideANorthUpPictureIsDrawn)
{
    PictureTracks picture;
    std::vector<LocusTrack> tracks = {Track({{-0.0003, -0.0003}, {0.0003, 0.0003}})};
    picture.Draw(tracks, 9);
    EXPECT_GT(picture.canvas.Count(picture.canvas.image.rect(), kTrackBlue), 40);
    // The line runs from the south-west to the north-east of the picture's centre.
    EXPECT_GT(picture.canvas.Count(QRect(160, 110, 30, 30), kTrackBlue), 5);
    EXPECT_GT(picture.canvas.Count(QRect(110, 160, 30, 30), kTrackBlue), 5);
}

TEST(Overlays, SortLineBandOnAPictureIsTheContactWidthWide)
{
    PictureTracks picture;
    // 50 × 0.2 = 10 map units either side, one pixel each: a 20 px band under a west–east line.
    picture.map.runtime.sortLine = {Point2(100, 150), Point2(220, 150)};
    picture.map.runtime.sortScale = 0.2;
    picture.canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(picture.drawer.Begin(&p));
        picture.drawer.DrawSortLine(picture.map);
        picture.drawer.End();
    });
    const QColor band = picture.canvas.At(150, 143);
    EXPECT_NEAR(band.red(), 109, 2);
    EXPECT_NEAR(band.green(), 134, 2);
    EXPECT_NEAR(band.blue(), 160, 2);
    EXPECT_EQ(picture.canvas.At(150, 138), QColor(0x88, 0x88, 0x88));           // beyond the half width
    EXPECT_EQ(picture.canvas.At(150, 150), kCurrentRed);                        // the line itself
    EXPECT_GT(picture.canvas.Count(QRect(200, 140, 21, 21), kCurrentRed), 40);  // the arrowhead at the end
}

TEST(Overlays, NoTrackOnAPictureOutsideTheZones)
{
    for (const int zone : {0, 20}) {
        PictureTracks picture;
        std::vector<LocusTrack> tracks = {Track({{-0.0003, -0.0003}, {0.0003, 0.0003}})};
        picture.Draw(tracks, zone);
        EXPECT_EQ(picture.canvas.Count(picture.canvas.image.rect(), kTrackBlue), 0) << zone;
    }
}

}  // namespace
