#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ProjectFileFixture.h"
#include "ProjectFileTestSupport.h"
#include "model/ProjectFileReader.h"
#include "model/ProjectResult.h"

namespace V = ProjectFixtureValues;

TEST(ProjectFile, EmptyProjectIsWrittenExactlyAsTheFormatSays)
{
    const QByteArray bytes = WrittenBytes(Project());
    EXPECT_EQ(bytes.size(), 228);
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("19000000540045004B00")));
    EXPECT_EQ(bytes.toHex(' '), EmptyProjectFile().toHex(' '));

    ProjectBytesReader reader;
    Project read;
    read.name = QStringLiteral("stale");
    ASSERT_EQ(reader.Read(bytes, read), kProjectOk);
    EXPECT_EQ(read.fileVersion, 8);
    EXPECT_EQ(WrittenBytes(read), bytes);
}

// A file built from the format tables reads as its fields say and is written back byte for byte.
TEST(ProjectFile, HandBuiltCurrentFileReadsFieldByFieldAndIsWrittenBackUnchanged)
{
    const QByteArray fixture = ProjectFixtureFile(8);
    ProjectBytesReader reader;
    Project project;
    ASSERT_EQ(reader.Read(fixture, project), kProjectOk);

    ASSERT_EQ(project.maps.Count(), 1);
    const LocationMap& map = project.maps.maps[0];
    EXPECT_EQ(project.maps.nextId, 3);
    EXPECT_EQ(project.maps.nextNumber, 4);
    EXPECT_EQ(map.kind, 2);
    EXPECT_EQ(map.transform.kind, LocationMapTransform::kWeb);
    // Stored east first: 136, 135, 34, 35.
    EXPECT_EQ(map.box, Rect2(135, 34, 136, 35));
    EXPECT_EQ(map.name, QStringLiteral("地図A"));
    EXPECT_EQ(map.reference.plane2, Point2(7, 8));
    EXPECT_EQ(map.itemValues.texts[3], QStringLiteral("値4"));
    EXPECT_EQ(map.overlay, (MapOverlayLayout{1, 2, 0.5, 0, 3, 4, 1}));
    EXPECT_FALSE(map.outline.empty());
    ASSERT_EQ(map.photos.Count(), 2);
    EXPECT_EQ(map.photos.entries[0].labelOffset, Point2(3, 4));
    EXPECT_EQ(map.photos.entries[0].comment, QStringLiteral("写真の説明"));
    EXPECT_EQ(map.calloutAnchor.latitude, 34.6);
    EXPECT_EQ(map.calloutAnchor.longitude, 135.6);
    EXPECT_EQ(map.commentLines, (QStringList{QStringLiteral("一行目"), QStringLiteral("二行目")}));
    ASSERT_EQ(map.reservoir.items.size(), 8u);
    EXPECT_EQ(map.reservoir.items[3].photoRows[0].description, QStringLiteral("ひび割れ"));

    ASSERT_EQ(project.photos.photos.size(), 2u);
    const PhotoRecord& photo = project.photos.photos[0];
    EXPECT_EQ(photo.position.latitude, 34.5);  // latitude is stored before longitude
    EXPECT_EQ(photo.position.longitude, 135.5);
    EXPECT_EQ(photo.sourceName, QStringLiteral("IMG_0001.JPG"));
    EXPECT_EQ(photo.rotation, 90);
    EXPECT_EQ(project.headerValues.texts[2], QStringLiteral("山田"));
    EXPECT_EQ(project.outputOptions.fileNamePrefix, QStringLiteral("pre"));
    EXPECT_EQ(project.importSettings.toDate, QStringLiteral("2020/12/31"));
    ASSERT_EQ(project.tracks.size(), 1u);
    EXPECT_EQ(project.tracks[0].points[0].elevation, 12.5);
    EXPECT_EQ(project.tracks[0].points[0].time.minute, 30);
    EXPECT_EQ(project.tracks[0].box, Rect2(135.5, 34.5, 135.5, 34.5));
    ASSERT_EQ(project.siteMaps.Count(), 1);
    EXPECT_EQ(project.siteMaps.maps[0].photos.prefix, QStringLiteral("No."));

    EXPECT_EQ(WrittenBytes(project).toHex(' '), fixture.toHex(' '));
}

// Every version from 1 to 8 reads the fields its version holds and keeps the defaults of the others.
TEST(ProjectFile, EachVersionReadsTheFieldsItHoldsAndKeepsDefaultsForTheRest)
{
    const ReportOutputOptions defaultOptions;
    const PhotoImportSettings defaultImport;
    for (std::int32_t version = 1; version <= 8; ++version) {
        SCOPED_TRACE(version);
        ProjectBytesReader reader;
        Project project;
        ASSERT_EQ(reader.Read(ProjectFixtureFile(version), project), kProjectOk);
        EXPECT_EQ(project.fileVersion, version);

        const LocationMap& map = project.maps.maps.at(0);
        const PlacedPhoto& entry = map.photos.entries.at(0);
        EXPECT_EQ(entry.number, V::kPlacedNumber);
        // Before version 7 the number text is made from prefix, number and suffix.
        EXPECT_EQ(entry.numberText,
                  version >= 7 ? QString::fromUtf16(V::kNumberTextV7) : QStringLiteral("P5"));
        // A photo placed without a number has no number text in any version.
        const PlacedPhoto& unnumbered = map.photos.entries.at(1);
        EXPECT_EQ(unnumbered.number, 0);
        EXPECT_EQ(unnumbered.numberText, QString());

        const bool tail = version >= 7;
        EXPECT_EQ(map.frame.angle, tail ? V::kFrameAngle : 0.0);
        EXPECT_EQ(map.cadOutputFlag, tail ? 0 : 1);
        EXPECT_EQ(map.showCallout, tail ? 0 : 1);
        EXPECT_EQ(map.calloutAnchor.HasPosition(), tail);
        EXPECT_EQ(map.locationText.isEmpty(), !tail);
        EXPECT_EQ(map.commentLines.size(), tail ? 2 : 0);
        EXPECT_EQ(map.reservoir.items.size(), 8u);
        EXPECT_EQ(map.reservoir.items[3].pictureRotation, version >= 8 ? V::kReservoirValue : 0);

        const ReportOutputOptions& options = project.outputOptions;
        EXPECT_EQ(options.outputKind, 0);
        EXPECT_EQ(options.pagesPerWorkbook, 5);
        EXPECT_EQ(options.mapLayout, version >= 4 ? V::kMapLayout : defaultOptions.mapLayout);
        EXPECT_EQ(options.shotTimeFormat, version >= 4 ? 3 : defaultOptions.shotTimeFormat);
        EXPECT_EQ(options.photoQuality, version >= 5 ? V::kPhotoQuality : defaultOptions.photoQuality);
        EXPECT_EQ(options.mapQuality, version >= 5 ? 0 : defaultOptions.mapQuality);
        EXPECT_EQ(options.outputLedger, tail ? 0 : defaultOptions.outputLedger);
        EXPECT_EQ(options.photoPlacement, tail ? V::kPhotoPlacement : defaultOptions.photoPlacement);
        EXPECT_EQ(options.listOriginalFileName, tail ? 1 : 0);

        const PhotoImportSettings& import = project.importSettings;
        EXPECT_EQ(import.dateFilter, version >= 2 ? 1 : defaultImport.dateFilter);
        EXPECT_EQ(import.fromDate.isEmpty(), version < 2);
        EXPECT_EQ(import.takeDirection, version >= 3 ? 0 : defaultImport.takeDirection);
        EXPECT_EQ(import.alsoSameShotTime, tail ? 0 : defaultImport.alsoSameShotTime);

        EXPECT_EQ(project.tracks.size(), version >= 6 ? 1u : 0u);
        EXPECT_EQ(project.siteMaps.Count(), tail ? 1 : 0);
        EXPECT_EQ(project.siteMapZone, tail ? V::kSiteMapZone : 0);
    }
}

TEST(ProjectFile, FilesThatAreNotProjectsOfAKnownVersionAreRefused)
{
    QByteArray shortMagic = Bytes().text(QStringLiteral("TEKRO_SOFTWARE_LOCMAP_DO")).i32(8).data;
    QByteArray otherMagic = ProjectFixtureFile(8);
    otherMagic[4] = 'X';
    const struct
    {
        const char* what;
        QByteArray bytes;
        int expected;
    } cases[] = {
        {"newer version", ProjectFixtureFile(9), kProjectUnsupportedVersion},
        {"version 0", ProjectFixtureFile(0), kProjectUnsupportedVersion},
        {"negative version", ProjectFixtureFile(-7), kProjectUnsupportedVersion},
        {"magic one letter short", shortMagic, kProjectNotProjectFile},
        {"other magic", otherMagic, kProjectNotProjectFile},
        {"empty file", QByteArray(), kProjectFileException},
        {"text file", QByteArray("hello, world\r\n"), kProjectFileException},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectBytesReader reader;
        Project project;
        EXPECT_EQ(reader.Read(c.bytes, project), c.expected);
        EXPECT_EQ(project.maps.Count(), 0);
    }
}

TEST(ProjectFile, FullProjectRoundTripsAndIsWrittenAgainByteForByte)
{
    const Project original = MakeFullProject();
    const QByteArray first = WrittenBytes(original);
    ASSERT_FALSE(first.isEmpty());

    ProjectBytesReader reader;
    Project read;
    ASSERT_EQ(reader.Read(first, read), kProjectOk);
    EXPECT_EQ(WrittenBytes(read), first);

    EXPECT_EQ(read.photos.nextId, original.photos.nextId);
    ASSERT_EQ(read.photos.photos.size(), original.photos.photos.size());
    for (size_t k = 0; k < read.photos.photos.size(); ++k) {
        const PhotoRecord& a = read.photos.photos[k];
        const PhotoRecord& b = original.photos.photos[k];
        EXPECT_EQ(a.id, b.id);
        EXPECT_EQ(a.position.latitude, b.position.latitude);
        EXPECT_EQ(a.position.longitude, b.position.longitude);
        EXPECT_EQ(a.direction, b.direction);
        EXPECT_EQ(QStringList({a.date, a.time, a.sourceName}), QStringList({b.date, b.time, b.sourceName}));
        EXPECT_EQ(a.rotation, b.rotation);
    }
    EXPECT_EQ(read.headerLabels, original.headerLabels);
    EXPECT_EQ(read.headerValues, original.headerValues);
    EXPECT_EQ(read.outputOptions, original.outputOptions);
    EXPECT_EQ(read.importSettings, original.importSettings);
    ASSERT_EQ(read.tracks.size(), 2u);
    EXPECT_EQ(read.tracks[0].terminalId, original.tracks[0].terminalId);
    EXPECT_EQ(read.tracks[0].box, original.tracks[0].box);
    ASSERT_EQ(read.maps.Count(), original.maps.Count());
    for (int k = 0; k < read.maps.Count(); ++k) {
        SCOPED_TRACE(k);
        const LocationMap& a = read.maps.maps[k];
        const LocationMap& b = original.maps.maps[k];
        EXPECT_EQ(a.kind, b.kind);
        EXPECT_EQ(a.box, b.box);
        EXPECT_EQ(a.frame, b.frame);
        EXPECT_EQ(a.reservoir, b.reservoir);
        EXPECT_EQ(a.itemValues, b.itemValues);
        EXPECT_EQ(a.commentLines, b.commentLines);
        EXPECT_EQ(a.overlay, b.overlay);
        ASSERT_EQ(a.photos.Count(), 3);
        EXPECT_EQ(a.photos.entries[1].comment, b.photos.entries[1].comment);
        EXPECT_EQ(a.photos.entries[1].numberText, b.photos.entries[1].numberText);
    }
    // A kind the program does not know keeps its value and gets no transform.
    EXPECT_EQ(read.maps.maps[5].kind, 9);
    EXPECT_EQ(read.maps.maps[5].transform.kind, LocationMapTransform::kNone);
    EXPECT_EQ(read.maps.maps[1].transform.kind, LocationMapTransform::kPlane);
    EXPECT_EQ(read.siteMaps.maps.at(0).locationText, QStringLiteral("大阪府"));
}

TEST(ProjectFile, StoredCommentWithLineBreaksReadsBackAsOneEntryPerLine)
{
    Project project;
    project.siteMaps.AddWebMap(LocationMap::kWebStandard, Rect2(135, 34, 136, 35), 12, true);
    project.siteMaps.maps[0].commentLines = {QStringLiteral("a\nb\r\nc"), QStringLiteral("d")};
    ProjectBytesReader reader;
    Project read;
    ASSERT_EQ(reader.Read(WrittenBytes(project), read), kProjectOk);
    EXPECT_EQ(read.siteMaps.maps[0].commentLines, (QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                                               QStringLiteral("c"), QStringLiteral("d")}));
}
