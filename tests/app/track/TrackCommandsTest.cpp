// Reading track files into the project and placing photos on a track, through the document.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "TrackDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/track/TrackCommands.h"
#include "model/ProjectFile.h"
#include "model/ProjectResult.h"

namespace ts = track_scenario;

TEST(TrackCommands, ReadingAppendsTracksAndSavesTheProject)
{
    TrackDocument d;
    app::ScriptedPrompts prompts;
    const QString path = d.WriteFile(QStringLiteral("log.csv"), ts::CsvBytes());

    const app::TrackReadOutcome first = app::ReadTrackFileIntoProject(d.doc, d.settings, path, nullptr);
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_TRUE(first.added);
    EXPECT_EQ(first.firstNewTrack, 0);
    EXPECT_EQ(first.trackCount, 2);
    EXPECT_EQ(d.settings.lastTrackFolder, d.temp.path());
    EXPECT_EQ(d.announced, 1);

    const app::TrackReadOutcome second = app::ReadTrackFileIntoProject(d.doc, d.settings, path, nullptr);
    EXPECT_EQ(second.firstNewTrack, 2);
    EXPECT_EQ(second.trackCount, 4);

    Project onDisk;
    ASSERT_EQ(LoadProject(onDisk, d.doc.GetProject().ProjectFilePath()), kProjectOk);
    ASSERT_EQ(onDisk.tracks.size(), 4u);
    EXPECT_EQ(onDisk.tracks[2].terminalId, ts::kTerminal);
    EXPECT_EQ(onDisk.tracks[2].points.size(), 3u);
}

TEST(TrackCommands, BadFilesSayWhyAndLeaveTheProjectAlone)
{
    const QByteArray header = fe::ToCp932(QStringLiteral("\"端末ID\",b,c,d,e,f,g,h,i")) + "\r\n";
    struct Case
    {
        const char* what;
        QByteArray bytes;
        QString message;
        app::PromptIcon icon;
    };
    const QString failed =
        app::kTrackReadFailedText + QStringLiteral("\n\nichimillの軌跡データ(CSV)ではありません。");
    const Case cases[] = {
        {"terminal ID without quotes", fe::ToCp932(QStringLiteral("端末ID,b,c,d,e,f,g,h,i\r\n")), failed,
         app::PromptIcon::Warning},
        {"UTF-8", QStringLiteral("\"端末ID\",b,c,d,e,f,g,h,i\r\n").toUtf8(), failed,
         app::PromptIcon::Warning},
        {"binary", QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"), failed, app::PromptIcon::Warning},
        {"empty", QByteArray(), failed, app::PromptIcon::Warning},
        {"every row refused",
         header + fe::ToCp932(ts::Row(ts::kTerminal, "2024/3/9 10:00:00", "35", "139", "RTK fix", "4")),
         app::kNoTrackReadText, app::PromptIcon::Information},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TrackDocument d;
        const QByteArray before = d.ProjectBytes();
        ASSERT_FALSE(before.isEmpty());
        app::ScriptedPrompts prompts;
        const QString path = d.WriteFile(QStringLiteral("bad.csv"), c.bytes);
        const app::TrackReadOutcome outcome = app::ReadTrackFileIntoProject(d.doc, d.settings, path, nullptr);
        EXPECT_FALSE(outcome.added);
        EXPECT_EQ(outcome.trackCount, 0);
        EXPECT_TRUE(d.doc.GetProject().tracks.empty());
        EXPECT_EQ(d.announced, 0);
        EXPECT_EQ(d.ProjectBytes(), before);
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_EQ(prompts.asked()[0].text, c.message);
        EXPECT_EQ(prompts.asked()[0].caption, QStringLiteral("ケルヴォル"));
        EXPECT_EQ(prompts.asked()[0].icon, c.icon);
    }
}

TEST(TrackCommands, PlacingGivesPhotosTheTrackPositionAtTheirShotTime)
{
    TrackDocument d;
    app::ScriptedPrompts prompts;
    ASSERT_TRUE(app::ReadTrackFileIntoProject(d.doc, d.settings,
                                              d.WriteFile(QStringLiteral("log.csv"), ts::CsvBytes()), nullptr)
                    .added);
    const std::vector<ts::Photo> shots = ts::Photos();
    std::vector<int> all;
    for (int k = 0; k < static_cast<int>(shots.size()); ++k)
        all.push_back(k);

    EXPECT_TRUE(app::PlacePhotosOnTrack(d.doc, 0, all, nullptr));
    EXPECT_TRUE(prompts.asked().empty());
    Project onDisk;
    ASSERT_EQ(LoadProject(onDisk, d.doc.GetProject().ProjectFilePath()), kProjectOk);
    const auto kept = ts::KeptTracks();
    for (size_t k = 0; k < shots.size(); ++k) {
        SCOPED_TRACE(shots[k].date.toStdString() + " " + shots[k].time.toStdString());
        const auto expected = ts::Expected(kept[0], shots[k]);
        const fe::geo::GeoPoint& got = onDisk.photos.photos[k].position;
        EXPECT_NEAR(got.longitude, expected ? expected->first : ts::kStartLon, 1e-9);
        EXPECT_NEAR(got.latitude, expected ? expected->second : ts::kStartLat, 1e-9);
    }
}

TEST(TrackCommands, PlacingNeedsATrackAndPhotos)
{
    TrackDocument d;
    app::ScriptedPrompts prompts;
    const QByteArray before = d.ProjectBytes();
    EXPECT_FALSE(app::PlacePhotosOnTrack(d.doc, 0, {0}, nullptr));
    EXPECT_FALSE(app::PlacePhotosOnTrack(d.doc, -1, {0}, nullptr));
    ASSERT_TRUE(app::ReadTrackFileIntoProject(d.doc, d.settings,
                                              d.WriteFile(QStringLiteral("log.csv"), ts::CsvBytes()), nullptr)
                    .added);
    const QByteArray withTracks = d.ProjectBytes();
    EXPECT_NE(withTracks, before);
    EXPECT_FALSE(app::PlacePhotosOnTrack(d.doc, 0, {}, nullptr));
    // Photos outside the track's span change nothing, so nothing is saved.
    EXPECT_FALSE(app::PlacePhotosOnTrack(d.doc, 0, {4, 5, 8}, nullptr));
    EXPECT_EQ(d.ProjectBytes(), withTracks);

    ASSERT_EQ(prompts.asked().size(), 3u);
    EXPECT_EQ(prompts.asked()[0].text, app::kNoTrackSelectedText);
    EXPECT_EQ(prompts.asked()[1].text, app::kNoTrackSelectedText);
    EXPECT_EQ(prompts.asked()[2].text, app::kNoPhotoSelectedText);
    EXPECT_EQ(prompts.asked()[2].icon, app::PromptIcon::Warning);
}

// Both changes fail to save; the document tells the first, and keeps quiet until a save succeeds.
TEST(TrackCommands, AFailedSaveIsToldOnceOverReadingAndPlacing)
{
    TrackDocument d;
    app::ScriptedPrompts prompts;
    const QString csv = d.WriteFile(QStringLiteral("log.csv"), ts::CsvBytes());
    // A folder where the project file should be: the atomic replace cannot put the new file there.
    const QString projectFile = d.doc.GetProject().ProjectFilePath();
    ASSERT_TRUE(QFile::remove(projectFile));
    ASSERT_TRUE(QDir().mkpath(projectFile + QStringLiteral("/held")));

    EXPECT_TRUE(app::ReadTrackFileIntoProject(d.doc, d.settings, csv, nullptr).added);
    EXPECT_TRUE(app::PlacePhotosOnTrack(d.doc, 0, {0}, nullptr));
    ASSERT_EQ(prompts.asked().size(), 1u);
    for (const auto& asked : prompts.asked()) {
        EXPECT_FALSE(asked.text.isEmpty());
        EXPECT_EQ(asked.caption, QStringLiteral("ケルヴォル"));
        EXPECT_EQ(asked.icon, app::PromptIcon::Warning);
    }
}
