// Placing photos on a track read from a track file: positions by shot time.
#include <gtest/gtest.h>

#include "TrackCsvScenario.h"
#include "model/IchimillCsv.h"
#include "model/TrackPlacement.h"

namespace ts = track_scenario;

namespace {

PhotoList ScenarioPhotos()
{
    PhotoList list;
    for (const ts::Photo& p : ts::Photos()) {
        PhotoRecord photo(list.nextId++);
        photo.date = p.date;
        photo.time = p.time;
        photo.position = fe::geo::GeoPoint(ts::kStartLon, ts::kStartLat);
        list.photos.push_back(photo);
    }
    return list;
}

}  // namespace

TEST(TrackPlacement, ReadTracksHoldExactlyTheRowsToKeep)
{
    std::vector<LocusTrack> tracks;
    const IchimillReadResult result = ReadIchimillCsvBytes(ts::CsvBytes(), {}, tracks);
    ASSERT_TRUE(result.Ok());
    const auto kept = ts::KeptTracks();
    ASSERT_EQ(tracks.size(), kept.size());
    for (size_t t = 0; t < kept.size(); ++t) {
        EXPECT_EQ(tracks[t].terminalId, ts::kTerminal);
        ASSERT_EQ(tracks[t].points.size(), kept[t].size());
        for (size_t k = 0; k < kept[t].size(); ++k) {
            const LocusPoint& p = tracks[t].points[k];
            const QDateTime& when = kept[t][k].when;
            EXPECT_EQ(p.date.year, when.date().year());
            EXPECT_EQ(p.date.month, when.date().month());
            EXPECT_EQ(p.date.day, when.date().day());
            EXPECT_EQ(p.time.hour, when.time().hour());
            EXPECT_EQ(p.time.minute, when.time().minute());
            EXPECT_EQ(p.time.second, when.time().second());
            EXPECT_DOUBLE_EQ(p.position.longitude, kept[t][k].lon);
            EXPECT_DOUBLE_EQ(p.position.latitude, kept[t][k].lat);
            EXPECT_DOUBLE_EQ(p.elevation, 41.25);
        }
    }
}

// Run again by CTest under other time zones and a decimal-comma locale: nothing may change.
TEST(TrackPlacement, PhotosTakeTheInterpolatedPositionAtTheirShotTime)
{
    std::vector<LocusTrack> tracks;
    ASSERT_TRUE(ReadIchimillCsvBytes(ts::CsvBytes(), {}, tracks).Ok());
    const auto kept = ts::KeptTracks();
    ASSERT_EQ(tracks.size(), kept.size());
    const std::vector<ts::Photo> shots = ts::Photos();
    std::vector<int> all;
    for (int k = 0; k < static_cast<int>(shots.size()); ++k)
        all.push_back(k);
    all.push_back(-1);  // indices outside the list are ignored
    all.push_back(static_cast<int>(shots.size()));

    for (size_t t = 0; t < tracks.size(); ++t) {
        SCOPED_TRACE(t);
        PhotoList photos = ScenarioPhotos();
        const TrackPlacementResult result = PlacePhotosOnTrack(photos, tracks[t], all);
        int placed = 0;
        for (size_t k = 0; k < shots.size(); ++k) {
            SCOPED_TRACE(shots[k].date.toStdString() + " " + shots[k].time.toStdString());
            const auto expected = ts::Expected(kept[t], shots[k]);
            const fe::geo::GeoPoint& got = photos.photos[k].position;
            if (expected) {
                ++placed;
                EXPECT_NEAR(got.longitude, expected->first, 1e-9);
                EXPECT_NEAR(got.latitude, expected->second, 1e-9);
            } else {
                EXPECT_EQ(got.longitude, ts::kStartLon);
                EXPECT_EQ(got.latitude, ts::kStartLat);
            }
        }
        EXPECT_EQ(result.placed, placed);
        EXPECT_EQ(result.withoutTime, 3);
        EXPECT_EQ(result.placed + result.outsideTrack + result.withoutTime, static_cast<int>(shots.size()));
    }
}

TEST(TrackPlacement, ShotTimesThatAreNotRealMomentsAreSkipped)
{
    LocusTrack track;
    LocusPoint a;
    a.position = fe::geo::GeoPoint(139.0, 35.0);
    a.date = {2024, 5, 9};
    a.time = {9, 0, 0};
    LocusPoint b = a;
    b.position = fe::geo::GeoPoint(139.1, 35.1);
    b.time = {11, 0, 0};
    track.points = {a, b};
    // With an unparsed hour taken as -1, "10:30" would land an hour off; a month 13 would reach the
    // calendar tables.
    for (const auto& [date, time] : std::vector<std::pair<QString, QString>>{{"2024/05/09", ""},
                                                                             {"2024/05/09", "10:30"},
                                                                             {"2024/05/09", "24:00:00"},
                                                                             {"2024/05/09", "10:61:00"},
                                                                             {"2024/13/09", "10:00:00"},
                                                                             {"2024/02/30", "10:00:00"},
                                                                             {"", "10:00:00"}}) {
        SCOPED_TRACE((date + " " + time).toStdString());
        PhotoList photos;
        PhotoRecord photo(1);
        photo.date = date;
        photo.time = time;
        photos.photos.push_back(photo);
        const TrackPlacementResult result = PlacePhotosOnTrack(photos, track, {0});
        EXPECT_EQ(result.withoutTime, 1);
        EXPECT_FALSE(photos.photos[0].HasPosition());
    }
}
